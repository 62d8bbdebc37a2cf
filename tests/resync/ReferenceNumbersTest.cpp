#include "resync/ReferenceNumbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "TrackBuilder.h"
#include "subtitles/TextStream.h"

namespace orvalen {
namespace {

using testing_support::MakeNumberedTrack;

ResyncQuad Fields(const ReferenceNumbers& model) {
    return {ReadNumber(model.Text(0)), ReadNumber(model.Text(1)), ReadNumber(model.Text(2)),
            ReadNumber(model.Text(3))};
}

// Types the numbers from the last field down, the order in which raising them works.
void TypeNumbers(ReferenceNumbers& model, const ResyncQuad& numbers) {
    for (int field = 3; field >= 0; --field) model.SetText(field, std::to_string(numbers[field]));
    ASSERT_EQ(Fields(model), numbers);
}

enum class Button { Plus, Minus };

struct ButtonCase {
    const char* Name;
    int32_t Count;
    ResyncQuad Before;
    Button Kind;
    std::vector<int> Fields;  // each clicked on its own, from Before
    ResyncQuad After;
};

void PrintTo(const ButtonCase& c, std::ostream* os) {
    *os << c.Name;
}

class Buttons : public testing::TestWithParam<ButtonCase> {};

TEST_P(Buttons, StepAndCarryTheRun) {
    const ButtonCase& c = GetParam();
    for (int field : c.Fields) {
        SubtitleTrack track = MakeNumberedTrack(c.Count);
        ReferenceNumbers model(track);
        TypeNumbers(model, c.Before);
        model.FitToTrack();
        if (c.Kind == Button::Plus) {
            model.Plus(field);
        } else {
            model.Minus(field);
        }
        EXPECT_EQ(Fields(model), c.After) << "field " << field;
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(model.Text(k), std::to_string(c.After[k]));
            EXPECT_EQ(model.Label(k), "s" + std::to_string(c.After[k]) + "\n");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceNumbers, Buttons,
    testing::Values(
        ButtonCase{"Plus1CarriesTheWholeRun", 100, {5, 6, 7, 8}, Button::Plus, {0}, {6, 7, 8, 9}},
        ButtonCase{"Minus4CarriesTheWholeRun", 100, {5, 6, 7, 8}, Button::Minus, {3}, {4, 5, 6, 7}},
        ButtonCase{"Plus3CarriesTheFourth", 100, {5, 6, 7, 8}, Button::Plus, {2}, {5, 6, 8, 9}},
        ButtonCase{"Minus3CarriesTheFirstTwo", 100, {5, 6, 7, 8}, Button::Minus, {2}, {4, 5, 6, 8}},
        ButtonCase{"Plus1StopsAtAGap", 100, {5, 6, 9, 12}, Button::Plus, {0}, {6, 7, 9, 12}},
        ButtonCase{"Minus2CarriesTheFirst", 100, {5, 6, 9, 12}, Button::Minus, {1}, {4, 5, 9, 12}},
        ButtonCase{"PlusAtTheEndChangesNothing",
                   9,
                   {5, 6, 7, 8},
                   Button::Plus,
                   {0, 1, 2, 3},
                   {5, 6, 7, 8}},
        ButtonCase{"Plus1FillsTheGapBelowTheEnd", 9, {4, 6, 7, 8}, Button::Plus, {0}, {5, 6, 7, 8}},
        ButtonCase{"MinusAtTheStartChangesNothing",
                   100,
                   {0, 1, 2, 3},
                   Button::Minus,
                   {0, 1, 2, 3},
                   {0, 1, 2, 3}},
        ButtonCase{"Minus4CarriesDownToZero", 100, {0, 2, 3, 4}, Button::Minus, {3}, {0, 1, 2, 3}},
        ButtonCase{
            "Plus4AtTheLastSubtitleStays", 100, {1, 2, 3, 99}, Button::Plus, {3}, {1, 2, 3, 99}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TypingCase {
    const char* Name;
    int32_t Count;
    ResyncQuad Before;
    int Field;
    std::vector<std::string> Keystrokes;  // the field's text after each keystroke
    ResyncQuad After;
};

void PrintTo(const TypingCase& c, std::ostream* os) {
    *os << c.Name;
}

class Typing : public testing::TestWithParam<TypingCase> {};

TEST_P(Typing, IsValidatedAfterEveryKeystroke) {
    const TypingCase& c = GetParam();
    SubtitleTrack track = MakeNumberedTrack(c.Count);
    ReferenceNumbers model(track);
    TypeNumbers(model, c.Before);
    for (const std::string& text : c.Keystrokes) model.SetText(c.Field, text);
    EXPECT_EQ(Fields(model), c.After);
    EXPECT_EQ(model.Text(c.Field), std::to_string(c.After[c.Field]));
}

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    ReferenceNumbers, Typing,
    testing::Values(
        TypingCase{"FourthBeyondTheTrack", 100, {0, 1, 2, 3}, 3, {"5", "50", "500"}, {0, 1, 2, 99}},
        TypingCase{"NegativeFirst", 100, {0, 1, 2, 3}, 0, {"-4"}, {0, 1, 2, 3}},
        TypingCase{"ThirdBelowTheSecond", 100, {2, 3, 5, 6}, 2, {"0"}, {2, 3, 4, 6}},
        TypingCase{"SecondNotBelowTheThird", 100, {0, 1, 20, 30}, 1, {"45"}, {0, 19, 20, 30}},
        TypingCase{"TwoThenFive", 100, {0, 1, 20, 30}, 1, {"2", "25"}, {0, 19, 20, 30}},
        TypingCase{"EmptiedFirstSnapsToZero", 100, {4, 10, 20, 30}, 0, {""}, {0, 10, 20, 30}},
        TypingCase{
            "EmptiedSecondSnapsAboveTheFirst", 100, {4, 10, 20, 30}, 1, {""}, {4, 5, 20, 30}},
        TypingCase{"TrailingCharactersIgnored", 100, {0, 1, 20, 30}, 1, {" 7abc"}, {0, 7, 20, 30}},
        TypingCase{"HugeFirst", 100, {0, 1, 2, 3}, 0, {"99999999999999"}, {0, 1, 2, 3}},
        TypingCase{"HugeNegativeFourth", 100, {0, 1, 2, 3}, 3, {"-99999999999"}, {0, 1, 2, 3}},
        TypingCase{"FourthOrderWinsOverTheEnd", 2, {0, 1, 2, 3}, 3, {"5"}, {0, 1, 2, 3}},
        TypingCase{"RaisingAllFromTheLast", 100, {0, 1, 2, 3}, 3, {"40"}, {0, 1, 2, 40}},
        TypingCase{
            "RaisingTheFirstFirstSnapsBack", 100, {0, 1, 2, 3}, 0, {"4", "40"}, {0, 1, 2, 3}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ReadNumber, ReadsAsAtoiWithoutOverflow) {
    struct Case {
        const char* Text;
        int32_t Value;
    };
    for (const Case& c :
         {Case{"42", 42}, Case{"  42x", 42}, Case{"+7", 7}, Case{"\t-12", -12}, Case{"", 0},
          Case{"-", 0}, Case{"abc", 0}, Case{" - 5", 0}, Case{"2147483647", kMax},
          Case{"99999999999", kMax}, Case{"-2147483648", std::numeric_limits<int32_t>::min()},
          Case{"-99999999999", std::numeric_limits<int32_t>::min()}}) {
        EXPECT_EQ(ReadNumber(c.Text), c.Value) << '"' << c.Text << '"';
    }
}

TEST(ReferenceNumbersLabels, StartEmptyAndFollowOnlyTheWrittenFields) {
    SubtitleTrack track = MakeNumberedTrack(100);
    ReferenceNumbers model(track);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(model.Label(k), "");
    EXPECT_EQ(model.Numbers(), (ResyncQuad{0, 1, 2, 3}));

    TypeNumbers(model, {5, 6, 9, 12});
    track.Texts[9] = "changed\n";
    model.Plus(0);
    EXPECT_EQ(model.Label(0), "s6\n");
    EXPECT_EQ(model.Label(1), "s7\n");
    EXPECT_EQ(model.Label(2), "s9\n");  // not written by the click
    EXPECT_EQ(model.Label(3), "s12\n");
}

TEST(ReferenceNumbersLabels, AreEmptyBeyondTheTrack) {
    SubtitleTrack track = MakeNumberedTrack(2);
    ReferenceNumbers model(track);
    model.SetText(3, "9");  // the order wins over the last subtitle: 3
    EXPECT_EQ(model.Text(3), "3");
    EXPECT_EQ(model.Label(3), "");
    model.SetText(0, "1");  // corrected to 0, below the second number
    EXPECT_EQ(model.Label(0), "s0\n");
}

struct FitCase {
    const char* Name;
    ResyncQuad Before;  // typed on a 100-subtitle track
    int32_t NewCount;   // the track loaded since
    ResyncQuad After;
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.Name;
}

class FitToTrack : public testing::TestWithParam<FitCase> {};

TEST_P(FitToTrack, KeepsTheNumbersWithinTheTrackAndShowsTheirTexts) {
    const FitCase& c = GetParam();
    SubtitleTrack track = MakeNumberedTrack(100);
    ReferenceNumbers model(track);
    TypeNumbers(model, c.Before);
    track = MakeNumberedTrack(c.NewCount);
    model.FitToTrack();
    EXPECT_EQ(Fields(model), c.After);
    for (int k = 0; k < 4; ++k) {
        std::string expected =
            c.After[k] < c.NewCount ? "s" + std::to_string(c.After[k]) + "\n" : std::string();
        EXPECT_EQ(model.Label(k), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceNumbers, FitToTrack,
    testing::Values(FitCase{"Unchanged", {0, 1, 2, 3}, 100, {0, 1, 2, 3}},
                    FitCase{"AllBeyond", {50, 60, 70, 80}, 10, {6, 7, 8, 9}},
                    FitCase{"LastTwoBeyond", {1, 3, 60, 80}, 10, {1, 3, 8, 9}},
                    FitCase{"ExactlyFour", {1, 3, 60, 80}, 4, {0, 1, 2, 3}},
                    FitCase{"TooShortIsLeftAlone", {1, 3, 60, 80}, 3, {1, 3, 60, 80}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Any sequence of edits and clicks keeps the numbers strictly increasing, and within the track
// when it holds four subtitles or more; a click moves its own number by one or changes nothing,
// and never moves the numbers on the other side of it.
TEST(ReferenceNumbersInvariant, SurvivesRandomEditsAndClicks) {
    std::mt19937 random(20240611);
    const std::vector<std::string> texts = {"",   "-",  "abc", "-7",  "0",   "1",           "3",
                                            "12", "57", "99",  "100", "250", "99999999999", " 42x"};
    for (int32_t count : {0, 1, 3, 4, 5, 9, 100}) {
        SubtitleTrack track = MakeNumberedTrack(count);
        ReferenceNumbers model(track);
        for (int step = 0; step < 3000; ++step) {
            int field = static_cast<int>(random() % 4);
            ResyncQuad before = model.Numbers();
            int action = static_cast<int>(random() % 3);
            if (action == 0) {
                model.Plus(field);
            } else if (action == 1) {
                model.Minus(field);
            } else {
                model.SetText(field, texts[random() % texts.size()]);
            }
            ResyncQuad after = model.Numbers();
            for (int k = 0; k < 4; ++k) {
                ASSERT_EQ(model.Text(k), std::to_string(after[k])) << "count " << count;
                if (k > 0) {
                    ASSERT_LT(after[k - 1], after[k]) << "count " << count;
                }
            }
            if (count >= 4) {
                ASSERT_GE(after[0], 0);
                ASSERT_LE(after[3], count - 1);
            }
            if (action == 2 || count < 4) continue;
            int direction = action == 0 ? 1 : -1;
            if (after == before) continue;
            ASSERT_EQ(after[field], before[field] + direction);
            for (int k = 0; k < 4; ++k) {
                bool behind = action == 0 ? k < field : k > field;
                if (behind) {
                    ASSERT_EQ(after[k], before[k]);
                }
            }
        }
    }
}

}  // namespace
}  // namespace orvalen
