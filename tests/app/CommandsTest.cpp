#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <limits>

#include "app/dialogs/AboutDialog.h"
#include "app/dialogs/SubtitleChoiceDialog.h"
#include "app/dialogs/SubtitleFontDialog.h"
#include "app/window/FullScreenView.h"
#include "app/window/ImageList.h"
#include "app/window/StatusBar.h"
#include "app/window/VideoPanel.h"
#include "tests/app/CommandsFixture.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/QtPrinters.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {
namespace {

using test::Cancel;
using test::ChooseFile;
using test::WhenModal;

// The film types first, then every file.
bool IsFilmFilter(const QStringList& filters) {
    return filters.size() == 2 &&
           filters[0].startsWith("Video Files (*.avi *.mpg *.mpeg *.divx *.mkv *.mp4 ") &&
           filters[1] == "All files (*)";
}

TEST_F(Commands, PlayWithoutAFilmAsksForOneWithTheVideoFilter) {
    QStringList filters;
    auto ran = WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        Cancel(dialog);
    });
    W().Play();
    EXPECT_TRUE(*ran);
    EXPECT_TRUE(IsFilmFilter(filters)) << filters.join(", ").toStdString();
    EXPECT_FALSE(Film().Open);
    EXPECT_EQ(W().windowTitle(), "Orvalen");
    EXPECT_EQ(device_.playCalls, 0);
}

TEST_F(Commands, OpenPlaysTheFilmWithItsSubtitlesAndSizesTheWindow) {
    const QString film = FilmWithSubtitle("My film");
    device_.length = 754000;
    device_.videoWidth = 640;
    device_.videoHeight = 272;
    OpenThroughDialog(film);

    EXPECT_EQ(W().windowTitle(), "Orvalen - " + film);
    EXPECT_TRUE(Film().Open);
    EXPECT_EQ(device_.openedPath, film.toStdString());
    EXPECT_EQ(Film().Path, film.toStdString());
    EXPECT_EQ(Ui().PositionSlider->maximum(), 754);
    EXPECT_EQ(Ui().PositionSlider->value(), 0);
    EXPECT_EQ(Panel(StatusPanel::Length), "0:12:34");
    EXPECT_EQ(Panel(StatusPanel::PictureSize), "640 * 272");
    EXPECT_EQ(TrackText(), "Hello");
    EXPECT_EQ(device_.mode, "playing");
    EXPECT_EQ(device_.speed, 1.0);
    EXPECT_EQ(Ui().VideoArea->size(), QSize(640, 287));
    EXPECT_EQ(W().WindowWidth(), 660);
    EXPECT_EQ(W().WindowHeight(), 287 + 32 + Ui().SubtitlePanel->height() + 30);
}

TEST_F(Commands, OpenSetsTheVideoFilterAgainAfterASubtitleCommand) {
    WhenModal<QFileDialog>([](QFileDialog* dialog) { Cancel(dialog); });
    W().OpenSubtitleFile();
    QStringList filters;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        Cancel(dialog);
    });
    W().OpenFilm();
    EXPECT_TRUE(IsFilmFilter(filters)) << filters.join(", ").toStdString();
}

TEST_F(Commands, CancelledOpenChangesNothing) {
    OpenThroughDialog(FilmWithSubtitle("first"));
    const QString caption = W().windowTitle();
    WhenModal<QFileDialog>([](QFileDialog* dialog) { Cancel(dialog); });
    W().OpenFilm();
    EXPECT_EQ(W().windowTitle(), caption);
    EXPECT_TRUE(Film().Open);
    EXPECT_EQ(device_.closeCalls, 0);
}

TEST_F(Commands, SecondFilmClosesTheFirstAndStartsFrameRateAgain) {
    WriteFile(Path("first.avi"), "film");
    WriteFile(Path("first.sub"), "{25}{50}Frames\r\n");
    OpenThroughDialog(Path("first.avi"));
    EXPECT_EQ(Film().FrameRate, 25000);
    EXPECT_EQ(Panel(StatusPanel::Status), "FrameRate = 25000");

    device_.frameRate = 30000;
    OpenThroughDialog(FilmWithSubtitle("second", "Second film"));
    EXPECT_EQ(device_.closeCalls, 1);
    EXPECT_EQ(Film().FrameRate, 0);
    EXPECT_EQ(device_.openedPath, Path("second.avi").toStdString());
    EXPECT_EQ(TrackText(), "Second film");
    EXPECT_EQ(device_.mode, "playing");
}

TEST_F(Commands, FilmThatWillNotOpenLeavesNoFilmTheNewCaptionAndSaysWhy) {
    OpenThroughDialog(FilmWithSubtitle("good"));
    device_.openSucceeds = false;
    device_.openError = "unrecognized file format";
    const QString bad = FilmWithSubtitle("bad");
    OpenThroughDialog(bad);
    EXPECT_EQ(W().windowTitle(), "Orvalen - " + bad);
    EXPECT_FALSE(Film().Open);
    EXPECT_EQ(device_.closeCalls, 1);
    EXPECT_EQ(Film().Path, "");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "Cannot open the film \"" + bad + "\":\nunrecognized file format.");
}

// A film opened from the command line: the file dialogs have had no use yet.
class FirstDialogUse : public Commands,
                       public ::testing::WithParamInterface<void (MainWindow::*)()> {};

TEST_P(FirstDialogUse, StartsInTheFilmsFolder) {
    ASSERT_TRUE(QDir().mkpath(Path("films")));
    WriteFile(Path("films/film.avi"), "film");
    WriteFile(Path("films/film.srt"), SrtWith("Hello"));
    W().OpenAndPlay(Path("films/film.avi").toStdString());
    QString startedIn;
    auto ran = test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        startedIn = dialog->directory().absolutePath();
        dialog->reject();
    });
    (W().*GetParam())();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(startedIn, QDir(Path("films")).absolutePath());
}

INSTANTIATE_TEST_SUITE_P(Commands, FirstDialogUse,
                         ::testing::Values(&MainWindow::OpenFilm, &MainWindow::OpenSubtitleFile,
                                           &MainWindow::StartMerge, &MainWindow::SaveSubtitles));

struct LengthCase {
    int32_t length;
    int maximum;
};

class SliderMaximum : public Commands, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(SliderMaximum, IsTheLengthInWholeSeconds) {
    device_.length = GetParam().length;
    OpenThroughDialog(FilmWithSubtitle("film"));
    EXPECT_EQ(Ui().PositionSlider->maximum(), GetParam().maximum);
}

INSTANTIATE_TEST_SUITE_P(Lengths, SliderMaximum,
                         ::testing::Values(LengthCase{95 * 60000, 5700}, LengthCase{59900, 59},
                                           LengthCase{999, 0}));

class FilmOpen : public Commands {
  protected:
    void SetUp() override {
        Commands::SetUp();
        device_.length = 95 * 60000;
        OpenThroughDialog(FilmWithSubtitle("film"));
        device_.seeks.clear();
        device_.playCalls = 0;
    }
};

struct BackCase {
    int32_t from;
    int32_t to;
};

class Backward : public FilmOpen, public ::testing::WithParamInterface<BackCase> {};

TEST_P(Backward, GoesOneMinuteBackAndPlays) {
    device_.position = GetParam().from;
    device_.mode = "paused";
    W().BackOneMinute();
    EXPECT_EQ(device_.seeks, std::vector<int32_t>{GetParam().to});
    EXPECT_EQ(device_.mode, "playing");
    EXPECT_EQ(device_.speed, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Positions, Backward,
                         ::testing::Values(BackCase{40000, 0}, BackCase{300000, 240000},
                                           BackCase{-1, 0}));

TEST_F(FilmOpen, ForwardThenPauseThenPlayResumesAtNormalSpeed) {
    W().FastForward();
    EXPECT_EQ(device_.speed, 2.0);
    W().Pause();
    EXPECT_EQ(device_.mode, "paused");
    W().Play();
    EXPECT_EQ(device_.mode, "playing");
    EXPECT_EQ(device_.speed, 1.0);
}

TEST_F(FilmOpen, StopRewindsAndRealignsTheTrack) {
    WriteFile(Path("three.srt"), SrtWith("one") +
                                     "2\r\n00:00:10,000 --> 00:00:12,000\r\ntwo\r\n\r\n"
                                     "3\r\n00:00:20,000 --> 00:00:22,000\r\nthree\r\n\r\n");
    device_.position = 21000;
    W().LoadSubtitleFile(Path("three.srt").toStdString(), Subs().Track);
    ASSERT_EQ(Subs().Track.Cursor, 2);
    Ui().PositionSlider->setValue(21);
    W().Stop();
    EXPECT_EQ(device_.position, 0);
    EXPECT_EQ(device_.mode, "stopped");
    EXPECT_EQ(Ui().PositionSlider->value(), 0);
    EXPECT_EQ(Subs().Track.Cursor, 0);
    EXPECT_TRUE(Film().Open);
}

TEST_F(FilmOpen, DraggingTheSliderSeeksAndPlaysButTheClocksMovesDoNot) {
    Ui().PositionSlider->setValue(1000);  // as the clock moves it
    EXPECT_TRUE(device_.seeks.empty());

    device_.mode = "paused";
    Ui().PositionSlider->setSliderPosition(1234);  // as a drag moves it
    EXPECT_EQ(device_.seeks, std::vector<int32_t>{1234000});
    EXPECT_EQ(device_.mode, "playing");
}

TEST_F(FilmOpen, CloseKeepsCaptionLabelAndTrack) {
    const QString caption = W().windowTitle();
    TickAt(2000);
    ASSERT_EQ(LabelText(), "Hello");
    const QSize size = W().size();
    View().SliderMovedByUser = false;
    Ui().PositionSlider->setValue(30);
    W().CloseFilm();

    EXPECT_FALSE(Film().Open);
    EXPECT_EQ(Film().FrameRate, 0);
    EXPECT_EQ(Film().Path, "");
    EXPECT_EQ(device_.closeCalls, 1);
    EXPECT_FALSE(device_.open);
    for (int panel = 0; panel < StatusBar::PanelCount; ++panel) {
        EXPECT_EQ(Panel(static_cast<StatusPanel>(panel)), "");
    }
    EXPECT_EQ(Ui().PositionSlider->value(), 0);
    EXPECT_EQ(W().windowTitle(), caption);
    EXPECT_EQ(LabelText(), "Hello");
    EXPECT_EQ(W().size(), size);
    EXPECT_EQ(TrackText(), "Hello");
    EXPECT_EQ(FoundCount(), 1);
}

TEST_F(Commands, TransportWithoutAFilmDoesNothing) {
    W().Pause();
    W().Stop();
    W().FastForward();
    W().BackOneMinute();
    W().ToggleFullScreen();
    W().ToggleMute();
    EXPECT_EQ(device_.pauseCalls, 0);
    EXPECT_EQ(device_.playCalls, 0);
    EXPECT_TRUE(device_.seeks.empty());
    EXPECT_FALSE(View().FullScreenPlaying);
    EXPECT_EQ(GlyphOf(Item(WindowAction::MuteButton)), Glyph::SoundOn);
    W().CloseFilm();
    EXPECT_EQ(device_.closeCalls, 1);
}

TEST_F(FilmOpen, SoundButtonStateOutlivesTheFilm) {
    W().ToggleMute();
    EXPECT_EQ(GlyphOf(Item(WindowAction::MuteButton)), Glyph::SoundOff);
    EXPECT_TRUE(device_.muted);

    W().CloseFilm();
    device_.muted = false;  // a newly opened film has sound
    OpenThroughDialog(FilmWithSubtitle("other"));
    EXPECT_EQ(GlyphOf(Item(WindowAction::MuteButton)), Glyph::SoundOff);
    EXPECT_FALSE(device_.muted);

    W().ToggleMute();
    EXPECT_EQ(GlyphOf(Item(WindowAction::MuteButton)), Glyph::SoundOn);
    EXPECT_FALSE(device_.muted);
    W().ToggleMute();
    EXPECT_TRUE(device_.muted);
}

struct PopupCase {
    const char* mode;
    const char* caption;
    Glyph image;
};

class PopupCaption : public Commands, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(PopupCaption, FollowsTheMediaMode) {
    device_.mode = GetParam().mode;
    W().UpdatePopupMenu();
    EXPECT_EQ(Item(WindowAction::PopupPlayPause)->text(), QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(GlyphOf(Item(WindowAction::PopupPlayPause)), GetParam().image);
}

INSTANTIATE_TEST_SUITE_P(Modes, PopupCaption,
                         ::testing::Values(PopupCase{"playing", "Pause", Glyph::Pause},
                                           PopupCase{"paused", "Lecture", Glyph::Play},
                                           PopupCase{"stopped", "Lecture", Glyph::Play},
                                           PopupCase{"", "Lecture", Glyph::Play},
                                           PopupCase{"Playing", "Lecture", Glyph::Play},
                                           PopupCase{"playing ", "Lecture", Glyph::Play}));

TEST_F(FilmOpen, PopupItemPausesWhilePlayingAndPlaysOtherwise) {
    TickAt(1000);
    ASSERT_EQ(Panel(StatusPanel::Mode), "playing");
    emit Ui().PopupMenu->aboutToShow();
    Item(WindowAction::PopupPlayPause)->trigger();
    EXPECT_EQ(device_.mode, "paused");

    TickAt(1000);
    emit Ui().PopupMenu->aboutToShow();
    EXPECT_EQ(Item(WindowAction::PopupPlayPause)->text(), "Lecture");
    Item(WindowAction::PopupPlayPause)->trigger();
    EXPECT_EQ(device_.mode, "playing");

    Item(WindowAction::PopupStop)->trigger();
    EXPECT_EQ(device_.mode, "stopped");
}

TEST_F(Commands, PopupPlayWithoutAFilmAsksForOne) {
    W().UpdatePopupMenu();
    auto ran = WhenModal<QFileDialog>([](QFileDialog* dialog) { Cancel(dialog); });
    W().TogglePlayPause();
    EXPECT_TRUE(*ran);
}

TEST_F(Commands, BarItemsToggleMarkAndBarTogetherWithoutResizing) {
    ASSERT_FALSE(Item(WindowAction::ToolBar)->isChecked());
    const QSize size = Ui().ClientArea->size();
    Item(WindowAction::ToolBar)->trigger();
    EXPECT_TRUE(Item(WindowAction::ToolBar)->isChecked());
    EXPECT_FALSE(Ui().ToolBar->isHidden());
    W().ToggleToolBar();
    EXPECT_FALSE(Item(WindowAction::ToolBar)->isChecked());
    EXPECT_TRUE(Ui().ToolBar->isHidden());

    Item(WindowAction::StatusBar)->trigger();
    EXPECT_TRUE(Item(WindowAction::StatusBar)->isChecked());
    EXPECT_FALSE(Ui().StatusArea->isHidden());
    Item(WindowAction::StatusBar)->trigger();
    EXPECT_FALSE(Item(WindowAction::StatusBar)->isChecked());
    EXPECT_TRUE(Ui().StatusArea->isHidden());
    EXPECT_EQ(Ui().ClientArea->size(), size);
}

TEST_F(Commands, ExitEndsTheMessageLoop) {
    bool quitByCommand = false;
    QTimer::singleShot(0, window_, [&] {
        quitByCommand = true;
        Item(WindowAction::Quit)->trigger();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        quitByCommand = false;
        QCoreApplication::quit();
    });
    guard.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(quitByCommand);
}

TEST_F(Commands, AboutShowsTheAboutBoxModally) {
    QString title;
    auto ran = WhenModal<AboutDialog>([&](AboutDialog* box) {
        title = box->windowTitle();
        box->findChild<QPushButton*>()->click();
    });
    Item(WindowAction::About)->trigger();
    EXPECT_TRUE(*ran);
    EXPECT_EQ(title, "About");
}

TEST_F(Commands, ConfigurationShowsTheConfigurationDialogModally) {
    auto ran = WhenModal<ConfigDialog>([](ConfigDialog* box) { box->reject(); });
    W().ShowConfiguration();
    EXPECT_TRUE(*ran);
}

TEST_F(FilmOpen, FullScreenPlaysUntilEscapeAndTheNextPaintResumesWindowedPlay) {
    ShowWindow();
    W().ToggleFullScreen();
    EXPECT_TRUE(View().FullScreenPlaying);
    EXPECT_TRUE(Ui().FullScreenWindow->isVisible());
    EXPECT_EQ(device_.mode, "playing");

    const int plays = device_.playCalls;
    QTest::keyClick(Ui().FullScreenWindow, Qt::Key_Escape);
    EXPECT_FALSE(Ui().FullScreenWindow->isVisible());
    ASSERT_TRUE(PollUntil([this] { return !View().FullScreenPlaying; }));
    EXPECT_EQ(device_.playCalls, plays + 1);
}

TEST_F(FilmOpen, FullScreenEndsWithADoubleClickOrAltEnter) {
    ShowWindow();
    W().ToggleFullScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Ui().FullScreenWindow));
    QTest::mouseDClick(Ui().FullScreenWindow, Qt::LeftButton);
    EXPECT_FALSE(Ui().FullScreenWindow->isVisible());
    ASSERT_TRUE(PollUntil([this] { return !View().FullScreenPlaying; }));

    W().ToggleFullScreen();
    ASSERT_TRUE(Ui().FullScreenWindow->isVisible());
    QTest::keyClick(Ui().FullScreenWindow, Qt::Key_Return, Qt::AltModifier);
    EXPECT_FALSE(Ui().FullScreenWindow->isVisible());
    ASSERT_TRUE(PollUntil([this] { return !View().FullScreenPlaying; }));
}

TEST_F(FilmOpen, FullScreenCommandWhileFullScreenReturnsToTheWindow) {
    ShowWindow();
    W().ToggleFullScreen();
    ASSERT_TRUE(Ui().FullScreenWindow->isVisible());
    Item(WindowAction::FullScreen)->trigger();
    EXPECT_FALSE(Ui().FullScreenWindow->isVisible());
    ASSERT_TRUE(PollUntil([this] { return !View().FullScreenPlaying; }));
    EXPECT_EQ(device_.mode, "playing");
}

}  // namespace
}  // namespace orvalen::testing
