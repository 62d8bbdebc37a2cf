#include "tests/app/EndToEndFixture.h"

namespace orvalen::testing {
namespace {

TEST_F(EndToEndTest, TheCommandLineFilmFindsItsSubtitlesAndPlays) {
    Start();
    ASSERT_TRUE(Film().Open);
    EXPECT_EQ(FoundCount(), 1);
    EXPECT_EQ(Subs().FoundFiles[0], Path("Test film.srt").toStdString());
    EXPECT_EQ(Subs().Track.Count, 1);
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Length), "0:00:20");
    EXPECT_EQ(Ui().PositionSlider->maximum(), 20);
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::PictureSize), "320 * 240");
    EXPECT_TRUE(PollUntil([&] { return LabelText() == kSubtitle; }, 10000));
    EXPECT_TRUE(PollUntil(
        [&] { return Ui().StatusArea->PanelText(StatusPanel::Mode) == "playing"; }, 10000));
    EXPECT_TRUE(PollUntil([&] { return Near(VideoAreaCentre(), kFilmColor); }, 10000))
        << qPrintable(VideoAreaCentre().name());
}

TEST_F(EndToEndTest, AtAKnownPositionTheLabelShowsTheDueTextOverThePicture) {
    Start();
    ShowPosition(17000);
    EXPECT_TRUE(PollUntil(
        [&] { return Ui().StatusArea->PanelText(StatusPanel::Position) == "0:00:17"; }, 10000));
    EXPECT_TRUE(PollUntil([&] { return LabelText().isEmpty(); }, 10000));
    ShowPosition(3000);
    EXPECT_TRUE(PollUntil([&] { return LabelText() == kSubtitle; }, 10000));
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Position), "0:00:03");
    EXPECT_EQ(Ui().PositionSlider->value(), 3);
    EXPECT_TRUE(PollUntil([&] { return Near(VideoAreaCentre(), kFilmColor); }, 10000))
        << qPrintable(VideoAreaCentre().name());
    // The label's text is drawn in the subtitle colour (yellow) on black.
    const QImage label = Ui().SubtitleLabel->grab().toImage();
    int yellow = 0;
    for (int y = 0; y < label.height(); ++y) {
        for (int x = 0; x < label.width(); ++x) {
            const QColor c = label.pixelColor(x, y);
            yellow += c.red() > 200 && c.green() > 200 && c.blue() < 80;
        }
    }
    EXPECT_GT(yellow, 30);
    EXPECT_EQ(label.pixelColor(2, 2), QColor(Qt::black));
}

TEST_F(EndToEndTest, ClosingTheWindowWhilePlayingShutsTheFilmDown) {
    Start();
    ASSERT_TRUE(PollUntil(
        [&] { return Ui().StatusArea->PanelText(StatusPanel::Mode) == "playing"; }, 10000));
    DestroyWindow();
    const IniFile ini(ConfigPath().toStdString());
    EXPECT_EQ(ini.ReadString("General", "StateBarre", "?"), "1");
    EXPECT_EQ(ini.ReadString("General", "ToolBarre", "?"), "1");
}

}  // namespace
}  // namespace orvalen::testing
