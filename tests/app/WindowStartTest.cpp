#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QSlider>
#include <QUrl>

#include "app/window/FullScreenView.h"
#include "app/window/StatusBar.h"
#include "app/window/VideoPanel.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {
namespace {

class WindowStart : public WindowTest {
  protected:
    // "My Film.avi" with "My Film.srt" beside it, and settings that search there for SubRip.
    QString FilmWithSubtitles() {
        WriteFile(Path("My Film.avi"), "not really a film");
        WriteFile(Path("My Film.srt"),
                  "1\r\n00:00:01,000 --> 00:00:03,000\r\nHello\r\n\r\n"
                  "2\r\n00:00:04,000 --> 00:00:06,000\r\nWorld\r\n\r\n");
        return Path("My Film.avi");
    }

    MainWindow& StartWith(const QString& film) {
        MakeWindow({film, "ignored second parameter"});
        return SearchBesideTheFilmAndShow();
    }

    MainWindow& SearchBesideTheFilmAndShow() {
        ChangeSettings([](Settings& settings) {
            settings.CurrentDir = true;
            settings.SubtitleFormat[static_cast<size_t>(SubtitleFormat::Srt)] = true;
        });
        ShowWindow();
        return *window_;
    }
};

TEST_F(WindowStart, TheCommandLineFilmOpensFindsItsSubtitlesAndPlays) {
    device_.length = 95 * 60000 + 999;
    MainWindow& w = StartWith(FilmWithSubtitles());
    EXPECT_FALSE(View().FirstShow);
    EXPECT_TRUE(Film().Open);
    EXPECT_EQ(device_.openedPath, Path("My Film.avi").toStdString());
    EXPECT_EQ(Film().Path, Path("My Film.avi").toStdString());
    EXPECT_EQ(Ui().PositionSlider->maximum(), 5700);
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Length), "1:35:00");
    EXPECT_EQ(FoundCount(), 1);
    EXPECT_EQ(Subs().Track.Count, 2);
    EXPECT_EQ(device_.playCalls, 1);
    EXPECT_EQ(device_.speed, 1.0);
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::PictureSize), "320 * 240");
    EXPECT_EQ(Ui().VideoArea->size(), QSize(320, 255));
    EXPECT_EQ(w.windowTitle(), "Orvalen") << "the command-line open keeps the caption";
    EXPECT_TRUE(messages_.empty());

    TickAt(2000);
    EXPECT_EQ(LabelText(), "Hello");
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Mode), "playing");
}

TEST_F(WindowStart, ALaterShowDoesNotOpenTheFilmAgain) {
    MainWindow& w = StartWith(FilmWithSubtitles());
    ASSERT_EQ(device_.playCalls, 1);
    w.hide();
    w.show();
    QApplication::processEvents();
    w.OpenCommandLineFilm();
    EXPECT_EQ(device_.playCalls, 1);
}

TEST_F(WindowStart, AFilmThatWillNotOpenLeavesAnEmptyWindowAndSaysWhy) {
    device_.openSucceeds = false;
    device_.openError = "No such file or directory";
    const QString film = FilmWithSubtitles();
    StartWith(film);
    EXPECT_FALSE(View().FirstShow);
    EXPECT_FALSE(Film().Open);
    EXPECT_TRUE(Film().Path.empty());
    EXPECT_EQ(Subs().Track.Count, 0);
    EXPECT_EQ(device_.playCalls, 0);
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Length), "");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "Cannot open the film \"" + film + "\":\nNo such file or directory.");
}

TEST_F(WindowStart, WithoutAParameterNothingOpens) {
    MainWindow& w = MakeWindow();
    ShowWindow();
    w.OpenCommandLineFilm();
    EXPECT_FALSE(Film().Open);
    EXPECT_TRUE(device_.openedPath.empty());
}

class WindowDrop : public WindowStart {
  protected:
    void Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window_, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_, &drop);
    }
};

TEST_F(WindowDrop, AFilmOpensAsOpenWould) {
    MakeWindow();
    MainWindow& w = SearchBesideTheFilmAndShow();
    const QString film = FilmWithSubtitles();
    Drop({QUrl::fromLocalFile(film)});
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(Film().Open);
    EXPECT_EQ(device_.openedPath, film.toStdString());
    EXPECT_EQ(w.windowTitle(), "Orvalen - " + film);
    EXPECT_EQ(Subs().Track.Count, 2);
    EXPECT_EQ(device_.playCalls, 1);
}

TEST_F(WindowDrop, ASubtitleFileLoadsIntoTheTrack) {
    MakeWindow();
    SearchBesideTheFilmAndShow();
    WriteFile(Path("other.vtt"), "WEBVTT\n\n00:01.000 --> 00:02.000\n<i>Dropped</i>\n");
    Drop({QUrl::fromLocalFile(Path("other.vtt"))});
    EXPECT_TRUE(messages_.empty());
    ASSERT_EQ(Subs().Track.Count, 1);
    EXPECT_EQ(Subs().Markup, MarkupFamily::WebVtt);
    EXPECT_FALSE(Film().Open);
}

TEST_F(WindowDrop, AnythingElseOrSeveralFilesAreRefusedWithAMessage) {
    MakeWindow();
    SearchBesideTheFilmAndShow();
    const QString film = FilmWithSubtitles();
    WriteFile(Path("notes.nfo"), "text");
    QDir(dir_.path()).mkdir("folder.avi");
    const QList<QList<QUrl>> drops = {
        {QUrl::fromLocalFile(Path("notes.nfo"))},
        {QUrl::fromLocalFile(film), QUrl::fromLocalFile(Path("My Film.srt"))},
        {QUrl::fromLocalFile(Path("folder.avi"))},
        {QUrl::fromLocalFile(Path("missing.avi"))},
        {QUrl("https://example.com/film.mkv")},
    };
    for (const QList<QUrl>& urls : drops) {
        messages_.clear();
        Drop(urls);
        ASSERT_EQ(messages_.size(), 1u) << urls.front().toString().toStdString();
        EXPECT_EQ(messages_[0], "Sorry ! This function is not implemented yet.");
    }
    EXPECT_FALSE(Film().Open);
    EXPECT_TRUE(device_.openedPath.empty());
    EXPECT_EQ(Subs().Track.Count, 0);
}

TEST_F(WindowStart, DisplayerPaintsTheDevicesPicture) {
    MainWindow& w = StartWith(FilmWithSubtitles());
    device_.frameColor = 0xff20c040;
    ASSERT_TRUE(device_.frameReady);
    device_.frameReady();
    // In the window itself, where the picture is drawn straight into the window's pixels...
    const QRect panel(Ui().VideoArea->mapTo(&w, QPoint(0, 0)), Ui().VideoArea->size());
    EXPECT_TRUE(PollUntil([&] {
        const QImage window = QGuiApplication::primaryScreen()->grabWindow(w.winId()).toImage();
        return window.pixel(panel.topLeft()) == 0xff20c040 &&
               window.pixel(panel.bottomRight()) == 0xff20c040 &&
               window.pixel(panel.topLeft() - QPoint(1, 1)) != 0xff20c040 &&
               window.pixel(panel.bottomRight() + QPoint(1, 1)) != 0xff20c040;
    }));
    // ...and when the panel is painted anywhere else.
    const QImage shown = Ui().VideoArea->grab().toImage();
    EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2), 0xff20c040);
}

TEST_F(WindowStart, DisplayerIsBlackWithoutAPicture) {
    MakeWindow();
    ShowWindow();
    const QImage shown = Ui().VideoArea->grab().toImage();
    EXPECT_EQ(shown.pixel(10, 10), 0xff000000);
}

class WindowFullScreen : public WindowStart {
  protected:
    MainWindow& PlayFullScreen() {
        MainWindow& w = StartWith(FilmWithSubtitles());
        TickAt(500);
        w.ToggleFullScreen();
        return w;
    }
};

TEST_F(WindowFullScreen, TheBandShowsTheSubtitleAndTheWindowStaysFrozen) {
    PlayFullScreen();
    ASSERT_TRUE(View().FullScreenPlaying);
    ASSERT_TRUE(Ui().FullScreenWindow->isVisible());
    EXPECT_EQ(Ui().FullScreenWindow->geometry(), QGuiApplication::primaryScreen()->geometry());

    device_.mode = "paused";
    TickAt(2000);
    EXPECT_EQ(Ui().FullScreenWindow->BandText(), "Hello");
    EXPECT_EQ(LabelText(), "");
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Mode), "playing");
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Position), "0:00:00");
    EXPECT_EQ(Ui().PositionSlider->value(), 0);

    TickAt(3500);
    EXPECT_EQ(Ui().FullScreenWindow->BandText(), "") << "blanked between subtitles";
    TickAt(4500);
    EXPECT_EQ(Ui().FullScreenWindow->BandText(), "World");
}

TEST_F(WindowFullScreen, TheBandIsBlackWithTheTextInTheSubtitleColour) {
    WriteFile(ConfigPath(), "[Font]\nColor=65535\nSize=20\nBold=1\n");  // yellow
    PlayFullScreen();
    device_.frameColor = 0xff3060a0;
    TickAt(2000);
    ASSERT_TRUE(PollUntil([&] { return Ui().FullScreenWindow->BandText() == "Hello"; }));
    const QImage screen = Ui().FullScreenWindow->grab().toImage();
    const ScreenRect band = View().FullScreenRect;
    EXPECT_EQ(screen.pixel(screen.width() / 2, band.Top / 2), 0xff3060a0) << "the film above";
    EXPECT_EQ(screen.pixel(2, band.Top + 2), 0xff000000) << "the band is black";
    EXPECT_EQ(screen.pixel(2, band.Bottom - 2), 0xff000000);
    int yellow = 0;
    int textLeft = screen.width();
    int textRight = 0;
    for (int y = band.Top; y < band.Bottom; ++y) {
        for (int x = 0; x < screen.width(); ++x) {
            const QColor c = screen.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() < 80) {
                ++yellow;
                textLeft = std::min(textLeft, x);
                textRight = std::max(textRight, x);
            }
        }
    }
    EXPECT_GT(yellow, 30);
    EXPECT_NEAR((textLeft + textRight) / 2, screen.width() / 2, 10) << "each line is centred";
    EXPECT_EQ(screen.pixel(2, band.Bottom + 4), 0xff3060a0) << "nothing below the band";
}

TEST_F(WindowFullScreen, LeavingRepaintsTheWindowWhichResumesWindowedPlayback) {
    MainWindow& w = PlayFullScreen();
    const int playsBefore = device_.playCalls;
    w.LeaveFullScreen();
    EXPECT_FALSE(Ui().FullScreenWindow->isVisible());
    ASSERT_TRUE(PollUntil([&] { return !View().FullScreenPlaying; }));
    EXPECT_EQ(device_.playCalls, playsBefore + 1);
    TickAt(2000);
    EXPECT_EQ(LabelText(), "Hello");
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Position), "0:00:02");
}

TEST_F(WindowFullScreen, EscapeDoubleClickAndAltEnterLeave) {
    MainWindow& w = PlayFullScreen();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(Ui().FullScreenWindow, &escape);
    EXPECT_FALSE(Ui().FullScreenWindow->isVisible());
    ASSERT_TRUE(PollUntil([&] { return !View().FullScreenPlaying; }));

    w.ToggleFullScreen();
    QKeyEvent altEnter(QEvent::KeyPress, Qt::Key_Return, Qt::AltModifier);
    QApplication::sendEvent(Ui().FullScreenWindow, &altEnter);
    EXPECT_FALSE(Ui().FullScreenWindow->isVisible());
    ASSERT_TRUE(PollUntil([&] { return !View().FullScreenPlaying; }));

    w.ToggleFullScreen();
    ASSERT_TRUE(Ui().FullScreenWindow->isVisible());
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Ui().FullScreenWindow, &click);
    EXPECT_FALSE(Ui().FullScreenWindow->isVisible());
    ASSERT_TRUE(PollUntil([&] { return !View().FullScreenPlaying; }));
}

TEST_F(WindowFullScreen, APaintWhileTheFilmCoversTheScreenChangesNothing) {
    MainWindow& w = PlayFullScreen();
    const int playsBefore = device_.playCalls;
    w.ResumeAfterFullScreen();
    w.repaint();
    EXPECT_TRUE(View().FullScreenPlaying);
    EXPECT_EQ(device_.playCalls, playsBefore);
}

TEST_F(WindowFullScreen, AnUnknownFormatKeepsTheWindowedBranch) {
    MainWindow& w = PlayFullScreen();
    w.LoadSubtitleFile("", Subs().Track);
    ASSERT_TRUE(Subs().FormatUnknown);
    TickAt(7000);
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Position), "0:00:07");
    EXPECT_EQ(Ui().FullScreenWindow->BandText(), "");
}

}  // namespace
}  // namespace orvalen::testing
