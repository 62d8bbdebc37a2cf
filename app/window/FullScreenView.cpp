#include "app/window/FullScreenView.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "app/window/SubtitleFit.h"

namespace orvalen {

FullScreenView::FullScreenView(QWidget* parent) : VideoPanel(parent) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle("Orvalen");
    setCursor(Qt::BlankCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void FullScreenView::SetBand(const ScreenRect& band) {
    band_ = band;
    FitBandFont();
    RefreshOver(rect());
}

void FullScreenView::SetBandFont(const QFont& font) {
    bandFont_ = font;
    FitBandFont();
    RefreshOver(BandInView());
}

void FullScreenView::SetTextColor(const QColor& color) {
    textColor_ = color;
    RefreshOver(BandInView());
}

void FullScreenView::DrawBandText(const QString& text) {
    QList<BandLine> lines;
    if (!text.isEmpty()) {
        for (const QString& line : text.split(u'\n')) lines.append({line, {}});
    }
    DrawBandLines(lines);
}

void FullScreenView::DrawBandLines(const QList<BandLine>& lines) {
    DrawBandLines({}, lines);
}

void FullScreenView::DrawBandLines(const QList<BandLine>& secondLines,
                                   const QList<BandLine>& lines) {
    if (lines == bandLines_ && secondLines == secondLines_) return;
    bandLines_ = lines;
    secondLines_ = secondLines;
    QStringList texts;
    for (const BandLine& line : lines) texts.append(line.Text);
    bandText_ = texts.join(u'\n');
    FitBandFont();
    RefreshOver(BandInView());
}

void FullScreenView::FitBandFont() {
    const int width = band_.Right - band_.Left;
    const auto heightAt = [&](int size) {
        return BandLinesHeight(bandLines_, AtPixelSize(bandFont_, size), width, this);
    };
    const int nominal = QFontInfo(bandFont_).pixelSize();
    const int size = FittingPixelSize(nominal, band_.Bottom - band_.Top, heightAt);
    fittedFont_ = size == nominal ? bandFont_ : AtPixelSize(bandFont_, size);
}

void FullScreenView::Enter(QScreen* screen) {
    if (screen) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
    showFullScreen();
    if (screen) setGeometry(screen->geometry());
    raise();
    activateWindow();
    setFocus();
}

void FullScreenView::Leave() {
    if (!isVisible()) return;
    hide();
    emit Left();
}

QRect FullScreenView::BandInView() const {
    const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
    return QRect(QPoint(band_.Left, band_.Top) - origin,
                 QSize(band_.Right - band_.Left, band_.Bottom - band_.Top));
}

void FullScreenView::paintEvent(QPaintEvent* event) {
    if (ShowsGpuPicture()) return;
    const QRect band = BandInView();
    if (!event->region().subtracted(QRegion(band)).isEmpty()) {
        // The picture may have gone over the whole band; repaint it if it is not in this paint.
        VideoPanel::paintEvent(event);
        if (!event->region().contains(band)) update(band);
    }
    QPainter painter(this);
    PaintOverPicture(painter);
}

void FullScreenView::PaintOverPicture(QPainter& painter) {
    const QRect band = BandInView();
    painter.fillRect(band, Qt::black);
    const int second =
        PaintBandLines(painter, band, SecondFont(fittedFont_), secondColor_, secondLines_);
    PaintBandLines(painter, band.adjusted(0, second, 0, 0), fittedFont_, textColor_, bandLines_);
}

namespace {

bool IsLeaveKey(const QKeyEvent& key) {
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    return key.key() == Qt::Key_Escape || (enter && (key.modifiers() & Qt::AltModifier));
}

}  // namespace

bool FullScreenView::event(QEvent* event) {
    // Alt+Enter is also the main window's Full Screen shortcut: here it leaves instead.
    if (event->type() == QEvent::ShortcutOverride && IsLeaveKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void FullScreenView::keyPressEvent(QKeyEvent* event) {
    if (IsLeaveKey(*event)) {
        Leave();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FullScreenView::mouseDoubleClickEvent(QMouseEvent*) {
    Leave();
}

}  // namespace orvalen
