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
    TFiche& w = *window_;
    EXPECT_EQ(w.windowTitle(), "Orvalen");
    EXPECT_EQ(w.Client->size(), QSize(678, 440));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w.Displayer->geometry(), QRect(8, 32, 657, 337));
    EXPECT_EQ(w.LowPanel->geometry(), QRect(0, 440 - 58, 678, 58));
    EXPECT_EQ(w.Status->height(), 16);
    EXPECT_EQ(w.Status->geometry().bottom(), w.LowPanel->height() - 1);
    EXPECT_EQ(w.SousTitre->y(), 0);
    EXPECT_EQ(w.SousTitre->width(), 678);
    EXPECT_TRUE(w.SousTitre->wordWrap());
    EXPECT_TRUE(w.SousTitre->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(w.Slider->minimum(), 0);
    EXPECT_EQ(w.Slider->maximum(), 1000);
    EXPECT_EQ(w.Slider->value(), 0);
    EXPECT_EQ(w.Slider->size(), QSize(241, 22));
    EXPECT_EQ(w.Timer1->interval(), 50);
    EXPECT_EQ(w.Track.Count, 0);
    EXPECT_EQ(w.MergeTrack.Count, 0);
}

TEST_F(WindowCreate, StateStartsAsDeclared) {
    TFiche& w = MakeWindow();
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
    window_ = std::make_unique<TFiche>(std::make_unique<FakeMediaDevice>(device_));
    EXPECT_TRUE(window_->Timer1->isActive());
}

TEST_F(WindowCreate, FullScreenRectIsTheBandAboveTheBottomOfTheScreen) {
    TFiche& w = MakeWindow();
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(w.FullScreenRect,
              (ScreenRect{0, screen.height() - 90, screen.width(), screen.height() - 14}));
    EXPECT_EQ(w.ScreenDC->Band(), w.FullScreenRect);
}

struct ItemRow {
    const char* name;
    QAction* TFiche::*item;
    const char* caption;
    const char* hint;
    QKeySequence shortcut;
    int image;
};

TEST_F(WindowCreate, MenuItemsCarryTheirCaptionsHintsShortcutsAndImages) {
    TFiche& w = MakeWindow();
    const std::vector<ItemRow> rows = {
        {"Ouvrir", &TFiche::Ouvrir, "Open", "Open a movie", QKeySequence("Ctrl+O"), 5},
        {"Fermer", &TFiche::Fermer, "Close", "Close the opened movie", {}, -1},
        {"Quitter", &TFiche::Quitter, "Exit", "Exit Orvalen", QKeySequence("Ctrl+Q"), 7},
        {"Fullscreen", &TFiche::Fullscreen, "Full Screen", "Play the movie in fullscreen",
         QKeySequence(Qt::ALT | Qt::Key_Return), 6},
        {"BarreOutil", &TFiche::BarreOutil, "ToolBar", "Show/Hide the Toolbar", {}, -1},
        {"StateBarre", &TFiche::StateBarre, "Status Bar", "Show/Hide the Status Bar", {}, -1},
        {"Configuration", &TFiche::Configuration, "Configuration",
         "Display the configuration window for Orvalen", QKeySequence("Alt+O"), 8},
        {"Lecture", &TFiche::Lecture, "Play", "Play the movie", {}, 2},
        {"Stop", &TFiche::Stop, "Stop", "Stop playing", {}, 4},
        {"Pause", &TFiche::Pause, "Pause", "Pause", {}, 1},
        {"AvanceRapide", &TFiche::AvanceRapide, "Forward", "Play 2x", {}, 0},
        {"Retour", &TFiche::Retour, "Backward", "Back 1 minute", {}, 3},
        {"OpenSubFile",
         &TFiche::OpenSubFile,
         "Open another file",
         "Open another subtitle file",
         {},
         13},
        {"AutoResync", &TFiche::AutoResync, "Resynchronisation", "Resynchronize a subtitle",
         QKeySequence("Ctrl+R"), 14},
        {"MergeFile", &TFiche::MergeFile, "Merge a file", "Merge a subtitle file",
         QKeySequence("Ctrl+M"), 12},
        {"Sauvegarder", &TFiche::Sauvegarder, "Save", "Save the subtitle in SubRip (.srt) format",
         QKeySequence("Ctrl+S"), 11},
        {"Polices1", &TFiche::Polices1, "Fonts", "Configure the font of the subtitles", {}, 9},
        {"PopupLecPause", &TFiche::PopupLecPause, "Play", "Play/Pause the movie", {}, 2},
        {"PopupStop", &TFiche::PopupStop, "Stop", "Stop playing", {}, 4},
        {"PopupFullscreen",
         &TFiche::PopupFullscreen,
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
    EXPECT_EQ(w.Apropos1->text(), "&About ...");
}

TEST_F(WindowCreate, MenusHoldTheirItemsInOrder) {
    TFiche& w = MakeWindow();
    EXPECT_EQ(w.MenuFichier->title(), "&File");
    EXPECT_EQ(w.MenuAffichage->title(), "&View");
    EXPECT_EQ(w.MenuCommandes->title(), "&Command");
    EXPECT_EQ(w.MenuSousTitre->title(), "&Subtitles");
    EXPECT_EQ(w.MenuFichier->actions(), (QList<QAction*>{w.Ouvrir, w.Fermer, w.Quitter}));
    EXPECT_EQ(w.MenuAffichage->actions(), (QList<QAction*>{w.Fullscreen, w.N4, w.BarreOutil,
                                                           w.StateBarre, w.N5, w.Configuration}));
    EXPECT_EQ(w.MenuCommandes->actions(),
              (QList<QAction*>{w.Lecture, w.Stop, w.Pause, w.AvanceRapide, w.Retour}));
    // The found subtitle files are added from position 6 of this menu and 5 of the popup.
    EXPECT_EQ(w.MenuSousTitre->actions(), (QList<QAction*>{w.OpenSubFile, w.AutoResync, w.MergeFile,
                                                           w.Sauvegarder, w.Polices1, w.N2}));
    EXPECT_EQ(w.PopupMenu->actions(),
              (QList<QAction*>{w.PopupLecPause, w.PopupStop, w.N1, w.PopupFullscreen, w.N3}));
    for (QAction* separator : {w.N1, w.N2, w.N3, w.N4, w.N5}) EXPECT_TRUE(separator->isSeparator());
    EXPECT_TRUE(w.BarreOutil->isCheckable());
    EXPECT_TRUE(w.StateBarre->isCheckable());
}

TEST_F(WindowCreate, CommandsNotBuiltYetAreDisabled) {
    TFiche& w = MakeWindow();
    EXPECT_FALSE(w.AutoResync->isEnabled());
    EXPECT_FALSE(w.MergeFile->isEnabled());
    EXPECT_FALSE(w.Sauvegarder->isEnabled());
    EXPECT_TRUE(w.OpenSubFile->isEnabled());
    EXPECT_TRUE(w.Polices1->isEnabled());
}

TEST_F(WindowCreate, ToolBarButtonsInOrderWithTheirHintsAndImages) {
    TFiche& w = MakeWindow();
    struct Button {
        QAction* action;
        const char* hint;
        int image;
        QAction* runs;
    };
    const std::vector<Button> buttons = {
        {w.ButtonOpen, "Ouvrir un fichier Vidéo", 5, w.Ouvrir},
        {w.ToolButton1, "Quitter Orvalen", 7, w.Quitter},
        {w.ButtonPref, "Affiche la fenêtre de configuration de Orvalen", 8, w.Configuration},
        {w.ButtonBackward, "Retour Rapide", 3, w.Retour},
        {w.ButtonPlay, "Lecture du fichier Vidéo", 2, w.Lecture},
        {w.ButtonPause, "Pause", 1, w.Pause},
        {w.ButtonStop, "Arrêt de la lecture", 4, w.Stop},
        {w.ButtonForward, "Avance Rapide", 0, w.AvanceRapide},
        {w.SndButton, "Sound On/Off", 15, nullptr},
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
    EXPECT_EQ(order[0], w.ButtonOpen);
    EXPECT_EQ(order[2], w.ToolButton8);
    EXPECT_EQ(order[4], w.ToolButton5);
    EXPECT_EQ(order[9], w.ButtonForward);
    EXPECT_EQ(w.ToolBar->widgetForAction(order[10]), w.Slider);
    EXPECT_EQ(order[11], w.ToolButton3);
    EXPECT_EQ(order[12], w.SndButton);
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
    TFiche& w = MakeWindow();
    EXPECT_FALSE(w.StateBarre->isChecked());
    EXPECT_TRUE(w.Status->isHidden());
    EXPECT_FALSE(w.BarreOutil->isChecked());
    EXPECT_TRUE(w.ToolBar->isHidden());
}

TEST_F(WindowCreate, WithoutConfigIniTheFontIsTheDefault) {
    TFiche& w = MakeWindow();
    const QFont font = w.SousTitre->font();
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_FALSE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_EQ(w.SousTitreColor(), QColor(Qt::black));
    // Black on the black panel would hide every subtitle: it is shown in white.
    EXPECT_EQ(w.SousTitre->palette().color(QPalette::WindowText), QColor(Qt::white));
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
    TFiche& w = MakeWindow();
    EXPECT_TRUE(w.StateBarre->isChecked());
    EXPECT_FALSE(w.Status->isHidden());
    EXPECT_TRUE(w.BarreOutil->isChecked());
    EXPECT_FALSE(w.ToolBar->isHidden());

    const QFont font = w.SousTitre->font();
    EXPECT_EQ(font.families().front(), "DejaVu Serif");
    EXPECT_EQ(font.pixelSize(), 20) << "Height is applied after Size and decides";
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_EQ(w.SousTitreColor(), QColor(255, 0, 0));

    EXPECT_EQ(w.FullScreenFont.Weight, 800);
    EXPECT_EQ(w.FullScreenFont.Height, -20);
    EXPECT_EQ(w.FullScreenFont.PitchAndFamily, 2);
    EXPECT_EQ(w.FullScreenFont.Italic, 1);
    EXPECT_EQ(w.FullScreenFont.Underline, 1);
    EXPECT_EQ(w.FullScreenFont.StrikeOut, 0);
    EXPECT_EQ(FaceNameOf(w.FullScreenFont), "DejaVu Serif");
    EXPECT_EQ(w.ScreenDC->BandFont().pixelSize(), 20);
    EXPECT_TRUE(w.ScreenDC->BandFont().bold());
    EXPECT_EQ(w.ScreenDC->TextColor(), QColor(255, 0, 0));
}

TEST_F(WindowCreate, ABrokenConfigIniGivesTheDefaults) {
    WriteFile(ConfigPath(), std::string("\x00\xff[General\nStateBarre=yes\n[Font]\nSize=x\n", 40));
    TFiche& w = MakeWindow();
    EXPECT_FALSE(w.StateBarre->isChecked());
    EXPECT_EQ(w.SousTitre->font().pixelSize(), 13);
}

TEST_F(WindowCreate, DestroyWritesTheTwoBarsAndClosesTheFilm) {
    WriteFile(ConfigPath(), "[General]\nStateBarre=1\nToolBarre=0\nDelay=300\n");
    TFiche& w = MakeWindow();
    w.StateBarre->setChecked(false);
    w.BarreOutil->setChecked(true);
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

TEST_F(WindowCreate, WithoutAUserFileTheShippedDefaultsApplyAndTheExitCopiesThem) {
    QFile shipped(ORVALEN_TEST_SOURCE_DIR "/../../settings/Config.ini");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray defaults = shipped.readAll();
    ASSERT_TRUE(QDir().mkpath(Path("system/orvalen")));
    WriteFile(Path("system/orvalen/Config.ini"), defaults.toStdString());

    TFiche& w = MakeWindow();
    EXPECT_TRUE(w.StateBarre->isChecked() && !w.Status->isHidden());
    EXPECT_TRUE(w.BarreOutil->isChecked() && !w.ToolBar->isHidden());
    EXPECT_TRUE(w.SousTitre->font().bold());
    EXPECT_EQ(w.SousTitre->font().pixelSize(), 20);
    EXPECT_TRUE(ConfigBox->Values.CurrentDir);
    EXPECT_FALSE(QFile::exists(ConfigPath())) << "reading creates nothing";

    DestroyWindow();
    QFile user(ConfigPath());
    ASSERT_TRUE(user.open(QIODevice::ReadOnly));
    EXPECT_EQ(user.readAll(), defaults) << "the bar keys written over the copy keep their values";
    EXPECT_TRUE(messages_.empty());
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
