#include "resync/Resynchronisation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <locale>
#include <vector>

namespace orvalen {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct Entry {
    int32_t Start;
    int32_t End;
};

struct WorkedExample {
    const char* Name;
    ResyncQuad Starts;
    ResyncQuad Marks;
    double Factor;
    ResyncQuad Offsets;
    int32_t Shift;
    const char* Status;
    std::vector<Entry> Before;
    std::vector<Entry> After;
};

void PrintTo(const WorkedExample& c, std::ostream* os) {
    *os << c.Name << " (factor " << c.Factor << ", shift " << c.Shift << ")";
}

class WorkedExamples : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, GiveTheDocumentedFactorShiftAndTimes) {
    const WorkedExample& example = GetParam();
    ResyncResult result = ComputeResync(example.Starts, example.Marks);
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(result.Factor, example.Factor);
    EXPECT_EQ(result.Offsets, example.Offsets);
    EXPECT_EQ(result.Shift, example.Shift);
    EXPECT_EQ(ResyncStatusText(result.Factor, result.Shift), example.Status);

    SubtitleTrack track;
    for (const Entry& entry : example.Before) {
        track.StartMs[track.Count] = entry.Start;
        track.EndMs[track.Count] = entry.End;
        track.Texts[track.Count] = "text";
        ++track.Count;
    }
    track.Cursor = 1;
    ApplyResync(track, result.Factor, result.Shift);
    for (size_t i = 0; i < example.After.size(); ++i) {
        EXPECT_EQ(track.StartMs[i], example.After[i].Start) << "entry " << i;
        EXPECT_EQ(track.EndMs[i], example.After[i].End) << "entry " << i;
        EXPECT_EQ(track.Texts[i], "text");
    }
    EXPECT_EQ(track.Cursor, 1);
    EXPECT_EQ(track.Count, static_cast<int32_t>(example.Before.size()));
}

// The first case is -599 only in extended precision: 10000 * 1.04 lies 3.6e-13 above 10400,
// less than half a double's step there, so plain double arithmetic gives -600.
INSTANTIATE_TEST_SUITE_P(Resync, WorkedExamples,
                         testing::Values(WorkedExample{"SpeedFourPercent",
                                                       {10000, 20000, 30000, 40000},
                                                       {11000, 21400, 31800, 42200},
                                                       1.04,
                                                       {-599, -599, -599, -599},
                                                       -599,
                                                       "Dilatation = 1.04   Shift = -599",
                                                       {{10000, 12000}, {20000, 21500}},
                                                       {{10999, 13079}, {21399, 22959}}},
                                         WorkedExample{"FrameRateChangePlusTwoSeconds",
                                                       {60000, 600000, 1200000, 1800000},
                                                       {64563, 627626, 1253251, 1878877},
                                                       1.04,
                                                       {-2162, -3625, -5250, -6876},
                                                       -4478,
                                                       "Dilatation = 1.04   Shift = -4478",
                                                       {{60000, 62500}},
                                                       {{66878, 69478}}},
                                         WorkedExample{
                                             "OneSecondLate",
                                             {5000, 15000, 30000, 45000},
                                             {6000, 16000, 31000, 46000},
                                             1.0,
                                             {-1000, -1000, -1000, -1000},
                                             -1000,
                                             "Dilatation = 1   Shift = -1000",
                                             {{0, 1500}, {5000, 7000}, {45000, 45000}},
                                             {{1000, 2500}, {6000, 8000}, {46000, 46000}}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ComputeResync, AverageOfTheFrameRateExample) {
    ResyncResult result =
        ComputeResync({60000, 600000, 1200000, 1800000}, {64563, 627626, 1253251, 1878877});
    EXPECT_NEAR(result.Average, 1.042709, 5e-7);
    EXPECT_EQ(result.Ratios[0], static_cast<double>(563063.0L / 540000.0L));
}

// The factor keeps three significant digits: the step is 0.01 above 1 and 0.001 below.
struct FactorCase {
    int32_t Span;      // track time between consecutive references
    int32_t MarkStep;  // film time between consecutive marks
    double Factor;
};

void PrintTo(const FactorCase& c, std::ostream* os) {
    *os << "span " << c.Span << ", mark step " << c.MarkStep << " -> " << c.Factor;
}

class FactorRounding : public testing::TestWithParam<FactorCase> {};

TEST_P(FactorRounding, KeepsThreeSignificantDigits) {
    const FactorCase& c = GetParam();
    ResyncResult result = ComputeResync({0, c.Span, 2 * c.Span, 3 * c.Span},
                                        {0, c.MarkStep, 2 * c.MarkStep, 3 * c.MarkStep});
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(result.Factor, c.Factor);
}

INSTANTIATE_TEST_SUITE_P(
    Resync, FactorRounding,
    testing::Values(FactorCase{10000, 10427, 1.04}, FactorCase{100000, 95904, 0.959},
                    FactorCase{10000, 9996, 1.0}, FactorCase{10000, 10051, 1.01},
                    FactorCase{10000, -20000, -2.0}, FactorCase{10000, 0, 0.0}));

// Cases whose truncation falls on the other side of an integer unless the product is kept
// in extended precision.
TEST(ApplyResync, KeepsTheProductInExtendedPrecision) {
    SubtitleTrack track;
    track.StartMs[0] = 10000;
    track.EndMs[0] = 20000;
    track.StartMs[1] = -10000;
    track.EndMs[1] = 30000;
    track.Count = 2;
    ApplyResync(track, 1.04, 10401);
    EXPECT_EQ(track.StartMs[0], 0);  // 10400.00000000000036 - 10401 = -0.99999...
    EXPECT_EQ(track.EndMs[0], 10399);
    EXPECT_EQ(track.StartMs[1], -20801);  // -10400.00000000000036 - 10401
    EXPECT_EQ(track.EndMs[1], 20799);
}

TEST(ComputeResync, RefusesReferencesStartingTogether) {
    struct Case {
        ResyncQuad Starts;
        int First;
        int Second;
    };
    for (const Case& c : {Case{{100, 100, 300, 400}, 0, 1}, Case{{100, 200, 300, 300}, 2, 3},
                          Case{{500, 200, 300, 500}, 0, 3}, Case{{0, 0, 0, 0}, 0, 1}}) {
        ResyncResult result = ComputeResync(c.Starts, {1, 1, 1, 1});
        EXPECT_FALSE(result.Ok);
        EXPECT_EQ(result.FirstEqual, c.First);
        EXPECT_EQ(result.SecondEqual, c.Second);
    }
}

TEST(ComputeResync, UsesFailedPositionsLikeAnyOtherMark) {
    ResyncResult result = ComputeResync({1000, 2000, 3000, 4000}, {-1, -1, -1, -1});
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(result.Factor, 0.0);
    EXPECT_EQ(result.Offsets, (ResyncQuad{1, 1, 1, 1}));
    EXPECT_EQ(result.Shift, 1);
}

TEST(ComputeResync, TakesDifferencesBeyondThirtyTwoBitsExactly) {
    ResyncQuad times = {kMin, -1000000000, 1000000000, kMax};
    ResyncResult result = ComputeResync(times, times);
    ASSERT_TRUE(result.Ok);
    for (double ratio : result.Ratios) EXPECT_EQ(ratio, 1.0);
    EXPECT_EQ(result.Factor, 1.0);
    EXPECT_EQ(result.Shift, 0);
}

TEST(ComputeResync, ClampsOffsetsAndAveragesThemWithoutOverflow) {
    // A factor of about 3.3e8: two offsets leave the 32-bit range and are clamped, and their
    // sum (about 2.6e9) would wrap to a negative shift in 32-bit arithmetic.
    ResyncResult result = ComputeResync({0, 1, 1000, 2000}, {0, 2000000000, 2000000000, kMax});
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(result.Factor, 334000000.0);
    EXPECT_EQ(result.Offsets, (ResyncQuad{0, -1666000000, kMax, kMax}));
    EXPECT_EQ(result.Shift, (int64_t{-1666000000} + 2 * int64_t{kMax}) / 4);
}

TEST(ApplyResync, ClampsTimesToThirtyTwoBits) {
    struct Case {
        int32_t Time;
        double Factor;
        int32_t Shift;
        int32_t Expected;
    };
    for (const Case& c :
         {Case{2000000000, 2.0, 0, kMax}, Case{-2000000000, 2.0, 0, kMin}, Case{5, 1.0, kMin, kMax},
          Case{-5, 1.0, kMax, kMin}, Case{kMax, 1.0, 0, kMax}, Case{kMin, 1.0, 0, kMin},
          Case{kMin, -1.0, 0, kMax}, Case{kMax, 1e300, kMin, kMax}}) {
        SubtitleTrack track;
        track.StartMs[0] = c.Time;
        track.EndMs[0] = c.Time;
        track.Count = 1;
        ApplyResync(track, c.Factor, c.Shift);
        EXPECT_EQ(track.StartMs[0], c.Expected) << c.Time << " * " << c.Factor << " - " << c.Shift;
        EXPECT_EQ(track.EndMs[0], c.Expected);
    }
}

TEST(ApplyResync, LeavesSlotsBeyondCountAlone) {
    SubtitleTrack track;
    track.StartMs[0] = 100;
    track.StartMs[1] = 100;
    track.Count = 1;
    ApplyResync(track, 2.0, 0);
    EXPECT_EQ(track.StartMs[0], 200);
    EXPECT_EQ(track.StartMs[1], 100);
}

struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(ResyncStatusText, WritesFifteenDigitsWithAPointWhateverTheLocale) {
    std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    EXPECT_EQ(ResyncStatusText(1.04, -599), "Dilatation = 1.04   Shift = -599");
    EXPECT_EQ(ResyncStatusText(0.959, 12), "Dilatation = 0.959   Shift = 12");
    EXPECT_EQ(ResyncStatusText(1.0 / 3.0, 0), "Dilatation = 0.333333333333333   Shift = 0");
    EXPECT_EQ(ResyncStatusText(-2.0, kMin), "Dilatation = -2   Shift = -2147483648");
    EXPECT_EQ(ResyncStatusText(0.0, 0), "Dilatation = 0   Shift = 0");
    std::locale::global(previous);
}

TEST(ResyncStatusText, WritesTheGivenDecimalSeparator) {
    EXPECT_EQ(ResyncStatusText(1.04, -599, ","), "Dilatation = 1,04   Shift = -599");
    EXPECT_EQ(ResyncStatusText(1.0, -1000, ","), "Dilatation = 1   Shift = -1000");
    EXPECT_EQ(ResyncStatusText(1e-7, 0, ","), "Dilatation = 1e-07   Shift = 0");
}

}  // namespace
}  // namespace orvalen
