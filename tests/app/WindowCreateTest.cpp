#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QToolBar>

#include "app/window/FullScreenView.h"
#include "app/window/ImageList.h"
#include "app/window/StatusBar.h"
#include "app/window/VideoPanel.h"
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
    EXPECT_FALSE(Subs().Editing.ResyncActive());
    EXPECT_FALSE(Subs().Editing.MergeActive());
    EXPECT_TRUE(View().FirstShow);
    EXPECT_EQ(Film().FrameRate, 0);
    EXPECT_EQ(Subs().Editing.ResyncCount(), 0);
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

// What one item of a menu, the popup menu or the tool bar shows; "-" is a separator and
// "[slider]" the position slider.
struct ShownItem {
    ShownItem(const QString& caption, const QString& hint = {}, const QKeySequence& shortcut = {},
              std::optional<Glyph> image = {}, bool enabled = true, bool checkable = false)
        : caption(caption),
          hint(hint),
          shortcut(shortcut),
          image(image),
          enabled(enabled),
          checkable(checkable) {}
    QString caption;
    QString hint;
    QKeySequence shortcut;
    std::optional<Glyph> image;
    bool enabled;
    bool checkable;
    bool operator==(const ShownItem&) const = default;
};

void PrintTo(const ShownItem& item, std::ostream* out) {
    *out << '{' << item.caption.toStdString() << " | " << item.hint.toStdString() << " | "
         << item.shortcut.toString().toStdString() << " | "
         << (item.image ? static_cast<int>(*item.image) : -1) << (item.enabled ? "" : " | disabled")
         << (item.checkable ? " | checkable" : "") << '}';
}

std::vector<ShownItem> Shown(const QWidget* owner, const QWidget* slider = nullptr) {
    std::vector<ShownItem> items;
    const auto* toolBar = qobject_cast<const QToolBar*>(owner);
    for (QAction* action : owner->actions()) {
        if (action->isSeparator()) {
            items.push_back({"-"});
        } else if (toolBar && toolBar->widgetForAction(action) == slider) {
            items.push_back({"[slider]"});
        } else {
            EXPECT_EQ(action->toolTip(), action->statusTip()) << action->text().toStdString();
            items.push_back({action->text(), action->statusTip(), action->shortcut(),
                             GlyphOf(action), action->isEnabled(), action->isCheckable()});
        }
    }
    return items;
}

TEST_F(WindowCreate, MenusPopupAndToolBarShowTheirItemsInOrder) {
    MainWindow& w = MakeWindow();
    const ShownItem separator{"-"};
    const QKeySequence none;
    QStringList menuBar;
    for (const QAction* menu : w.menuBar()->actions()) menuBar << menu->text();
    EXPECT_EQ(menuBar, (QStringList{"&File", "&View", "&Command", "&Subtitles", "&About ..."}));

    EXPECT_EQ(Shown(Ui().FileMenu),
              (std::vector<ShownItem>{
                  {"Open", "Open a movie", QKeySequence("Ctrl+O"), Glyph::Open},
                  {"Close", "Close the opened movie"},
                  {"Exit", "Exit Orvalen", QKeySequence("Ctrl+Q"), Glyph::Exit},
              }));
    EXPECT_EQ(Shown(Ui().ViewMenu),
              (std::vector<ShownItem>{
                  {"Full Screen", "Play the movie in fullscreen",
                   QKeySequence(Qt::ALT | Qt::Key_Return), Glyph::FullScreen},
                  separator,
                  {"ToolBar", "Show/Hide the Toolbar", none, std::nullopt, true, true},
                  {"Status Bar", "Show/Hide the Status Bar", none, std::nullopt, true, true},
                  {"Subtitle List", "Show/Hide the list of every subtitle", QKeySequence("F9"),
                   std::nullopt, true, true},
                  separator,
                  {"Configuration", "Display the configuration window for Orvalen",
                   QKeySequence("Alt+O"), Glyph::Configuration},
              }));
    EXPECT_EQ(Shown(Ui().CommandMenu),
              (std::vector<ShownItem>{
                  {"Play", "Play the movie", none, Glyph::Play},
                  {"Stop", "Stop playing", none, Glyph::Stop},
                  {"Pause", "Pause", none, Glyph::Pause},
                  {"Forward", "Play 2x", none, Glyph::Forward},
                  {"Backward", "Back 1 minute", none, Glyph::Backward},
                  separator,
                  {"Previous subtitle", "Go to the start of the previous subtitle",
                   QKeySequence("Ctrl+Left"), std::nullopt, false},
                  {"Next subtitle", "Go to the start of the next subtitle",
                   QKeySequence("Ctrl+Right"), std::nullopt, false},
                  {"Repeat this subtitle", "Go back to the start of this subtitle",
                   QKeySequence("Ctrl+Down"), std::nullopt, false},
                  {"Copy this subtitle", "Copy the text of this subtitle", QKeySequence("Ctrl+C"),
                   std::nullopt, false},
              }));
    // The found subtitle files are added from position 8 of this menu and 6 of the popup.
    EXPECT_EQ(
        Shown(Ui().SubtitlesMenu),
        (std::vector<ShownItem>{
            {"Open another file", "Open another subtitle file", none, Glyph::OpenSubtitleFile},
            {"Second subtitles...", "Show a second subtitle file above the first"},
            {"Second subtitles", "Show another subtitle file of the film above the first"},
            {"No second subtitles", "Remove the second subtitles"},
            {"Second subtitles earlier", "Show the second subtitles 100 ms earlier",
             QKeySequence("Alt+G")},
            {"Second subtitles later", "Show the second subtitles 100 ms later",
             QKeySequence("Alt+H")},
            {"Resynchronisation", "Resynchronize a subtitle", QKeySequence("Ctrl+R"),
             Glyph::Resynchronisation},
            {"Synchronise with the sound", "Synchronise the subtitles with the speech of the film",
             QKeySequence("Ctrl+Shift+R")},
            {"Undo synchronisation",
             "Put the subtitles back as they were before the last synchronisation",
             QKeySequence("Ctrl+Z")},
            {"Merge a file", "Merge a subtitle file", QKeySequence("Ctrl+M"), Glyph::Merge},
            {"Save", "Save the subtitle in SubRip (.srt) format", QKeySequence("Ctrl+S"),
             Glyph::Save},
            {"Save As...", "Save the subtitles as SubRip, WebVTT, SubStation Alpha or MicroDVD",
             QKeySequence("Ctrl+Shift+S"), Glyph::Save},
            {"Fonts", "Configure the font of the subtitles", none, Glyph::Fonts},
            {"Encoding", "Choose the encoding of the subtitle texts"},
            {"Timing", "Move the subtitles in time"},
            separator,
        }));
    EXPECT_EQ(
        Shown(Item(WindowAction::Timing)->menu()),
        (std::vector<ShownItem>{
            {"Earlier", "Show every subtitle 100 ms earlier", QKeySequence("G"), std::nullopt,
             false},
            {"Later", "Show every subtitle 100 ms later", QKeySequence("H"), std::nullopt, false},
            {"Earlier by 1 s", "Show every subtitle 1 s earlier", QKeySequence("Shift+G"),
             std::nullopt, false},
            {"Later by 1 s", "Show every subtitle 1 s later", QKeySequence("Shift+H"), std::nullopt,
             false},
            {"The next subtitle starts now", "Move the subtitles so that the next one starts now",
             QKeySequence("Ctrl+Shift+Right"), std::nullopt, false},
            {"The previous subtitle starts now",
             "Move the subtitles so that the previous one starts now",
             QKeySequence("Ctrl+Shift+Left"), std::nullopt, false},
            separator,
            {"Reset timing", "Show the subtitles at their own times", none, std::nullopt, false},
        }));
    EXPECT_EQ(Shown(Ui().PopupMenu),
              (std::vector<ShownItem>{
                  {"Play", "Play/Pause the movie", none, Glyph::Play},
                  {"Stop", "Stop playing", none, Glyph::Stop},
                  separator,
                  {"Full Screen", "Play the movie in fullscreen", none, Glyph::FullScreen},
                  {"Timing", "Move the subtitles in time"},
                  separator,
              }));
    const auto button = [](const char* hint, Glyph image) {
        return ShownItem{QString::fromUtf8(hint), QString::fromUtf8(hint), {}, image};
    };
    EXPECT_EQ(Shown(Ui().ToolBar, Ui().PositionSlider),
              (std::vector<ShownItem>{
                  button("Ouvrir un fichier Vidéo", Glyph::Open),
                  button("Quitter Orvalen", Glyph::Exit),
                  separator,
                  button("Affiche la fenêtre de configuration de Orvalen", Glyph::Configuration),
                  separator,
                  button("Retour Rapide", Glyph::Backward),
                  button("Lecture du fichier Vidéo", Glyph::Play),
                  button("Pause", Glyph::Pause),
                  button("Arrêt de la lecture", Glyph::Stop),
                  button("Avance Rapide", Glyph::Forward),
                  {"[slider]"},
                  separator,
                  button("Sound On/Off", Glyph::SoundOn),
              }));
}

TEST_F(WindowCreate, EachToolBarButtonRunsItsMenuItem) {
    MakeWindow();
    const std::vector<std::pair<WindowAction, WindowAction>> buttons = {
        {WindowAction::OpenFilmButton, WindowAction::OpenFilm},
        {WindowAction::QuitButton, WindowAction::Quit},
        {WindowAction::ConfigurationButton, WindowAction::Configuration},
        {WindowAction::BackOneMinuteButton, WindowAction::BackOneMinute},
        {WindowAction::PlayButton, WindowAction::Play},
        {WindowAction::PauseButton, WindowAction::Pause},
        {WindowAction::StopButton, WindowAction::Stop},
        {WindowAction::FastForwardButton, WindowAction::FastForward},
    };
    // Open, Play without a film and Configuration show modal dialogs: close each at once.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    closer.start(5);
    for (const auto& [button, item] : buttons) {
        int runs = 0;
        QObject::connect(Item(item), &QAction::triggered, [&runs] { ++runs; });
        Item(button)->trigger();
        EXPECT_EQ(runs, 1) << Item(button)->text().toStdString();
    }
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
    for (int i = 0; i < GlyphCount; ++i) {
        EXPECT_EQ(GlyphImage(static_cast<Glyph>(i)).size(), QSize(16, 16));
    }
    EXPECT_GT(DifferentPixels(GlyphImage(Glyph::SoundOn), GlyphImage(Glyph::SoundOff)), 20);
    EXPECT_GT(DifferentPixels(GlyphImage(Glyph::Pause), GlyphImage(Glyph::Play)), 20);
}

TEST_F(WindowCreate, WithoutConfigIniBothBarsAreHiddenAndUnchecked) {
    MakeWindow();
    EXPECT_FALSE(Item(WindowAction::StatusBar)->isChecked());
    EXPECT_TRUE(Ui().StatusArea->isHidden());
    EXPECT_FALSE(Item(WindowAction::ToolBar)->isChecked());
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
    EXPECT_TRUE(Item(WindowAction::StatusBar)->isChecked());
    EXPECT_FALSE(Ui().StatusArea->isHidden());
    EXPECT_TRUE(Item(WindowAction::ToolBar)->isChecked());
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
    EXPECT_FALSE(Item(WindowAction::StatusBar)->isChecked());
    EXPECT_EQ(Ui().SubtitleLabel->font().pixelSize(), 13);
}

TEST_F(WindowCreate, DestroyWritesTheTwoBarsAndClosesTheFilm) {
    WriteFile(ConfigPath(), "[General]\nStateBarre=1\nToolBarre=0\nDelay=300\n");
    MakeWindow();
    Item(WindowAction::StatusBar)->setChecked(false);
    Item(WindowAction::ToolBar)->setChecked(true);
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

TEST_F(WindowCreate, WithoutAUserFileTheShippedDefaultsApplyAndTheExitCopiesThem) {
    QFile shipped(ORVALEN_TEST_SOURCE_DIR "/../../settings/Config.ini");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray defaults = shipped.readAll();
    ASSERT_TRUE(QDir().mkpath(Path("system/orvalen")));
    WriteFile(Path("system/orvalen/Config.ini"), defaults.toStdString());

    MainWindow& w = MakeWindow();
    EXPECT_TRUE(Item(WindowAction::StatusBar)->isChecked() && !Ui().StatusArea->isHidden());
    EXPECT_TRUE(Item(WindowAction::ToolBar)->isChecked() && !Ui().ToolBar->isHidden());
    EXPECT_TRUE(Ui().SubtitleLabel->font().bold());
    EXPECT_EQ(Ui().SubtitleLabel->font().pixelSize(), 20);
    EXPECT_TRUE(w.CurrentSettings().CurrentDir);
    EXPECT_FALSE(QFile::exists(ConfigPath())) << "reading creates nothing";

    DestroyWindow();
    QFile user(ConfigPath());
    ASSERT_TRUE(user.open(QIODevice::ReadOnly));
    const QByteArray copy = user.readAll();
    EXPECT_EQ(copy.mid(copy.indexOf('[')), defaults.mid(defaults.indexOf('[')))
        << "the bar keys written over the copy keep their values";
    EXPECT_TRUE(messages_.empty());
}

TEST_F(WindowCreate, AnExitThatChangedNoBarLeavesAReadOnlyConfigIniInPeace) {
    WriteFile(ConfigPath(), "[General]\nStateBarre=1\nToolBarre=0\n");
    ASSERT_TRUE(QFile::setPermissions(ConfigPath(), QFile::ReadOwner));
    MakeWindow();
    DestroyWindow();
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
