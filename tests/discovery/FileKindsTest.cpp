#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "discovery/FileKinds.h"

namespace orvalen {
namespace {

TEST(FilmFileFilter, OffersTheFilmTypesThenEveryFile) {
    const FileFilters filter = FilmFileFilter();
    ASSERT_EQ(filter.size(), 2u);
    EXPECT_EQ(filter[0].Description, "Video Files");
    const std::vector<std::string>& films = filter[0].Patterns;
    ASSERT_GE(films.size(), 15u);
    EXPECT_EQ(std::vector<std::string>(films.begin(), films.begin() + 6),
              (std::vector<std::string>{"*.avi", "*.mpg", "*.mpeg", "*.divx", "*.mkv", "*.mp4"}));
    for (const char* type : {"*.webm", "*.mov", "*.ts", "*.m2ts", "*.wmv", "*.3gp"}) {
        EXPECT_NE(std::find(films.begin(), films.end(), type), films.end()) << type;
    }
    EXPECT_EQ(filter[1], (FileFilter{"All files", {}}));
}

struct KindCase {
    const char* path;
    FileKind kind;
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << '"' << c.path << '"';
}

class KindOfFileCases : public ::testing::TestWithParam<KindCase> {};

TEST_P(KindOfFileCases, GoesByTheExtensionOfTheName) {
    EXPECT_EQ(KindOfFile(GetParam().path), GetParam().kind) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, KindOfFileCases,
    ::testing::Values(KindCase{"/films/Matrix.avi", FileKind::Film},
                      KindCase{"/films/Matrix.MKV", FileKind::Film},
                      KindCase{"/films/Matrix.srt", FileKind::Subtitle},
                      KindCase{"/films/Matrix.vtt", FileKind::Subtitle},
                      KindCase{"a.rt", FileKind::Subtitle},  // RealText, not a film
                      KindCase{"/films/Matrix.nfo", FileKind::Other},
                      KindCase{"/films.mkv/Matrix", FileKind::Other},  // a dot in a directory
                      KindCase{"", FileKind::Other}));

}  // namespace
}  // namespace orvalen
