#include "app/window/StyledSubtitle.h"

#include <QPainter>
#include <QTextCharFormat>
#include <QTextLine>
#include <algorithm>
#include <cmath>

#include "app/window/FontMapping.h"

namespace orvalen {

namespace {

QColor RunColour(const TextStyle& style) {
    return VisibleOnBlack(QColor::fromRgb(static_cast<QRgb>(style.Colour & 0xFFFFFF)));
}

QString RunHtml(const StyledRun& run) {
    QString html =
        QString::fromUtf8(run.Text.data(), static_cast<qsizetype>(run.Text.size())).toHtmlEscaped();
    const TextStyle& style = run.Style;
    if (style.Underline) html = QStringLiteral("<u>%1</u>").arg(html);
    if (style.Italic) html = QStringLiteral("<i>%1</i>").arg(html);
    if (style.Bold) html = QStringLiteral("<b>%1</b>").arg(html);
    if (style.HasColour) {
        html = QStringLiteral("<span style=\"color:%1\">%2</span>")
                   .arg(RunColour(style).name(QColor::HexRgb), html);
    }
    return html;
}

}  // namespace

QString LabelRichText(const std::vector<StyledLine>& lines) {
    if (lines.empty()) return {};
    QString body;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) body += QStringLiteral("<br>");
        for (const StyledRun& run : lines[i]) body += RunHtml(run);
    }
    // pre-wrap keeps runs of blanks as the plain label did, and still wraps at the label width.
    return QStringLiteral("<div style=\"white-space:pre-wrap\">%1</div>").arg(body);
}

QList<BandLine> BandLines(const std::vector<StyledLine>& lines, const QFont& bandFont) {
    QList<BandLine> bandLines;
    for (const StyledLine& line : lines) {
        BandLine bandLine;
        for (const StyledRun& run : line) {
            const QString text =
                QString::fromUtf8(run.Text.data(), static_cast<qsizetype>(run.Text.size()));
            QTextCharFormat format;
            const TextStyle& style = run.Style;
            if (style.Bold && bandFont.weight() < QFont::Bold) format.setFontWeight(QFont::Bold);
            if (style.Italic) format.setFontItalic(true);
            if (style.Underline) format.setFontUnderline(true);
            if (style.HasColour) format.setForeground(RunColour(style));
            if (!format.properties().isEmpty()) {
                bandLine.Formats.append({static_cast<int>(bandLine.Text.size()),
                                         static_cast<int>(text.size()), format});
            }
            bandLine.Text += text;
        }
        bandLines.append(bandLine);
    }
    return bandLines;
}

namespace {

// Lays line out wrapped at width, each visual line centred, one under the other from 0; returns
// their height (an empty line is one line of font high).
qreal LayOutBandLine(QTextLayout& layout, const BandLine& line, qreal width) {
    layout.setFormats(line.Formats);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine visual = layout.createLine(); visual.isValid(); visual = layout.createLine()) {
        visual.setLineWidth(width);
        visual.setPosition(QPointF(0, height));
        height += visual.height();
    }
    layout.endLayout();
    return std::max(height, QFontMetricsF(layout.font()).height());
}

}  // namespace

int BandLinesHeight(const QList<BandLine>& lines, const QFont& font, int width,
                    QPaintDevice* device) {
    qreal height = 0;
    for (const BandLine& line : lines) {
        QTextLayout layout(line.Text, font, device);
        height += LayOutBandLine(layout, line, width);
    }
    return static_cast<int>(std::ceil(height));
}

int PaintBandLines(QPainter& painter, const QRect& band, const QFont& font, const QColor& colour,
                   const QList<BandLine>& lines) {
    painter.save();
    painter.setClipRect(band);
    painter.setPen(VisibleOnBlack(colour));
    qreal top = band.top();
    for (const BandLine& line : lines) {
        if (top >= band.bottom()) break;
        QTextLayout layout(line.Text, font, painter.device());
        const qreal height = LayOutBandLine(layout, line, band.width());
        for (int i = 0; i < layout.lineCount(); ++i) {
            painter.fillRect(layout.lineAt(i).naturalTextRect().translated(band.left(), top),
                             Qt::black);
        }
        layout.draw(&painter, QPointF(band.left(), top));
        top += height;
    }
    painter.restore();
    return static_cast<int>(std::ceil(top - band.top()));
}

QFont SecondFont(const QFont& font) {
    QFont second = font;
    if (font.pixelSize() > 0)
        second.setPixelSize(std::max(1, font.pixelSize() * 4 / 5));
    else
        second.setPointSizeF(font.pointSizeF() * 0.8);
    return second;
}

}  // namespace orvalen
