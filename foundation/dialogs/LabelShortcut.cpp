#include "foundation/dialogs/LabelShortcut.h"

#include <QLabel>
#include <QShortcut>

namespace telvarin {

QShortcut* addLabelShortcut(QLabel& label, QWidget& control, const QKeySequence& keys) {
    label.setBuddy(&control);
    auto* shortcut = new QShortcut(keys, label.window());
    QObject::connect(shortcut, &QShortcut::activated, &control, [&control] {
        if (control.isEnabled())
            control.setFocus(Qt::ShortcutFocusReason);
    });
    // Screen readers announce the key with the control.
    if (control.accessibleDescription().isEmpty())
        control.setAccessibleDescription(keys.toString(QKeySequence::NativeText));
    return shortcut;
}

} // namespace telvarin
