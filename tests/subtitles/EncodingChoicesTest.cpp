#include <gtest/gtest.h>
#include <iconv.h>

#include <set>
#include <string>

#include "subtitles/EncodingChoices.h"

namespace orvalen {
namespace {

TEST(EncodingChoices, AreDistinctAndKnownToIconv) {
    std::set<std::string> names;
    for (const EncodingChoice& choice : EncodingChoices()) {
        EXPECT_TRUE(names.insert(choice.IconvName).second) << choice.IconvName;
        iconv_t converter = iconv_open("UTF-8", choice.IconvName);
        EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)) << choice.IconvName;
        if (converter != reinterpret_cast<iconv_t>(-1)) iconv_close(converter);
    }
    EXPECT_EQ(names.size(), 15u);
    EXPECT_STREQ(EncodingChoices().back().Caption, "UTF-8");
}

TEST(AutomaticEncodingCaption, NamesTheDetectedEncoding) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "Automatic"},
        {"WINDOWS-1252", "Automatic (Windows-1252)"},
        {"shift_jis", "Automatic (Shift_JIS)"},
        {"ISO-8859-7", "Automatic (ISO-8859-7)"},  // detected but not offered
    };
    for (const auto& [detected, caption] : cases) {
        EXPECT_EQ(AutomaticEncodingCaption(detected), caption) << detected;
    }
}

}  // namespace
}  // namespace orvalen
