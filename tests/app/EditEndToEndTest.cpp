#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/dialogs/ReferenceDialog.h"
#include "tests/app/EndToEndFixture.h"
#include "tests/app/ModalDriver.h"
#include "tests/app/QtPrinters.h"

namespace orvalen::testing {
namespace {

using test::WhenModal;

struct Timed {
    int32_t Start;
    int32_t End;
};

// The true times of the film's subtitles; the file has them as a release timed 1.1 times
// slower and 500 ms late would: file time = (true time - 500) / 1.1. Entries 0 to 3 are the
// references.
constexpr Timed kTrue[] = {{2000, 3000},   {6000, 7000}, {10000, 11000},
                           {14000, 15000}, {4000, 5500}, {16000, 16500}};
constexpr Timed kSecond[] = {{1000, 2000}, {3500, 4000}, {6000, 7000}};

std::string SrtTime(int32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d,%03d", ms / 3600000, ms / 60000 % 60,
                  ms / 1000 % 60, ms % 1000);
    return text;
}

template <size_t N>
std::string Srt(const Timed (&entries)[N], int32_t (*fileTime)(int32_t)) {
    std::string file;
    for (size_t i = 0; i < N; ++i) {
        file += std::to_string(i + 1) + "\r\n" + SrtTime(fileTime(entries[i].Start)) + " --> " +
                SrtTime(fileTime(entries[i].End)) + "\r\nLine " + std::to_string(i) + "\r\n\r\n";
    }
    return file;
}

int32_t Drifted(int32_t ms) {
    return static_cast<int32_t>(std::lround((ms - 500) / 1.1));
}

int32_t Unchanged(int32_t ms) {
    return ms;
}

// A user fixes drifting subtitles with Ctrl+R, Enter and four presses of the space bar, saves
// them, then merges a second file with Ctrl+M and one press, and saves again: the real player
// over libmpv, driven by keys on an X display.
class EditEndToEnd : public EndToEndTest {
  protected:
    void SetUp() override {
        EndToEndTest::SetUp();
        WriteFile(Path("Test film.srt"), Srt(kTrue, Drifted));
        WriteFile(Path("second.srt"), Srt(kSecond, Unchanged));
    }

    void TearDown() override {
        test::DisarmModalDrivers();
        EndToEndTest::TearDown();
    }

    // Presses key as a user would: in the focused control of the main window, which takes the
    // keyboard back first when a dialog that closed left it elsewhere.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        if (QApplication::activeWindow() != window_) window_->activateWindow();
        ASSERT_TRUE(PollUntil([this] { return QApplication::activeWindow() == window_; }, 10000));
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == window_ ? focus : window_, key, modifiers);
    }

    int32_t Position() { return Probe().Media().GetPosition(); }

    // Waits for the film to reach ms, then presses the space bar; returns the position then.
    int32_t PressSpaceAt(int32_t ms) {
        EXPECT_TRUE(PollUntil([&] { return Position() >= ms; }, 30000)) << ms;
        Press(Qt::Key_Space);
        return Position();
    }

    // The key, then path typed into the file dialog it opens and Enter.
    void ChooseFileWith(Qt::Key key, const QString& path) {
        auto typed =
            WhenModal<QFileDialog>([path](QFileDialog* dialog) { TypePathAndEnter(dialog, path); });
        Press(key, Qt::ControlModifier);
        ASSERT_TRUE(*typed);
    }

    SubtitleTrack Saved(const QString& path) {
        SubtitleTrack track;
        LoaderState state;
        LoadSubtitleFile(path.toStdString(), track, state, nullptr);
        return track;
    }
};

TEST_F(EditEndToEnd, ResynchroniseSaveMergeAndSaveWithTheKeyboard) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
    Start();
    ASSERT_EQ(Subs().Track.Count, 6);

    auto entered = WhenModal<ReferenceDialog>([](ReferenceDialog* dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(dialog->NumberField(0), Qt::Key_Return);
    });
    Press(Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(*entered);
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Status), "Line 0");
    for (int k = 0; k < 4; ++k) PressSpaceAt(kTrue[k].Start);
    // 1.1 when the presses fall evenly late; a press a frame off may make it 1.09 or 1.11.
    EXPECT_TRUE(
        Ui().StatusArea->PanelText(StatusPanel::Status)
            .contains(QRegularExpression("^Dilatation = 1\\.(1|09|11)   Shift = -?[0-9]+$")))
        << Ui().StatusArea->PanelText(StatusPanel::Status).toStdString();

    ChooseFileWith(Qt::Key_S, Path("resynced.srt"));
    const SubtitleTrack resynced = Saved(Path("resynced.srt"));
    ASSERT_EQ(resynced.Count, 6);
    int32_t worst = 0;
    for (int i = 0; i < 6; ++i) {
        worst = std::max({worst, std::abs(resynced.StartMs[i] - kTrue[i].Start),
                          std::abs(resynced.EndMs[i] - kTrue[i].End)});
    }
    // What the key presses lag behind the position they were meant for.
    EXPECT_LE(worst, 250);
    RecordProperty("worst_error_ms", worst);

    ChooseFileWith(Qt::Key_M, Path("second.srt"));
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Status), "Line 0");
    const int32_t lastEnd = Subs().Track.EndMs[5];
    const int32_t anchor = PressSpaceAt(lastEnd + 300);
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Status), "");
    ChooseFileWith(Qt::Key_S, Path("merged.srt"));
    const SubtitleTrack merged = Saved(Path("merged.srt"));
    ASSERT_EQ(merged.Count, 9);
    EXPECT_NEAR(merged.StartMs[6], anchor, 250);
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(merged.StartMs[6 + j] - merged.StartMs[6], kSecond[j].Start - kSecond[0].Start);
        EXPECT_EQ(merged.EndMs[6 + j] - merged.StartMs[6], kSecond[j].End - kSecond[0].Start);
    }
}

// Ctrl+Shift+R puts subtitles 3 s late back on the film's espeak-ng speech while the film
// plays; Ctrl+Z puts them back as they were.
TEST_F(EditEndToEnd, SynchroniseWithTheSoundAndUndo) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
    const char* lines[] = {
        "Where did you put the keys?",         "I told you, they are on the table.",
        "Nobody listens to me in this house.", "We should leave before it rains.",
        "Have you seen my brother today?",     "The train leaves at seven.",
        "Close the door, it is cold.",         "Tomorrow we go to the sea."};
    const int32_t spoken[] = {1000, 4300, 9800, 12600, 19000, 22100, 28500, 31000};
    std::string tsv;
    std::string srt;
    for (int i = 0; i < 8; ++i) {
        tsv += std::to_string(spoken[i]) + "\t" + lines[i] + "\n";
        srt += std::to_string(i + 1) + "\n" + SrtTime(spoken[i] + 3000) + " --> " +
               SrtTime(spoken[i] + 5000) + "\nLine\n\n";
    }
    WriteFile(Path("lines.tsv"), tsv);
    WriteFile(Path("Test film.srt"), srt);
    const std::string make = "'" + std::string(ORVALEN_TEST_SOURCE_DIR) +
                             "/../autosync/make-speech-film.py' '" +
                             Path("lines.tsv").toStdString() + "' '" +
                             Path("Test film.mkv").toStdString() + "' --duration 36 >/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0);
    std::rename(Path("Test film.mkv").toLocal8Bit(), Path("Test film.avi").toLocal8Bit());
    Start();
    ASSERT_EQ(Subs().Track.Count, 8);

    Press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(PollUntil(
        [&] { return Ui().StatusArea->PanelText(StatusPanel::Status).contains("confidence"); },
        30000));
    EXPECT_TRUE(Ui().StatusArea->PanelText(StatusPanel::Status)
                    .contains(QRegularExpression(
                        "^Dilatation = [0-9.]+   Shift = [0-9]+   confidence: [0-9]+%$")))
        << Ui().StatusArea->PanelText(StatusPanel::Status).toStdString();
    for (int i = 0; i < 8; ++i) EXPECT_NEAR(Subs().Track.StartMs[i], spoken[i], 100) << i;
    EXPECT_GT(Position(), 0);

    Press(Qt::Key_Z, Qt::ControlModifier);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Subs().Track.StartMs[i], spoken[i] + 3000);
}

}  // namespace
}  // namespace orvalen::testing
