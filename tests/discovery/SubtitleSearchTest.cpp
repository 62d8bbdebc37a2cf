#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "discovery/SubtitleSearch.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using testing::TempDir;

SubtitleFormatFlags Formats(std::initializer_list<SubtitleFormat> enabled) {
    SubtitleFormatFlags flags{};
    for (SubtitleFormat format : enabled) flags[static_cast<size_t>(format)] = true;
    return flags;
}

Settings FilmDirectorySettings() {
    Settings settings;
    settings.CurrentDir = true;
    settings.SubtitleFormat = Formats({SubtitleFormat::Sub, SubtitleFormat::Srt});
    return settings;
}

// Answers for the window and records what it was asked.
class RecordingChooser : public SubtitleChooser {
  public:
    int answer = 0;
    std::string fileAnswer;
    std::vector<std::vector<std::string>> offered;
    std::vector<std::pair<FileFilters, std::string>> fileDialogs;  // filter, initial directory

    int ChooseSubtitleFile(const std::vector<std::string>& candidates) override {
        offered.push_back(candidates);
        return answer;
    }
    std::string AskForSubtitleFile(const FileFilters& filter,
                                   const std::string& initialDir) override {
        fileDialogs.emplace_back(filter, initialDir);
        return fileAnswer;
    }
};

TEST(FindSubtitleFiles, MatrixExampleIgnoresTwoCharacters) {
    TempDir dir;
    for (const char* name :
         {"Matrix 2 EN.avi", "Matrix 2 FR.srt", "Matrix 2 EN.sub", "Matrix 3 FR.srt",
          "Matrix 2 EN.txt", "Matrix 2.srt", "matrix 2 de.SRT", "Matrix 2 FR.srt.bak"}) {
        dir.Write(name, "x");
    }
    Settings settings = FilmDirectorySettings();
    settings.NbrChar = 2;
    std::string d = dir.Path() + "/";
    EXPECT_EQ(FindSubtitleFiles(d + "Matrix 2 EN.avi", settings),
              (std::vector<std::string>{d + "matrix 2 de.SRT", d + "Matrix 2 EN.sub",
                                        d + "Matrix 2 FR.srt"}));
}

TEST(FindSubtitleFiles, TwelveFilesGiveTheFirstTenInNameOrder) {
    TempDir dir;
    for (int i : {7, 12, 1, 10, 3, 11, 5, 2, 9, 4, 8, 6}) {
        dir.Write("Film " + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".srt", "x");
    }
    std::vector<std::string> expected;
    for (int i = 1; i <= 10; ++i) {
        expected.push_back(dir /
                           ("Film " + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".srt"));
    }
    EXPECT_EQ(FindSubtitleFiles(dir / "Film.avi", FilmDirectorySettings()), expected);
}

TEST(FindSubtitleFiles, KeepsTenCandidatesInAllAcrossDirectories) {
    TempDir dir;
    for (int i = 0; i < 6; ++i) {
        dir.Write("Film " + std::to_string(i) + ".srt", "x");
        dir.Write("subs/Film " + std::to_string(i) + ".sub", "x");
        dir.Write("fixed/Film " + std::to_string(i) + ".sub", "x");
    }
    Settings settings = FilmDirectorySettings();
    settings.SubDir = "subs";
    settings.SubDirEnabled = true;
    settings.SubFilePath = dir / "fixed";
    settings.SubFilePathEnabled = true;
    std::vector<std::string> found = FindSubtitleFiles(dir / "Film.avi", settings);
    ASSERT_EQ(found.size(), static_cast<size_t>(MaxFoundSubtitleFiles));
    EXPECT_EQ(found[5], dir / "Film 5.srt");
    EXPECT_EQ(found[6], dir / "subs/Film 0.sub");
    EXPECT_EQ(found[9], dir / "subs/Film 3.sub");
}

TEST(FindSubtitleFiles, SearchesTheThreeDirectoriesInOrder) {
    TempDir dir;
    dir.Write("films/Film.avi", "x");
    dir.Write("films/Film.srt", "x");
    dir.Write("films/Sous titres/Film fr.sub", "x");
    dir.Write("elsewhere/FILM.SUB", "x");
    Settings settings = FilmDirectorySettings();
    settings.SubDir = "Sous titres";
    settings.SubDirEnabled = true;
    settings.SubFilePath = dir / "elsewhere";
    settings.SubFilePathEnabled = true;
    EXPECT_EQ(
        FindSubtitleFiles(dir / "films/Film.avi", settings),
        (std::vector<std::string>{dir / "films/Film.srt", dir / "films/Sous titres/Film fr.sub",
                                  dir / "elsewhere/FILM.SUB"}));

    settings.CurrentDir = false;
    settings.SubDir = "missing";
    EXPECT_EQ(FindSubtitleFiles(dir / "films/Film.avi", settings),
              (std::vector<std::string>{dir / "elsewhere/FILM.SUB"}));
    settings.SubFilePath = dir / "missing too";
    EXPECT_TRUE(FindSubtitleFiles(dir / "films/Film.avi", settings).empty());
}

struct FixedDirectoryCase {
    const char* name;
    bool currentDir;
    const char* subDir;  // nullptr: sub-directory search off
    const char* fixed;   // relative to the scratch directory
    int listingsOfFilmDir;
    int listingsOfSubs;
};

void PrintTo(const FixedDirectoryCase& c, std::ostream* out) {
    *out << c.name;
}

class FixedDirectoryTextTest : public ::testing::TestWithParam<FixedDirectoryCase> {};

TEST_P(FixedDirectoryTextTest, IsSkippedOnlyWhenItsTextIsARememberedOne) {
    const FixedDirectoryCase& c = GetParam();
    TempDir dir;
    dir.Write("Film.srt", "x");
    dir.Write("subs/Film.sub", "x");
    Settings settings = FilmDirectorySettings();
    settings.CurrentDir = c.currentDir;
    if (c.subDir != nullptr) {
        settings.SubDir = c.subDir;
        settings.SubDirEnabled = true;
    }
    settings.SubFilePath = dir.Path() + c.fixed;
    settings.SubFilePathEnabled = true;
    std::vector<std::string> found = FindSubtitleFiles(dir / "Film.avi", settings);
    EXPECT_EQ(std::count(found.begin(), found.end(), dir / "Film.srt"), c.listingsOfFilmDir);
    EXPECT_EQ(std::count(found.begin(), found.end(), dir / "subs/Film.sub"), c.listingsOfSubs);
    EXPECT_EQ(found.size(), static_cast<size_t>(c.listingsOfFilmDir + c.listingsOfSubs));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FixedDirectoryTextTest,
    ::testing::Values(
        FixedDirectoryCase{"film_dir_with_separator_skipped", true, nullptr, "/", 1, 0},
        FixedDirectoryCase{"film_dir_without_separator_listed_twice", true, nullptr, "", 2, 0},
        FixedDirectoryCase{"film_dir_listed_when_current_dir_off", false, nullptr, "/", 1, 0},
        FixedDirectoryCase{"sub_dir_without_separator_skipped", false, "subs", "/subs", 0, 1},
        FixedDirectoryCase{"sub_dir_with_separator_listed_twice", false, "subs", "/subs/", 0, 2},
        FixedDirectoryCase{"sub_dir_written_with_separator_skipped", false, "subs/", "/subs", 0, 1},
        FixedDirectoryCase{"empty_sub_dir_is_the_film_dir", true, "", "/subs", 2, 1},
        FixedDirectoryCase{"empty_sub_dir_remembered_without_separator", false, "", "", 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindSubtitleFiles, ListsRegularFilesOnly) {
    TempDir dir;
    dir.Write("Film.srt", "x");
    dir.MakeDir("Film dir.srt");
    dir.Write("real file", "x");
    std::filesystem::create_symlink(dir / "real file", dir / "Film link.sub");
    std::filesystem::create_symlink(dir / "nowhere", dir / "Film dangling.sub");
    std::filesystem::create_directory_symlink(dir / "Film dir.srt", dir / "Film dirlink.sub");
    EXPECT_EQ(FindSubtitleFiles(dir / "Film.avi", FilmDirectorySettings()),
              (std::vector<std::string>{dir / "Film link.sub", dir / "Film.srt"}));
}

TEST(FindSubtitleFiles, HiddenFilesTakePart) {
    TempDir dir;
    dir.Write(".secret.srt", "x");
    dir.Write(".secret 2.sub", "x");
    EXPECT_EQ(FindSubtitleFiles(dir / ".secret.avi", FilmDirectorySettings()),
              (std::vector<std::string>{dir / ".secret 2.sub", dir / ".secret.srt"}));
}

TEST(FindSubtitleFiles, NamesWithBlanksAndOtherBytes) {
    TempDir dir;
    const std::string utf8 = "Le Fabuleux Destin d'Am\xc3\xa9lie Poulain";
    const std::string latin1 = "\xe9t\xe9 \xe0 Paris";
    dir.Write(utf8 + ".srt", "x");
    dir.Write(utf8 + " (fr).SUB", "x");
    dir.Write(latin1 + ".Srt", "x");
    dir.Write("  leading blanks  .srt", "x");
    Settings settings = FilmDirectorySettings();
    EXPECT_EQ(FindSubtitleFiles(dir / (utf8 + ".avi"), settings),
              (std::vector<std::string>{dir / (utf8 + " (fr).SUB"), dir / (utf8 + ".srt")}));
    EXPECT_EQ(FindSubtitleFiles(dir / (latin1 + ".mpg"), settings),
              (std::vector<std::string>{dir / (latin1 + ".Srt")}));
    EXPECT_EQ(FindSubtitleFiles(dir / "  leading blanks  .avi", settings),
              (std::vector<std::string>{dir / "  leading blanks  .srt"}));
}

TEST(FindSubtitleFiles, NamesEqualButForCaseComeInByteOrder) {
    TempDir dir;
    for (const char* name : {"film.srt", "FILM.srt", "Film.SUB", "film.sub"}) dir.Write(name, "x");
    EXPECT_EQ(FindSubtitleFiles(dir / "Film.avi", FilmDirectorySettings()),
              (std::vector<std::string>{dir / "FILM.srt", dir / "film.srt", dir / "Film.SUB",
                                        dir / "film.sub"}));
}

TEST(FindSubtitleFiles, EachFilmFindsItsOwnFiles) {
    TempDir dir;
    for (const char* name : {"One.srt", "One b.srt", "Two.srt"}) dir.Write(name, "x");
    Settings settings = FilmDirectorySettings();
    EXPECT_EQ(FindSubtitleFiles(dir / "One.avi", settings),
              (std::vector<std::string>{dir / "One b.srt", dir / "One.srt"}));
    EXPECT_EQ(FindSubtitleFiles(dir / "Two.avi", settings),
              (std::vector<std::string>{dir / "Two.srt"}));
}

TEST(FindSubtitleFiles, RelativeFilmPathIsSearchedFromTheCurrentDirectory) {
    TempDir dir;
    dir.Write("Film.srt", "x");
    dir.Write("subs/Film.sub", "x");
    Settings settings = FilmDirectorySettings();
    settings.SubDirEnabled = true;
    settings.SubDir = "subs";
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    std::vector<std::string> found = FindSubtitleFiles("Film.avi", settings);
    std::filesystem::current_path(previous);
    std::string canonical = std::filesystem::canonical(dir.Path()).string();
    EXPECT_EQ(found, (std::vector<std::string>{"Film.srt", canonical + "/subs/Film.sub"}));
}

TEST(FindSubtitleFiles, NothingWithoutFormatsOrDirectories) {
    TempDir dir;
    dir.Write("Film.srt", "x");
    Settings settings = FilmDirectorySettings();
    settings.SubtitleFormat = SubtitleFormatFlags{};
    EXPECT_TRUE(FindSubtitleFiles(dir / "Film.avi", settings).empty());
    EXPECT_TRUE(FindSubtitleFiles(dir / "Film.avi", Settings{}).empty());
}

TEST(SubtitleSearch, OneCandidateIsChosenWithoutAsking) {
    TempDir dir;
    dir.Write("Film.srt", "x");
    RecordingChooser chooser;
    SearchOutcome outcome = SubtitleSearch(dir / "Film.avi", FilmDirectorySettings(), chooser);
    EXPECT_EQ(outcome.Found, std::vector<std::string>{dir / "Film.srt"});
    EXPECT_EQ(outcome.ChosenIndex, 0);
    EXPECT_EQ(outcome.ChosenPath, dir / "Film.srt");
    EXPECT_TRUE(chooser.offered.empty());
    EXPECT_TRUE(chooser.fileDialogs.empty());
}

struct ChoiceCase {
    bool autoSelect;
    int answer;
    int chosen;
    bool asked;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << (c.autoSelect ? "auto " : "ask ") << c.answer;
}

class SubtitleSearchChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(SubtitleSearchChoiceTest, ChoosesAmongSeveral) {
    const ChoiceCase& c = GetParam();
    TempDir dir;
    for (const char* name : {"Film a.srt", "Film b.sub", "Film c.srt"}) dir.Write(name, "x");
    Settings settings = FilmDirectorySettings();
    settings.AutoSelect = c.autoSelect;
    RecordingChooser chooser;
    chooser.answer = c.answer;
    SearchOutcome outcome = SubtitleSearch(dir / "Film.avi", settings, chooser);
    ASSERT_EQ(outcome.Found.size(), 3u);
    EXPECT_EQ(outcome.ChosenIndex, c.chosen);
    EXPECT_EQ(outcome.ChosenPath, outcome.Found[static_cast<size_t>(c.chosen)]);
    if (c.asked) {
        ASSERT_EQ(chooser.offered.size(), 1u);
        EXPECT_EQ(chooser.offered[0], outcome.Found);
    } else {
        EXPECT_TRUE(chooser.offered.empty());
    }
    EXPECT_TRUE(chooser.fileDialogs.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SubtitleSearchChoiceTest,
    ::testing::Values(ChoiceCase{false, 0, 0, true}, ChoiceCase{false, 1, 1, true},
                      ChoiceCase{false, 2, 2, true}, ChoiceCase{false, 3, 0, true},
                      ChoiceCase{false, -1, 0, true}, ChoiceCase{true, 2, 0, false}));

TEST(SubtitleSearch, NothingFoundAsksForAFile) {
    TempDir dir;
    dir.Write("Other.srt", "x");
    Settings settings = FilmDirectorySettings();
    RecordingChooser chooser;
    SearchOutcome outcome = SubtitleSearch(dir / "Film.avi", settings, chooser);
    EXPECT_TRUE(outcome.Found.empty());
    EXPECT_EQ(outcome.ChosenIndex, -1);
    EXPECT_EQ(outcome.ChosenPath, "");
    ASSERT_EQ(chooser.fileDialogs.size(), 1u);
    EXPECT_EQ(chooser.fileDialogs[0].first, (FileFilters{{"Subtitles Files", {"*.sub", "*.srt"}}}));
    EXPECT_EQ(chooser.fileDialogs[0].second, dir.Path() + "/");

    chooser.fileAnswer = dir / "Other.srt";
    settings.SubtitleFormat = SubtitleFormatFlags{};
    outcome = SubtitleSearch(dir / "Film.avi", settings, chooser);
    EXPECT_EQ(outcome.ChosenPath, dir / "Other.srt");
    EXPECT_EQ(outcome.ChosenIndex, -1);
    EXPECT_EQ(chooser.fileDialogs.back().first, (FileFilters{{"Subtitles Files", {}}}));
}

}  // namespace
}  // namespace orvalen
