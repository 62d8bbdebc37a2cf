#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "app/window/StatusBar.h"
#include "app/window/SubtitleListWindow.h"
#include "app/window/VideoPanel.h"
#include "tests/app/WindowFixture.h"

namespace orvalen::testing {
namespace {

constexpr char kThree[] =
    "1\n00:00:01,000 --> 00:00:02,000\nOne\n\n"
    "2\n00:00:03,000 --> 00:00:04,000\n<i>Two</i>\n\n"
    "3\n00:00:05,000 --> 00:00:06,000\nThree\n\n";

class TimingKeys : public WindowTest {
  protected:
    void Open() {
        MainWindow& w = MakeWindow();
        device_.open = true;
        device_.mode = "paused";
        Film().Open = true;
        w.LoadSubtitleFile(Path("film.srt").toStdString(), Subs().Track);
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    void Press(QKeyCombination key) {
        QTest::keyClick(window_, key.key(), key.keyboardModifiers());
    }
    int Highlight() const { return Ui().SubtitleList->Model().Highlight(); }
};

TEST_F(TimingKeys, MoveTheSubtitlesStepByLineAndTheListFollows) {
    WriteFile(Path("film.srt"), kThree);
    Open();
    Press(Qt::Key_F9);
    ASSERT_TRUE(Ui().SubtitleList->isVisible());
    TickAt(1500);
    EXPECT_EQ(LabelText(), "One");
    EXPECT_EQ(Highlight(), 0);

    for (int i = 0; i < 3; ++i) Press(Qt::Key_H);
    Press(Qt::SHIFT | Qt::Key_G);
    EXPECT_EQ(Ui().VideoArea->OverlayText(), "Subtitle delay: -0.700 s");
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Status), "Subtitle delay: -0.700 s");
    TickAt(1400);
    EXPECT_EQ(LabelText(), "") << "One now ends at 1300";
    EXPECT_EQ(Highlight(), -1);

    Press(Qt::CTRL | Qt::Key_Right);
    EXPECT_EQ(device_.position, 2300);
    TickAt(2350);
    EXPECT_EQ(LabelText(), "Two");
    EXPECT_EQ(Highlight(), 1);
    Press(Qt::CTRL | Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Two");
    Press(Qt::CTRL | Qt::Key_Left);
    EXPECT_EQ(device_.position, 300);

    // Three (4300 by now) starts at 2350.
    device_.position = 2350;
    Press(Qt::CTRL | Qt::SHIFT | Qt::Key_Right);
    EXPECT_EQ(Subs().Offset.Ms(), -2650);
    TickAt(2400);  // the index passes Two
    TickAt(2450);
    EXPECT_EQ(LabelText(), "Three");
    EXPECT_EQ(Highlight(), 2);
    const SubtitleListModel& list = Ui().SubtitleList->Model();
    EXPECT_EQ(list.data(list.index(2, 1), Qt::DisplayRole).toString(), "0:00:02.350");

    QTest::keyClicks(Ui().SubtitleList->SearchBox(), "TWO");
    QTableView* rows = Ui().SubtitleList->View();
    ASSERT_EQ(rows->model()->rowCount(), 1);
    rows->setCurrentIndex(rows->model()->index(0, 0));
    QTest::keyClick(rows, Qt::Key_Return);
    EXPECT_EQ(device_.position, 350);

    // The offset outlives the window, and only film items are disabled without a film.
    DestroyWindow();
    Open();
    EXPECT_EQ(Subs().Offset.Ms(), -2650);
    EXPECT_EQ(Subs().Track.StartMs[0], -1650);
    EXPECT_EQ(Ui().StatusArea->PanelText(StatusPanel::Status), "Subtitle delay -2.650 s restored");
    EXPECT_TRUE(Ui().SubtitleList->isVisible());
    Film().Open = false;
    TickAt(0);
    Press(Qt::Key_G);
    EXPECT_EQ(Subs().Offset.Ms(), -2650);
    EXPECT_FALSE(Item(WindowAction::Earlier)->isEnabled());
    EXPECT_TRUE(Item(WindowAction::SubtitleList)->isEnabled());
}

}  // namespace
}  // namespace orvalen::testing
