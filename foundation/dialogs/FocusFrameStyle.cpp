#include "foundation/dialogs/FocusFrameStyle.h"

#include "foundation/grid/GridColours.h"

#include <QImage>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>
#include <limits>

namespace telvarin {

namespace {

// A few steps darker or lighter at most: beyond them the highlight colour is no longer recognised.
constexpr int kFocusFrameSteps = 4;
constexpr int kFocusFrameStepPercent = 125;

double leastContrast(const QColor& colour, const QList<QColor>& faces) {
    double least = std::numeric_limits<double>::infinity();
    for (const QColor& face : faces)
        least = std::min(least, contrastRatio(colour, face));
    return least;
}

} // namespace

QColor focusFrameColour(const QPalette& palette, const QList<QColor>& faces) {
    // The highlight colour keeps the desktop's look; a face tinted towards it (as some styles tint
    // the focused or default button) takes it darker on a light face, lighter on a dark one.
    QColor frame = palette.color(QPalette::Highlight);
    if (!faces.isEmpty()) {
        const bool lightFace =
            contrastRatio(faces.front(), Qt::black) > contrastRatio(faces.front(), Qt::white);
        for (int step = 0; step < kFocusFrameSteps && leastContrast(frame, faces) < kFocusFrameContrast;
             ++step)
            frame = lightFace ? frame.darker(kFocusFrameStepPercent) : frame.lighter(kFocusFrameStepPercent);
    }
    if (leastContrast(frame, faces) >= kFocusFrameContrast)
        return frame;
    const QColor buttonText = palette.color(QPalette::ButtonText);
    const QColor windowText = palette.color(QPalette::WindowText);
    return leastContrast(buttonText, faces) >= leastContrast(windowText, faces) ? buttonText : windowText;
}

QList<QColor> paintedFaceColours(const QStyle& style, const QStyleOption& option, const QWidget* widget) {
    const QRect rect = option.rect;
    const QColor button = option.palette.color(QPalette::Button);
    if (rect.width() <= 4 * kFocusFrameWidth + 2 || rect.height() <= 4 * kFocusFrameWidth + 2)
        return {button};
    QImage face(rect.size(), QImage::Format_RGB32);
    face.fill(option.palette.color(QPalette::Window));
    {
        QPainter painter(&face);
        painter.translate(-rect.topLeft());
        style.drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, widget);
    }
    // Under the frame and in the pixel row just inside it, midway along each side.
    QList<QColor> colours;
    for (const int depth : {kFocusFrameWidth, 2 * kFocusFrameWidth}) {
        const int far = face.width() - 1 - depth;
        const int bottom = face.height() - 1 - depth;
        for (const QPoint at : {QPoint(face.width() / 2, depth), QPoint(face.width() / 2, bottom),
                                QPoint(depth, face.height() / 2), QPoint(far, face.height() / 2)})
            colours.append(face.pixelColor(at));
    }
    return colours;
}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element != PE_PanelButtonCommand || !(option->state & State_HasFocus))
        return;
    const QColor colour =
        focusFrameColour(option->palette, paintedFaceColours(*baseStyle(), *option, widget));
    // Inside the button's own outline, so that neighbouring buttons do not cover it.
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QPen pen(colour, kFocusFrameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const int inset = kFocusFrameWidth;
    painter->drawRect(option->rect.adjusted(inset, inset, -inset, -inset));
    painter->restore();
}

} // namespace telvarin
