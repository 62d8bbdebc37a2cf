#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QToolBar>

#include "app/FullScreenView.h"
#include "app/ImageList.h"
#include "app/StatusBar.h"
#include "app/VideoPanel.h"
#include "settings/IniFile.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {
namespace {

using WindowCreate = WindowTest;

TEST_F(WindowCreate, HasTheFixedClientAreaCaptionAndControls) {
    MakeWindow();
    MainWindow& w = *window_;
    EXPECT_EQ(w.windowTitle(), "Orvalen");
    EXPECT_EQ(w.ClientArea->size(), QSize(678, 440));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w.VideoArea->geometry(), QRect(8, 32, 657, 337));
    EXPECT_EQ(w.SubtitlePanel->geometry(), QRect(0, 440 - 58, 678, 58));
    EXPECT_EQ(w.StatusArea->height(), 16);
    EXPECT_EQ(w.StatusArea->geometry().bottom(), w.SubtitlePanel->height() - 1);
    EXPECT_EQ(w.SubtitleLabel->y(), 0);
    EXPECT_EQ(w.SubtitleLabel->width(), 678);
    EXPECT_TRUE(w.SubtitleLabel->wordWrap());
    EXPECT_TRUE(w.SubtitleLabel->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(w.PositionSlider->minimum(), 0);
    EXPECT_EQ(w.PositionSlider->maximum(), 1000);
    EXPECT_EQ(w.PositionSlider->value(), 0);
    EXPECT_EQ(w.PositionSlider->size(), QSize(241, 22));
    EXPECT_EQ(w.ClockTimer->interval(), 50);
    EXPECT_EQ(w.Track.Count, 0);
    EXPECT_EQ(w.MergeTrack.Count, 0);
}

TEST_F(WindowCreate, StateStartsAsDeclared) {
    MainWindow& w = MakeWindow();
    EXPECT_FALSE(w.MovieOpen);
    EXPECT_FALSE(w.FullScreenPlaying);
    EXPECT_FALSE(w.SubtitleFormatUnknown);
    EXPECT_FALSE(w.SliderMovedByUser);
    EXPECT_EQ(w.LastSliderPosition, 0);
    EXPECT_FALSE(w.ResyncActive);
    EXPECT_FALSE(w.MergeActive);
    EXPECT_TRUE(w.FirstShow);
    EXPECT_EQ(w.FrameRate, 0);
    EXPECT_EQ(w.ResyncCount, 0);
    EXPECT_EQ(w.FoundSubtitleCount, 0);
    EXPECT_TRUE(w.MoviePath.empty());
}

TEST_F(WindowCreate, TheClockRunsFromCreation) {
    MakeWindows(std::make_unique<FakeMediaDevice>(device_), {});
    EXPECT_TRUE(window_->ClockTimer->isActive());
}

TEST_F(WindowCreate, FullScreenRectIsTheBandAboveTheBottomOfTheScreen) {
    MainWindow& w = MakeWindow();
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(w.FullScreenRect,
              (ScreenRect{0, screen.height() - 90, screen.width(), screen.height() - 14}));
    EXPECT_EQ(w.FullScreenWindow->Band(), w.FullScreenRect);
}

struct ItemRow {
    const char* name;
    QAction* MainWindow::*item;
    const char* caption;
    const char* hint;
    QKeySequence shortcut;
    int image;
};

TEST_F(WindowCreate, MenuItemsCarryTheirCaptionsHintsShortcutsAndImages) {
    MainWindow& w = MakeWindow();
    const std::vector<ItemRow> rows = {
        {"Ouvrir", &MainWindow::OpenFilmItem, "Open", "Open a movie", QKeySequence("Ctrl+O"), 5},
        {"Fermer", &MainWindow::CloseFilmItem, "Close", "Close the opened movie", {}, -1},
        {"Quitter", &MainWindow::QuitItem, "Exit", "Exit Orvalen", QKeySequence("Ctrl+Q"), 7},
        {"Fullscreen", &MainWindow::FullScreenItem, "Full Screen", "Play the movie in fullscreen",
         QKeySequence(Qt::ALT | Qt::Key_Return), 6},
        {"BarreOutil", &MainWindow::ToolBarItem, "ToolBar", "Show/Hide the Toolbar", {}, -1},
        {"StateBarre",
         &MainWindow::StatusBarItem,
         "Status Bar",
         "Show/Hide the Status Bar",
         {},
         -1},
        {"Configuration", &MainWindow::ConfigurationItem, "Configuration",
         "Display the configuration window for Orvalen", QKeySequence("Alt+O"), 8},
        {"Lecture", &MainWindow::PlayItem, "Play", "Play the movie", {}, 2},
        {"Stop", &MainWindow::StopItem, "Stop", "Stop playing", {}, 4},
        {"Pause", &MainWindow::PauseItem, "Pause", "Pause", {}, 1},
        {"AvanceRapide", &MainWindow::FastForwardItem, "Forward", "Play 2x", {}, 0},
        {"Retour", &MainWindow::BackOneMinuteItem, "Backward", "Back 1 minute", {}, 3},
        {"OpenSubFile",
         &MainWindow::OpenSubtitleFileItem,
         "Open another file",
         "Open another subtitle file",
         {},
         13},
        {"AutoResync", &MainWindow::ResynchronisationItem, "Resynchronisation",
         "Resynchronize a subtitle", QKeySequence("Ctrl+R"), 14},
        {"MergeFile", &MainWindow::MergeItem, "Merge a file", "Merge a subtitle file",
         QKeySequence("Ctrl+M"), 12},
        {"Sauvegarder", &MainWindow::SaveItem, "Save", "Save the subtitle in SubRip (.srt) format",
         QKeySequence("Ctrl+S"), 11},
        {"Polices1", &MainWindow::FontsItem, "Fonts", "Configure the font of the subtitles", {}, 9},
        {"PopupLecPause", &MainWindow::PopupPlayPauseItem, "Play", "Play/Pause the movie", {}, 2},
        {"PopupStop", &MainWindow::PopupStopItem, "Stop", "Stop playing", {}, 4},
        {"PopupFullscreen",
         &MainWindow::PopupFullScreenItem,
         "Full Screen",
         "Play the movie in fullscreen",
         {},
         6},
    };
    for (const ItemRow& row : rows) {
        const QAction* item = w.*(row.item);
        ASSERT_NE(item, nullptr) << row.name;
        EXPECT_EQ(item->text(), row.caption) << row.name;
        EXPECT_EQ(item->statusTip(), row.hint) << row.name;
        EXPECT_EQ(item->shortcut(), row.shortcut) << row.name;
        EXPECT_EQ(ImageIndex(item), row.image) << row.name;
    }
    EXPECT_EQ(w.AboutItem->text(), "&About ...");
}

TEST_F(WindowCreate, MenusHoldTheirItemsInOrder) {
    MainWindow& w = MakeWindow();
    EXPECT_EQ(w.FileMenu->title(), "&File");
    EXPECT_EQ(w.ViewMenu->title(), "&View");
    EXPECT_EQ(w.CommandMenu->title(), "&Command");
    EXPECT_EQ(w.SubtitlesMenu->title(), "&Subtitles");
    EXPECT_EQ(w.FileMenu->actions(),
              (QList<QAction*>{w.OpenFilmItem, w.CloseFilmItem, w.QuitItem}));
    EXPECT_EQ(
        w.ViewMenu->actions(),
        (QList<QAction*>{w.FullScreenItem, w.ViewBarsSeparator, w.ToolBarItem, w.StatusBarItem,
                         w.ViewConfigurationSeparator, w.ConfigurationItem}));
    EXPECT_EQ(w.CommandMenu->actions(), (QList<QAction*>{w.PlayItem, w.StopItem, w.PauseItem,
                                                         w.FastForwardItem, w.BackOneMinuteItem}));
    // The found subtitle files are added from position 6 of this menu and 5 of the popup.
    EXPECT_EQ(w.SubtitlesMenu->actions(),
              (QList<QAction*>{w.OpenSubtitleFileItem, w.ResynchronisationItem, w.MergeItem,
                               w.SaveItem, w.FontsItem, w.SubtitleFilesSeparator}));
    EXPECT_EQ(w.PopupMenu->actions(),
              (QList<QAction*>{w.PopupPlayPauseItem, w.PopupStopItem, w.PopupFullScreenSeparator,
                               w.PopupFullScreenItem, w.PopupFilesSeparator}));
    for (QAction* separator :
         {w.PopupFullScreenSeparator, w.SubtitleFilesSeparator, w.PopupFilesSeparator,
          w.ViewBarsSeparator, w.ViewConfigurationSeparator})
        EXPECT_TRUE(separator->isSeparator());
    EXPECT_TRUE(w.ToolBarItem->isCheckable());
    EXPECT_TRUE(w.StatusBarItem->isCheckable());
}

TEST_F(WindowCreate, CommandsNotBuiltYetAreDisabled) {
    MainWindow& w = MakeWindow();
    EXPECT_FALSE(w.ResynchronisationItem->isEnabled());
    EXPECT_FALSE(w.MergeItem->isEnabled());
    EXPECT_FALSE(w.SaveItem->isEnabled());
    EXPECT_TRUE(w.OpenSubtitleFileItem->isEnabled());
    EXPECT_TRUE(w.FontsItem->isEnabled());
}

TEST_F(WindowCreate, ToolBarButtonsInOrderWithTheirHintsAndImages) {
    MainWindow& w = MakeWindow();
    struct Button {
        QAction* action;
        const char* hint;
        int image;
        QAction* runs;
    };
    const std::vector<Button> buttons = {
        {w.OpenFilmButton, "Ouvrir un fichier Vidéo", 5, w.OpenFilmItem},
        {w.QuitButton, "Quitter Orvalen", 7, w.QuitItem},
        {w.ConfigurationButton, "Affiche la fenêtre de configuration de Orvalen", 8,
         w.ConfigurationItem},
        {w.BackOneMinuteButton, "Retour Rapide", 3, w.BackOneMinuteItem},
        {w.PlayButton, "Lecture du fichier Vidéo", 2, w.PlayItem},
        {w.PauseButton, "Pause", 1, w.PauseItem},
        {w.StopButton, "Arrêt de la lecture", 4, w.StopItem},
        {w.FastForwardButton, "Avance Rapide", 0, w.FastForwardItem},
        {w.MuteButton, "Sound On/Off", 15, nullptr},
    };
    // Open, Play without a film and Configuration show modal dialogs: close each at once.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    closer.start(5);
    for (const Button& button : buttons) {
        EXPECT_EQ(button.action->toolTip(), QString::fromUtf8(button.hint));
        EXPECT_EQ(ImageIndex(button.action), button.image) << button.hint;
        if (!button.runs) continue;
        int runs = 0;
        QObject::connect(button.runs, &QAction::triggered, [&runs] { ++runs; });
        button.action->trigger();
        EXPECT_EQ(runs, 1) << button.hint;
    }
    const QList<QAction*> order = w.ToolBar->actions();
    ASSERT_EQ(order.size(), 13);
    EXPECT_EQ(order[0], w.OpenFilmButton);
    EXPECT_EQ(order[2], w.FileButtonsSeparator);
    EXPECT_EQ(order[4], w.TransportSeparator);
    EXPECT_EQ(order[9], w.FastForwardButton);
    EXPECT_EQ(w.ToolBar->widgetForAction(order[10]), w.PositionSlider);
    EXPECT_EQ(order[11], w.SoundSeparator);
    EXPECT_EQ(order[12], w.MuteButton);
}

int DifferentPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
    }
    return count;
}

TEST(ImageListTest, SeventeenImagesOfSixteenPixelsTheSoundImagesClearlyApart) {
    QApplication::instance();
    for (int i = 0; i < ImageCount; ++i) EXPECT_EQ(ImageListImage(i).size(), QSize(16, 16));
    EXPECT_GT(DifferentPixels(ImageListImage(15), ImageListImage(16)), 20);
    EXPECT_GT(DifferentPixels(ImageListImage(1), ImageListImage(2)), 20);
}

TEST_F(WindowCreate, WithoutConfigIniBothBarsAreHiddenAndUnchecked) {
    MainWindow& w = MakeWindow();
    EXPECT_FALSE(w.StatusBarItem->isChecked());
    EXPECT_TRUE(w.StatusArea->isHidden());
    EXPECT_FALSE(w.ToolBarItem->isChecked());
    EXPECT_TRUE(w.ToolBar->isHidden());
}

TEST_F(WindowCreate, WithoutConfigIniTheFontIsTheDefault) {
    MainWindow& w = MakeWindow();
    const QFont font = w.SubtitleLabel->font();
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_FALSE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_EQ(w.SubtitleLabelColor(), QColor(Qt::black));
    // Black on the black panel would hide every subtitle: it is shown in white.
    EXPECT_EQ(w.SubtitleLabel->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(w.FullScreenFont.Weight, 400);
    EXPECT_EQ(w.FullScreenFont.Height, -13);
    EXPECT_EQ(w.FullScreenFont.Italic, 0);
    EXPECT_EQ(FaceNameOf(w.FullScreenFont), DefaultSansFamily().toStdString());
}

TEST_F(WindowCreate, ConfigIniSetsTheBarsAndTheFont) {
    WriteFile(ConfigPath(),
              "[General]\r\nStateBarre=1\r\nToolBarre=2\r\n"
              "[Font]\r\nName=DejaVu Serif\r\nColor=255\r\nSize=12\r\nHeight=-20\r\nPitch=2\r\n"
              "Italic=1\r\nUnderline=1\r\nStrikeOut=0\r\nBold=1\r\n");
    MainWindow& w = MakeWindow();
    EXPECT_TRUE(w.StatusBarItem->isChecked());
    EXPECT_FALSE(w.StatusArea->isHidden());
    EXPECT_TRUE(w.ToolBarItem->isChecked());
    EXPECT_FALSE(w.ToolBar->isHidden());

    const QFont font = w.SubtitleLabel->font();
    EXPECT_EQ(font.families().front(), "DejaVu Serif");
    EXPECT_EQ(font.pixelSize(), 20) << "Height is applied after Size and decides";
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_EQ(w.SubtitleLabelColor(), QColor(255, 0, 0));

    EXPECT_EQ(w.FullScreenFont.Weight, 800);
    EXPECT_EQ(w.FullScreenFont.Height, -20);
    EXPECT_EQ(w.FullScreenFont.PitchAndFamily, 2);
    EXPECT_EQ(w.FullScreenFont.Italic, 1);
    EXPECT_EQ(w.FullScreenFont.Underline, 1);
    EXPECT_EQ(w.FullScreenFont.StrikeOut, 0);
    EXPECT_EQ(FaceNameOf(w.FullScreenFont), "DejaVu Serif");
    EXPECT_EQ(w.FullScreenWindow->BandFont().pixelSize(), 20);
    EXPECT_TRUE(w.FullScreenWindow->BandFont().bold());
    EXPECT_EQ(w.FullScreenWindow->TextColor(), QColor(255, 0, 0));
}

TEST_F(WindowCreate, ABrokenConfigIniGivesTheDefaults) {
    WriteFile(ConfigPath(), std::string("\x00\xff[General\nStateBarre=yes\n[Font]\nSize=x\n", 40));
    MainWindow& w = MakeWindow();
    EXPECT_FALSE(w.StatusBarItem->isChecked());
    EXPECT_EQ(w.SubtitleLabel->font().pixelSize(), 13);
}

TEST_F(WindowCreate, DestroyWritesTheTwoBarsAndClosesTheFilm) {
    WriteFile(ConfigPath(), "[General]\nStateBarre=1\nToolBarre=0\nDelay=300\n");
    MainWindow& w = MakeWindow();
    w.StatusBarItem->setChecked(false);
    w.ToolBarItem->setChecked(true);
    w.MovieOpen = true;
    device_.open = true;
    DestroyWindow();
    EXPECT_EQ(device_.closeCalls, 1);
    EXPECT_EQ(device_.shutdownCalls, 1);
    const IniFile ini(ConfigPath().toStdString());
    EXPECT_EQ(ini.ReadString("General", "StateBarre", "?"), "0");
    EXPECT_EQ(ini.ReadString("General", "ToolBarre", "?"), "1");
    EXPECT_EQ(ini.ReadInteger("General", "Delay", 0), 300) << "other keys are kept";
    EXPECT_TRUE(messages_.empty());
}

TEST_F(WindowCreate, DestroyWithoutAFilmClosesNoDevice) {
    MakeWindow();
    DestroyWindow();
    EXPECT_EQ(device_.closeCalls, 0);
    const IniFile ini(ConfigPath().toStdString());
    EXPECT_EQ(ini.ReadString("General", "StateBarre", "?"), "0");
    EXPECT_EQ(ini.ReadString("General", "ToolBarre", "?"), "0");
}

TEST_F(WindowCreate, AnUnwritableConfigIniIsReportedAtExit) {
    const QString blocked = Path("blocked");
    WriteFile(blocked, "not a directory");
    qputenv("ORVALEN_CONFIG", (blocked + "/Config.ini").toLocal8Bit());
    MakeWindow();
    DestroyWindow();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "Impossible d'écrire dans " + blocked + "/Config.ini");
}

}  // namespace
}  // namespace orvalen::testing
