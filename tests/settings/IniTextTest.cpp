#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "settings/IniText.h"

namespace orvalen {
namespace {

using namespace std::string_literals;

struct FindCase {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

void PrintTo(const FindCase& c, std::ostream* out) {
    *out << c.name;
}

class FindIniValueTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindIniValueTest, FindsTheValueByTheFileRules) {
    const FindCase& c = GetParam();
    std::optional<std::string_view> found = FindIniValue(c.text, c.section, c.key);
    ASSERT_EQ(found.has_value(), c.expected.has_value());
    if (found) {
        EXPECT_EQ(std::string(*found), *c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    HandEditedFiles, FindIniValueTest,
    ::testing::Values(
        FindCase{"plain", "[General]\nDelay=5\n", "General", "Delay", "5"},
        FindCase{"names_ignore_case", "[gENERAL]\nDELAY=5\n", "General", "delay", "5"},
        FindCase{"blanks_everywhere", "  [ General ]  \r\n   Delay   =   5  \r\n", "General",
                 "Delay", "5"},
        FindCase{"tabs", "[General]\n\tDelay\t=\t5\t\n", "General", "Delay", "5"},
        FindCase{"no_final_line_end", "[General]\nDelay=5", "General", "Delay", "5"},
        FindCase{"crlf", "[Font]\r\nName=Arial\r\n[General]\r\nDelay=5\r\n", "General", "Delay",
                 "5"},
        FindCase{"empty_value", "[General]\nSubDir=\n", "General", "SubDir", ""},
        FindCase{"value_with_equals", "[General]\nSubDir=a=b\n", "General", "SubDir", "a=b"},
        FindCase{"inner_blanks_kept", "[Font]\nName= Times New Roman \n", "Font", "Name",
                 "Times New Roman"},
        FindCase{"other_section", "[Font]\nDelay=5\n", "General", "Delay", std::nullopt},
        FindCase{"before_any_section", "Delay=5\n[General]\n", "General", "Delay", std::nullopt},
        FindCase{"comments_skipped", "[General]\n;Delay=5\n  # Delay=6\nDelay=7\n", "General",
                 "Delay", "7"},
        FindCase{"longer_key_name", "[General]\nDelayed=5\n", "General", "Delay", std::nullopt},
        FindCase{"longer_section_name", "[Generals]\nDelay=5\n", "General", "Delay", std::nullopt},
        FindCase{"line_without_equals", "[General]\nDelay\nDelay=4\n", "General", "Delay", "4"},
        FindCase{"broken_header_ignored", "[General]\n[Font\nDelay=3\n", "General", "Delay", "3"},
        FindCase{"first_key_wins", "[General]\nDelay=1\nDelay=2\n", "General", "Delay", "1"},
        FindCase{"duplicate_section_later_key", "[General]\nA=1\n[Font]\n[General]\nDelay=9\n",
                 "General", "Delay", "9"},
        FindCase{"duplicate_section_first_wins", "[General]\nDelay=1\n[general]\nDelay=2\n",
                 "General", "Delay", "1"},
        FindCase{"binary_bytes", "\x01\xff\0\n[General]\0\n\xfe=\xfd\nDelay=\x80\n"s, "General",
                 "Delay", "\x80"},
        FindCase{"empty_file", "", "General", "Delay", std::nullopt},
        FindCase{"byte_order_mark_skipped", "\xEF\xBB\xBF[General]\r\nDelay=5\r\n", "General",
                 "Delay", "5"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SetCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    std::string value;
    std::string after;
};

void PrintTo(const SetCase& c, std::ostream* out) {
    *out << c.name;
}

class SetIniValueTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetIniValueTest, ChangesOnlyTheKeysLine) {
    const SetCase& c = GetParam();
    EXPECT_EQ(SetIniValue(c.before, c.section, c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    HandEditedFiles, SetIniValueTest,
    ::testing::Values(
        SetCase{"in_place", "[General]\nDelay=5\nA=1\n", "General", "Delay", "70",
                "[General]\nDelay=70\nA=1\n"},
        SetCase{"byte_order_mark_kept", "\xEF\xBB\xBF[General]\nA=1\n", "General", "Delay", "7",
                "\xEF\xBB\xBF[General]\nA=1\nDelay=7\n"},
        SetCase{"only_a_byte_order_mark", "\xEF\xBB\xBF", "General", "Delay", "7",
                "\xEF\xBB\xBF[General]\nDelay=7\n"},
        SetCase{"in_place_keeps_spacing_and_crlf", "[General]\r\n  Delay =  5  \r\n;c\r\n",
                "General", "Delay", "7", "[General]\r\n  Delay =  7\r\n;c\r\n"},
        SetCase{"in_place_keeps_written_case", "[GENERAL]\ndelay=5\n", "General", "Delay", "6",
                "[GENERAL]\ndelay=6\n"},
        SetCase{"in_place_empty_value", "[General]\nSubDir=subs\n", "General", "SubDir", "",
                "[General]\nSubDir=\n"},
        SetCase{"in_place_last_line_without_end", "[General]\nDelay=5", "General", "Delay", "6",
                "[General]\nDelay=6"},
        SetCase{"added_after_last_key_of_section", "[General]\nA=1\n\n[Font]\nName=x\n", "General",
                "Delay", "3", "[General]\nA=1\nDelay=3\n\n[Font]\nName=x\n"},
        SetCase{"added_after_header_of_empty_section", "[General]\n; note\n[Font]\n", "General",
                "Delay", "3", "[General]\nDelay=3\n; note\n[Font]\n"},
        SetCase{"added_after_header_without_line_end", "[General]", "General", "Delay", "3",
                "[General]\nDelay=3\n"},
        SetCase{"added_after_key_without_line_end", "[General]\nA=1", "General", "Delay", "3",
                "[General]\nA=1\nDelay=3\n"},
        SetCase{"added_with_crlf", "[General]\r\nA=1\r\n", "General", "Delay", "3",
                "[General]\r\nA=1\r\nDelay=3\r\n"},
        SetCase{"section_created_in_empty_file", "", "General", "Delay", "3",
                "[General]\nDelay=3\n"},
        SetCase{"section_created_at_end", "[Font]\nName=x\n", "General", "Delay", "3",
                "[Font]\nName=x\n\n[General]\nDelay=3\n"},
        SetCase{"section_created_after_blank_line", "[Font]\nName=x\n\n", "General", "Delay", "3",
                "[Font]\nName=x\n\n[General]\nDelay=3\n"},
        SetCase{"section_created_after_missing_line_end", "[Font]\nName=x", "General", "Delay", "3",
                "[Font]\nName=x\n\n[General]\nDelay=3\n"},
        SetCase{"section_created_with_crlf", "[Font]\r\nName=x\r\n", "General", "Delay", "3",
                "[Font]\r\nName=x\r\n\r\n[General]\r\nDelay=3\r\n"},
        SetCase{"duplicate_section_key_replaced_where_read",
                "[General]\nA=1\n[Font]\n[General]\nDelay=1\n", "General", "Delay", "2",
                "[General]\nA=1\n[Font]\n[General]\nDelay=2\n"},
        SetCase{"duplicate_section_new_key_in_first", "[General]\nA=1\n[Font]\n[general]\nB=2\n",
                "General", "Delay", "3", "[General]\nA=1\nDelay=3\n[Font]\n[general]\nB=2\n"},
        SetCase{"duplicate_key_first_replaced", "[General]\nDelay=1\nDelay=2\n", "General", "Delay",
                "3", "[General]\nDelay=3\nDelay=2\n"},
        SetCase{"commented_key_untouched", "[General]\n;Delay=1\n", "General", "Delay", "3",
                "[General]\nDelay=3\n;Delay=1\n"},
        SetCase{"value_cut_at_line_break", "[General]\nSubDir=x\n", "General", "SubDir",
                "a\n[Font]\r\nName=b", "[General]\nSubDir=a\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SetIniValue, WrittenValuesReadBack) {
    const std::string texts[] = {"", "[General]\r\nA=1\r\n", "x\n[Font]\n;c\n[General]",
                                 "\0\xff\n"s};
    for (const std::string& text : texts) {
        std::string edited = SetIniValue(text, "General", "SubDir", "my subs");
        edited = SetIniValue(edited, "Font", "Name", "Arial");
        EXPECT_EQ(FindIniValue(edited, "General", "SubDir"), "my subs");
        EXPECT_EQ(FindIniValue(edited, "Font", "Name"), "Arial");
        EXPECT_EQ(SetIniValue(edited, "Font", "Name", "Arial"), edited);
    }
}

struct DecodeCase {
    const char* text;
    std::optional<int32_t> expected;
};

void PrintTo(const DecodeCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class DecodeIniIntegerTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeIniIntegerTest, DecodesOrRefuses) {
    EXPECT_EQ(DecodeIniInteger(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DecodeIniIntegerTest,
    ::testing::Values(DecodeCase{"0", 0}, DecodeCase{"5", 5}, DecodeCase{"-13", -13},
                      DecodeCase{"+7", 7}, DecodeCase{"007", 7},
                      DecodeCase{"2147483647", INT32_MAX}, DecodeCase{"-2147483648", INT32_MIN},
                      DecodeCase{"2147483648", std::nullopt},
                      DecodeCase{"-2147483649", std::nullopt},
                      DecodeCase{"99999999999999999999999", std::nullopt}, DecodeCase{"0x5", 5},
                      DecodeCase{"0X1f", 31}, DecodeCase{"$5", 5}, DecodeCase{"$fF", 255},
                      DecodeCase{"0x01000000", 0x01000000}, DecodeCase{"$FFFFFFFF", -1},
                      DecodeCase{"0x80000000", INT32_MIN}, DecodeCase{"0x0000000000ff", 255},
                      DecodeCase{"0x100000000", std::nullopt}, DecodeCase{"0x", std::nullopt},
                      DecodeCase{"0X", std::nullopt}, DecodeCase{"$", std::nullopt},
                      DecodeCase{"0xg", std::nullopt}, DecodeCase{"$-5", std::nullopt},
                      DecodeCase{"-0x5", std::nullopt}, DecodeCase{"x5", std::nullopt},
                      DecodeCase{"12abc", std::nullopt}, DecodeCase{"abc", std::nullopt},
                      DecodeCase{"true", std::nullopt}, DecodeCase{"", std::nullopt},
                      DecodeCase{"-", std::nullopt}, DecodeCase{"- 5", std::nullopt},
                      DecodeCase{"1 2", std::nullopt}, DecodeCase{"5.0", std::nullopt},
                      DecodeCase{"1e3", std::nullopt}));

}  // namespace
}  // namespace orvalen
