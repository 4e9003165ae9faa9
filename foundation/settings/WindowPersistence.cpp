#include "foundation/settings/WindowPersistence.h"

#include <algorithm>
#include <limits>

namespace telvarin {

namespace {

const QString kCheck = QStringLiteral("(check)");
const QString kLeft = QStringLiteral("Left");
const QString kRight = QStringLiteral("Right");
const QString kTop = QStringLiteral("Top");
const QString kBottom = QStringLiteral("Bottom");
const QString kState = QStringLiteral("State");

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

// The stored edges as a rectangle; a record with edges in the wrong order keeps the window's own
// size at the stored position rather than collapsing it.
QRect storedRect(qint64 left, qint64 top, qint64 right, qint64 bottom, const QRect& current) {
    static constexpr qint64 kLargest = (1 << 24) - 1; // the largest size of a window (QWIDGETSIZE_MAX)
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

bool writePlacementRecord(SettingsStore& store, const QString& section, const PlacementRecord& placement) {
    const QRect& normal = placement.normal;
    // Right and bottom are stored one past the last pixel (left + width), so that a width is
    // simply right - left.
    return store.writeInt(section, kCheck, kPlacementWriting) && store.writeInt(section, kLeft, normal.x()) &&
           store.writeInt(section, kRight, normal.x() + normal.width()) &&
           store.writeInt(section, kTop, normal.y()) &&
           store.writeInt(section, kBottom, normal.y() + normal.height()) &&
           store.writeInt(section, kState, placement.showState) &&
           store.writeInt(section, kCheck, kPlacementComplete);
}

std::optional<PlacementRecord> readPlacementRecord(const SettingsStore& store, const QString& section,
                                                   const PlacementRecord& current) {
    if (store.readInt(section, kCheck, 0) != kPlacementComplete)
        return std::nullopt;
    const QRect& rect = current.normal;
    const int left = store.readInt(section, kLeft, rect.x());
    const int right = store.readInt(section, kRight, rect.x() + rect.width());
    const int top = store.readInt(section, kTop, rect.y());
    const int bottom = store.readInt(section, kBottom, rect.y() + rect.height());
    const int state = store.readInt(section, kState, current.showState);
    return PlacementRecord{storedRect(left, top, right, bottom, rect), state};
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

QRect clientRectShowing(const QRect& client, QSize contentShown, QSize contentWanted, const QMargins& frame,
                        const QRect& area) {
    const QSize room = area.marginsRemoved(frame).size();
    const auto grown = [](int size, int shown, int wanted, int limit) {
        return std::max(size, std::min(size + std::max(0, wanted - shown), limit));
    };
    const QRect wanted(
        client.topLeft(),
        QSize(grown(client.width(), contentShown.width(), contentWanted.width(), room.width()),
              grown(client.height(), contentShown.height(), contentWanted.height(), room.height())));
    return clientRectWithin(wanted, frame, area);
}

} // namespace telvarin
