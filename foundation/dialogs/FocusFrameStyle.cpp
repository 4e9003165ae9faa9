#include "foundation/dialogs/FocusFrameStyle.h"

#include "foundation/grid/GridColours.h"

#include <QPainter>
#include <QStyleOption>

namespace telvarin {

QColor focusFrameColour(const QPalette& palette) {
    const QColor button = palette.color(QPalette::Button);
    const QColor highlight = palette.color(QPalette::Highlight);
    if (contrastRatio(highlight, button) >= kFocusFrameContrast)
        return highlight;
    const QColor buttonText = palette.color(QPalette::ButtonText);
    const QColor windowText = palette.color(QPalette::WindowText);
    return contrastRatio(buttonText, button) >= contrastRatio(windowText, button) ? buttonText : windowText;
}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element != PE_PanelButtonCommand || !(option->state & State_HasFocus))
        return;
    // Inside the button's own outline, so that neighbouring buttons do not cover it.
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QPen pen(focusFrameColour(option->palette), kFocusFrameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const int inset = kFocusFrameWidth;
    painter->drawRect(option->rect.adjusted(inset, inset, -inset, -inset));
    painter->restore();
}

} // namespace telvarin
