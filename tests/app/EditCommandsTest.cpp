#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>

#include "tests/app/CommandsFixture.h"

namespace orvalen::testing {
namespace {

using test::WhenModal;

struct Entry {
    int32_t Start;
    int32_t End;
    std::string Text;
};

std::string SrtTime(int32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d,%03d", ms / 3600000, ms / 60000 % 60,
                  ms / 1000 % 60, ms % 1000);
    return text;
}

std::string Srt(const std::vector<Entry>& entries) {
    std::string file;
    for (size_t i = 0; i < entries.size(); ++i) {
        file += std::to_string(i + 1) + "\r\n" + SrtTime(entries[i].Start) + " --> " +
                SrtTime(entries[i].End) + "\r\n" + entries[i].Text + "\r\n\r\n";
    }
    return file;
}

// Resynchronisation, merge and save run from the window over the fake device, with the space
// bar typed into the active window as a user would.
class EditCommands : public Commands {
  protected:
    void SetUp() override {
        Commands::SetUp();
        W().show();
        W().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&W()));
    }

    void OpenFilm(const std::vector<Entry>& entries) {
        WriteFile(Path("film.avi"), "not a real film");
        WriteFile(Path("film.srt"), Srt(entries));
        OpenThroughDialog(Path("film.avi"));
        ASSERT_EQ(Subs().Track.Count, static_cast<int32_t>(entries.size()));
    }

    // Gives the keyboard back to the main window, as a click on it would after a dialog.
    void Reactivate() {
        if (QApplication::activeWindow() != &W()) W().activateWindow();
        ASSERT_TRUE(PollUntil([this] { return QApplication::activeWindow() == &W(); }));
    }

    void PressSpaceAt(int32_t position) {
        device_.position = position;
        Reactivate();
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &W(), Qt::Key_Space);
    }

    // Ctrl+R, then the dialog closed with OK (on its numbers as they are) or Cancel.
    void StartResync(bool ok = true) {
        auto ran = WhenModal<ReferenceDialog>([ok](ReferenceDialog* dialog) {
            (ok ? dialog->OkButton() : dialog->CancelButton())->click();
        });
        W().StartResynchronisation();
        ASSERT_TRUE(*ran);
    }

    // Ctrl+M answered Yes/No when asked, then the file chosen or the dialog cancelled.
    std::shared_ptr<bool> Merge(const QString& file, QMessageBox::StandardButton answer = {}) {
        if (answer != QMessageBox::NoButton) {
            WhenModal<QMessageBox>([answer](QMessageBox* box) { box->button(answer)->click(); });
        }
        auto chosen = WhenModal<QFileDialog>([file](QFileDialog* dialog) {
            file.isEmpty() ? test::Cancel(dialog) : test::ChooseFile(dialog, file);
        });
        W().StartMerge();
        return chosen;
    }

    void Save(const QString& path) {
        auto ran =
            WhenModal<QFileDialog>([path](QFileDialog* dialog) { test::ChooseFile(dialog, path); });
        W().SaveSubtitles();
        ASSERT_TRUE(*ran);
    }
};

TEST_F(EditCommands, RefusesWithoutAFilmAKnownFormatOrFourSubtitles) {
    const QString needFilm = kResyncRefusalText;
    EXPECT_FALSE(*Merge(QString())) << "a merge without a film asks for no file";
    test::DisarmModalDrivers();
    W().StartResynchronisation();
    OpenFilm({{1000, 2000, "a"}, {3000, 4000, "b"}, {5000, 6000, "c"}});
    device_.position = 2500;
    W().StartResynchronisation();
    WriteFile(Path("other.jss"), "whatever");
    W().LoadSubtitleFile(Path("other.jss").toStdString(), Subs().Track);
    W().StartResynchronisation();
    EXPECT_EQ(messages_,
              (std::vector<QString>{
                  kMergeRefusalText, needFilm,
                  "A resynchronisation needs four reference subtitles; the subtitle file holds 3.",
                  needFilm}));
    EXPECT_EQ(device_.position, 2500) << "a refusal does not stop the film";
    EXPECT_FALSE(Subs().Editing.ResyncActive());
}

TEST_F(EditCommands, CancelLeavesTheFilmStoppedAtItsStart) {
    OpenFilm({{1000, 2000, "a"}, {3000, 4000, "b"}, {5000, 6000, "c"}, {7000, 8000, "d"}});
    device_.position = 20000;
    const int plays = device_.playCalls;
    StartResync(false);
    EXPECT_EQ(device_.position, 0);
    EXPECT_EQ(device_.mode, "stopped");
    EXPECT_EQ(device_.playCalls, plays);
    EXPECT_FALSE(Subs().Editing.ResyncActive());
    PressSpaceAt(1500);
    EXPECT_EQ(Subs().Track.StartMs[0], 1000);
}

TEST_F(EditCommands, ACancelledChooserLeavesTheWaitingSeriesAsItWas) {
    OpenFilm({{1000, 2000, "a"},
              {3000, 4000, "b"},
              {5000, 6000, "c"},
              {7000, 8000, "d"},
              {9000, 9500, "e"}});
    StartResync();
    PressSpaceAt(1500);
    // Changed in the chooser, then cancelled: the series keeps the numbers it started with.
    auto ran = WhenModal<ReferenceDialog>([](ReferenceDialog* dialog) {
        dialog->NumberField(3)->setText("4");
        dialog->CancelButton()->click();
    });
    W().StartResynchronisation();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Subs().Editing.ResyncCount(), 1);
    PressSpaceAt(3500);
    PressSpaceAt(5500);
    EXPECT_EQ(Panel(StatusPanel::Status), "d");
}

struct ResyncCase {
    const char* Name;
    std::vector<Entry> Track;  // the four references, numbers 0 to 3
    std::array<int32_t, 4> Marks;
    QLocale::Language Language;
    QString Status;
    std::array<int32_t, 2> FirstAfter;  // entry 0's start and end after the rewrite
};

void PrintTo(const ResyncCase& c, std::ostream* os) {
    *os << c.Name;
}

class FourPresses : public EditCommands, public ::testing::WithParamInterface<ResyncCase> {};

TEST_P(FourPresses, RewriteTheTrackAtTheFourthAndShowTheResult) {
    const ResyncCase& c = GetParam();
    OpenFilm(c.Track);
    W().setLocale(QLocale(c.Language));
    device_.position = 30000;
    StartResync();
    EXPECT_EQ(device_.mode, "playing");
    EXPECT_EQ(device_.position, 0) << "played from the start";
    EXPECT_EQ(Panel(StatusPanel::Status), QString::fromStdString(c.Track[0].Text));
    for (int press = 0; press < 3; ++press) {
        PressSpaceAt(c.Marks[press]);
        EXPECT_EQ(Panel(StatusPanel::Status), QString::fromStdString(c.Track[press + 1].Text));
        EXPECT_EQ(Subs().Track.StartMs[0], c.Track[0].Start);
    }
    PressSpaceAt(c.Marks[3]);
    EXPECT_EQ(Panel(StatusPanel::Status), c.Status);
    EXPECT_EQ(Subs().Track.StartMs[0], c.FirstAfter[0]);
    EXPECT_EQ(Subs().Track.EndMs[0], c.FirstAfter[1]);

    PressSpaceAt(c.Marks[3] + 5000);  // a fifth press does nothing
    EXPECT_EQ(Panel(StatusPanel::Status), c.Status);
    EXPECT_EQ(Subs().Track.StartMs[0], c.FirstAfter[0]);
}

INSTANTIATE_TEST_SUITE_P(Examples, FourPresses,
                         ::testing::Values(ResyncCase{"Factor104",
                                                      {{10000, 12000, "one"},
                                                       {20000, 21500, "two"},
                                                       {30000, 31000, "three"},
                                                       {40000, 41000, "four"}},
                                                      {11000, 21400, 31800, 42200},
                                                      QLocale::C,
                                                      "Dilatation = 1.04   Shift = -599",
                                                      {10999, 13079}},
                                           ResyncCase{"Factor104WithADecimalComma",
                                                      {{10000, 12000, "one"},
                                                       {20000, 21500, "two"},
                                                       {30000, 31000, "three"},
                                                       {40000, 41000, "four"}},
                                                      {11000, 21400, 31800, 42200},
                                                      QLocale::French,
                                                      "Dilatation = 1,04   Shift = -599",
                                                      {10999, 13079}},
                                           ResyncCase{"FrameRateChange",
                                                      {{60000, 62500, "one"},
                                                       {600000, 601000, "two"},
                                                       {1200000, 1201000, "three"},
                                                       {1800000, 1801000, "four"}},
                                                      {64563, 627626, 1253251, 1878877},
                                                      QLocale::C,
                                                      "Dilatation = 1.04   Shift = -4478",
                                                      {66878, 69478}},
                                           ResyncCase{"OneSecondLate",
                                                      {{1000, 2000, "one"},
                                                       {3000, 4000, "two"},
                                                       {5000, 6000, "three"},
                                                       {7000, 8000, "four"}},
                                                      {2000, 4000, 6000, 8000},
                                                      QLocale::C,
                                                      "Dilatation = 1   Shift = -1000",
                                                      {2000, 3000}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(EditCommands, TheSpaceBarCountsWhereverTheFocusIsAndStillReachesTheControl) {
    OpenFilm({{10000, 12000, "one"},
              {20000, 21500, "two"},
              {30000, 31000, "three"},
              {40000, 41000, "four"}});
    StartResync();
    auto* field = new QLineEdit(Ui().SubtitlePanel);
    field->show();
    Reactivate();
    field->setFocus();
    ASSERT_TRUE(PollUntil([&] { return QApplication::focusWidget() == field; }));
    PressSpaceAt(11000);
    EXPECT_EQ(field->text(), " ");
    EXPECT_EQ(Subs().Editing.ResyncCount(), 1);
    // A held key's repeats are not presses.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
    QApplication::sendEvent(field, &repeat);
    EXPECT_EQ(Subs().Editing.ResyncCount(), 1);
    EXPECT_EQ(Panel(StatusPanel::Status), "two");
}

TEST_F(EditCommands, TwoReferencesStartingTogetherAreRefusedAndNothingChanges) {
    OpenFilm({{1000, 2000, "a"}, {5000, 6000, "b"}, {5000, 7000, "c"}, {9000, 9500, "d"}});
    StartResync();
    EXPECT_EQ(messages_, (std::vector<QString>{"Resynchronisation impossible: subtitles 1 and 2 "
                                               "start at the same time"}));
    EXPECT_EQ(device_.mode, "stopped");
    EXPECT_FALSE(Subs().Editing.ResyncActive());
}

struct MergeCase {
    const char* Name;
    QMessageBox::StandardButton Answer;
    bool ChooseFile;
    bool ResyncWaits;
    bool MergeWaits;
};

void PrintTo(const MergeCase& c, std::ostream* os) {
    *os << c.Name;
}

class MergeWhileResyncWaits : public EditCommands,
                              public ::testing::WithParamInterface<MergeCase> {};

TEST_P(MergeWhileResyncWaits, AsksFirst) {
    const MergeCase& c = GetParam();
    OpenFilm({{1000, 2000, "a"}, {3000, 4000, "b"}, {5000, 6000, "c"}, {7000, 8000, "d"}});
    WriteFile(Path("second.srt"), Srt({{0, 500, "X"}}));
    StartResync();
    auto chosen = Merge(c.ChooseFile ? Path("second.srt") : QString(), c.Answer);
    EXPECT_EQ(*chosen, c.Answer == QMessageBox::Yes);
    EXPECT_EQ(Subs().Editing.ResyncActive(), c.ResyncWaits);
    EXPECT_EQ(Subs().Editing.MergeActive(), c.MergeWaits);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MergeWhileResyncWaits,
    ::testing::Values(MergeCase{"No", QMessageBox::No, true, true, false},
                      MergeCase{"YesThenCancel", QMessageBox::Yes, false, false, false},
                      MergeCase{"YesThenAFile", QMessageBox::Yes, true, false, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(EditCommands, TheAnchorPressAppendsTheSecondFileAtThePress) {
    OpenFilm({{1000, 2000, "a"}, {2500, 3000, "b"}, {4000, 5000, "c"}});
    WriteFile(Path("second.srt"), Srt({{2000, 3000, "X"}, {4000, 6000, "Y"}}));
    ASSERT_TRUE(*Merge(Path("second.srt")));
    EXPECT_EQ(device_.seeks.back(), 5000);
    EXPECT_EQ(device_.mode, "playing");
    EXPECT_EQ(Panel(StatusPanel::Status), "X");

    PressSpaceAt(5300);
    const SubtitleTrack& track = Subs().Track;
    EXPECT_EQ(track.Count, 5);
    EXPECT_EQ(track.Cursor, 3);
    EXPECT_EQ((std::array{track.StartMs[3], track.EndMs[3], track.StartMs[4], track.EndMs[4]}),
              (std::array{5300, 6300, 7300, 9300}));
    EXPECT_EQ(TrackText(3), "X");
    EXPECT_EQ(Panel(StatusPanel::Status), "");
    PressSpaceAt(8000);
    EXPECT_EQ(track.Count, 5);

    // A file no reader knows is refused: nothing waits and the shown track stays shown.
    WriteFile(Path("third.jss"), "whatever");
    ASSERT_TRUE(*Merge(Path("third.jss")));
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_FALSE(Subs().Editing.MergeActive());
    EXPECT_FALSE(Subs().FormatUnknown);
}

TEST_F(EditCommands, SaveWritesTheNameAsTypedAndTheClockGoesOn) {
    OpenFilm({{1000, 2000, "a"}, {3000, 4000, "b"}, {5000, 6000, "c"}});
    TickAt(1500);
    ASSERT_EQ(LabelText(), "a");
    const QString path = Path("saved without extension");
    Save(path);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(Subs().Track.Cursor, 0);
    TickAt(2500);
    TickAt(3500);
    EXPECT_EQ(LabelText(), "b");

    // The next save offers the same name; a failed one says why and changes nothing.
    auto offered = WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->selectedFiles().value(0), path);
        test::ChooseFile(dialog, Path("missing/out.srt"));
    });
    W().SaveSubtitles();
    ASSERT_TRUE(*offered);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].startsWith("Impossible d'écrire dans " + Path("missing/out.srt")))
        << messages_[0].toStdString();
    EXPECT_EQ(Subs().Track.Count, 3);
    EXPECT_EQ(Subs().Track.Cursor, 1);
}

}  // namespace
}  // namespace orvalen::testing
