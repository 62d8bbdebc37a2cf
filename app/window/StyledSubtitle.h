#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QTextLayout>
#include <vector>

#include "subtitles/Markup.h"

class QPainter;
class QPaintDevice;
class QRect;

namespace orvalen {

// The rich text the subtitle label shows for lines: one line per line, blanks kept, the
// runs' bold, italic and underline added to the label font's own style, a run's colour
// replacing the label's (black shown white, as on the band). Empty for no line.
QString LabelRichText(const std::vector<StyledLine>& lines);

// One line of the full-screen band: its text and the formats of its styled runs, over the
// band's font and colour.
struct BandLine {
    QString Text;
    QList<QTextLayout::FormatRange> Formats;

    bool operator==(const BandLine&) const = default;
};

// The band's lines; styles only add to the band font (a bold run on an extra-bold font stays
// extra bold).
QList<BandLine> BandLines(const std::vector<StyledLine>& lines, const QFont& bandFont);

// The height of lines wrapped at width in font on device.
int BandLinesHeight(const QList<BandLine>& lines, const QFont& font, int width,
                    QPaintDevice* device);

// Draws lines from the top of band, each wrapped at the band's width and centred with black
// behind, in font and colour unless a run says otherwise; lines that do not start inside the
// band are not drawn. Returns the height the lines took.
int PaintBandLines(QPainter& painter, const QRect& band, const QFont& font, const QColor& colour,
                   const QList<BandLine>& lines);

// The second subtitles' font: font at 80 % of its size.
QFont SecondFont(const QFont& font);

}  // namespace orvalen
