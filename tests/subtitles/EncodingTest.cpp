#include <gtest/gtest.h>

#include <string>

#include "subtitles/TextEncoding.h"

namespace orvalen {
namespace {

TEST(IsValidUtf8, AcceptsWellFormedAndRejectsEverythingElse) {
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"plain ASCII text that is longer than eight bytes", true},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", true},
        {"caf\xE9", false},               // Latin-1
        {"\xC3", false},                  // cut short
        {"12345678\xE2\x82", false},      // cut short after an ASCII block
        {"\xC0\xAF", false},              // overlong
        {"\xE0\x80\xAF", false},          // overlong
        {"\xED\xA0\x80", false},          // surrogate
        {"\xF4\x90\x80\x80", false},      // beyond U+10FFFF
        {"\xF8\x88\x80\x80\x80", false},  // five-byte form
        {"\x80", false},                  // lone continuation
        {"\xC3\x28", false},              // bad continuation
    };
    for (const auto& [bytes, valid] : cases) EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
}

TEST(DetectEncoding, NamesUtf8OrAnEightBitCodePage) {
    EXPECT_EQ(DetectEncoding("ASCII only\n"), "UTF-8");
    EXPECT_EQ(DetectEncoding("d\xC3\xA9j\xC3\xA0 vu\n"), "UTF-8");
    std::string french;
    for (int i = 0; i < 50; ++i) {
        french += "Il \xE9tait une fois un ch\xE2teau tr\xE8s \xE9loign\xE9 o\xF9 l'on parlait.\n";
    }
    EXPECT_EQ(DetectEncoding(french), "WINDOWS-1252");
    // uchardet alone reads IBM852 here: K÷nigstrasse, Troms°. Genuine IBM852 stays.
    EXPECT_EQ(DetectEncoding("We drove from Troms\xF8 to the K\xF6nigstrasse.\n"), "WINDOWS-1252");
    EXPECT_EQ(DetectEncoding("P\xFD\xA1li\xE7 \xA7lu\x9Cou\x9Fk\xEC k\x85\xE5 \xA3p\xD8l\n"),
              "IBM852");
    // One stray high byte in English text: never "ASCII", which could not decode it.
    std::string english(20000, 'a');
    english +=
        "\xA3"
        "5\n";
    EXPECT_EQ(DetectEncoding(english), "WINDOWS-1252");
}

TEST(DecodeByteOrderMark, DropsUtf8MarkAndConvertsUtf16) {
    std::string utf8 =
        "\xEF\xBB\xBF"
        "abc";
    DecodeByteOrderMark(utf8);
    EXPECT_EQ(utf8, "abc");
    std::string le(
        "\xFF\xFE"
        "A\0\xE9\0\x3D\xD8\x00\xDE",
        10);
    DecodeByteOrderMark(le);
    EXPECT_EQ(le, "A\xC3\xA9\xF0\x9F\x98\x80");
    std::string be("\xFE\xFF\0A\x20\xAC", 6);
    DecodeByteOrderMark(be);
    EXPECT_EQ(be, "A\xE2\x82\xAC");
    std::string plain = "\xEF\xBB no mark";
    DecodeByteOrderMark(plain);
    EXPECT_EQ(plain, "\xEF\xBB no mark");
    std::string eightBit = "\xFF\xFE caf\xE9 \xFE\xFF";
    DecodeByteOrderMark(eightBit);
    EXPECT_EQ(eightBit, "\xFF\xFE caf\xE9 \xFE\xFF");
    for (std::string unmarked :
         {std::string("{\0001\0}\0\xE9\0\n\0", 10), std::string("\0{\0001\0}\0\xE9\0\n", 10)}) {
        DecodeByteOrderMark(unmarked);
        EXPECT_EQ(unmarked, "{1}\xC3\xA9\n");
    }
}

TEST(ConvertToUtf8, ConvertsFromTheNamedEncodingAndReplacesBadBytes) {
    struct Case {
        const char* encoding;
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {"WINDOWS-1251", "\xcf\xf0\xe8\xe2\xe5\xf2",
         "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82"},
        {"KOI8-R", "\xf0\xd2", "\xd0\x9f\xd1\x80"},
        {"SHIFT_JIS", "\x93\xfa", "\xe6\x97\xa5"},
        {"UTF-8",
         "a\xff"
         "b\xe2\x82",
         "a\xef\xbf\xbd"
         "b\xef\xbf\xbd\xef\xbf\xbd"},
        {"WINDOWS-1252", std::string(5000, '\xe9'),
         [] {
             std::string e;
             for (int i = 0; i < 5000; ++i) e += "\xc3\xa9";
             return e;
         }()},
    };
    for (const Case& c : cases) {
        std::string out = "old";
        EXPECT_TRUE(ConvertToUtf8(c.bytes, c.encoding, out)) << c.encoding;
        EXPECT_EQ(out, c.utf8) << c.encoding;
    }
    std::string untouched = "old";
    EXPECT_FALSE(ConvertToUtf8("x", "NO-SUCH-ENCODING", untouched));
    EXPECT_EQ(untouched, "old");
}

}  // namespace
}  // namespace orvalen
