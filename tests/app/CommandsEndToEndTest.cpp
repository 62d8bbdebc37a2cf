#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include "app/dialogs/ConfigDialog.h"
#include "app/window/FullScreenView.h"
#include "app/window/ImageList.h"
#include "tests/app/EndToEndFixture.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/QtPrinters.h"

namespace orvalen::testing {
namespace {

using test::WhenModal;

// The player over libmpv, started without a film and driven with the keyboard and the tool
// bar as a person would.
class CommandsEndToEnd : public EndToEndTest {
  protected:
    void TearDown() override {
        test::DisarmModalDrivers();
        EndToEndTest::TearDown();
    }

    MainWindow& StartWithoutFilm() {
        MakeWindows(std::make_unique<MpvDevice>(), QStringList{});
        window_->show();
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
        return *window_;
    }

    void Click(QAction* button) {
        QWidget* widget = Ui().ToolBar->widgetForAction(button);
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    bool ModeBecomes(const char* mode) {
        return PollUntil([&] { return Ui().StatusArea->PanelText(StatusPanel::Mode) == mode; },
                         10000);
    }

    // Presses key in the main window once it has the keyboard (given back, as a person would
    // by clicking on it, when a dialog that closed left the keyboard nowhere).
    void PressInWindow(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QWidget* window = window_;
        if (QApplication::activeWindow() != window) window->activateWindow();
        ASSERT_TRUE(PollUntil([window] { return QApplication::activeWindow() == window; }, 10000));
        QTest::keyClick(window, key, modifiers);
    }

    // Ctrl+O, then the film's path typed into the Open dialog and Enter.
    void OpenWithCtrlO() {
        auto typed = WhenModal<QFileDialog>([this](QFileDialog* dialog) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            TypePathAndEnter(dialog, film_);
        });
        PressInWindow(Qt::Key_O, Qt::ControlModifier);
        ASSERT_TRUE(*typed);
    }

    MpvDevice& Mpv() { return static_cast<MpvDevice&>(Probe().Media().Device()); }
};

TEST_F(CommandsEndToEnd, OpenPauseStopFullScreenAndMute) {
    MainWindow& w = StartWithoutFilm();

    OpenWithCtrlO();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_TRUE(PollUntil([&] { return Film().Open; }, 10000));
    EXPECT_EQ(w.windowTitle(), "Orvalen - " + film_);
    EXPECT_EQ(FoundCount(), 1);
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::PictureSize), "320 * 240");
    EXPECT_EQ(Ui().PositionSlider->maximum(), 20);
    ASSERT_TRUE(ModeBecomes("playing"));
    EXPECT_TRUE(PollUntil([&] { return LabelText() == kSubtitle; }, 10000));

    Click(Item(WindowAction::PauseButton));
    EXPECT_TRUE(ModeBecomes("paused"));
    Click(Item(WindowAction::PlayButton));
    EXPECT_TRUE(ModeBecomes("playing"));

    Click(Item(WindowAction::StopButton));
    EXPECT_TRUE(ModeBecomes("stopped"));
    EXPECT_EQ(Probe().Media().GetPosition(), 0);
    EXPECT_EQ(Ui().PositionSlider->value(), 0);
    Click(Item(WindowAction::PlayButton));
    EXPECT_TRUE(ModeBecomes("playing"));

    PressInWindow(Qt::Key_Return, Qt::AltModifier);
    ASSERT_TRUE(Ui().FullScreenWindow->isVisible());
    EXPECT_TRUE(View().FullScreenPlaying);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Ui().FullScreenWindow));
    QTest::keyClick(Ui().FullScreenWindow, Qt::Key_Escape);
    EXPECT_FALSE(Ui().FullScreenWindow->isVisible());
    EXPECT_TRUE(PollUntil([&] { return !View().FullScreenPlaying; }, 10000));
    EXPECT_TRUE(ModeBecomes("playing"));

    Click(Item(WindowAction::MuteButton));
    EXPECT_EQ(GlyphOf(Item(WindowAction::MuteButton)), Glyph::SoundOff);
    EXPECT_TRUE(Mpv().Muted());

    // Closed and opened again: the film has sound, the button still shows it muted.
    Item(WindowAction::CloseFilm)->trigger();
    EXPECT_FALSE(Film().Open);
    EXPECT_EQ(w.windowTitle(), "Orvalen - " + film_);
    OpenWithCtrlO();
    ASSERT_TRUE(PollUntil([&] { return Film().Open; }, 10000));
    EXPECT_TRUE(ModeBecomes("playing"));
    EXPECT_EQ(GlyphOf(Item(WindowAction::MuteButton)), Glyph::SoundOff);
    EXPECT_FALSE(Mpv().Muted());
    Click(Item(WindowAction::MuteButton));
    EXPECT_EQ(GlyphOf(Item(WindowAction::MuteButton)), Glyph::SoundOn);
    EXPECT_FALSE(Mpv().Muted());
    Click(Item(WindowAction::MuteButton));
    EXPECT_TRUE(Mpv().Muted());
}

// Alt+O, the SubRip format swapped for the sub format and a delay typed, Enter: the next film
// opened finds its sub file only, and the clock and Config.ini have the delay.
TEST_F(CommandsEndToEnd, ConfigurationSetWithKeysAndClicksDrivesTheNextSearch) {
    WriteFile(Path("Test film.sub"), "{0}{400}Sub format subtitle\r\n");
    MainWindow& w = StartWithoutFilm();
    auto configured = WhenModal<ConfigDialog>([](ConfigDialog* dialog) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        auto click = [dialog](const char* name) {
            QWidget* widget = dialog->findChild<QWidget*>(name);
            ASSERT_NE(widget, nullptr) << name;
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3));
        };
        click("formatBox.srtCaption");
        click("formatBox.subCaption");
        QTabBar* tabs = dialog->findChild<QTabWidget*>("pages")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        auto* delay = dialog->findChild<QLineEdit*>("delayEdit");
        QTest::mouseDClick(delay, Qt::LeftButton);
        QTest::keyClicks(delay, "300");
        QTest::keyClick(delay, Qt::Key_Return);
    });
    PressInWindow(Qt::Key_O, Qt::AltModifier);
    ASSERT_TRUE(*configured);
    EXPECT_EQ(w.CurrentSettings().Delay, 300);
    const IniFile ini(ConfigPath().toStdString());
    EXPECT_EQ(ini.ReadInteger("General", "Delay", -1), 300);
    EXPECT_FALSE(ini.ReadBool("SubtitleFormat", "srt"));
    EXPECT_TRUE(ini.ReadBool("SubtitleFormat", "sub"));

    OpenWithCtrlO();
    ASSERT_TRUE(PollUntil([&] { return Film().Open; }, 10000));
    ASSERT_EQ(FoundCount(), 1);
    EXPECT_EQ(QString::fromStdString(Subs().FoundFiles[0]), Path("Test film.sub"));
    EXPECT_TRUE(PollUntil([&] { return LabelText() == "Sub format subtitle"; }, 10000));
}

}  // namespace
}  // namespace orvalen::testing
