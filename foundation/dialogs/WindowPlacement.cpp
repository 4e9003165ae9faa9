#include "foundation/dialogs/WindowPlacement.h"

#include "foundation/dialogs/DynamicLayout.h"
#include "foundation/settings/WindowPersistence.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace telvarin {

namespace {

QRect normalRectOf(const QWidget& window) {
    const QRect normal = window.normalGeometry();
    return normal.isValid() ? normal : window.geometry();
}

int showStateOf(const QWidget& window) {
    if (window.isMinimized())
        return kShowStateMinimized;
    if (window.isMaximized() || window.isFullScreen())
        return kShowStateMaximized;
    return kShowStateNormal;
}

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

} // namespace

bool saveWindowPlacement(SettingsStore& store, const QString& section, const QWidget& window,
                         const DynamicLayout& layout) {
    if (!layout.isSetUp() || !window.isWindow())
        return false;
    return writePlacementRecord(store, section, {normalRectOf(window), showStateOf(window)});
}

bool restoreWindowPlacement(const SettingsStore& store, const QString& section, QWidget& window,
                            bool applyShowState) {
    if (!window.isWindow())
        return false;
    const std::optional<PlacementRecord> record =
        readPlacementRecord(store, section, {normalRectOf(window), showStateOf(window)});
    if (!record)
        return false;

    const QRect rect = reachableWindowRect(record->normal, availableScreenAreas());
    if (window.isMaximized() || window.isMinimized() || window.isFullScreen())
        window.setWindowState(Qt::WindowNoState);
    window.setGeometry(rect);
    if (applyShowState) {
        if (record->showState == kShowStateMaximized)
            window.setWindowState(Qt::WindowMaximized);
        else if (record->showState == kShowStateMinimized)
            window.setWindowState(Qt::WindowMinimized);
    }
    return true;
}

QMargins expectedFrameMargins(const QWidget& window) {
    const auto marginsOf = [](const QWidget& widget) {
        const QRect frame = widget.frameGeometry();
        const QRect client = widget.geometry();
        return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    };
    if (const QMargins own = marginsOf(window); !own.isNull())
        return own;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other->isVisible() && other->isWindow() && !(other->windowFlags() & Qt::FramelessWindowHint)) {
            if (const QMargins known = marginsOf(*other); !known.isNull())
                return known;
        }
    }
    // No window has been framed yet: a title bar and thin borders, as most window managers draw.
    return QMargins(4, 30, 4, 4);
}

void fitWindowOnScreen(QWidget& window) {
    if (!window.isWindow() || window.isMaximized() || window.isFullScreen() || window.isMinimized())
        return;
    const QRect client = window.geometry();
    const QScreen* screen = QGuiApplication::screenAt(client.center());
    if (screen == nullptr)
        screen = window.screen();
    if (screen == nullptr)
        return;
    const QRect fitted = clientRectWithin(client, expectedFrameMargins(window), screen->availableGeometry());
    if (fitted == client)
        return;
    // A dialog's layout keeps it at least at its template size; a smaller screen comes first.
    window.setMinimumSize(window.minimumSize().boundedTo(fitted.size()));
    window.setGeometry(fitted);
}

void growWindowToShow(QWidget& window, QSize contentShown, QSize contentWanted) {
    if (!window.isWindow() || window.isMaximized() || window.isFullScreen() || window.isMinimized())
        return;
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    const QRect grown = clientRectShowing(window.geometry(), contentShown, contentWanted,
                                          expectedFrameMargins(window), screen->availableGeometry());
    if (grown != window.geometry())
        window.setGeometry(grown);
}

} // namespace telvarin
