#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include <QFontMetrics>
#include <string>

#include "app/window/FontMapping.h"

namespace orvalen {
namespace {

TEST(FaceName, IsCutToThirtyOneBytesOnACharacterBoundary) {
    SubtitleFont font;
    SetFaceName(font, "Short");
    EXPECT_EQ(FaceNameOf(font), "Short");
    SetFaceName(font, std::string(40, 'a'));
    EXPECT_EQ(FaceNameOf(font), std::string(31, 'a'));
    // 30 ASCII bytes then a two-byte character: the character does not fit whole.
    SetFaceName(font, std::string(30, 'b') + "\xC3\xA9" + "tail");
    EXPECT_EQ(FaceNameOf(font), std::string(30, 'b'));
    SetFaceName(font, std::string(29, 'c') + "\xC3\xA9" + "tail");
    EXPECT_EQ(FaceNameOf(font), std::string(29, 'c') + "\xC3\xA9");
    SetFaceName(font, "");
    EXPECT_EQ(FaceNameOf(font), "");
    EXPECT_EQ(font.FaceName[SubtitleFont::FaceSize - 1], '\0');
}

struct ColorCase {
    int32_t setting;
    QColor color;
};

TEST(Colors, StoredColoursMapToRgb) {
    for (const ColorCase& c :
         {ColorCase{0x000000FF, QColor(255, 0, 0)}, ColorCase{0x0000FF00, QColor(0, 255, 0)},
          ColorCase{0x00FF0000, QColor(0, 0, 255)}, ColorCase{0x00FFFFFF, QColor(255, 255, 255)},
          ColorCase{0x01000000, QColor(0, 0, 0)}, ColorCase{0x00000000, QColor(0, 0, 0)}}) {
        EXPECT_EQ(ColorFromSetting(c.setting), c.color) << std::hex << c.setting;
    }
    EXPECT_EQ(ColorToSetting(QColor(0x12, 0x34, 0x56)), 0x00563412);
    EXPECT_EQ(VisibleOnBlack(QColor(Qt::black)), QColor(Qt::white));
    EXPECT_EQ(VisibleOnBlack(QColor(10, 0, 0)), QColor(10, 0, 0));
}

TEST(FontSizes, PointsAndHeightsFollowTheStoredConvention) {
    QFont font;
    SetFontPointSize(font, 10);
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_EQ(FontPointSize(font), 10);
    EXPECT_EQ(FontHeight(font), -13);
    SetFontPointSize(font, 12);
    EXPECT_EQ(font.pixelSize(), 16);
    EXPECT_EQ(FontPointSize(font), 12);
    SetFontHeight(font, -20);
    EXPECT_EQ(font.pixelSize(), 20);
    EXPECT_EQ(FontPointSize(font), 15);
    SetFontHeight(font, 0);
    EXPECT_EQ(font.pixelSize(), 20) << "0 leaves the size";
    SetFontPointSize(font, -5);
    EXPECT_EQ(font.pixelSize(), 20) << "a non-positive size is ignored";
    SetFontHeight(font, INT32_MIN);
    EXPECT_GT(font.pixelSize(), 0);
}

TEST(FontSizes, APositiveHeightIsACellHeight) {
    QFont font(DefaultSansFamily());
    SetFontHeight(font, 30);
    EXPECT_LE(font.pixelSize(), 30);
    EXPECT_LE(QFontMetrics(font).height(), 31);
    EXPECT_GE(QFontMetrics(font).height(), 26);
}

TEST(FontSettingsMapping, AppliesInOrderAndBuildsTheFullScreenRecord) {
    FontSettings settings;
    settings.Name = "DejaVu Sans Mono";
    settings.Color = 0x0000FFFF;
    settings.Size = 30;
    settings.Height = -18;
    settings.Pitch = 2;
    settings.StrikeOut = true;
    QFont font;
    font.setBold(true);
    QColor color;
    ApplyFontSettings(settings, font, color);
    EXPECT_EQ(font.families().front(), "DejaVu Sans Mono");
    EXPECT_EQ(font.pixelSize(), 18);
    EXPECT_FALSE(font.bold()) << "the style is rebuilt from the flags";
    EXPECT_TRUE(font.strikeOut());
    EXPECT_EQ(color, QColor(255, 255, 0));
    EXPECT_EQ(FontPitch(font), 2);

    const SubtitleFont record = BuildFullScreenFont(settings, font);
    EXPECT_EQ(record.Weight, 400);
    EXPECT_EQ(record.Height, -18);
    EXPECT_EQ(record.StrikeOut, 1);
    EXPECT_EQ(record.PitchAndFamily, 2);
    EXPECT_EQ(FaceNameOf(record), "DejaVu Sans Mono");

    const QFont drawn = BandFont(record);
    EXPECT_EQ(drawn.pixelSize(), 18);
    EXPECT_TRUE(drawn.strikeOut());
    EXPECT_EQ(drawn.weight(), QFont::Normal);
}

TEST(FontSettingsMapping, ExtraBoldRecordDrawsBold) {
    SubtitleFont record;
    record.Weight = 800;
    record.Height = -24;
    const QFont drawn = BandFont(record);
    EXPECT_GE(drawn.weight(), QFont::Bold);
    EXPECT_EQ(drawn.pixelSize(), 24);
    EXPECT_EQ(drawn.families().front(), DefaultSansFamily()) << "an empty face name";
}

// What OK stores is what the window's start-up applied, apart from the default palette colour,
// which comes back as the plain black it shows.
TEST(FontSettingsMapping, StoredFontComesBackAsItWasRead) {
    FontSettings styled;
    styled.Name = "DejaVu Serif";
    styled.Color = 0x0000FFFF;
    styled.Size = 14;
    styled.Height = -19;
    styled.Pitch = 2;
    styled.Italic = styled.StrikeOut = styled.Bold = true;
    FontSettings plainBlack;
    plainBlack.Color = 0;
    const std::pair<FontSettings, FontSettings> cases[] = {{FontSettings{}, plainBlack},
                                                           {styled, styled}};
    for (const auto& [stored, expected] : cases) {
        QFont font;
        QColor color;
        ApplyFontSettings(stored, font, color);
        const FontSettings back = FontSettingsOf(font, color, BuildFullScreenFont(stored, font));
        EXPECT_EQ(back.Name, expected.Name);
        EXPECT_EQ(back.Color, expected.Color);
        EXPECT_EQ(back.Size, expected.Size);
        EXPECT_EQ(back.Height, expected.Height);
        EXPECT_EQ(back.Pitch, expected.Pitch);
        EXPECT_EQ(std::make_tuple(back.Italic, back.Underline, back.StrikeOut, back.Bold),
                  std::make_tuple(expected.Italic, expected.Underline, expected.StrikeOut,
                                  expected.Bold));
    }
}

}  // namespace
}  // namespace orvalen
