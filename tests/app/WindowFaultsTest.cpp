#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolBar>
#include <cstring>

#include "app/dialogs/SubtitleFontDialog.h"
#include "tests/app/CommandsFixture.h"

namespace orvalen::testing {
namespace {

using test::WhenModal;

// A film playing with one subtitle from 1 to 5 seconds, the tool bar and its slider on screen.
class WindowFaults : public Commands {
  protected:
    void SetUp() override {
        Commands::SetUp();
        OpenThroughDialog(FilmWithSubtitle("film"));
        if (Ui().ToolBar->isHidden()) W().ToggleToolBar();
        W().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&W()));
        device_.seeks.clear();
    }

    QSlider* Slider() const { return Ui().PositionSlider; }

    // The point of the groove at value, as the style draws it.
    QPoint GroovePoint(int value) const {
        QStyleOptionSlider option;
        option.initFrom(Slider());
        option.orientation = Qt::Horizontal;
        option.minimum = Slider()->minimum();
        option.maximum = Slider()->maximum();
        const QRect groove = Slider()->style()->subControlRect(QStyle::CC_Slider, &option,
                                                               QStyle::SC_SliderGroove, Slider());
        const int span = groove.width();
        return QPoint(groove.left() + QStyle::sliderPositionFromValue(
                                          Slider()->minimum(), Slider()->maximum(), value, span),
                      groove.center().y());
    }
};

TEST_F(WindowFaults, AClickOnTheSliderSeeksWhereItLandsAndTheThumbStays) {
    TickAt(2000);
    QTest::mouseClick(Slider(), Qt::LeftButton, {}, GroovePoint(45));
    ASSERT_EQ(device_.seeks.size(), 1u);
    EXPECT_NEAR(device_.seeks[0], 45000, 2000) << "the click jumps to where it landed";
    EXPECT_EQ(device_.seeks[0], Slider()->value() * 1000);
    EXPECT_EQ(device_.mode, "playing");
    const int landed = Slider()->value();
    for (int tick = 0; tick < 3; ++tick) TickAt(landed * 1000 + 50 * tick);
    EXPECT_EQ(Slider()->value(), landed) << "the clock does not take the click back";
    EXPECT_EQ(device_.seeks.size(), 1u) << "the clock's own moves never seek";
}

TEST_F(WindowFaults, ArrowKeysOnTheSliderSeekOneSecond) {
    EXPECT_NE(Slider()->focusPolicy() & Qt::ClickFocus, 0) << "a click gives it the keys";
    TickAt(10000);
    QTest::keyClick(Slider(), Qt::Key_Right);
    EXPECT_EQ(device_.seeks, std::vector<int32_t>{11000});
    TickAt(11000);
    TickAt(11050);
    QTest::keyClick(Slider(), Qt::Key_Left);
    EXPECT_EQ(device_.seeks, (std::vector<int32_t>{11000, 10000}));
}

TEST_F(WindowFaults, ADragSeeksAsItGoesAndTheClockLeavesTheHeldThumbAlone) {
    TickAt(2000);
    QTest::mousePress(Slider(), Qt::LeftButton, {}, GroovePoint(2));
    QTest::mouseMove(Slider(), GroovePoint(20));
    QTest::mouseMove(Slider(), GroovePoint(30));
    ASSERT_FALSE(device_.seeks.empty());
    EXPECT_EQ(device_.seeks.back(), Slider()->value() * 1000);
    const int held = Slider()->value();
    TickAt(1000);  // a stale position while the thumb is held
    TickAt(1050);
    EXPECT_EQ(Slider()->value(), held);
    QTest::mouseRelease(Slider(), Qt::LeftButton, {}, GroovePoint(30));
}

TEST_F(WindowFaults, PlayAtTheEndStartsAgainFromTheBeginning) {
    TickAt(2000);
    ASSERT_EQ(LabelText(), "Hello");
    TickAt(59000);
    TickAt(59050);
    ASSERT_EQ(Subs().Track.Cursor, 1);
    device_.position = device_.length;
    device_.atEnd = true;
    device_.mode = "stopped";

    W().Play();
    EXPECT_EQ(device_.seeks, std::vector<int32_t>{0});
    EXPECT_EQ(device_.mode, "playing");
    EXPECT_EQ(Subs().Track.Cursor, 0);
    TickAt(1500);
    EXPECT_EQ(LabelText(), "Hello");

    device_.seeks.clear();
    W().Play();  // playing: Play does not rewind
    EXPECT_TRUE(device_.seeks.empty());
}

// What follows a subtitle on screen; none of it may leave that subtitle on the label or band.
enum class AfterShown { OtherFilmFailsToOpen, OtherSubtitleFileLoaded };

class StaleSubtitle : public WindowFaults, public ::testing::WithParamInterface<AfterShown> {};

TEST_P(StaleSubtitle, IsClearedFromLabelAndBand) {
    TickAt(2000);
    ASSERT_EQ(LabelText(), "Hello");
    Ui().FullScreenWindow->DrawBandText("Hello");
    if (GetParam() == AfterShown::OtherFilmFailsToOpen) {
        device_.openSucceeds = false;
        OpenThroughDialog(FilmWithSubtitle("other"));
    } else {
        W().LoadSubtitleFile(Path("film.srt").toStdString(), Subs().Track);
    }
    EXPECT_EQ(LabelText(), "");
    EXPECT_EQ(Ui().FullScreenWindow->BandText(), "");
}

INSTANTIATE_TEST_SUITE_P(Steps, StaleSubtitle,
                         ::testing::Values(AfterShown::OtherFilmFailsToOpen,
                                           AfterShown::OtherSubtitleFileLoaded));

// The font set in Config.ini before the window starts.
class FontFaults : public Commands {
  protected:
    void StartWithFont(const std::string& font) {
        DestroyWindow();
        WriteFile(ConfigPath(), "[Font]\nName=DejaVu Sans\n" + font);
        MakeWindow();
    }

    // What the font dialog shows when it opens.
    FontChoice Shown() {
        FontChoice seen;
        WhenModal<SubtitleFontDialog>([&](SubtitleFontDialog* dialog) {
            seen = dialog->Choice();
            dialog->reject();
        });
        W().ChooseSubtitleFont();
        return seen;
    }
};

struct StyleCase {
    const char* name;
    const char* font;
    bool bold;
    bool italic;
    int points;
};

void PrintTo(const StyleCase& c, std::ostream* out) {
    *out << c.name;
}

class FontDialogStart : public FontFaults, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(FontDialogStart, OpensOnTheCurrentFaceStyleAndSize) {
    StartWithFont(GetParam().font);
    const FontChoice seen = Shown();
    EXPECT_EQ(QFontInfo(seen.Font).family(), "DejaVu Sans");
    EXPECT_EQ(seen.Font.bold(), GetParam().bold)
        << QFontDatabase::styleString(seen.Font).toStdString();
    EXPECT_EQ(seen.Font.italic(), GetParam().italic)
        << QFontDatabase::styleString(seen.Font).toStdString();
    EXPECT_EQ(seen.Font.pointSize(), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, FontDialogStart,
    ::testing::Values(StyleCase{"bold", "Height=-20\nBold=1\n", true, false, 15},
                      StyleCase{"bold_italic", "Height=-16\nBold=1\nItalic=1\n", true, true, 12},
                      StyleCase{"italic", "Height=-16\nItalic=1\n", false, true, 12},
                      StyleCase{"regular", "Height=-13\n", false, false, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FontFaults, EnterPressesOkAndOkUnchangedChangesNothing) {
    StartWithFont("Color=65535\nSize=15\nHeight=-20\nBold=1\n");
    const SubtitleFont record = View().FullScreenFont;
    const QFont label = Ui().SubtitleLabel->font();
    const QFont band = Ui().FullScreenWindow->BandFont();
    const int panelHeight = Ui().SubtitlePanel->height();

    FontChoice seen;
    bool stillOpen = false;
    auto colourAsked =
        WhenModal<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); }, 3000);
    auto ran = WhenModal<SubtitleFontDialog>([&](SubtitleFontDialog* dialog) {
        seen = dialog->Choice();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog,
                        Qt::Key_Return);
        if (dialog->isVisible()) {
            stillOpen = true;
            dialog->reject();
        }
    });
    W().ChooseSubtitleFont();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(seen.Color, QColor(255, 255, 0));
    EXPECT_FALSE(*colourAsked) << "Enter opened the colour dialog";
    EXPECT_FALSE(stillOpen) << "Enter did not press OK";
    EXPECT_EQ(std::memcmp(&record, &View().FullScreenFont, sizeof record), 0);
    EXPECT_EQ(Ui().SubtitleLabel->font(), label);
    EXPECT_EQ(Ui().FullScreenWindow->BandFont(), band);
    EXPECT_EQ(Ui().SubtitlePanel->height(), panelHeight);
    EXPECT_EQ(W().SubtitleLabelColor(), QColor(255, 255, 0));
}

}  // namespace
}  // namespace orvalen::testing
