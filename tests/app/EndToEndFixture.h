#pragma once

#include <QApplication>
#include <QColor>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <cstdlib>
#include <string>

#include "app/window/StatusBar.h"
#include "app/window/VideoPanel.h"
#include "media/MpvDevice.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {

// The film's one colour and its subtitle.
inline const QColor kFilmColor(0x30, 0x70, 0xd0);
inline const char kSubtitle[] = "Visible subtitle";

inline bool Near(const QColor& a, const QColor& b, int tolerance = 28) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// The real player: libmpv plays a film made with ffmpeg, with its SubRip file beside it, and
// Config.ini (through ORVALEN_CONFIG) makes the search look there for SubRip files.
class EndToEndTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        film_ = Path("Test film.avi");
        const std::string command =
            "ffmpeg -nostdin -v error -y -f lavfi -i 'color=c=0x3070d0:s=320x240:r=25:d=20' "
            "-c:v mpeg4 -q:v 2 -an '" +
            film_.toStdString() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        WriteFile(Path("Test film.srt"),
                  std::string("1\r\n00:00:00,500 --> 00:00:15,000\r\n") + kSubtitle + "\r\n\r\n");
        WriteFile(ConfigPath(),
                  "[General]\nCurrentDir=1\nStateBarre=1\nToolBarre=1\n"
                  "[SubtitleFormat]\nsrt=1\n[Font]\nColor=65535\nSize=14\nBold=1\n");
    }

    // Starts the window as the program does, with the film as the command line's parameter,
    // and its clock running.
    MainWindow& Start() {
        MakeWindows(std::make_unique<MpvDevice>(), QStringList{film_});
        window_->show();
        EXPECT_TRUE(PollUntil([this] { return Film().Open; }, 10000));
        return *window_;
    }

    // Stops the film at position and waits for the label to follow.
    void ShowPosition(int32_t position) {
        window_->Pause();
        Probe().Media().SeekTo(position);
        window_->ResyncIndex();
    }

    // Types path into a file dialog's name field, again if the dialog cleared it while it
    // settled, then Enter, again while the field's completion list is open; a dialog still
    // open after that is closed.
    static void TypePathAndEnter(QFileDialog* dialog, const QString& path) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        PollUntil(
            [&] {
                if (!dialog->isVisible()) return true;
                if (name->text() != path) {
                    name->setFocus();
                    name->selectAll();
                    QTest::keyClicks(name, path);
                    return false;
                }
                QWidget* popup = QApplication::activePopupWidget();
                QTest::keyClick(popup ? popup : name, Qt::Key_Return);
                return !dialog->isVisible();
            },
            10000);
        if (dialog->isVisible()) dialog->close();
    }

    QColor VideoAreaCentre() const {
        const QImage shown = Ui().VideoArea->grab().toImage();
        return shown.pixelColor(shown.width() / 2, shown.height() / 2);
    }

    QString film_;
};

}  // namespace orvalen::testing
