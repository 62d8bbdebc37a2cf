#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <string>

#include "app/window/StyledSubtitle.h"

namespace orvalen {
namespace {

constexpr const char* kDivOpen = "<div style=\"white-space:pre-wrap\">";

struct RichCase {
    const char* name;
    MarkupFamily family;
    const char* text;  // decoded, UTF-8
    const char* html;  // inside the pre-wrap div; "" for no text at all
};

void PrintTo(const RichCase& c, std::ostream* os) {
    *os << c.name;
}

class LabelRichTextCases : public ::testing::TestWithParam<RichCase> {};

TEST_P(LabelRichTextCases, StylesTheRuns) {
    const RichCase& c = GetParam();
    const QString html = LabelRichText(ParseMarkup(c.text, c.family));
    const QString expected = *c.html ? kDivOpen + QString::fromUtf8(c.html) + "</div>" : "";
    EXPECT_EQ(html.toStdString(), expected.toStdString());
}

using F = MarkupFamily;
INSTANTIATE_TEST_SUITE_P(
    Texts, LabelRichTextCases,
    ::testing::Values(
        RichCase{"Italic", F::SubRip, "<i>Hello</i> world", "<i>Hello</i> world"},
        RichCase{"Nested", F::SubRip, "<b>a<i>b</i></b>", "<b>a</b><b><i>b</i></b>"},
        RichCase{"Colour", F::SubRip, "<font color=\"#FF8000\">Orange</font>",
                 "<span style=\"color:#ff8000\">Orange</span>"},
        RichCase{"BlackShownWhite", F::SubRip, "<font color=\"black\">x</font>",
                 "<span style=\"color:#ffffff\">x</span>"},
        RichCase{"BrokenMarkupIsTextEscaped", F::SubRip, "a <i b & <c", "a &lt;i b &amp; &lt;c"},
        RichCase{"SsaOverrides", F::Ssa, "{\\an8}{\\i1}Hi{\\i0}\\Nthere", "<i>Hi</i><br>there"},
        RichCase{"MicroDvdBars", F::MicroDvd, "{y:i}One|Two", "<i>One</i><br>Two"},
        RichCase{"EmptyLineKept", F::BarBreaks, "One||Three", "One<br><br>Three"},
        RichCase{"Empty", F::SubRip, "", ""}),
    [](const ::testing::TestParamInfo<RichCase>& info) { return info.param.name; });

QFont TestFont() {
    QFont font("DejaVu Sans");
    font.setPixelSize(24);
    return font;
}

TEST(LabelRichText, GrowsTheLabelLikeThePlainText) {
    QLabel plain, rich;
    for (QLabel* label : {&plain, &rich}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setFont(TestFont());
    }
    plain.setTextFormat(Qt::PlainText);
    rich.setTextFormat(Qt::RichText);
    const std::pair<const char*, const char*> texts[] = {
        {"One line", "<i>One</i> line"},
        {"A text long enough to wrap twice at a label width of two hundred pixels",
         "A text <u>long</u> enough to wrap twice at a label width of two hundred pixels"},
    };
    for (const auto& [text, styled] : texts) {
        plain.setText(QString::fromUtf8(text));
        rich.setText(LabelRichText(ParseMarkup(styled, F::SubRip)));
        EXPECT_EQ(rich.heightForWidth(200), plain.heightForWidth(200)) << text;
    }

    // An unstyled text is drawn where the plain label draws it: centred, same size.
    const auto inkColumns = [](QLabel& label) {
        label.resize(400, label.heightForWidth(400));
        const QImage image = label.grab().toImage();
        int left = image.width(), right = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        return std::pair(left, right);
    };
    plain.setText("Centred   text");
    rich.setText(LabelRichText(ParseMarkup("Centred   text", F::SubRip)));
    const auto [left, right] = inkColumns(plain);
    EXPECT_GT(left, 100);
    EXPECT_NEAR(left + right, 400, 4);
    EXPECT_EQ(inkColumns(rich), std::pair(left, right));
}

TEST(BandLines, FormatsCountUtf16UnitsAndOnlyAddToTheFont) {
    const QList<BandLine> lines = BandLines(
        ParseMarkup("é😀<i>x</i>\n<b>B</b><font color=\"#000000\">k</font>", F::SubRip), TestFont());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].Text, QString::fromUtf8("é😀x"));
    ASSERT_EQ(lines[0].Formats.size(), 1);
    EXPECT_EQ(lines[0].Formats[0].start, 3);
    EXPECT_EQ(lines[0].Formats[0].length, 1);
    EXPECT_TRUE(lines[0].Formats[0].format.fontItalic());
    ASSERT_EQ(lines[1].Formats.size(), 2);
    EXPECT_EQ(lines[1].Formats[0].format.fontWeight(), QFont::Bold);
    EXPECT_EQ(lines[1].Formats[1].format.foreground().color(), QColor(Qt::white));

    QFont extraBold = TestFont();
    extraBold.setWeight(QFont::ExtraBold);
    const QList<BandLine> onExtraBold = BandLines(ParseMarkup("<b>B</b>", F::SubRip), extraBold);
    EXPECT_TRUE(onExtraBold[0].Formats.isEmpty());
}

QImage PaintBand(const char* text, MarkupFamily family, const QColor& colour) {
    QImage image(400, 80, QImage::Format_RGB32);
    image.fill(Qt::darkGray);
    QPainter painter(&image);
    PaintBandLines(painter, QRect(0, 10, 400, 60), TestFont(), colour,
                   BandLines(ParseMarkup(text, family), TestFont()));
    return image;
}

int CountPixels(const QImage& image, QRgb rgb) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == rgb;
    }
    return count;
}

TEST(PaintBandLines, DrawsTheRunsStylesAndColours) {
    const QImage plain = PaintBand("Hello", F::SubRip, Qt::black);
    // Black is shown white; a run's colour replaces the chosen one.
    EXPECT_GT(CountPixels(plain, qRgb(255, 255, 255)), 20);
    const QImage red = PaintBand("<font color=\"#ff0000\">Hello</font>", F::SubRip, Qt::yellow);
    EXPECT_GT(CountPixels(red, qRgb(255, 0, 0)), 20);
    EXPECT_EQ(CountPixels(red, qRgb(255, 255, 0)), 0);
    EXPECT_EQ(red.pixel(0, 5), QColor(Qt::darkGray).rgb()) << "only the band is painted";
}

}  // namespace
}  // namespace orvalen
