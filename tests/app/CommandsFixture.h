#pragma once

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

#include "app/dialogs/AboutDialog.h"
#include "app/dialogs/SubtitleChoiceDialog.h"
#include "app/dialogs/SubtitleFontDialog.h"
#include "app/window/FullScreenView.h"
#include "app/window/ImageList.h"
#include "app/window/StatusBar.h"
#include "app/window/VideoPanel.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/QtPrinters.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {

inline std::string SrtWith(const std::string& text) {
    return "1\r\n00:00:01,000 --> 00:00:05,000\r\n" + text + "\r\n\r\n";
}

// A main window over a fake device whose search looks beside the film for .srt and .sub
// files; the tests run its commands as the menus do.
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

    MainWindow& W() { return *window_; }

    // A film file with a subtitle file of the same name beside it.
    QString FilmWithSubtitle(const QString& name, const std::string& text = "Hello") {
        WriteFile(Path(name + ".avi"), "not a real film");
        WriteFile(Path(name + ".srt"), SrtWith(text));
        return Path(name + ".avi");
    }

    // Opens film through the Open dialog, as a user would.
    void OpenThroughDialog(const QString& film) {
        auto ran = test::WhenModal<QFileDialog>(
            [film](QFileDialog* dialog) { test::ChooseFile(dialog, film); });
        W().OpenFilm();
        ASSERT_TRUE(*ran);
    }

    QString Panel(StatusPanel panel) const { return Ui().StatusArea->PanelText(panel); }
    // The Subtitles menu as the found-file cases count it: without the Save As, second
    // subtitles and sound synchronisation items, which the menu layout test pins.
    QList<QAction*> MenuItems() const {
        QList<QAction*> items = Ui().SubtitlesMenu->actions();
        using A = WindowAction;
        for (A id : {A::SaveAs, A::OpenSecondSubtitles, A::SecondSubtitles, A::NoSecondSubtitles,
                     A::SecondEarlier, A::SecondLater, A::SoundSync, A::UndoSync})
            items.removeOne(Ui().Action(id));
        return items;
    }
    QList<QAction*> PopupItems() const { return Ui().PopupMenu->actions(); }
    // The text of an entry without the line end the readers keep.
    std::string TrackText(int index = 0) const {
        if (index >= Subs().Track.Count) return {};
        std::string text = Subs().Track.Texts[index];
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        return text;
    }
};

}  // namespace orvalen::testing
