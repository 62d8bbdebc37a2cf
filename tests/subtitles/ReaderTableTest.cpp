#include <gtest/gtest.h>

#include <set>
#include <string>

#include "subtitles/ReaderTable.h"
#include "subtitles/SubtitleFormats.h"

namespace orvalen {
namespace {

// What the loader, the command-line tool and the new rows rely on.
TEST(ReaderTable, RowsAreFoundByIdAndNamedOnce) {
    std::set<std::string> names;
    std::set<SubtitleReaderId> ids;
    for (const SubtitleReader& row : SubtitleReaders()) {
        EXPECT_TRUE(ids.insert(row.Id).second) << row.Name;
        EXPECT_TRUE(names.insert(row.Name).second) << row.Name;
        EXPECT_EQ(FindReader(row.Id), &row) << row.Name;
        const std::string extension = "." + std::string(FormatExtension(row.Format));
        ASSERT_NE(ChooseReader(extension, ""), nullptr) << row.Name;
        EXPECT_EQ(ChooseReader(extension, "")->Format, row.Format) << row.Name;
        EXPECT_NE(row.Read, nullptr);
    }
    EXPECT_EQ(FindReader(SubtitleReaderId::None), nullptr);
    EXPECT_STREQ(ReaderName(SubtitleReaderId::None), "unknown");
}

TEST(ReaderTable, AnExtensionFallsBackToItsLastRow) {
    EXPECT_EQ(ChooseReader(".SUB", "no layout")->Id, SubtitleReaderId::TimecodePairs);
    EXPECT_EQ(ChooseReader(".sub", "{1}{2}")->Id, SubtitleReaderId::MicroDvd);
    EXPECT_EQ(ChooseReader(".smi", ""), nullptr);
    EXPECT_EQ(ChooseReader("", ""), nullptr);
}

TEST(SubtitleFormats, ConfigKeysComeInTheStoredOrder) {
    std::string keys;
    for (SubtitleFormat format : ConfigKeyOrder())
        keys += std::string(FormatExtension(format)) + ' ';
    EXPECT_EQ(keys, "sub srt dks jss mpl jps psb rt smi ssa tts vsf zeg scr txt ass vtt ");
    std::string searched;
    for (SubtitleFormat format : SearchOrder())
        searched += std::string(FormatExtension(format)) + ' ';
    EXPECT_EQ(searched, "sub smi srt ssa dks tts jss vsf zeg jps scr psb txt mpl rt ass vtt ");
}

}  // namespace
}  // namespace orvalen
