#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include "app/window/StyledSubtitle.h"
#include "app/window/VideoPanel.h"
#include "playback/FullScreenBand.h"

class QScreen;

namespace orvalen {

// The film over the whole screen with the subtitle band drawn over it. The band is black; a
// text is drawn from the band's top, wrapped at its width, each line centred with black behind
// it, in a smaller size when that is what it takes to fit the band.
class FullScreenView : public VideoPanel {
    Q_OBJECT
  public:
    explicit FullScreenView(QWidget* parent = nullptr);

    // The band in screen coordinates.
    void SetBand(const ScreenRect& band);
    ScreenRect Band() const { return band_; }
    void SetBandFont(const QFont& font);
    QFont BandFont() const { return bandFont_; }
    void SetTextColor(const QColor& color);
    QColor TextColor() const { return textColor_; }

    // The full-screen drawing step: an empty text, or no line, blanks the band.
    void DrawBandText(const QString& text);
    void DrawBandLines(const QList<BandLine>& lines);
    // The second subtitles' lines at the top of the band, in SecondFont(BandFont()) and their
    // own colour, the first's below them.
    void DrawBandLines(const QList<BandLine>& secondLines, const QList<BandLine>& lines);
    void SetSecondTextColor(const QColor& color) { secondColor_ = color; }
    const QList<BandLine>& SecondBandLinesShown() const { return secondLines_; }
    // The lines drawn, joined by line feeds.
    const QString& BandText() const { return bandText_; }
    const QList<BandLine>& BandLinesShown() const { return bandLines_; }
    // The font the band's lines are drawn in.
    QFont FittedBandFont() const { return fittedFont_; }

    // Covers screen (its geometry is set explicitly, so no window manager is needed).
    void Enter(QScreen* screen);
    // Hides the view and emits Left.
    void Leave();

  signals:
    void Left();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void PaintOverPicture(QPainter& painter) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QRect BandInView() const;
    // The band's font, or a smaller one so that the wrapped lines fit the band.
    void FitBandFont();

    ScreenRect band_;
    QFont bandFont_;
    QFont fittedFont_;
    QColor textColor_ = Qt::white;
    QString bandText_;
    QList<BandLine> bandLines_;
    QColor secondColor_ = Qt::yellow;
    QList<BandLine> secondLines_;
};

}  // namespace orvalen
