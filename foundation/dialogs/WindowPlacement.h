#pragma once

// A window's placement: its record in the settings store ("Dialog\<Name>", see
// settings/WindowPersistence.h) taken from and applied to the window, and the window kept on the
// screen where it can be reached.

#include "foundation/settings/SettingsStore.h"

#include <QMargins>
#include <QSize>
#include <QString>

class QWidget;

namespace telvarin {

class DynamicLayout;

// Writes the window's normal rectangle and show state. Nothing is written while the window's layout
// is not set up; false when nothing or not the whole record was written.
bool saveWindowPlacement(SettingsStore& store, const QString& section, const QWidget& window,
                         const DynamicLayout& layout);

// Applies a complete record: the normal rectangle always, the show state only when asked (no
// window of the program asks, so every window reopens in its normal state). A rectangle that lies
// off every screen is brought back onto the nearest one. False when there is no complete record.
bool restoreWindowPlacement(const SettingsStore& store, const QString& section, QWidget& window,
                            bool applyShowState = false);

// The frame margins a window has, or, before it has been shown, those it will most likely get.
QMargins expectedFrameMargins(const QWidget& window);

// Brings a window about to be shown wholly into the available area of the screen it lies on most,
// so that its title bar, its edges and its buttons can be reached. Maximised windows are left alone.
void fitWindowOnScreen(QWidget& window);

// Makes a shown window larger, as far as its screen allows, so that a part of it that grows with it
// (shown at contentShown) gets contentWanted, moving it where it would leave the screen. A
// maximised window is left alone.
void growWindowToShow(QWidget& window, QSize contentShown, QSize contentWanted);

} // namespace telvarin
