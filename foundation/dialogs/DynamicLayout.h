#pragma once

// Keeps the controls of a resizable dialog in place as it grows: every registered control moves or
// stretches by fixed percentages of the growth beyond the dialog's initial size, and the dialog
// cannot be made smaller than that initial size.

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <vector>

class QSizeGrip;
class QWidget;

namespace telvarin {

// The share of the growth that the near (left or top) and the far (right or bottom) edge of a
// control follow, in percent.
struct AnchorPercentages {
    int nearEdge = 0;
    int farEdge = 0;

    bool operator==(const AnchorPercentages&) const = default;
};

// The anchor codes the windows use: keep the edge, stretch with the dialog, follow its far side.
inline constexpr int kAnchorStays = 0;
inline constexpr int kAnchorStretches = 1;
inline constexpr int kAnchorFollowsFarSide = 2;

// The percentages of an anchor code: 1 stretches, 2 follows the far side, 3 and 5 to 13 move by a
// fraction, 0, 4 and every other code stay.
AnchorPercentages anchorPercentagesOfCode(int code);

// The rectangle of a control registered at `initial` after the dialog grew by (dx, dy); negative
// growth counts as none, and each share is truncated toward zero.
QRect anchoredRect(const QRect& initial, AnchorPercentages horizontal, AnchorPercentages vertical, int dx,
                   int dy);

class DynamicLayout : public QObject {
    Q_OBJECT

public:
    enum ResizeDirection { Horizontal = 1, Vertical = 2, Both = 3 };

    explicit DynamicLayout(QWidget* dialog, int resizeDirections = Both);
    ~DynamicLayout() override;

    // Whether set-up places a 24 x 24 size grip in the bottom-right corner; off unless changed
    // before set-up.
    void setSizeGripEnabled(bool enabled) { sizeGripEnabled_ = enabled; }

    // Records the dialog's present size as its initial size and from then on follows its size
    // changes. Called once, as the dialog's initialisation begins.
    void setUp();
    bool isSetUp() const { return initialClientSize_.width() >= 0; }

    // Registers a control with a horizontal and a vertical anchor code and positions it for the
    // dialog's present size. Ignored (false) before set-up, for a null control, or when the codes
    // leave every edge in place.
    bool addAnchor(QWidget* control, int horizontalCode, int verticalCode);
    int anchorCount() const { return static_cast<int>(anchors_.size()); }

    // Positions every anchored control for a client size; true when the size was no smaller than
    // the initial one in either direction.
    bool applyLayout(QSize clientSize);

    QSize initialClientSize() const { return initialClientSize_; }
    QSize initialWindowSize() const { return initialWindowSize_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Anchor {
        QPointer<QWidget> control;
        AnchorPercentages horizontal;
        AnchorPercentages vertical;
        QRect initialRect;
    };

    QWidget* dialog_;
    int resizeDirections_;
    bool sizeGripEnabled_ = false;
    QSize initialClientSize_{-1, -1};
    QSize initialWindowSize_{-1, -1};
    std::vector<Anchor> anchors_;
};

} // namespace telvarin
