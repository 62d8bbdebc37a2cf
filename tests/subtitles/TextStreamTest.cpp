#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "subtitles/TextStream.h"

namespace orvalen {
namespace {

struct PatternCase {
    const char* input;
    const char* pattern;
    int converted;
    std::vector<int32_t> values;  // all four slots; unconverted ones keep their -7
    size_t consumed;
    bool reachedEnd;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << c.pattern << " on " << c.input;
}

class PatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternTest, MatchesLikeScanf) {
    const PatternCase& c = GetParam();
    int32_t v[4] = {-7, -7, -7, -7};
    ScanResult result = ScanText(c.input, c.pattern, v[0], v[1], v[2], v[3]);
    EXPECT_EQ(result.Converted, c.converted);
    EXPECT_EQ(std::vector<int32_t>(v, v + 4), c.values);
    EXPECT_EQ(result.Consumed, c.consumed);
    EXPECT_EQ(result.ReachedEnd, c.reachedEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Scanf, PatternTest,
    ::testing::Values(
        PatternCase{"{25}{50}Hello\n", "{%d}{%d}", 2, {25, 50, -7, -7}, 8, false},
        // "%d" skips white space, line ends included; a literal must be the very next byte.
        PatternCase{"{ \n 25}", "{%d}", 1, {25, -7, -7, -7}, 7, false},
        PatternCase{" {25}", "{%d}", 0, {-7, -7, -7, -7}, 0, false},
        // Signs and leading zeros; the number is decimal.
        PatternCase{"-0012,+7,", "%d,%d,", 2, {-12, 7, -7, -7}, 9, false},
        PatternCase{"-x", "%d", 0, {-7, -7, -7, -7}, 0, false},
        PatternCase{"08:09", "%d:%d", 2, {8, 9, -7, -7}, 5, true},
        // A white-space directive matches any run of white space, or none.
        PatternCase{"1,\n\n\n 2", "%d,\n%d", 2, {1, 2, -7, -7}, 7, true},
        PatternCase{"1,2", "%d, %d", 2, {1, 2, -7, -7}, 3, true},
        PatternCase{
            "00:00:01,500-->00:00:04,000\nHi", "%d:%d:%d,%d --> ", 4, {0, 0, 1, 500}, 15, false},
        // A failed literal stops the match there; the mismatching byte is not consumed.
        PatternCase{"0:00:05 --> 0:00:09", "%d:%d:%d,%d", 3, {0, 0, 5, -7}, 7, false},
        // Digits beyond 32 bits wrap modulo 2^32 instead of overflowing.
        PatternCase{"4294967297", "%d", 1, {1, -7, -7, -7}, 10, true},
        PatternCase{"2147483648", "%d", 1, {INT32_MIN, -7, -7, -7}, 10, true},
        PatternCase{"-2147483648", "%d", 1, {INT32_MIN, -7, -7, -7}, 11, true},
        PatternCase{"99999999999999999999999", "%d", 1, {-159383553, -7, -7, -7}, 23, true},
        // Running into the end while skipping white space or matching a literal.
        PatternCase{"/100\n", "/%d\n", 1, {100, -7, -7, -7}, 5, true},
        PatternCase{"/100\nA", "/%d\n", 1, {100, -7, -7, -7}, 5, false},
        PatternCase{"", "{%d}", 0, {-7, -7, -7, -7}, 0, true},
        PatternCase{"  ", "%d", 0, {-7, -7, -7, -7}, 2, true},
        PatternCase{"12 3.45 \\ ~:\\Text", "%d %d.%d \\ ~:\\", 3, {12, 3, 45, -7}, 13, false}));

// Every line ReadLine gives until it returns false, which must leave the line empty.
std::vector<std::string> ReadLines(const std::string& text) {
    TextStream stream(text);
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() <= text.size() && stream.ReadLine(line)) lines.push_back(line);
    EXPECT_EQ(line, "");
    return lines;
}

TEST(TextStream, ReadsCrLfAndLoneCrAsLf) {
    EXPECT_EQ(ReadLines("a\r\nb\rc\r\n\r\nd"),
              (std::vector<std::string>{"a\n", "b\n", "c\n", "\n", "d"}));
}

TEST(TextStream, ReadsCrsBeforeLfAsOneLineEnd) {
    EXPECT_EQ(ReadLines("\r\r\nx\r\r\r\n\ry\r"),
              (std::vector<std::string>{"\n", "x\n", "\n", "y\n"}));
}

TEST(TextStream, CutsLongLinesAtTheLimitAndReturnsTheRestNext) {
    std::string longLine(300, 'x');
    TextStream stream(longLine + "\nnext\n");
    std::string line;
    ASSERT_TRUE(stream.ReadLine(line));
    EXPECT_EQ(line, std::string(254, 'x'));
    ASSERT_TRUE(stream.ReadLine(line));
    EXPECT_EQ(line, std::string(46, 'x') + "\n");
    ASSERT_TRUE(stream.ReadLine(line, 3));
    EXPECT_EQ(line, "nex");
    ASSERT_TRUE(stream.ReadLine(line, 6));
    EXPECT_EQ(line, "t\n");
}

TEST(TextStream, ScanConsumesExactlyWhatMatched) {
    TextStream stream("{1}{2}rest\n");
    int32_t a = 0, b = 0;
    EXPECT_EQ(stream.Scan("{%d}{%d}", a, b).Converted, 2);
    std::string line;
    stream.ReadLine(line);
    EXPECT_EQ(line, "rest\n");
    stream.Rewind();
    stream.ReadLine(line);
    EXPECT_EQ(line, "{1}{2}rest\n");
}

struct ClockCase {
    int32_t h, m, s, f, unit;
    int32_t expected;
};

TEST(ClockTime, ComputesAndWrapsIn32Bits) {
    const ClockCase cases[] = {
        {1, 2, 3, 4, 1, 3723004},
        {0, 0, 1, 50, 10, 1500},
        {0, 0, 5, 5, 100, 5500},
        {0, 1, 5, 99, 0, 65000},
        {0, 0, 1, 5, 1, 1005},
        // 600 hours overflow 32 bits: the result wraps instead of being undefined.
        {600, 0, 0, 0, 1, static_cast<int32_t>(600u * 3600000u)},
        {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 100,
         static_cast<int32_t>((3661u * 2147483647u) * 1000u + 2147483647u * 100u)},
        {-1, 0, 0, 0, 1, -3600000},
    };
    for (const ClockCase& c : cases) {
        EXPECT_EQ(ClockTime(c.h, c.m, c.s, c.f, c.unit), c.expected)
            << c.h << ":" << c.m << ":" << c.s << "," << c.f;
    }
}

struct FrameCase {
    int32_t frame, frameRate, expected;
};

TEST(FrameTime, DividesByTheExactRateTruncatingTowardZero) {
    const FrameCase cases[] = {
        {25, 25000, 1000},
        {55, 25000, 2200},
        {70, 25000, 2800},
        {1, 25000, 40},
        {24, 23976, 1001},
        {47, 23976, 1960},
        {86314, 23976, 3600016},  // an hour in: no drift
        {1, 29970, 33},
        {30, 29970, 1001},
        {107892, 29970, 3600000},
        {-1, 25000, -40},
        {-164, 23976, -6840},  // -6840.2 truncates toward zero
        {-1, 29970, -33},
        // Below one thousandth of a frame per second the rate counts as 1.
        {10, 0, 10000000},
        {10, -5000, 10000000},
        // 64-bit product, then wrapped to 32 bits as every time is.
        {2147483, 1000, 2147483000},
        {2147484, 1000, static_cast<int32_t>(2147484000u)},
        {INT32_MAX, 25000, static_cast<int32_t>(static_cast<uint32_t>(85899345880ull))},
        {INT32_MIN, 25000, static_cast<int32_t>(static_cast<uint32_t>(-85899345920ll))},
        {INT32_MAX, 1, static_cast<int32_t>(static_cast<uint64_t>(2147483647000000ull))},
    };
    for (const FrameCase& c : cases) {
        EXPECT_EQ(FrameTime(c.frame, c.frameRate), c.expected) << c.frame << " at " << c.frameRate;
    }
}

TEST(TextBlock, StopsOnlyAtAnEmptyLineOrTheEndOfTheFile) {
    TextStream stream("A\nB\n\nC\nC\nD\n\nD\nD");
    std::string first, second, third;
    TextBlock(stream, first);
    EXPECT_EQ(first, "A\nB\n");
    TextBlock(stream, second);
    EXPECT_EQ(second, "C\nC\nD\n");  // repeated lines are ordinary text
    TextBlock(stream, third);
    EXPECT_EQ(third, "D\nD");  // the block's first line may repeat the last one before it
}

TEST(BreakMarks, ReplaceOnlyTheFirstMark) {
    std::string bar = "A|B|C\n";
    ReplaceFirst(bar, '|', '\r');
    EXPECT_EQ(bar, "A\rB|C\n");
    std::string tags = "a[BR]b[br]c[br]\n";
    ReplaceBreakTag(tags);
    EXPECT_EQ(tags, "a[BR]b   \nc[br]\n");
    std::string upper = "a[BR]b[BR]\n";
    ReplaceBreakTag(upper);
    EXPECT_EQ(upper, "a   \nb[BR]\n");
}

}  // namespace
}  // namespace orvalen
