#include "app/window/StatusBar.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>

namespace orvalen {

namespace {

constexpr std::array<int, StatusBar::PanelCount> kWidths = {80, 65, 65, 65, 200};
constexpr int kGap = 2;

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The bar sits inside a black panel: keep the ordinary colours rather than inherit black.
    const QPalette standard = QGuiApplication::palette();
    QPalette own = palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Mid}) {
        own.setColor(role, standard.color(role));
    }
    setPalette(own);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
}

QString StatusBar::PanelText(StatusPanel panel) const {
    return texts_[static_cast<size_t>(panel)];
}

void StatusBar::SetPanelText(StatusPanel panel, const QString& text) {
    QString& current = texts_[static_cast<size_t>(panel)];
    if (current == text) return;
    current = text;
    update(PanelRect(panel));
}

QRect StatusBar::PanelRect(StatusPanel panel) const {
    const int index = static_cast<int>(panel);
    int left = 0;
    for (int i = 0; i < index; ++i) left += kWidths[static_cast<size_t>(i)] + kGap;
    int width = kWidths[static_cast<size_t>(index)];
    // The message panel takes the rest of the bar, so that a longer message is not cut.
    if (index == PanelCount - 1) width = std::max(width, this->width() - left);
    return QRect(left, 0, width, height());
}

void StatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    for (int i = 0; i < PanelCount; ++i) {
        const QRect panel = PanelRect(static_cast<StatusPanel>(i));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(panel.adjusted(0, 0, -1, -1));
        painter.setPen(palette().color(QPalette::WindowText));
        const Qt::Alignment align =
            (static_cast<StatusPanel>(i) == StatusPanel::Status ? Qt::AlignLeft
                                                                : Qt::AlignHCenter) |
            Qt::AlignVCenter;
        painter.drawText(panel.adjusted(3, 0, -3, 0), align, texts_[static_cast<size_t>(i)]);
    }
}

}  // namespace orvalen
