#include "foundation/WindowPersistence.h"

#include "foundation/DynamicLayout.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <limits>

namespace telvarin {

namespace {

const QString kCheck = QStringLiteral("(check)");
const QString kLeft = QStringLiteral("Left");
const QString kRight = QStringLiteral("Right");
const QString kTop = QStringLiteral("Top");
const QString kBottom = QStringLiteral("Bottom");
const QString kState = QStringLiteral("State");

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

double squaredGap(const QRect& a, const QRect& b) {
    const auto gap = [](double nearA, double farA, double nearB, double farB) -> double {
        if (farA < nearB)
            return nearB - farA;
        if (farB < nearA)
            return nearA - farB;
        return 0;
    };
    const double gx = gap(a.left(), a.right(), b.left(), b.right());
    const double gy = gap(a.top(), a.bottom(), b.top(), b.bottom());
    return gx * gx + gy * gy;
}

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

// The stored edges as a rectangle; a record with edges in the wrong order keeps the window's own
// size at the stored position rather than collapsing it.
QRect storedRect(qint64 left, qint64 top, qint64 right, qint64 bottom, const QRect& current) {
    static constexpr qint64 kLargest = QWIDGETSIZE_MAX;
    qint64 width = right - left;
    qint64 height = bottom - top;
    if (width <= 0 || height <= 0) {
        width = current.width();
        height = current.height();
    }
    const auto clampCoordinate = [](qint64 value) {
        return static_cast<int>(std::clamp<qint64>(value, -kLargest, kLargest));
    };
    return QRect(clampCoordinate(left), clampCoordinate(top), static_cast<int>(std::min(width, kLargest)),
                 static_cast<int>(std::min(height, kLargest)));
}

} // namespace

QString placementSection(const QString& windowName) {
    return QStringLiteral("Dialog\\") + windowName;
}

QString columnWidthsSection(const QString& windowName) {
    return QStringLiteral("Spalten\\") + windowName;
}

bool saveWindowPlacement(SettingsStore& store, const QString& section, const QWidget& window,
                         const DynamicLayout& layout) {
    if (!layout.isSetUp() || !window.isWindow())
        return false;
    const QRect normal = normalRectOf(window);
    // Right and bottom are exclusive edges, as the reference system's rectangles have them.
    return store.writeInt(section, kCheck, kPlacementWriting) && store.writeInt(section, kLeft, normal.x()) &&
           store.writeInt(section, kRight, normal.x() + normal.width()) &&
           store.writeInt(section, kTop, normal.y()) &&
           store.writeInt(section, kBottom, normal.y() + normal.height()) &&
           store.writeInt(section, kState, showStateOf(window)) &&
           store.writeInt(section, kCheck, kPlacementComplete);
}

bool restoreWindowPlacement(const SettingsStore& store, const QString& section, QWidget& window,
                            bool applyShowState) {
    if (!window.isWindow())
        return false;
    if (store.readInt(section, kCheck, 0) != kPlacementComplete)
        return false;
    const QRect current = normalRectOf(window);
    const int left = store.readInt(section, kLeft, current.x());
    const int right = store.readInt(section, kRight, current.x() + current.width());
    const int top = store.readInt(section, kTop, current.y());
    const int bottom = store.readInt(section, kBottom, current.y() + current.height());
    const int state = store.readInt(section, kState, showStateOf(window));

    const QRect rect =
        reachableWindowRect(storedRect(left, top, right, bottom, current), availableScreenAreas());
    if (window.isMaximized() || window.isMinimized() || window.isFullScreen())
        window.setWindowState(Qt::WindowNoState);
    window.setGeometry(rect);
    if (applyShowState) {
        if (state == kShowStateMaximized)
            window.setWindowState(Qt::WindowMaximized);
        else if (state == kShowStateMinimized)
            window.setWindowState(Qt::WindowMinimized);
    }
    return true;
}

QRect reachableWindowRect(const QRect& stored, const QList<QRect>& screenAreas) {
    if (screenAreas.isEmpty())
        return stored;
    for (const QRect& area : screenAreas) {
        if (area.intersects(stored))
            return stored;
    }
    const QRect* nearest = &screenAreas.front();
    double nearestGap = std::numeric_limits<double>::infinity();
    for (const QRect& area : screenAreas) {
        const double gap = squaredGap(stored, area);
        if (gap < nearestGap) {
            nearestGap = gap;
            nearest = &area;
        }
    }
    const int width = std::min(stored.width(), nearest->width());
    const int height = std::min(stored.height(), nearest->height());
    const int x = std::clamp(stored.x(), nearest->x(), nearest->x() + nearest->width() - width);
    const int y = std::clamp(stored.y(), nearest->y(), nearest->y() + nearest->height() - height);
    return QRect(x, y, width, height);
}

QRect clientRectWithin(const QRect& client, const QMargins& frame, const QRect& area) {
    const QRect room = area.marginsRemoved(frame);
    if (room.isEmpty())
        return client;
    const int width = std::min(client.width(), room.width());
    const int height = std::min(client.height(), room.height());
    const int x = std::clamp(client.x(), room.x(), room.x() + room.width() - width);
    const int y = std::clamp(client.y(), room.y(), room.y() + room.height() - height);
    return QRect(x, y, width, height);
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

} // namespace telvarin
