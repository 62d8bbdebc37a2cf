#include "app/dialogs/ReferenceDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "tests/app/ModalDriver.h"
#include "tests/app/QtPrinters.h"
#include "tests/resync/TrackBuilder.h"

namespace orvalen {
namespace {

using test::WhenModal;
using testing_support::MakeNumberedTrack;

ResyncQuad Shown(const ReferenceDialog& dialog) {
    ResyncQuad numbers{};
    for (int row = 0; row < 4; ++row) numbers[row] = dialog.NumberField(row)->text().toInt();
    return numbers;
}

// Opens the dialog over track, runs act while it is up, then presses the given button.
std::optional<ResyncQuad> Open(ReferenceDialog& dialog, const SubtitleTrack& track,
                               const std::function<void(ReferenceDialog*)>& act,
                               bool pressOk = true) {
    auto ran = WhenModal<ReferenceDialog>([&](ReferenceDialog* shown) {
        act(shown);
        (pressOk ? shown->OkButton() : shown->CancelButton())->click();
    });
    std::optional<ResyncQuad> chosen = dialog.Choose(track);
    EXPECT_TRUE(*ran);
    return chosen;
}

// Writes the numbers into the fields from the last one down, the order that keeps each valid.
void SetNumbers(ReferenceDialog* dialog, const ResyncQuad& numbers) {
    for (int row = 3; row >= 0; --row) {
        dialog->NumberField(row)->setText(QString::number(numbers[row]));
    }
    ASSERT_EQ(Shown(*dialog), numbers);
}

TEST(ReferenceDialog, HasTheCaptionRowsHelpLineAndButtonsInPlace) {
    ReferenceDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Synchronisation semi-automatique");
    const char* ordinals[] = {"first", "second", "third", "fourth"};
    for (int row = 0; row < 4; ++row) {
        const int top = 8 + 40 * row;
        EXPECT_EQ(dialog.Caption(row)->text(), QStringLiteral("Number of the %1 subtitle for the "
                                                              "synchronisation :")
                                                   .arg(QLatin1String(ordinals[row])));
        EXPECT_TRUE(dialog.Caption(row)->font().underline());
        // Whole, ending before the "-" button, whatever face stands in for Arial.
        EXPECT_LE(
            8 + dialog.Caption(row)->fontMetrics().horizontalAdvance(dialog.Caption(row)->text()),
            328);
        EXPECT_EQ(dialog.NumberField(row)->geometry(), QRect(344, top, 57, 17));
        EXPECT_EQ(dialog.NumberField(row)->text(), QString::number(row));
        EXPECT_EQ(dialog.MinusButton(row)->geometry(), QRect(328, top, 17, 17));
        EXPECT_EQ(dialog.PlusButton(row)->geometry(), QRect(400, top, 17, 17));
        EXPECT_EQ(dialog.MinusButton(row)->text(), "-");
        EXPECT_EQ(dialog.PlusButton(row)->text(), "+");
        EXPECT_EQ(dialog.SubtitleLabel(row)->geometry(), QRect(16, top + 24, 385, 14));
        EXPECT_EQ(dialog.SubtitleLabel(row)->text(), "");
        EXPECT_FALSE(dialog.MinusButton(row)->autoDefault());
    }
    EXPECT_EQ(dialog.HelpLine()->text(),
              "(Use the space bar to indicate when the subtitle should appear)");
    EXPECT_TRUE(dialog.HelpLine()->font().italic());
    EXPECT_EQ(dialog.HelpLine()->y(), 176);
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    EXPECT_EQ(dialog.OkButton()->geometry(), QRect(56, 200, 113, 25));
    EXPECT_EQ(dialog.CancelButton()->text(), "Cancel");
    EXPECT_EQ(dialog.CancelButton()->geometry(), QRect(240, 200, 113, 25));
}

struct ClickCase {
    const char* Name;
    int32_t Count;
    ResyncQuad Before;
    bool Plus;
    int Row;
    ResyncQuad After;
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.Name;
}

class Clicks : public ::testing::TestWithParam<ClickCase> {};

TEST_P(Clicks, StepTheNumberAndCarryItsRun) {
    const ClickCase& c = GetParam();
    const SubtitleTrack track = MakeNumberedTrack(c.Count);
    ReferenceDialog dialog;
    const auto chosen = Open(dialog, track, [&](ReferenceDialog* shown) {
        SetNumbers(shown, c.Before);
        (c.Plus ? shown->PlusButton(c.Row) : shown->MinusButton(c.Row))->click();
        EXPECT_EQ(Shown(*shown), c.After);
        for (int row = 0; row < 4; ++row) {
            EXPECT_EQ(shown->SubtitleLabel(row)->text(), QStringLiteral("s%1").arg(c.After[row]));
        }
    });
    EXPECT_EQ(chosen, c.After);
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceDialog, Clicks,
    ::testing::Values(ClickCase{"Plus1CarriesTheRun", 100, {5, 6, 7, 8}, true, 0, {6, 7, 8, 9}},
                      ClickCase{"Minus4CarriesTheRun", 100, {5, 6, 7, 8}, false, 3, {4, 5, 6, 7}},
                      ClickCase{"Plus1StopsAtTheGap", 100, {5, 6, 9, 12}, true, 0, {6, 7, 9, 12}},
                      ClickCase{
                          "Minus2StopsAtTheStart", 100, {5, 6, 9, 12}, false, 1, {4, 5, 9, 12}},
                      ClickCase{"Plus1NothingAtTheEnd", 9, {5, 6, 7, 8}, true, 0, {5, 6, 7, 8}},
                      ClickCase{"Plus3NothingAtTheEnd", 9, {5, 6, 7, 8}, true, 2, {5, 6, 7, 8}},
                      ClickCase{"Plus1FillsTheGap", 9, {4, 6, 7, 8}, true, 0, {5, 6, 7, 8}},
                      ClickCase{"Minus4NothingAtZero", 100, {0, 1, 2, 3}, false, 3, {0, 1, 2, 3}},
                      ClickCase{"Minus1NothingAtZero", 100, {0, 1, 2, 3}, false, 0, {0, 1, 2, 3}},
                      ClickCase{"Minus4CarriesToZero", 100, {0, 2, 3, 4}, false, 3, {0, 1, 2, 3}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TypingCase {
    const char* Name;
    ResyncQuad Before;  // on a track of 100 subtitles
    int Row;
    const char* Keys;           // typed one by one over the selected text
    std::vector<int32_t> Seen;  // the field's number after each key
    ResyncQuad After;
};

void PrintTo(const TypingCase& c, std::ostream* os) {
    *os << c.Name;
}

class Typing : public ::testing::TestWithParam<TypingCase> {};

TEST_P(Typing, ValidatesAfterEveryKey) {
    const TypingCase& c = GetParam();
    const SubtitleTrack track = MakeNumberedTrack(100);
    ReferenceDialog dialog;
    Open(dialog, track, [&](ReferenceDialog* shown) {
        SetNumbers(shown, c.Before);
        QLineEdit* field = shown->NumberField(c.Row);
        field->selectAll();
        std::vector<int32_t> seen;
        for (const char* key = c.Keys; *key; ++key) {
            QTest::keyClick(field, *key);
            seen.push_back(field->text().toInt());
        }
        EXPECT_EQ(seen, c.Seen);
        EXPECT_EQ(Shown(*shown), c.After);
        EXPECT_EQ(shown->SubtitleLabel(c.Row)->text(), QStringLiteral("s%1").arg(c.After[c.Row]));
    });
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceDialog, Typing,
    ::testing::Values(
        TypingCase{"FiveHundredInTheFourth", {0, 1, 2, 3}, 3, "500", {5, 50, 99}, {0, 1, 2, 99}},
        TypingCase{"MinusFourInTheFirst", {0, 1, 2, 3}, 0, "-4", {0, 0}, {0, 1, 2, 3}},
        TypingCase{"ZeroInTheThird", {2, 3, 5, 6}, 2, "0", {4}, {2, 3, 4, 6}},
        TypingCase{"TwoThenFiveInTheSecond", {0, 1, 20, 30}, 1, "25", {2, 19}, {0, 19, 20, 30}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ReferenceDialog, EnterPressesOkAndEscapeCancels) {
    const SubtitleTrack track = MakeNumberedTrack(100);
    ReferenceDialog dialog;
    auto ran = WhenModal<ReferenceDialog>([](ReferenceDialog* shown) {
        shown->NumberField(3)->setText("40");
        QTest::keyClick(shown->NumberField(1), Qt::Key_Return);
    });
    EXPECT_EQ(dialog.Choose(track), (ResyncQuad{0, 1, 2, 40}));
    EXPECT_TRUE(*ran);

    ran = WhenModal<ReferenceDialog>([](ReferenceDialog* shown) {
        shown->NumberField(2)->setText("30");
        QTest::keyClick(shown->NumberField(2), Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.Choose(track), std::nullopt);
    EXPECT_TRUE(*ran);
}

TEST(ReferenceDialog, KeepsNumbersAndLabelsBetweenOpenings) {
    SubtitleTrack track = MakeNumberedTrack(100);
    ReferenceDialog dialog;
    Open(dialog, track, [](ReferenceDialog* shown) { SetNumbers(shown, {5, 6, 9, 12}); });
    // A cancelled opening keeps its edits too, as the fields do.
    Open(
        dialog, track,
        [](ReferenceDialog* shown) {
            EXPECT_EQ(Shown(*shown), (ResyncQuad{5, 6, 9, 12}));
            EXPECT_EQ(shown->SubtitleLabel(2)->text(), "s9");
            shown->PlusButton(3)->click();
        },
        false);
    EXPECT_EQ(Open(dialog, track, [](ReferenceDialog*) {}), (ResyncQuad{5, 6, 9, 13}));

    // A shorter track loaded since: the numbers are brought within it before the dialog shows.
    track = MakeNumberedTrack(8);
    Open(dialog, track, [](ReferenceDialog* shown) {
        EXPECT_EQ(Shown(*shown), (ResyncQuad{4, 5, 6, 7}));
        EXPECT_EQ(shown->SubtitleLabel(3)->text(), "s7");
    });
}

}  // namespace
}  // namespace orvalen
