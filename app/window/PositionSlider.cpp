#include "app/window/PositionSlider.h"

#include <QProxyStyle>

namespace orvalen {

namespace {

// Any style, with the left button setting the slider where it is pressed.
class JumpToClickStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Slider_AbsoluteSetButtons) return Qt::LeftButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

PositionSlider::PositionSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    auto* style = new JumpToClickStyle;
    style->setParent(this);
    setStyle(style);
    setFocusPolicy(Qt::ClickFocus);
}

}  // namespace orvalen
