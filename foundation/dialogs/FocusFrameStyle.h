#pragma once

// The frame that marks the button with the keyboard focus. The toolkit's own mark is a faint tint
// of the highlight colour; this one is a solid frame that stands out from the button at 3:1 or
// more in light, dark and high-contrast palettes alike.

#include <QColor>
#include <QPalette>
#include <QProxyStyle>

namespace telvarin {

inline constexpr double kFocusFrameContrast = 3.0;
inline constexpr int kFocusFrameWidth = 2;

// The highlight colour where it stands out from the button enough, else the button's text colour
// or the window's, whichever stands out more.
QColor focusFrameColour(const QPalette& palette);

class FocusFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace telvarin
