#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <limits>

#include "app/AboutBox.h"
#include "app/FullScreenView.h"
#include "app/ImageList.h"
#include "app/StatusBar.h"
#include "app/SubtitleFontDialog.h"
#include "app/VideoPanel.h"
#include "discovery/Selectfiche.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/QtPrinters.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {
namespace {

using test::Cancel;
using test::ChooseFile;
using test::WhenModal;

constexpr char kVideoFilter[] = "Video Files (*.avi,*.mpg,*.divx) (*.avi *.mpg *.divx)";

std::string SrtWith(const std::string& text) {
    return "1\r\n00:00:01,000 --> 00:00:05,000\r\n" + text + "\r\n\r\n";
}

class Commands : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        MakeWindow();
        ChangeSettings([](Settings& settings) {
            settings.CurrentDir = true;
            settings.SubtitleFormat.fill(false);
            settings.SubtitleFormat[static_cast<size_t>(SubtitleFormat::Srt)] = true;
            settings.SubtitleFormat[static_cast<size_t>(SubtitleFormat::Sub)] = true;
        });
    }

    void TearDown() override {
        test::DisarmModalDrivers();
        WindowTest::TearDown();
    }

    TFiche& W() { return *window_; }

    // A film file with a subtitle file of the same name beside it.
    QString FilmWithSubtitle(const QString& name, const std::string& text = "Hello") {
        WriteFile(Path(name + ".avi"), "not a real film");
        WriteFile(Path(name + ".srt"), SrtWith(text));
        return Path(name + ".avi");
    }

    // Opens film through the Open dialog, as a user would.
    void OpenThroughDialog(const QString& film) {
        auto ran =
            WhenModal<QFileDialog>([film](QFileDialog* dialog) { ChooseFile(dialog, film); });
        W().OuvrirClick();
        ASSERT_TRUE(*ran);
    }

    QString Panel(int index) const { return window_->Status->PanelText(index); }
    QList<QAction*> MenuItems() const { return window_->MenuSousTitre->actions(); }
    QList<QAction*> PopupItems() const { return window_->PopupMenu->actions(); }
    // The text of an entry without the line end the readers keep.
    std::string TrackText(int index = 0) const {
        if (index >= window_->Track.Count) return {};
        std::string text = window_->Track.Texts[index];
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    }
};

TEST_F(Commands, PlayWithoutAFilmAsksForOneWithTheVideoFilter) {
    QStringList filters;
    auto ran = WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        Cancel(dialog);
    });
    W().LectureClick();
    EXPECT_TRUE(*ran);
    EXPECT_EQ(filters, QStringList{kVideoFilter});
    EXPECT_FALSE(W().MovieOpen);
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
    EXPECT_TRUE(W().MovieOpen);
    EXPECT_EQ(device_.openedPath, film.toStdString());
    EXPECT_EQ(W().MoviePath, film.toStdString());
    EXPECT_EQ(W().Slider->maximum(), 754);
    EXPECT_EQ(W().Slider->value(), 0);
    EXPECT_EQ(Panel(2), "0:12:34");
    EXPECT_EQ(Panel(0), "640 * 272");
    EXPECT_EQ(TrackText(), "Hello");
    EXPECT_EQ(device_.mode, "playing");
    EXPECT_EQ(device_.speed, 1.0);
    EXPECT_EQ(W().Displayer->size(), QSize(640, 287));
    EXPECT_EQ(W().WindowWidth(), 660);
    EXPECT_EQ(W().WindowHeight(), 287 + 32 + W().LowPanel->height() + 30);
}

TEST_F(Commands, OpenSetsTheVideoFilterAgainAfterASubtitleCommand) {
    WhenModal<QFileDialog>([](QFileDialog* dialog) { Cancel(dialog); });
    W().OpenSubFileClick();
    QStringList filters;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        Cancel(dialog);
    });
    W().OuvrirClick();
    EXPECT_EQ(filters, QStringList{kVideoFilter});
}

TEST_F(Commands, CancelledOpenChangesNothing) {
    OpenThroughDialog(FilmWithSubtitle("first"));
    const QString caption = W().windowTitle();
    WhenModal<QFileDialog>([](QFileDialog* dialog) { Cancel(dialog); });
    W().OuvrirClick();
    EXPECT_EQ(W().windowTitle(), caption);
    EXPECT_TRUE(W().MovieOpen);
    EXPECT_EQ(device_.closeCalls, 0);
}

TEST_F(Commands, SecondFilmClosesTheFirstAndStartsFrameRateAgain) {
    WriteFile(Path("first.avi"), "film");
    WriteFile(Path("first.sub"), "{25}{50}Frames\r\n");
    OpenThroughDialog(Path("first.avi"));
    EXPECT_EQ(W().FrameRate, 25000);
    EXPECT_EQ(Panel(4), "FrameRate = 25000");

    device_.frameRate = 30000;
    OpenThroughDialog(FilmWithSubtitle("second", "Second film"));
    EXPECT_EQ(device_.closeCalls, 1);
    EXPECT_EQ(W().FrameRate, 0);
    EXPECT_EQ(device_.openedPath, Path("second.avi").toStdString());
    EXPECT_EQ(TrackText(), "Second film");
    EXPECT_EQ(device_.mode, "playing");
}

TEST_F(Commands, FilmThatWillNotOpenLeavesNoFilmAndTheNewCaption) {
    OpenThroughDialog(FilmWithSubtitle("good"));
    device_.openSucceeds = false;
    const QString bad = FilmWithSubtitle("bad");
    OpenThroughDialog(bad);
    EXPECT_EQ(W().windowTitle(), "Orvalen - " + bad);
    EXPECT_FALSE(W().MovieOpen);
    EXPECT_EQ(device_.closeCalls, 1);
    EXPECT_EQ(W().MoviePath, "");
    EXPECT_TRUE(messages_.empty());
}

struct LengthCase {
    int32_t length;
    int maximum;
};

class SliderMaximum : public Commands, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(SliderMaximum, IsTheLengthInWholeSeconds) {
    device_.length = GetParam().length;
    OpenThroughDialog(FilmWithSubtitle("film"));
    EXPECT_EQ(W().Slider->maximum(), GetParam().maximum);
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
    W().RetourClick();
    EXPECT_EQ(device_.seeks, std::vector<int32_t>{GetParam().to});
    EXPECT_EQ(device_.mode, "playing");
    EXPECT_EQ(device_.speed, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Positions, Backward,
                         ::testing::Values(BackCase{40000, 0}, BackCase{300000, 240000},
                                           BackCase{-1, 0}));

TEST_F(FilmOpen, ForwardThenPauseThenPlayResumesAtNormalSpeed) {
    W().AvanceRapideClick();
    EXPECT_EQ(device_.speed, 2.0);
    W().PauseClick();
    EXPECT_EQ(device_.mode, "paused");
    W().LectureClick();
    EXPECT_EQ(device_.mode, "playing");
    EXPECT_EQ(device_.speed, 1.0);
}

TEST_F(FilmOpen, StopRewindsAndRealignsTheTrack) {
    WriteFile(Path("three.srt"), SrtWith("one") +
                                     "2\r\n00:00:10,000 --> 00:00:12,000\r\ntwo\r\n\r\n"
                                     "3\r\n00:00:20,000 --> 00:00:22,000\r\nthree\r\n\r\n");
    device_.position = 21000;
    W().LoadSubtitleFile(Path("three.srt").toStdString(), W().Track);
    ASSERT_EQ(W().Track.Cursor, 2);
    W().Slider->setValue(21);
    W().StopClick();
    EXPECT_EQ(device_.position, 0);
    EXPECT_EQ(device_.mode, "stopped");
    EXPECT_EQ(W().Slider->value(), 0);
    EXPECT_EQ(W().Track.Cursor, 0);
    EXPECT_TRUE(W().MovieOpen);
}

TEST_F(FilmOpen, DraggingTheSliderSeeksOnlyAfterTheClockSawTheUser) {
    W().SliderMovedByUser = false;
    W().Slider->setValue(1000);
    EXPECT_TRUE(device_.seeks.empty());

    W().SliderMovedByUser = true;
    device_.mode = "paused";
    W().Slider->setValue(1234);
    EXPECT_EQ(device_.seeks, std::vector<int32_t>{1234000});
    EXPECT_EQ(device_.mode, "playing");
}

TEST_F(FilmOpen, CloseKeepsCaptionLabelAndTrack) {
    const QString caption = W().windowTitle();
    TickAt(2000);
    ASSERT_EQ(W().SousTitre->text(), "Hello");
    const QSize size = W().size();
    W().SliderMovedByUser = false;
    W().Slider->setValue(30);
    W().FermerClick();

    EXPECT_FALSE(W().MovieOpen);
    EXPECT_EQ(W().FrameRate, 0);
    EXPECT_EQ(W().MoviePath, "");
    EXPECT_EQ(device_.closeCalls, 1);
    EXPECT_FALSE(device_.open);
    for (int panel = 0; panel < StatusBar::PanelCount; ++panel) EXPECT_EQ(Panel(panel), "");
    EXPECT_EQ(W().Slider->value(), 0);
    EXPECT_EQ(W().windowTitle(), caption);
    EXPECT_EQ(W().SousTitre->text(), "Hello");
    EXPECT_EQ(W().size(), size);
    EXPECT_EQ(TrackText(), "Hello");
    EXPECT_EQ(W().FoundSubtitleCount, 1);
}

TEST_F(Commands, TransportWithoutAFilmDoesNothing) {
    W().PauseClick();
    W().StopClick();
    W().AvanceRapideClick();
    W().RetourClick();
    W().FullscreenClick();
    W().SndButtonClick();
    EXPECT_EQ(device_.pauseCalls, 0);
    EXPECT_EQ(device_.playCalls, 0);
    EXPECT_TRUE(device_.seeks.empty());
    EXPECT_FALSE(W().FullScreenPlaying);
    EXPECT_EQ(ImageIndex(W().SndButton), 15);
    W().FermerClick();
    EXPECT_EQ(device_.closeCalls, 1);
}

TEST_F(FilmOpen, SoundButtonStateOutlivesTheFilm) {
    W().SndButtonClick();
    EXPECT_EQ(ImageIndex(W().SndButton), 16);
    EXPECT_TRUE(device_.muted);

    W().FermerClick();
    device_.muted = false;  // a newly opened film has sound
    OpenThroughDialog(FilmWithSubtitle("other"));
    EXPECT_EQ(ImageIndex(W().SndButton), 16);
    EXPECT_FALSE(device_.muted);

    W().SndButtonClick();
    EXPECT_EQ(ImageIndex(W().SndButton), 15);
    EXPECT_FALSE(device_.muted);
    W().SndButtonClick();
    EXPECT_TRUE(device_.muted);
}

struct PopupCase {
    const char* mode;
    const char* caption;
    int image;
};

class PopupCaption : public Commands, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(PopupCaption, FollowsTheModeShownInTheStatusBar) {
    W().Status->SetPanelText(1, QString::fromUtf8(GetParam().mode));
    W().PopupMenuPopup();
    EXPECT_EQ(W().PopupLecPause->text(), QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(ImageIndex(W().PopupLecPause), GetParam().image);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PopupCaption,
    ::testing::Values(PopupCase{"playing", "Pause", 1}, PopupCase{"paused", "Lecture", 2},
                      PopupCase{"stopped", "Lecture", 2}, PopupCase{"", "Lecture", 2},
                      PopupCase{"Playing", "Lecture", 2}, PopupCase{"playing ", "Lecture", 2}));

TEST_F(FilmOpen, PopupItemPausesWhilePlayingAndPlaysOtherwise) {
    TickAt(1000);
    ASSERT_EQ(Panel(1), "playing");
    emit W().PopupMenu->aboutToShow();
    W().PopupLecPause->trigger();
    EXPECT_EQ(device_.mode, "paused");

    TickAt(1000);
    emit W().PopupMenu->aboutToShow();
    EXPECT_EQ(W().PopupLecPause->text(), "Lecture");
    W().PopupLecPause->trigger();
    EXPECT_EQ(device_.mode, "playing");

    W().PopupStop->trigger();
    EXPECT_EQ(device_.mode, "stopped");
}

TEST_F(Commands, PopupPlayWithoutAFilmAsksForOne) {
    W().PopupMenuPopup();
    auto ran = WhenModal<QFileDialog>([](QFileDialog* dialog) { Cancel(dialog); });
    W().PopupLecPauseClick();
    EXPECT_TRUE(*ran);
}

TEST_F(Commands, BarItemsToggleMarkAndBarTogetherWithoutResizing) {
    ASSERT_FALSE(W().BarreOutil->isChecked());
    const QSize size = W().Client->size();
    W().BarreOutil->trigger();
    EXPECT_TRUE(W().BarreOutil->isChecked());
    EXPECT_FALSE(W().ToolBar->isHidden());
    W().BarreOutilClick();
    EXPECT_FALSE(W().BarreOutil->isChecked());
    EXPECT_TRUE(W().ToolBar->isHidden());

    W().StateBarre->trigger();
    EXPECT_TRUE(W().StateBarre->isChecked());
    EXPECT_FALSE(W().Status->isHidden());
    W().StateBarre->trigger();
    EXPECT_FALSE(W().StateBarre->isChecked());
    EXPECT_TRUE(W().Status->isHidden());
    EXPECT_EQ(W().Client->size(), size);
}

TEST_F(Commands, ExitEndsTheMessageLoop) {
    bool quitByCommand = false;
    QTimer::singleShot(0, window_.get(), [&] {
        quitByCommand = true;
        W().Quitter->trigger();
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
    auto ran = WhenModal<TAboutBox>([&](TAboutBox* box) {
        title = box->windowTitle();
        box->OKButton->click();
    });
    W().Apropos1->trigger();
    EXPECT_TRUE(*ran);
    EXPECT_EQ(title, "About");
}

TEST_F(Commands, ConfigurationShowsTheConfigurationDialogModally) {
    auto ran = WhenModal<ConfigDialog>([](ConfigDialog* box) { box->reject(); });
    W().ConfigurationClick();
    EXPECT_TRUE(*ran);
}

TEST_F(FilmOpen, FullScreenPlaysUntilEscapeAndTheNextPaintResumesWindowedPlay) {
    ShowWindow();
    W().FullscreenClick();
    EXPECT_TRUE(W().FullScreenPlaying);
    EXPECT_TRUE(W().ScreenDC->isVisible());
    EXPECT_EQ(device_.mode, "playing");

    const int plays = device_.playCalls;
    QTest::keyClick(W().ScreenDC, Qt::Key_Escape);
    EXPECT_FALSE(W().ScreenDC->isVisible());
    ASSERT_TRUE(PollUntil([this] { return !W().FullScreenPlaying; }));
    EXPECT_EQ(device_.playCalls, plays + 1);
}

TEST_F(FilmOpen, FullScreenEndsWithADoubleClickOrAltEnter) {
    ShowWindow();
    W().PopupFullscreenClick();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(W().ScreenDC));
    QTest::mouseDClick(W().ScreenDC, Qt::LeftButton);
    EXPECT_FALSE(W().ScreenDC->isVisible());
    ASSERT_TRUE(PollUntil([this] { return !W().FullScreenPlaying; }));

    W().FullscreenClick();
    ASSERT_TRUE(W().ScreenDC->isVisible());
    QTest::keyClick(W().ScreenDC, Qt::Key_Return, Qt::AltModifier);
    EXPECT_FALSE(W().ScreenDC->isVisible());
    ASSERT_TRUE(PollUntil([this] { return !W().FullScreenPlaying; }));
}

TEST_F(FilmOpen, FullScreenCommandWhileFullScreenReturnsToTheWindow) {
    ShowWindow();
    W().FullscreenClick();
    ASSERT_TRUE(W().ScreenDC->isVisible());
    W().Fullscreen->trigger();
    EXPECT_FALSE(W().ScreenDC->isVisible());
    ASSERT_TRUE(PollUntil([this] { return !W().FullScreenPlaying; }));
    EXPECT_EQ(device_.mode, "playing");
}

// Chooses font and colour in the font dialog, as a user would.
std::shared_ptr<bool> ChooseFont(const QFont& font, const QColor& color) {
    return WhenModal<SubtitleFontDialog>([font, color](SubtitleFontDialog* dialog) {
        dialog->SetChoice({font, color});
        dialog->accept();
    });
}

QFont PointFont(int points) {
    QFont font(DefaultSansFamily());
    font.setPointSize(points);
    return font;
}

TEST_F(Commands, TwelvePointFontMakesTheSubtitleArea60High) {
    QFont font = PointFont(12);
    font.setItalic(true);
    font.setUnderline(true);
    font.setWeight(QFont::Bold);
    const QColor yellow(255, 255, 0);
    ChooseFont(font, yellow);
    W().Polices1Click();

    EXPECT_EQ(W().LowPanel->height(), 60);
    EXPECT_EQ(W().WindowHeight(),
              W().Displayer->height() + W().Displayer->y() + W().LowPanel->height() + 30);
    const QFont label = W().SousTitre->font();
    EXPECT_EQ(FontPointSize(label), 12);
    EXPECT_TRUE(label.italic());
    EXPECT_TRUE(label.underline());
    EXPECT_FALSE(label.strikeOut());
    EXPECT_TRUE(label.bold());
    EXPECT_EQ(label.families().front(), DefaultSansFamily());
    EXPECT_EQ(W().SousTitreColor(), yellow);

    EXPECT_EQ(FaceNameOf(W().FullScreenFont), DefaultSansFamily().toStdString());
    EXPECT_EQ(W().FullScreenFont.Height, -16);
    EXPECT_EQ(W().FullScreenFont.Weight, 700);
    EXPECT_EQ(W().FullScreenFont.Italic, 1);
    EXPECT_EQ(W().FullScreenFont.Underline, 1);
    EXPECT_EQ(W().FullScreenFont.StrikeOut, 0);
    EXPECT_EQ(W().ScreenDC->TextColor(), yellow);
    EXPECT_EQ(W().ScreenDC->BandFont().pixelSize(), 16);
}

TEST_F(Commands, EightPointFontLeavesTheSubtitleAreaAsItWas) {
    const int before = W().LowPanel->height();
    ChooseFont(PointFont(8), Qt::white);
    W().Polices1Click();
    EXPECT_EQ(W().LowPanel->height(), before);
    EXPECT_EQ(FontPointSize(W().SousTitre->font()), 8);
    EXPECT_FALSE(W().SousTitre->font().bold());
}

TEST_F(Commands, FontDialogStartsFromTheSubtitleFontAndCancelChangesNothing) {
    ChooseFont(PointFont(20), Qt::green);
    W().Polices1Click();
    const LogFont record = W().FullScreenFont;
    const QFont label = W().SousTitre->font();
    const int lowHeight = W().LowPanel->height();

    FontChoice seen;
    WhenModal<SubtitleFontDialog>([&](SubtitleFontDialog* dialog) {
        seen = dialog->Choice();
        dialog->FontPanel()->setCurrentFont(PointFont(30));
        dialog->reject();
    });
    W().Polices1Click();
    EXPECT_EQ(seen.Font.pointSize(), 20);
    EXPECT_EQ(seen.Color, QColor(Qt::green));
    EXPECT_EQ(std::memcmp(&record, &W().FullScreenFont, sizeof record), 0);
    EXPECT_EQ(W().SousTitre->font(), label);
    EXPECT_EQ(W().LowPanel->height(), lowHeight);
    EXPECT_EQ(W().SousTitreColor(), QColor(Qt::green));
}

TEST_F(Commands, FitToVideoWithoutAPictureKeepsThePictureArea) {
    device_.hasVideo = false;
    OpenThroughDialog(FilmWithSubtitle("sound only"));
    EXPECT_TRUE(W().MovieOpen);
    EXPECT_EQ(W().Displayer->size(), QSize(657, 337));
    EXPECT_EQ(Panel(0), "");
    EXPECT_EQ(W().WindowWidth(), 677);
}

TEST_F(Commands, FitToVideoBoundsAnAbsurdVideoSize) {
    device_.videoWidth = std::numeric_limits<int32_t>::max();
    device_.videoHeight = std::numeric_limits<int32_t>::max();
    OpenThroughDialog(FilmWithSubtitle("huge"));
    EXPECT_EQ(Panel(0), "2147483647 * 2147483647");
    EXPECT_EQ(W().Displayer->size(), QSize(16384, 16384 + 15));
}

class SubtitleFiles : public Commands {
  protected:
    QString Film() { return Path("Movie.avi"); }

    void WriteCandidates(std::initializer_list<const char*> names) {
        WriteFile(Film(), "film");
        for (const char* name : names) WriteFile(Path(name), SrtWith(name));
    }

    void ExpectChecked(int index) {
        for (int i = 0; i < W().FoundSubtitleCount; ++i) {
            EXPECT_EQ(MenuItems()[6 + i]->isChecked(), i == index) << i;
            EXPECT_EQ(PopupItems()[5 + i]->isChecked(), i == index) << i;
        }
    }
};

TEST_F(SubtitleFiles, TwoCandidatesAskAndTheChoiceIsLoadedAndChecked) {
    WriteCandidates({"Movie.en.srt", "Movie.fr.srt"});
    QStringList listed;
    QString preselected;
    WhenModal<TSelectSub>([&](TSelectSub* dialog) {
        for (int i = 0; i < dialog->Count(); ++i) listed << dialog->ComboBox->itemText(i);
        preselected = dialog->ComboBox->currentText();
        dialog->ComboBox->setCurrentIndex(1);
        dialog->ButtonOK->click();
    });
    W().SubtitleSearch(Film().toStdString());

    EXPECT_EQ(listed, (QStringList{Path("Movie.en.srt"), Path("Movie.fr.srt")}));
    EXPECT_EQ(preselected, Path("Movie.en.srt"));
    EXPECT_EQ(TrackText(), "Movie.fr.srt");
    EXPECT_EQ(W().FoundSubtitleCount, 2);
    EXPECT_EQ(W().FoundSubtitleFiles[1], Path("Movie.fr.srt").toStdString());
    ASSERT_EQ(MenuItems().size(), 8);
    ASSERT_EQ(PopupItems().size(), 7);
    EXPECT_EQ(MenuItems()[6]->text(), Path("Movie.en.srt"));
    EXPECT_EQ(PopupItems()[6]->text(), Path("Movie.fr.srt"));
    EXPECT_TRUE(MenuItems()[7]->actionGroup()->isExclusive());
    ExpectChecked(1);
}

TEST_F(SubtitleFiles, AutoSelectLoadsTheFirstWithoutAsking) {
    ChangeSettings([](Settings& s) { s.AutoSelect = true; });
    WriteCandidates({"Movie.en.srt", "Movie.fr.srt"});
    auto asked = WhenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
    W().SubtitleSearch(Film().toStdString());
    EXPECT_FALSE(*asked);
    EXPECT_EQ(TrackText(), "Movie.en.srt");
    ASSERT_EQ(MenuItems().size(), 8);
    ExpectChecked(0);
}

TEST_F(SubtitleFiles, OneCandidateLoadsAtOnceAndRemovesEarlierItems) {
    WriteCandidates({"Movie.en.srt", "Movie.fr.srt", "Movie.sub"});
    WhenModal<TSelectSub>([](TSelectSub* dialog) { dialog->ButtonOK->click(); });
    W().SubtitleSearch(Film().toStdString());
    ASSERT_EQ(MenuItems().size(), 9);

    WriteFile(Path("Other.avi"), "film");
    WriteFile(Path("Other.srt"), SrtWith("only one"));
    auto asked = WhenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
    W().SubtitleSearch(Path("Other.avi").toStdString());
    EXPECT_FALSE(*asked);
    EXPECT_EQ(TrackText(), "only one");
    EXPECT_EQ(W().FoundSubtitleCount, 1);
    EXPECT_EQ(MenuItems().size(), 6);
    EXPECT_EQ(PopupItems().size(), 5);
    EXPECT_EQ(MenuItems()[4], W().Polices1);
    EXPECT_EQ(PopupItems()[4], W().N3);
}

TEST_F(SubtitleFiles, NextSearchReplacesTheItems) {
    WriteCandidates({"Movie.a.srt", "Movie.b.srt", "Movie.c.srt"});
    WhenModal<TSelectSub>([](TSelectSub* dialog) { dialog->ButtonOK->click(); });
    W().SubtitleSearch(Film().toStdString());
    ASSERT_EQ(MenuItems().size(), 9);

    WriteFile(Path("Next.avi"), "film");
    WriteFile(Path("Next.1.srt"), SrtWith("1"));
    WriteFile(Path("Next.2.srt"), SrtWith("2"));
    WhenModal<TSelectSub>([](TSelectSub* dialog) { dialog->ButtonOK->click(); });
    W().SubtitleSearch(Path("Next.avi").toStdString());
    ASSERT_EQ(MenuItems().size(), 8);
    ASSERT_EQ(PopupItems().size(), 7);
    EXPECT_EQ(MenuItems()[6]->text(), Path("Next.1.srt"));
    EXPECT_EQ(MenuItems()[7]->text(), Path("Next.2.srt"));
    EXPECT_EQ(PopupItems()[5]->text(), Path("Next.1.srt"));
    ExpectChecked(0);
}

TEST_F(SubtitleFiles, NothingFoundOffersTheFileDialogAndCancelLoadsNothing) {
    WriteFile(Film(), "film");
    WriteFile(Path("elsewhere.srt"), SrtWith("kept"));
    W().LoadSubtitleFile(Path("elsewhere.srt").toStdString(), W().Track);
    ChangeSettings(
        [](Settings& s) { s.SubtitleFormat[static_cast<size_t>(SubtitleFormat::Sub)] = false; });

    QStringList filters;
    QString directory;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        directory = dialog->directory().absolutePath();
        Cancel(dialog);
    });
    W().SubtitleSearch(Film().toStdString());
    EXPECT_EQ(filters, QStringList{"Subtitles Files (*.srt)"});
    EXPECT_EQ(directory, QDir(dir_.path()).absolutePath());
    EXPECT_TRUE(W().SubtitleFormatUnknown);
    EXPECT_EQ(TrackText(), "kept");
    EXPECT_EQ(W().FoundSubtitleCount, 0);
    EXPECT_EQ(MenuItems().size(), 6);
}

TEST_F(SubtitleFiles, NothingFoundAndAFileChosenInTheDialogLoadsIt) {
    WriteFile(Film(), "film");
    WriteFile(Path("unrelated.srt"), SrtWith("picked"));
    WhenModal<QFileDialog>(
        [this](QFileDialog* dialog) { ChooseFile(dialog, Path("unrelated.srt")); });
    W().SubtitleSearch(Film().toStdString());
    EXPECT_EQ(TrackText(), "picked");
    EXPECT_FALSE(W().SubtitleFormatUnknown);
}

TEST_F(SubtitleFiles, PathsWithAmpersandsShowExactlyAndLoadWhenClicked) {
    WriteCandidates({"Movie & Co.srt", "Movie && more.srt"});
    WhenModal<TSelectSub>([](TSelectSub* dialog) { dialog->ButtonOK->click(); });
    W().SubtitleSearch(Film().toStdString());
    ASSERT_EQ(MenuItems().size(), 8);
    EXPECT_EQ(MenuItems()[6]->text(), Path("Movie && Co.srt"));
    EXPECT_EQ(MenuItems()[7]->text(), Path("Movie &&&& more.srt"));
    EXPECT_EQ(MenuItems()[7]->iconText(), Path("Movie && more.srt"));
    EXPECT_EQ(MenuItems()[7]->data().toByteArray(), Path("Movie && more.srt").toUtf8());

    PopupItems()[6]->trigger();
    EXPECT_EQ(TrackText(), "Movie && more.srt");
    ExpectChecked(1);

    MenuItems()[6]->trigger();
    EXPECT_EQ(TrackText(), "Movie & Co.srt");
    ExpectChecked(0);
    MenuItems()[6]->trigger();
    ExpectChecked(0);
}

TEST_F(SubtitleFiles, OpenAnotherFileUsesTheSubtitleFilterAndLoadsTheChoice) {
    device_.frameRate = 0;
    WriteFile(Path("any name.sub"), "{10}{20}Frames\r\n");
    QStringList filters;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        ChooseFile(dialog, Path("any name.sub"));
    });
    W().OpenSubFile->trigger();
    EXPECT_EQ(filters, QStringList{"Subtitles Files (*.sub *.srt)"});
    EXPECT_EQ(TrackText(), "Frames");
    EXPECT_EQ(Panel(4), "FrameRate = 23976");

    WhenModal<QFileDialog>([](QFileDialog* dialog) { Cancel(dialog); });
    W().OpenSubFileClick();
    EXPECT_EQ(TrackText(), "Frames");
}

}  // namespace
}  // namespace orvalen::testing
