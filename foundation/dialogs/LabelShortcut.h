#pragma once

// A label's control reached by keyboard without an accelerator mark in the label's text: the
// label stays as it reads, a shortcut of the window moves the focus to the control, and the
// control takes the label as its name for screen readers.

#include <QKeySequence>

class QLabel;
class QShortcut;
class QWidget;

namespace telvarin {

QShortcut* addLabelShortcut(QLabel& label, QWidget& control, const QKeySequence& keys);

} // namespace telvarin
