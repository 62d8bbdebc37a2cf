#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QSlider>

#include "app/window/FullScreenView.h"
#include "app/window/StatusBar.h"
#include "app/window/StyledSubtitle.h"
#include "app/window/SubtitleFit.h"
#include "subtitles/EncodingChoices.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {
namespace {

constexpr char kTwoOverlapping[] =
    "1\r\n00:00:01,000 --> 00:00:03,000\r\nFirst\r\n\r\n"
    "2\r\n00:00:02,500 --> 00:00:04,000\r\nSecond\r\n\r\n";

class WindowClock : public WindowTest {
  protected:
    // A window with a film open and the subtitle file loaded.
    MainWindow& OpenWithSubtitles(const std::string& srt, int32_t delay = 0) {
        MainWindow& w = MakeWindow();
        ChangeSettings([delay](Settings& settings) { settings.Delay = delay; });
        device_.open = true;
        device_.mode = "playing";
        Film().Open = true;
        Ui().PositionSlider->setMaximum(device_.length / 1000);
        WriteFile(Path("film.srt"), srt);
        w.LoadSubtitleFile(Path("film.srt").toStdString(), Subs().Track);
        return w;
    }

    QString Panel(StatusPanel panel) const { return Ui().StatusArea->PanelText(panel); }
};

struct LabelTick {
    int32_t pos;
    const char* label;
};

struct LabelCase {
    const char* name;
    const char* srt;
    int32_t delay;
    std::vector<LabelTick> ticks;
};

void PrintTo(const LabelCase& c, std::ostream* os) {
    *os << c.name;
}

class WindowClockLabel : public WindowClock, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(WindowClockLabel, ShowsTheDueSubtitle) {
    const LabelCase& c = GetParam();
    OpenWithSubtitles(c.srt, c.delay);
    for (const LabelTick& tick : c.ticks) {
        TickAt(tick.pos);
        EXPECT_EQ(LabelText(), QString::fromUtf8(tick.label)) << "at " << tick.pos;
    }
}

constexpr char kOne[] = "1\r\n00:00:01,000 --> 00:00:03,000\r\nOnly one\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    Examples, WindowClockLabel,
    ::testing::Values(
        LabelCase{"OneSubtitleDelay0",
                  kOne,
                  0,
                  {{1000, ""}, {1001, "Only one"}, {2999, "Only one"}, {3000, ""}, {3050, ""}}},
        LabelCase{"OneSubtitleDelay500",
                  kOne,
                  500,
                  {{500, ""}, {501, "Only one"}, {3499, "Only one"}, {3500, ""}}},
        LabelCase{"Overlapping",
                  kTwoOverlapping,
                  0,
                  {{2999, "First"}, {3000, ""}, {3050, ""}, {3100, "Second"}, {4000, ""}}},
        LabelCase{"FailedPositionQuery", kOne, 0, {{-1, ""}}},
        LabelCase{"FailedPositionQueryWithADelayReachingBeforeTheStart",
                  "1\r\n00:00:00,000 --> 00:00:01,000\r\nEarly\r\n\r\n",
                  500,
                  {{-1, "Early"}}}),
    [](const ::testing::TestParamInfo<LabelCase>& info) { return info.param.name; });

TEST_F(WindowClock, TheIndexMovesOnOnlyInATickThatShowsNothing) {
    OpenWithSubtitles(kTwoOverlapping);
    TickAt(3000);
    EXPECT_EQ(Subs().Track.Cursor, 0);
    TickAt(3050);
    EXPECT_EQ(Subs().Track.Cursor, 1);
    EXPECT_EQ(LabelText(), "");
}

TEST_F(WindowClock, DelayIsReadAtEveryTick) {
    OpenWithSubtitles(kOne);
    TickAt(800);
    EXPECT_EQ(LabelText(), "");
    ChangeSettings([](Settings& settings) { settings.Delay = 300; });
    TickAt(800);
    EXPECT_EQ(LabelText(), "Only one");
}

TEST_F(WindowClock, StatusPanelsShowTheModeAndThePosition) {
    OpenWithSubtitles(kOne);
    device_.mode = "paused";
    TickAt(754000);
    EXPECT_EQ(Panel(StatusPanel::Mode), "paused");
    EXPECT_EQ(Panel(StatusPanel::Position), "0:12:34");
    TickAt(-1);
    EXPECT_EQ(Panel(StatusPanel::Position), "0:00:00");
}

TEST_F(WindowClock, TheSliderFollowsThePositionInWholeSeconds) {
    OpenWithSubtitles(kOne);
    TickAt(12999);
    EXPECT_EQ(Ui().PositionSlider->value(), 12);
    EXPECT_EQ(View().LastSliderPosition, 12);
    EXPECT_FALSE(View().SliderMovedByUser);
    TickAt(-1);
    EXPECT_EQ(Ui().PositionSlider->value(), 0);
}

// setSliderPosition moves the slider as a drag does; setValue as the clock does.
TEST_F(WindowClock, ADraggedSliderSeeksAtEachMoveAndIsLeftToTheUserForATick) {
    OpenWithSubtitles(kOne);
    TickAt(5000);
    ASSERT_EQ(Ui().PositionSlider->value(), 5);

    Ui().PositionSlider->setSliderPosition(20);
    EXPECT_EQ(device_.seeks, std::vector<int32_t>{20000});
    TickAt(5050);  // a position from before the seek
    EXPECT_TRUE(View().SliderMovedByUser);
    EXPECT_EQ(Ui().PositionSlider->value(), 20) << "the clock leaves a moved slider alone";
    EXPECT_EQ(View().LastSliderPosition, 20);

    Ui().PositionSlider->setSliderPosition(30);
    EXPECT_EQ(device_.seeks, (std::vector<int32_t>{20000, 30000}));

    TickAt(30000);
    EXPECT_TRUE(View().SliderMovedByUser);
    EXPECT_EQ(Ui().PositionSlider->value(), 30);
    TickAt(30050);
    EXPECT_FALSE(View().SliderMovedByUser);
    TickAt(31000);
    EXPECT_EQ(Ui().PositionSlider->value(), 31);
    EXPECT_EQ(device_.seeks.size(), 2u) << "the clock's own moves never seek";
}

TEST_F(WindowClock, ASingleStepOfTheSliderSeeksAndStays) {
    OpenWithSubtitles(kOne);
    TickAt(5000);
    Ui().PositionSlider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(device_.seeks, std::vector<int32_t>{6000});
    TickAt(6000);
    EXPECT_TRUE(View().SliderMovedByUser);
    TickAt(6050);
    EXPECT_FALSE(View().SliderMovedByUser);
    EXPECT_EQ(Ui().PositionSlider->value(), 6);
}

TEST_F(WindowClock, ASeekBackShowsTheSubtitleAgain) {
    std::string srt;
    for (int k = 0; k < 12; ++k) {
        const int start = k * 60;  // one subtitle a minute, three seconds long
        srt += std::to_string(k + 1) + "\n00:" + (start / 60 < 10 ? "0" : "") +
               std::to_string(start / 60) + ":00,000 --> 00:" + (start / 60 < 10 ? "0" : "") +
               std::to_string(start / 60) + ":03,000\nMinute " + std::to_string(k) + "\n\n";
    }
    MainWindow& w = OpenWithSubtitles(srt);
    Subs().Track.Cursor = 10;  // where the clock stands ten minutes in
    TickAt(600500);
    EXPECT_EQ(LabelText(), "Minute 10");
    device_.position = 61000;  // the film jumped back to one minute
    w.ResyncIndex();
    EXPECT_EQ(Subs().Track.Cursor, 1);
    TickAt(61000);
    EXPECT_EQ(LabelText(), "Minute 1");
}

TEST_F(WindowClock, AfterTheEndOfTheFilmTheClockKeepsPolling) {
    MainWindow& w = OpenWithSubtitles(kTwoOverlapping);
    for (int32_t pos = 0; pos <= 60000; pos += 50) TickAt(pos);
    device_.mode = "stopped";
    for (int i = 0; i < 5; ++i) TickAt(60000);
    EXPECT_EQ(Subs().Track.Cursor, Subs().Track.Count);
    EXPECT_EQ(Panel(StatusPanel::Mode), "stopped");
    EXPECT_EQ(Panel(StatusPanel::Position), "0:01:00");
    EXPECT_EQ(Ui().PositionSlider->value(), 60);
    EXPECT_EQ(LabelText(), "");
    device_.position = 1500;  // a jump back from beyond the last subtitle
    w.ResyncIndex();
    TickAt(1500);
    EXPECT_EQ(LabelText(), "First");
}

TEST_F(WindowClock, WithoutAFilmNothingIsQueriedOrChanged) {
    OpenWithSubtitles(kOne);
    Film().Open = false;
    TickAt(2000);
    EXPECT_EQ(LabelText(), "");
    EXPECT_EQ(Panel(StatusPanel::Position), "");
    EXPECT_EQ(Subs().Track.Cursor, 0);
}

TEST_F(WindowClock, AnUnknownFormatFreezesTheLabelButNotTheStatusBar) {
    MainWindow& w = OpenWithSubtitles(kOne);
    TickAt(2000);
    ASSERT_EQ(LabelText(), "Only one");
    WriteFile(Path("film.smi"), "<SAMI></SAMI>");
    w.LoadSubtitleFile(Path("film.smi").toStdString(), Subs().Track);
    ASSERT_TRUE(Subs().FormatUnknown);
    EXPECT_EQ(Subs().Track.Count, 1) << "the track keeps its entries";
    TickAt(9000);
    EXPECT_EQ(LabelText(), "Only one");
    EXPECT_EQ(Panel(StatusPanel::Position), "0:00:09");
    EXPECT_EQ(Ui().PositionSlider->value(), 9);
    EXPECT_EQ(Subs().Track.Cursor, 0) << "the clock does not walk a track it does not show";

    w.LoadSubtitleFile(Path("film.srt").toStdString(), Subs().Track);
    EXPECT_FALSE(Subs().FormatUnknown);
    TickAt(9050);
    EXPECT_EQ(LabelText(), "");
}

TEST_F(WindowClock, ALoadShowsTheFrameRateAndReAlignsTheIndex) {
    MainWindow& w = OpenWithSubtitles(kOne);
    device_.frameRate = 25000;
    device_.position = 100500;
    WriteFile(Path("film.sub"), "{0}{50}Frame zero\n{2500}{2600}Hundred\n");
    w.LoadSubtitleFile(Path("film.sub").toStdString(), Subs().Track);
    EXPECT_EQ(Film().FrameRate, 25000);
    EXPECT_EQ(Panel(StatusPanel::Status), "FrameRate = 25000");
    EXPECT_EQ(Subs().Track.Cursor, 1);
    TickAt(100500);
    EXPECT_EQ(LabelText(), "Hundred");

    std::string many;
    for (int frame = 0; frame <= TrackCapacity; ++frame)
        many += "{" + std::to_string(frame * 2) + "}{" + std::to_string(frame * 2 + 1) + "}x\n";
    WriteFile(Path("many.sub"), many);
    w.LoadSubtitleFile(Path("many.sub").toStdString(), Subs().Track);
    EXPECT_EQ(Panel(StatusPanel::Status), "Only the first 10000 of 10001 subtitles are shown.");
}

TEST_F(WindowClock, WithoutAFilmAFrameCountedFileUsesTheDefaultRate) {
    MainWindow& w = MakeWindow();
    device_.frameRate = 0;
    WriteFile(Path("film.sub"), "{0}{50}Frame zero\n");
    w.LoadSubtitleFile(Path("film.sub").toStdString(), Subs().Track);
    EXPECT_EQ(Panel(StatusPanel::Status), "FrameRate = 23976");
}

TEST_F(WindowClock, LineBreaksAndEncodingsReachTheLabel) {
    OpenWithSubtitles("1\n00:00:01,000 --> 00:00:03,000\nÉté à Noël\nSecond line\n\n");
    TickAt(2000);
    EXPECT_EQ(LabelText(), QString::fromUtf8("Été à Noël\nSecond line"));

    WriteFile(Path("latin.srt"), "1\n00:00:05,000 --> 00:00:07,000\n\xC9t\xE9 \xE0 No\xEBl\n\n");
    window_->LoadSubtitleFile(Path("latin.srt").toStdString(), Subs().Track);
    TickAt(6000);
    EXPECT_EQ(LabelText(), QString::fromUtf8("Été à Noël"));

    WriteFile(Path("micro.sub"), "{250}{300}Top|Bottom\n");
    window_->LoadSubtitleFile(Path("micro.sub").toStdString(), Subs().Track);
    TickAt(11000);
    EXPECT_EQ(LabelText(), "Top\nBottom");
}

TEST_F(WindowClock, TheLabelGrowsWithItsLines) {
    OpenWithSubtitles(
        "1\n00:00:01,000 --> 00:00:02,000\nOne line\n\n"
        "2\n00:00:03,000 --> 00:00:04,000\nOne\nTwo\nThree\n\n");
    TickAt(1500);
    const int oneLine = Ui().SubtitleLabel->height();
    TickAt(2500);
    TickAt(3500);
    ASSERT_EQ(LabelText(), "One\nTwo\nThree");
    EXPECT_GE(Ui().SubtitleLabel->height(), 3 * kSmallestSubtitlePixels);
    EXPECT_GT(Ui().SubtitleLabel->height(), oneLine);
}

TEST_F(WindowClock, ThreeLongLinesAreWrappedAndShrunkUntilNothingIsCut) {
    std::string line;
    while (line.size() < 80) line += "subtitle ";
    line.resize(80);
    OpenWithSubtitles("1\n00:00:01,000 --> 00:00:09,000\n" + line + "\n" + line + "\n" + line +
                      "\n\n");
    if (Ui().StatusArea->isHidden()) window_->ToggleStatusBar();
    const QSize client = Ui().ClientArea->size();
    TickAt(1500);
    QLabel* label = Ui().SubtitleLabel;
    EXPECT_EQ(LabelText().size(), 3 * 80 + 2);
    EXPECT_LE(label->heightForWidth(label->width()),
              Ui().SubtitlePanel->height() - Ui().StatusArea->height());
    EXPECT_EQ(Ui().ClientArea->size(), client);

    QFont large = Ui().FullScreenWindow->BandFont();
    large.setPixelSize(30);
    Ui().FullScreenWindow->SetBandFont(large);
    View().FullScreenPlaying = true;
    TickAt(1600);
    const FullScreenView& view = *Ui().FullScreenWindow;
    const ScreenRect band = view.Band();
    EXPECT_LT(QFontInfo(view.FittedBandFont()).pixelSize(), QFontInfo(view.BandFont()).pixelSize());
    EXPECT_LE(BandLinesHeight(view.BandLinesShown(), view.FittedBandFont(), band.Right - band.Left,
                              Ui().FullScreenWindow),
              band.Bottom - band.Top);
}

TEST_F(WindowClock, ALongLineIsWrappedAtTheLabelWidth) {
    OpenWithSubtitles("1\n00:00:01,000 --> 00:00:02,000\n" + std::string(40, 'x') +
                      std::string(" ") + std::string(40, 'y') + " " + std::string(40, 'z') +
                      "\n\n");
    TickAt(1500);
    EXPECT_GE(Ui().SubtitleLabel->height(), 2 * Ui().SubtitleLabel->fontMetrics().height());
    EXPECT_EQ(Ui().SubtitleLabel->width(), Ui().ClientArea->width());
}

TEST_F(WindowClock, TheLabelAndTheBandShowTheStylingTheTrackKeeps) {
    const std::string text = "<i>Hello</i> <font color=\"#ff0000\">red</font>";
    OpenWithSubtitles("1\n00:00:01,000 --> 00:00:03,000\n" + text + "\n\n");
    TickAt(2000);
    EXPECT_EQ(LabelText(), "Hello red");
    const QString html = Ui().SubtitleLabel->text();
    EXPECT_TRUE(html.contains("<i>Hello</i>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<span style=\"color:#ff0000\">red</span>")) << html.toStdString();
    EXPECT_EQ(Subs().Track.Texts[0].substr(0, text.size()), text);

    View().FullScreenPlaying = true;
    TickAt(2100);
    const QList<BandLine>& band = Ui().FullScreenWindow->BandLinesShown();
    ASSERT_EQ(band.size(), 1);
    EXPECT_EQ(band[0].Text, "Hello red");
    ASSERT_EQ(band[0].Formats.size(), 2);
    EXPECT_TRUE(band[0].Formats[0].format.fontItalic());
    EXPECT_EQ(band[0].Formats[1].format.foreground().color(), QColor(Qt::red));
}

TEST_F(WindowClock, TheSecondSubtitlesShowAboveTheFirstInTheirOwnColourAndOffset) {
    MainWindow& w = OpenWithSubtitles(kOne);
    const QSize picture = Ui().VideoArea->size();
    const int height = w.WindowHeight();
    WriteFile(Path("film.en.srt"), "1\n00:00:01,000 --> 00:00:03,000\n<b>Second</b>\n\n");
    w.LoadSecondSubtitleFile(Path("film.en.srt").toStdString());
    const int line = QFontMetrics(SecondFont(Ui().SubtitleLabel->font())).height();
    EXPECT_EQ(w.WindowHeight(), height + line);
    EXPECT_EQ(Ui().VideoArea->size(), picture);
    TickAt(2000);
    QLabel* second = Ui().SecondSubtitleLabel;
    EXPECT_TRUE(second->text().contains("<b>Second</b>")) << second->text().toStdString();
    EXPECT_EQ(second->y(), 0);
    EXPECT_GE(Ui().SubtitleLabel->y(), second->y() + line);
    EXPECT_EQ(second->palette().color(QPalette::WindowText), QColor(0xFF, 0xFF, 0x80));
    EXPECT_EQ(second->font().pixelSize(), Ui().SubtitleLabel->font().pixelSize() * 4 / 5);

    Item(WindowAction::SecondLater)->trigger();  // Alt+H: 1100 to 3100 now
    TickAt(3050);
    EXPECT_EQ(LabelText(), "");
    EXPECT_TRUE(second->text().contains("Second"));
    EXPECT_EQ(Panel(StatusPanel::Status), "Second subtitle delay: +0.100 s");

    View().FullScreenPlaying = true;
    TickAt(2000);
    ASSERT_EQ(Ui().FullScreenWindow->SecondBandLinesShown().size(), 1);
    EXPECT_EQ(Ui().FullScreenWindow->SecondBandLinesShown()[0].Text, "Second");
    View().FullScreenPlaying = false;
    Item(WindowAction::NoSecondSubtitles)->trigger();
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(w.WindowHeight(), height);
}

TEST_F(WindowClock, TheEncodingChoiceAppliesAtOnceAndLastsUntilTheNextLoad) {
    // "Привет" in Windows-1251.
    const std::string srt = "1\n00:00:01,000 --> 00:00:03,000\n\xCF\xF0\xE8\xE2\xE5\xF2\n\n";
    OpenWithSubtitles(srt);
    TickAt(2000);
    QMenu* menu = Ui().EncodingMenu;
    const auto item = [menu](const QString& caption) -> QAction* {
        for (QAction* action : menu->actions()) {
            if (action->text() == caption) return action;
        }
        return nullptr;
    };
    const QString automatic =
        QString::fromStdString(AutomaticEncodingCaption(Subs().Track.Encoding));
    ASSERT_NE(item(automatic), nullptr);
    EXPECT_TRUE(item(automatic)->isChecked());
    ASSERT_EQ(menu->actions().size(), 17);

    item("Windows-1251")->trigger();
    EXPECT_EQ(LabelText(), QString::fromUtf8("Привет")) << "shown without waiting for a tick";
    EXPECT_TRUE(item("Windows-1251")->isChecked());
    EXPECT_FALSE(item(automatic)->isChecked());
    TickAt(2100);
    EXPECT_EQ(LabelText(), QString::fromUtf8("Привет"));

    window_->LoadSubtitleFile(Path("film.srt").toStdString(), Subs().Track);
    EXPECT_TRUE(Subs().ChosenEncoding.empty());
    EXPECT_TRUE(item(automatic)->isChecked());
    item("Windows-1251")->trigger();
    item(automatic)->trigger();
    EXPECT_TRUE(Subs().ChosenEncoding.empty());
}

}  // namespace
}  // namespace orvalen::testing
