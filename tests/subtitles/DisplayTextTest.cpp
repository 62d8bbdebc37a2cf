#include <gtest/gtest.h>

#include <string>

#include "subtitles/DisplayText.h"

namespace orvalen {
namespace {

struct TextCase {
    const char* name;
    std::string bytes;
    std::string encoding;
    std::string shown;  // UTF-8
};

class DisplayTextCases : public ::testing::TestWithParam<TextCase> {};

TEST_P(DisplayTextCases, DecodesAndBreaksLines) {
    const TextCase& c = GetParam();
    EXPECT_EQ(DisplayText(c.bytes, c.encoding), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DisplayTextCases,
    ::testing::Values(TextCase{"TrailingLineFeedDropped", "Hello\n", "UTF-8", "Hello"},
                      TextCase{"LineFeedBreak", "One\nTwo\n", "UTF-8", "One\nTwo"},
                      TextCase{"CarriageReturnBreak", "One\rTwo\n", "UTF-8", "One\nTwo"},
                      TextCase{"CrLfIsOneBreak", "One\r\nTwo", "UTF-8", "One\nTwo"},
                      TextCase{"BlanksBeforeABreakDropped", "One   \nTwo \n", "UTF-8", "One\nTwo"},
                      TextCase{"Utf8", "\xC3\x89t\xC3\xA9\n", "UTF-8", "Été"},
                      TextCase{"Windows1252", "\xC9t\xE9 \x80\n", "WINDOWS-1252", "Été €"},
                      TextCase{"Latin2", "\xB3\xF3\xBF\n", "ISO-8859-2", "łóż"},
                      TextCase{"UnknownNameValidUtf8", "\xC3\xA9", "", "é"},
                      TextCase{"UnknownNameLegacyBytes", "\xE9t\xE9", "", "été"},
                      TextCase{"BogusNameFallsBack", "\xE9", "NO-SUCH-ENCODING", "é"},
                      TextCase{"InvalidUtf8UnderItsName", "caf\xE9", "UTF-8", "café"},
                      TextCase{"EmptyText", "", "UTF-8", ""},
                      TextCase{"OnlyLineEnds", "\n\r\n", "UTF-8", ""},
                      TextCase{"TrailingNoBreakSpaceDropped", "One\xC2\xA0\n", "UTF-8", "One"},
                      TextCase{"NoBreakSpaceInsideKept",
                               "A\xC2\xA0"
                               "B",
                               "UTF-8",
                               "A\xC2\xA0"
                               "B"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; });

}  // namespace
}  // namespace orvalen
