#pragma once

// The frame that marks the button with the keyboard focus. The toolkit's own mark is a faint tint
// of the highlight colour; this one is a solid frame that stands out from the button at 3:1 or
// more in light, dark and high-contrast palettes alike.

#include <QColor>
#include <QList>
#include <QPalette>
#include <QProxyStyle>

namespace telvarin {

inline constexpr double kFocusFrameContrast = 3.0;
inline constexpr int kFocusFrameWidth = 2;

// The highlight colour, taken darker or lighter where it does not stand out enough from every colour
// of the button's face; failing that, the button's text colour or the window's, whichever stands
// out more from the face colour nearest it.
QColor focusFrameColour(const QPalette& palette, const QList<QColor>& faces);

// The colours the style paints where the frame lies and just inside it. Styles paint a face of
// their own (a gradient, lightened, tinted on the default button), which on a dark desktop can
// stand far lighter than the palette's button colour.
QList<QColor> paintedFaceColours(const QStyle& style, const QStyleOption& option, const QWidget* widget);

class FocusFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace telvarin
