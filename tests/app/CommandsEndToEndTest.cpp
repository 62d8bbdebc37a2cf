#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>

#include "app/FullScreenView.h"
#include "app/ImageList.h"
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

    TFiche& StartWithoutFilm() {
        window_ = std::make_unique<TFiche>(std::make_unique<MpvDevice>(), QStringList{});
        Fiche = window_.get();
        configBox_ = std::make_unique<ConfigDialog>();
        ConfigBox = configBox_.get();
        window_->show();
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        return *window_;
    }

    void Click(QAction* button) {
        QWidget* widget = window_->ToolBar->widgetForAction(button);
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    bool ModeBecomes(const char* mode) {
        return PollUntil([&] { return window_->Status->PanelText(1) == mode; }, 10000);
    }

    // Presses key in the main window once it has the keyboard (given back, as a person would
    // by clicking on it, when a dialog that closed left the keyboard nowhere).
    void PressInWindow(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QWidget* window = window_.get();
        if (QApplication::activeWindow() != window) window->activateWindow();
        ASSERT_TRUE(PollUntil([window] { return QApplication::activeWindow() == window; }, 10000));
        QTest::keyClick(window, key, modifiers);
    }

    // Ctrl+O, then the film's path typed into the Open dialog and Enter.
    void OpenWithCtrlO() {
        auto typed = WhenModal<QFileDialog>([this](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            // Type the path, again if the dialog cleared the field while it settled, then Enter,
            // again while the name field's completion list is open.
            PollUntil(
                [&] {
                    if (!dialog->isVisible()) return true;
                    if (name->text() != film_) {
                        name->setFocus();
                        name->selectAll();
                        QTest::keyClicks(name, film_);
                        return false;
                    }
                    QWidget* popup = QApplication::activePopupWidget();
                    QTest::keyClick(popup ? popup : name, Qt::Key_Return);
                    return !dialog->isVisible();
                },
                10000);
            if (dialog->isVisible()) dialog->close();
        });
        PressInWindow(Qt::Key_O, Qt::ControlModifier);
        ASSERT_TRUE(*typed);
    }

    MpvDevice& Mpv() { return static_cast<MpvDevice&>(*window_->Device); }
};

TEST_F(CommandsEndToEnd, OpenPauseStopFullScreenAndMute) {
    TFiche& w = StartWithoutFilm();

    OpenWithCtrlO();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_TRUE(PollUntil([&] { return w.MovieOpen; }, 10000));
    EXPECT_EQ(w.windowTitle(), "Orvalen - " + film_);
    EXPECT_EQ(w.FoundSubtitleCount, 1);
    EXPECT_EQ(w.Status->PanelText(0), "320 * 240");
    EXPECT_EQ(w.Slider->maximum(), 20);
    ASSERT_TRUE(ModeBecomes("playing"));
    EXPECT_TRUE(PollUntil([&] { return w.SousTitre->text() == kSubtitle; }, 10000));

    Click(w.ButtonPause);
    EXPECT_TRUE(ModeBecomes("paused"));
    Click(w.ButtonPlay);
    EXPECT_TRUE(ModeBecomes("playing"));

    Click(w.ButtonStop);
    EXPECT_TRUE(ModeBecomes("stopped"));
    EXPECT_EQ(w.Media.GetPosition(), 0);
    EXPECT_EQ(w.Slider->value(), 0);
    Click(w.ButtonPlay);
    EXPECT_TRUE(ModeBecomes("playing"));

    PressInWindow(Qt::Key_Return, Qt::AltModifier);
    ASSERT_TRUE(w.ScreenDC->isVisible());
    EXPECT_TRUE(w.FullScreenPlaying);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.ScreenDC));
    QTest::keyClick(w.ScreenDC, Qt::Key_Escape);
    EXPECT_FALSE(w.ScreenDC->isVisible());
    EXPECT_TRUE(PollUntil([&] { return !w.FullScreenPlaying; }, 10000));
    EXPECT_TRUE(ModeBecomes("playing"));

    Click(w.SndButton);
    EXPECT_EQ(ImageIndex(w.SndButton), 16);
    EXPECT_TRUE(Mpv().Muted());

    // Closed and opened again: the film has sound, the button still shows it muted.
    w.Fermer->trigger();
    EXPECT_FALSE(w.MovieOpen);
    EXPECT_EQ(w.windowTitle(), "Orvalen - " + film_);
    OpenWithCtrlO();
    ASSERT_TRUE(PollUntil([&] { return w.MovieOpen; }, 10000));
    EXPECT_TRUE(ModeBecomes("playing"));
    EXPECT_EQ(ImageIndex(w.SndButton), 16);
    EXPECT_FALSE(Mpv().Muted());
    Click(w.SndButton);
    EXPECT_EQ(ImageIndex(w.SndButton), 15);
    EXPECT_FALSE(Mpv().Muted());
    Click(w.SndButton);
    EXPECT_TRUE(Mpv().Muted());
}

}  // namespace
}  // namespace orvalen::testing
