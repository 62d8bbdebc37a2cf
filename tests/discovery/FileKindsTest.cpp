#include <gtest/gtest.h>

#include <string>

#include "discovery/FileKinds.h"

namespace orvalen {
namespace {

TEST(FilmFileFilter, OffersTheFilmTypesThenEveryFile) {
    const std::string filter = FilmFileFilter();
    EXPECT_EQ(filter.rfind("Video Files|*.avi;*.mpg;*.mpeg;*.divx;*.mkv;*.mp4;", 0), 0u) << filter;
    for (const char* type : {"*.webm;", "*.mov;", "*.ts;", "*.m2ts;", "*.wmv;", "*.3gp;"}) {
        EXPECT_NE(filter.find(type), std::string::npos) << type;
    }
    const std::string tail = "|All files|*";
    EXPECT_EQ(filter.substr(filter.size() - tail.size()), tail);
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
                      KindCase{"film.Mp4", FileKind::Film},
                      KindCase{"/films/Matrix.srt", FileKind::Subtitle},
                      KindCase{"/films/Matrix.SUB", FileKind::Subtitle},
                      KindCase{"a.rt", FileKind::Subtitle},  // RealText, not a film
                      KindCase{"/films/Matrix.nfo", FileKind::Other},
                      KindCase{"/films.mkv/Matrix", FileKind::Other},  // a dot in a directory
                      KindCase{"/films/Matrix.", FileKind::Other}, KindCase{"", FileKind::Other}));

}  // namespace
}  // namespace orvalen
