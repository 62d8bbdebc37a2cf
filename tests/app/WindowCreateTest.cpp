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
    EXPECT_EQ(Ui().ClientArea->size(), QSize(678, 440));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(Ui().VideoArea->geometry(), QRect(8, 32, 657, 337));
    EXPECT_EQ(Ui().SubtitlePanel->geometry(), QRect(0, 440 - 58, 678, 58));
    EXPECT_EQ(Ui().StatusArea->height(), 16);
    EXPECT_EQ(Ui().StatusArea->geometry().bottom(), Ui().SubtitlePanel->height() - 1);
    EXPECT_EQ(Ui().SubtitleLabel->y(), 0);
    EXPECT_EQ(Ui().SubtitleLabel->width(), 678);
    EXPECT_TRUE(Ui().SubtitleLabel->wordWrap());
    EXPECT_TRUE(Ui().SubtitleLabel->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(Ui().PositionSlider->minimum(), 0);
    EXPECT_EQ(Ui().PositionSlider->maximum(), 1000);
    EXPECT_EQ(Ui().PositionSlider->value(), 0);
    EXPECT_EQ(Ui().PositionSlider->size(), QSize(241, 22));
    EXPECT_EQ(Ui().ClockTimer->interval(), 50);
    EXPECT_EQ(Subs().Track.Count, 0);
    EXPECT_EQ(Subs().MergeTrack.Count, 0);
}

TEST_F(WindowCreate, StateStartsAsDeclared) {
    MakeWindow();
    EXPECT_FALSE(Film().Open);
    EXPECT_FALSE(View().FullScreenPlaying);
    EXPECT_FALSE(Subs().FormatUnknown);
    EXPECT_FALSE(View().SliderMovedByUser);
    EXPECT_EQ(View().LastSliderPosition, 0);
    EXPECT_FALSE(Subs().ResyncActive);
    EXPECT_FALSE(Subs().MergeActive);
    EXPECT_TRUE(View().FirstShow);
    EXPECT_EQ(Film().FrameRate, 0);
    EXPECT_EQ(Subs().ResyncCount, 0);
    EXPECT_EQ(FoundCount(), 0);
    EXPECT_TRUE(Film().Path.empty());
}

TEST_F(WindowCreate, TheClockRunsFromCreation) {
    MakeWindows(std::make_unique<FakeMediaDevice>(device_), {});
    EXPECT_TRUE(Ui().ClockTimer->isActive());
}

TEST_F(WindowCreate, FullScreenRectIsTheBandAboveTheBottomOfTheScreen) {
    MakeWindow();
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(View().FullScreenRect,
              (ScreenRect{0, screen.height() - 90, screen.width(), screen.height() - 14}));
    EXPECT_EQ(Ui().FullScreenWindow->Band(), View().FullScreenRect);
}

struct ItemRow {
    const char* name;
    QAction* MainWindow::Widgets::*item;
    const char* caption;
    const char* hint;
    QKeySequence shortcut;
    int image;
};

TEST_F(WindowCreate, MenuItemsCarryTheirCaptionsHintsShortcutsAndImages) {
    MakeWindow();
    const std::vector<ItemRow> rows = {
        {"Ouvrir", &MainWindow::Widgets::OpenFilmItem, "Open", "Open a movie",
         QKeySequence("Ctrl+O"), 5},
        {"Fermer", &MainWindow::Widgets::CloseFilmItem, "Close", "Close the opened movie", {}, -1},
        {"Quitter", &MainWindow::Widgets::QuitItem, "Exit", "Exit Orvalen", QKeySequence("Ctrl+Q"),
         7},
        {"Fullscreen", &MainWindow::Widgets::FullScreenItem, "Full Screen",
         "Play the movie in fullscreen", QKeySequence(Qt::ALT | Qt::Key_Return), 6},
        {"BarreOutil",
         &MainWindow::Widgets::ToolBarItem,
         "ToolBar",
         "Show/Hide the Toolbar",
         {},
         -1},
        {"StateBarre",
         &MainWindow::Widgets::StatusBarItem,
         "Status Bar",
         "Show/Hide the Status Bar",
         {},
         -1},
        {"Configuration", &MainWindow::Widgets::ConfigurationItem, "Configuration",
         "Display the configuration window for Orvalen", QKeySequence("Alt+O"), 8},
        {"Lecture", &MainWindow::Widgets::PlayItem, "Play", "Play the movie", {}, 2},
        {"Stop", &MainWindow::Widgets::StopItem, "Stop", "Stop playing", {}, 4},
        {"Pause", &MainWindow::Widgets::PauseItem, "Pause", "Pause", {}, 1},
        {"AvanceRapide", &MainWindow::Widgets::FastForwardItem, "Forward", "Play 2x", {}, 0},
        {"Retour", &MainWindow::Widgets::BackOneMinuteItem, "Backward", "Back 1 minute", {}, 3},
        {"OpenSubFile",
         &MainWindow::Widgets::OpenSubtitleFileItem,
         "Open another file",
         "Open another subtitle file",
         {},
         13},
        {"AutoResync", &MainWindow::Widgets::ResynchronisationItem, "Resynchronisation",
         "Resynchronize a subtitle", QKeySequence("Ctrl+R"), 14},
        {"MergeFile", &MainWindow::Widgets::MergeItem, "Merge a file", "Merge a subtitle file",
         QKeySequence("Ctrl+M"), 12},
        {"Sauvegarder", &MainWindow::Widgets::SaveItem, "Save",
         "Save the subtitle in SubRip (.srt) format", QKeySequence("Ctrl+S"), 11},
        {"Polices1",
         &MainWindow::Widgets::FontsItem,
         "Fonts",
         "Configure the font of the subtitles",
         {},
         9},
        {"PopupLecPause",
         &MainWindow::Widgets::PopupPlayPauseItem,
         "Play",
         "Play/Pause the movie",
         {},
         2},
        {"PopupStop", &MainWindow::Widgets::PopupStopItem, "Stop", "Stop playing", {}, 4},
        {"PopupFullscreen",
         &MainWindow::Widgets::PopupFullScreenItem,
         "Full Screen",
         "Play the movie in fullscreen",
         {},
         6},
    };
    for (const ItemRow& row : rows) {
        const QAction* item = Ui().*(row.item);
        ASSERT_NE(item, nullptr) << row.name;
        EXPECT_EQ(item->text(), row.caption) << row.name;
        EXPECT_EQ(item->statusTip(), row.hint) << row.name;
        EXPECT_EQ(item->shortcut(), row.shortcut) << row.name;
        EXPECT_EQ(ImageIndex(item), row.image) << row.name;
    }
    EXPECT_EQ(Ui().AboutItem->text(), "&About ...");
}

TEST_F(WindowCreate, MenusHoldTheirItemsInOrder) {
    MakeWindow();
    EXPECT_EQ(Ui().FileMenu->title(), "&File");
    EXPECT_EQ(Ui().ViewMenu->title(), "&View");
    EXPECT_EQ(Ui().CommandMenu->title(), "&Command");
    EXPECT_EQ(Ui().SubtitlesMenu->title(), "&Subtitles");
    EXPECT_EQ(Ui().FileMenu->actions(),
              (QList<QAction*>{Ui().OpenFilmItem, Ui().CloseFilmItem, Ui().QuitItem}));
    EXPECT_EQ(Ui().ViewMenu->actions(),
              (QList<QAction*>{Ui().FullScreenItem, Ui().ViewBarsSeparator, Ui().ToolBarItem,
                               Ui().StatusBarItem, Ui().ViewConfigurationSeparator,
                               Ui().ConfigurationItem}));
    EXPECT_EQ(Ui().CommandMenu->actions(),
              (QList<QAction*>{Ui().PlayItem, Ui().StopItem, Ui().PauseItem, Ui().FastForwardItem,
                               Ui().BackOneMinuteItem}));
    // The found subtitle files are added from position 6 of this menu and 5 of the popup.
    EXPECT_EQ(
        Ui().SubtitlesMenu->actions(),
        (QList<QAction*>{Ui().OpenSubtitleFileItem, Ui().ResynchronisationItem, Ui().MergeItem,
                         Ui().SaveItem, Ui().FontsItem, Ui().SubtitleFilesSeparator}));
    EXPECT_EQ(
        Ui().PopupMenu->actions(),
        (QList<QAction*>{Ui().PopupPlayPauseItem, Ui().PopupStopItem, Ui().PopupFullScreenSeparator,
                         Ui().PopupFullScreenItem, Ui().PopupFilesSeparator}));
    for (QAction* separator :
         {Ui().PopupFullScreenSeparator, Ui().SubtitleFilesSeparator, Ui().PopupFilesSeparator,
          Ui().ViewBarsSeparator, Ui().ViewConfigurationSeparator})
        EXPECT_TRUE(separator->isSeparator());
    EXPECT_TRUE(Ui().ToolBarItem->isCheckable());
    EXPECT_TRUE(Ui().StatusBarItem->isCheckable());
}

TEST_F(WindowCreate, CommandsNotBuiltYetAreDisabled) {
    MakeWindow();
    EXPECT_FALSE(Ui().ResynchronisationItem->isEnabled());
    EXPECT_FALSE(Ui().MergeItem->isEnabled());
    EXPECT_FALSE(Ui().SaveItem->isEnabled());
    EXPECT_TRUE(Ui().OpenSubtitleFileItem->isEnabled());
    EXPECT_TRUE(Ui().FontsItem->isEnabled());
}

TEST_F(WindowCreate, ToolBarButtonsInOrderWithTheirHintsAndImages) {
    MakeWindow();
    struct Button {
        QAction* action;
        const char* hint;
        int image;
        QAction* runs;
    };
    const std::vector<Button> buttons = {
        {Ui().OpenFilmButton, "Ouvrir un fichier Vidéo", 5, Ui().OpenFilmItem},
        {Ui().QuitButton, "Quitter Orvalen", 7, Ui().QuitItem},
        {Ui().ConfigurationButton, "Affiche la fenêtre de configuration de Orvalen", 8,
         Ui().ConfigurationItem},
        {Ui().BackOneMinuteButton, "Retour Rapide", 3, Ui().BackOneMinuteItem},
        {Ui().PlayButton, "Lecture du fichier Vidéo", 2, Ui().PlayItem},
        {Ui().PauseButton, "Pause", 1, Ui().PauseItem},
        {Ui().StopButton, "Arrêt de la lecture", 4, Ui().StopItem},
        {Ui().FastForwardButton, "Avance Rapide", 0, Ui().FastForwardItem},
        {Ui().MuteButton, "Sound On/Off", 15, nullptr},
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
    const QList<QAction*> order = Ui().ToolBar->actions();
    ASSERT_EQ(order.size(), 13);
    EXPECT_EQ(order[0], Ui().OpenFilmButton);
    EXPECT_EQ(order[2], Ui().FileButtonsSeparator);
    EXPECT_EQ(order[4], Ui().TransportSeparator);
    EXPECT_EQ(order[9], Ui().FastForwardButton);
    EXPECT_EQ(Ui().ToolBar->widgetForAction(order[10]), Ui().PositionSlider);
    EXPECT_EQ(order[11], Ui().SoundSeparator);
    EXPECT_EQ(order[12], Ui().MuteButton);
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
    MakeWindow();
    EXPECT_FALSE(Ui().StatusBarItem->isChecked());
    EXPECT_TRUE(Ui().StatusArea->isHidden());
    EXPECT_FALSE(Ui().ToolBarItem->isChecked());
    EXPECT_TRUE(Ui().ToolBar->isHidden());
}

TEST_F(WindowCreate, WithoutConfigIniTheFontIsTheDefault) {
    MainWindow& w = MakeWindow();
    const QFont font = Ui().SubtitleLabel->font();
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_FALSE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_EQ(w.SubtitleLabelColor(), QColor(Qt::black));
    // Black on the black panel would hide every subtitle: it is shown in white.
    EXPECT_EQ(Ui().SubtitleLabel->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(View().FullScreenFont.Weight, 400);
    EXPECT_EQ(View().FullScreenFont.Height, -13);
    EXPECT_EQ(View().FullScreenFont.Italic, 0);
    EXPECT_EQ(FaceNameOf(View().FullScreenFont), DefaultSansFamily().toStdString());
}

TEST_F(WindowCreate, ConfigIniSetsTheBarsAndTheFont) {
    WriteFile(ConfigPath(),
              "[General]\r\nStateBarre=1\r\nToolBarre=2\r\n"
              "[Font]\r\nName=DejaVu Serif\r\nColor=255\r\nSize=12\r\nHeight=-20\r\nPitch=2\r\n"
              "Italic=1\r\nUnderline=1\r\nStrikeOut=0\r\nBold=1\r\n");
    MainWindow& w = MakeWindow();
    EXPECT_TRUE(Ui().StatusBarItem->isChecked());
    EXPECT_FALSE(Ui().StatusArea->isHidden());
    EXPECT_TRUE(Ui().ToolBarItem->isChecked());
    EXPECT_FALSE(Ui().ToolBar->isHidden());

    const QFont font = Ui().SubtitleLabel->font();
    EXPECT_EQ(font.families().front(), "DejaVu Serif");
    EXPECT_EQ(font.pixelSize(), 20) << "Height is applied after Size and decides";
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_EQ(w.SubtitleLabelColor(), QColor(255, 0, 0));

    EXPECT_EQ(View().FullScreenFont.Weight, 800);
    EXPECT_EQ(View().FullScreenFont.Height, -20);
    EXPECT_EQ(View().FullScreenFont.PitchAndFamily, 2);
    EXPECT_EQ(View().FullScreenFont.Italic, 1);
    EXPECT_EQ(View().FullScreenFont.Underline, 1);
    EXPECT_EQ(View().FullScreenFont.StrikeOut, 0);
    EXPECT_EQ(FaceNameOf(View().FullScreenFont), "DejaVu Serif");
    EXPECT_EQ(Ui().FullScreenWindow->BandFont().pixelSize(), 20);
    EXPECT_TRUE(Ui().FullScreenWindow->BandFont().bold());
    EXPECT_EQ(Ui().FullScreenWindow->TextColor(), QColor(255, 0, 0));
}

TEST_F(WindowCreate, ABrokenConfigIniGivesTheDefaults) {
    WriteFile(ConfigPath(), std::string("\x00\xff[General\nStateBarre=yes\n[Font]\nSize=x\n", 40));
    MakeWindow();
    EXPECT_FALSE(Ui().StatusBarItem->isChecked());
    EXPECT_EQ(Ui().SubtitleLabel->font().pixelSize(), 13);
}

TEST_F(WindowCreate, DestroyWritesTheTwoBarsAndClosesTheFilm) {
    WriteFile(ConfigPath(), "[General]\nStateBarre=1\nToolBarre=0\nDelay=300\n");
    MakeWindow();
    Ui().StatusBarItem->setChecked(false);
    Ui().ToolBarItem->setChecked(true);
    Film().Open = true;
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
