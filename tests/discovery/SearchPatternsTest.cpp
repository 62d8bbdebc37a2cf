#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "discovery/SearchPatterns.h"

namespace orvalen {
namespace {

struct SplitCase {
    const char* path;
    const char* directory;
    const char* name;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << '"' << c.path << '"';
}

class SplitFilmPathTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitFilmPathTest, CutsDirectoryAndExtension) {
    FilmPathParts parts = SplitFilmPath(GetParam().path);
    EXPECT_EQ(parts.Directory, GetParam().directory);
    EXPECT_EQ(parts.Name, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SplitFilmPathTest,
    ::testing::Values(SplitCase{"/films/Matrix 2 EN.avi", "/films/", "Matrix 2 EN"},
                      SplitCase{"Matrix.avi", "", "Matrix"},
                      SplitCase{"/films/no extension", "/films/", "no extension"},
                      SplitCase{"/films/a.b.c.avi", "/films/", "a.b.c"},
                      SplitCase{"/films.d/film", "/films.d/", "film"},
                      SplitCase{"/films/.hidden.avi", "/films/", ".hidden"},
                      SplitCase{"/films/.avi", "/films/", ""}, SplitCase{"/", "/", ""},
                      SplitCase{"", "", ""}));

struct PrefixCase {
    const char* name;
    int32_t nbrChar;
    const char* prefix;
};

void PrintTo(const PrefixCase& c, std::ostream* out) {
    *out << c.name << " " << c.nbrChar;
}

class SearchPrefixTest : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(SearchPrefixTest, DropsTrailingCharacters) {
    EXPECT_EQ(SearchPrefix(GetParam().name, GetParam().nbrChar), GetParam().prefix);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SearchPrefixTest,
    ::testing::Values(PrefixCase{"Matrix 2 EN", 2, "Matrix 2 "}, PrefixCase{"Matrix", 0, "Matrix"},
                      PrefixCase{"abc", 1, "ab"}, PrefixCase{"abc", 2, "a"},
                      PrefixCase{"abc", 3, "abc"}, PrefixCase{"abc", 9, "abc"},
                      PrefixCase{"abc", -3, "abc"}, PrefixCase{"abc", INT32_MIN, "abc"},
                      PrefixCase{"abc", INT32_MAX, "abc"}, PrefixCase{"", 1, ""}));

SubtitleFormatFlags Formats(std::initializer_list<SubtitleFormat> enabled) {
    SubtitleFormatFlags flags{};
    for (SubtitleFormat format : enabled) flags[static_cast<size_t>(format)] = true;
    return flags;
}

TEST(BuildPatternList, FollowsTheFixedFormatOrder) {
    EXPECT_EQ(PatternListText(BuildPatternList(
                  "Matrix 2 ", Formats({SubtitleFormat::Srt, SubtitleFormat::Sub}))),
              "Matrix 2 *.sub;Matrix 2 *.srt;");
    SubtitleFormatFlags all;
    all.fill(true);
    EXPECT_EQ(PatternListText(BuildPatternList("F", all)),
              "F*.sub;F*.smi;F*.srt;F*.ssa;F*.dks;F*.tts;F*.jss;F*.vsf;F*.zeg;F*.jps;F*.scr;"
              "F*.psb;F*.txt;F*.mpl;F*.rt;F*.ass;F*.vtt;");
    EXPECT_TRUE(BuildPatternList("F", SubtitleFormatFlags{}).empty());
}

struct MatchCase {
    const char* prefix;
    const char* suffix;
    const char* name;
    bool matches;
};

// Bytes above 127 as \xHH, so that test names stay readable text.
std::string Printable(std::string_view text) {
    std::string printable;
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            printable += c;
            continue;
        }
        const char* digits = "0123456789abcdef";
        printable += "\\x";
        printable += digits[byte >> 4];
        printable += digits[byte & 15];
    }
    return printable;
}

void PrintTo(const MatchCase& c, std::ostream* out) {
    *out << Printable(c.prefix) << "*" << c.suffix << " ~ " << Printable(c.name);
}

class FilePatternTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(FilePatternTest, MatchesIgnoringCase) {
    FilePattern pattern{GetParam().prefix, GetParam().suffix};
    EXPECT_EQ(pattern.Matches(GetParam().name), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FilePatternTest,
    ::testing::Values(MatchCase{"Matrix 2 ", ".srt", "Matrix 2 FR.srt", true},
                      MatchCase{"Matrix 2 ", ".srt", "matrix 2 fr.SRT", true},
                      MatchCase{"Matrix 2 ", ".srt", "Matrix 2 .srt", true},
                      MatchCase{"Matrix 2 ", ".srt", "Matrix 2.srt", false},
                      MatchCase{"Matrix 2 ", ".srt", "Matrix 2 FR.srt.bak", false},
                      MatchCase{"Matrix 2 ", ".srt", "Matrix 2 FR.srtx", false},
                      MatchCase{"Matrix 2 ", ".srt", "Matrix 2 FR.sub", false},
                      MatchCase{"a.srt", ".srt", "a.srt", false},
                      MatchCase{"a?", ".srt", "a?.srt", true},
                      MatchCase{"a?", ".srt", "ab.srt", false},
                      MatchCase{"*", ".srt", "x.srt", false}, MatchCase{"", ".srt", ".srt", true},
                      MatchCase{"Am\xc3\xa9lie", ".srt", "AM\xc3\xa9LIE.srt", true},
                      MatchCase{"Am\xc3\xa9lie", ".srt", "AM\xc3\x89LIE.srt", false},
                      MatchCase{"\xe9t\xe9", ".rt", "\xc9T\xc9.rt", false},
                      MatchCase{"\xe9t\xe9", ".rt", "\xe9t\xe9 1.RT", true}));

TEST(NameLessIgnoringCase, OrdersLikeADirectoryListing) {
    std::vector<std::string> names = {"b.srt",  "A.srt",  "a.srt",        "B.sub",
                                      "a1.srt", "_x.srt", "\xc3\xa9.srt", "a.SRT"};
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return NameLessIgnoringCase(a, b);
    });
    std::vector<std::string> expected = {"_x.srt", "A.srt", "a.SRT", "a.srt",
                                         "a1.srt", "b.srt", "B.sub", "\xc3\xa9.srt"};
    EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace orvalen
