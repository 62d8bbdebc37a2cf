#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "subtitles/Parser.h"
#include "tests/Corpus.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using R = SubtitleReaderId;

struct Pinned {
    int32_t index;
    int32_t start;
    int32_t end;
    std::string text;
};

// One real file as the player would see it; the entries were checked by hand against the file.
struct CorpusCase {
    const char* file;    // under the corpus directory
    const char* loadAs;  // the name it gets in a temporary directory, or null to load it in place
    SubtitleReaderId reader;
    int32_t count;
    const char* encoding;
    std::vector<Pinned> entries;
};

void PrintTo(const CorpusCase& c, std::ostream* os) {
    *os << c.file;
}

class CorpusTest : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusTest, LoadsAsPinned) {
    const CorpusCase& c = GetParam();
    std::string source = std::string(ORVALEN_CORPUS_DIR) + "/" + c.file;
    SKIP_WITHOUT_CORPUS(source);
    testing::TempDir dir;
    std::string path = source;
    if (c.loadAs) {
        path = dir.Path() + "/" + c.loadAs;
        std::filesystem::copy_file(source, path);
    }
    SubtitleTrack track;
    LoaderState state;
    LoadReport report = LoadSubtitleFile(path, track, state, nullptr);
    EXPECT_TRUE(report.Opened);
    EXPECT_EQ(report.Reader, c.reader);
    EXPECT_EQ(track.Count, c.count);
    EXPECT_EQ(track.Cursor, 0);
    if (c.reader != R::None) {
        EXPECT_EQ(track.Encoding, c.encoding);
    }
    for (const Pinned& e : c.entries) {
        ASSERT_LT(e.index, track.Count);
        EXPECT_EQ(track.StartMs[e.index], e.start) << "entry " << e.index;
        EXPECT_EQ(track.EndMs[e.index], e.end) << "entry " << e.index;
        EXPECT_EQ(track.Texts[e.index], e.text) << "entry " << e.index;
    }
}

INSTANTIATE_TEST_SUITE_P(
    MicroDvd, CorpusTest,
    ::testing::Values(
        CorpusCase{
            "microdvd/SubtitlesParser-Freaks - Freaks, la monstrueuse parade (Tod "
            "Browning - 1932).sub",
            nullptr,
            R::MicroDvd,
            714,
            "WINDOWS-1252",
            {{0, 14973, 17183, "Avant de voir le spectacle \r tr\xe8s inhabituel qui va suivre,\n"},
             {713, 3850517, 3851643, "Je t'aime.\n"}}},
        // The first line declares the frame rate; the reader takes it for a subtitle.
        CorpusCase{"microdvd/SubtitlesParser-Gangs-of-New-York-DVD-Deadman-2.sub",
                   nullptr,
                   R::MicroDvd,
                   749,
                   "UTF-8",
                   {{0, 41, 41, "12.500\n"},
                    {748, 2213129, 2216049, "...would be like no one ever\rknew we were here.\n"}}},
        CorpusCase{"microdvd/SubtitlesParser-Pirates of Caraibean CD1.sub",
                   nullptr,
                   R::MicroDvd,
                   421,
                   "WINDOWS-1250",
                   {{0, 41, 41, "29.970\n"},
                    {420, 3374499, 3379504, "Im Captain Jack Sparrow, savvy?\n"}}},
        CorpusCase{
            "microdvd/gaupol-microdvd.sub",
            nullptr,
            R::MicroDvd,
            10,
            "UTF-8",
            {{0, -6840, -2836, "I always wanted to leave my country\rand go somewhere else.\n"},
             {9, 32574, 35910, "Obviously, it was a big shock.\n"}}},
        CorpusCase{"microdvd/gnome-subtitles-sample.sub",
                   nullptr,
                   R::MicroDvd,
                   934,
                   "UTF-8",
                   {{0, 57349, 65273, "The quick brown fox jumps over the lazy dog.\n"}}},
        CorpusCase{"microdvd/mantas-sub_microdvd_with_styles.sub",
                   nullptr,
                   R::MicroDvd,
                   2,
                   "UTF-8",
                   {{1, 3740490, 3742492,
                     "{c:$0000ff}{y:b,u}{f:DeJaVuSans}{s:12}Very good, Lieutenant."}}},
        CorpusCase{"microdvd/pysubparser-invalid_timestamps-test.sub",
                   nullptr,
                   R::BraceBlocks,
                   0,
                   "UTF-8",
                   {}},
        CorpusCase{"microdvd/pysubparser-test.sub",
                   nullptr,
                   R::MicroDvd,
                   6,
                   "UTF-8",
                   {{5, 8408408, 10810810, "Subtitle\n"}}},
        CorpusCase{"microdvd/subsrt-sample.sub",
                   nullptr,
                   R::MicroDvd,
                   5,
                   "UTF-8",
                   {{0, 624582, 4337671, "Hi, my name is Alice Miller and this is John Brown\n"}}},
        CorpusCase{
            "microdvd/subconvert-microdvd-1.txt",
            "microdvd-1.sub",
            R::MicroDvd,
            3,
            "UTF-8",
            {{0, 0, 875, "This is first subtitle.\n"},
             {1, 1042, 3712, "This is a simple subtitle\rwhich has more than one line.\n"}}}));

INSTANTIATE_TEST_SUITE_P(
    SubViewer, CorpusTest,
    ::testing::Values(
        CorpusCase{"subviewer2/SubtitlesParser-battlestar.galactica.s03e09.ws.dsr.xvid-orenji."
                   "eng.sub",
                   nullptr,
                   R::SubViewer2,
                   336,
                   "WINDOWS-1252",
                   {{1, 22730, 28080,
                     "- I feel like I'm abandoning my post.   \n"
                     "- Time to pack it in, Saul. You know it.\n"},
                    {335, 2533160, 2535230, "I missed you too.\n"}}},
        // Negative times lose their sign: "-00:00:06.84" reads hours -0.
        CorpusCase{
            "subviewer2/gaupol-subviewer2.sub",
            nullptr,
            R::SubViewer2,
            10,
            "UTF-8",
            {{0, 6840, 2850, "I always wanted to leave my country   \nand go somewhere else.\n"}}},
        CorpusCase{"subviewer2/mantas-sub_viewer.sub",
                   nullptr,
                   R::TimecodePairs,
                   2,
                   "UTF-8",
                   {{0, 61200000, 0,
                     ".40,00:02:20.40\nSenator, we're making[br]our final approach into "
                     "Coruscant.\n"}}},
        CorpusCase{"subviewer2/mantas-sub_viewer_with_headers.sub",
                   nullptr,
                   R::SubViewer2,
                   2,
                   "UTF-8",
                   {{1, 3740480, 3742500, "Very good, Lieutenant."}}},
        CorpusCase{"subviewer2/pysubparser-test.txt",
                   "test.sub",
                   R::SubViewer2,
                   6,
                   "UTF-8",
                   {{4, 7200000, 7871000, "Multi line   \nSubtitle\n"}}},
        CorpusCase{"subviewer2/subconvert-subviewer-1.txt",
                   "subviewer-1.sub",
                   R::SubViewer2,
                   2,
                   "UTF-8",
                   {{1, 1000, 3550, "This is a simple subtitle\n"}}},
        CorpusCase{"subviewer2/pysubparser-test.txt", nullptr, R::TMPlayer, 0, "UTF-8", {}}));

INSTANTIATE_TEST_SUITE_P(
    SubRip, CorpusTest,
    ::testing::Values(
        CorpusCase{"subrip/gaupol-subrip.srt",
                   nullptr,
                   R::SubRip,
                   10,
                   "UTF-8",
                   {{1, 1471, 946, "I always wanted to come to France.\n"}}},
        CorpusCase{"subrip/gaupol-subrip-extended.srt",
                   nullptr,
                   R::SubRip,
                   10,
                   "UTF-8",
                   {{9, 32563, 35896, "Obviously, it was a big shock.\n"}}},
        CorpusCase{"subrip/gnome-subtitles-Romeo and Juliet.srt",
                   nullptr,
                   R::SubRip,
                   19,
                   "UTF-8",
                   {{0, 0, 3500,
                     "Where the devil should this Romeo be?\n    Came he not home to-night?\n"}}},
        CorpusCase{"subrip/pysrt-bom-utf-16-le.srt",
                   nullptr,
                   R::SubRip,
                   7,
                   "UTF-8",
                   {{0, 6500, 9000,
                     "About 2 months ago I found myself on\nthe comment section of YouTube\n"}}},
        CorpusCase{"subrip/pysrt-capability_tester.srt",
                   nullptr,
                   R::SubRip,
                   37,
                   "UTF-8",
                   {{0, 0, 0, "Don't show this text it may be used to insert hidden data\n"}}},
        // Cues 3 and 4 have no text.
        CorpusCase{"subrip/pysrt-empty.srt",
                   nullptr,
                   R::SubRip,
                   7,
                   "UTF-8",
                   {{2, 19000, 24000, ""}, {3, 25000, 31000, ""}}},
        CorpusCase{"subrip/pysrt-no-indexes.srt",
                   nullptr,
                   R::SubRip,
                   7,
                   "UTF-8",
                   {{6, 43000, 50000,
                     "So what I thought I do is instead if "
                     "answering on a YouTube comment is organize a global awareness day\n"}}},
        CorpusCase{"subrip/pysrt-windows-1252.srt",
                   nullptr,
                   R::SubRip,
                   1332,
                   "WINDOWS-1252",
                   {{1, 27074, 30566, "CE FILM RELATE DES \xc9V\xc9NEMENTS\nQUI ONT EXIST\xc9.\n"},
                    {645, 2795106, 2797199, "Mords-moi!\nMords-moi!\n"},
                    {1331, 5839634, 5849634, "Downloaded From www.AllSubs.org\n"}}},
        CorpusCase{"subrip/subsrt-sample.srt",
                   nullptr,
                   R::SubRip,
                   5,
                   "UTF-8",
                   {{4, 16700, 21480, "Okay, so we have all the ingredients laid out here"}}},
        CorpusCase{"subrip/SubtitlesParser-ccSubs_com_pope-francis-speaks-about-religious-"
                   "liberty_en.srt",
                   nullptr,
                   R::SubRip,
                   25,
                   "UTF-8",
                   {{0, 0, 5000, "Downloaded from ccSubs.com\n"}}},
        CorpusCase{"subrip/SubtitlesParser-Salvage.SRT",
                   nullptr,
                   R::SubRip,
                   474,
                   "WINDOWS-1256",
                   {{471, 4557560, 4560724,
                     "\xc7\xe4\xc7 \xe1\xe3 \xc7\xdd\xda\xe1 \xd4\xed\xc6\xc7,\n"
                     "\xc7\xd1\xcc\xe6\xdf ,\xe1\xc7\n"},
                    {473, 4577065, 4758065,
                     "\xde\xc7\xe3 \xc8\xc7\xe1\xca\xd1\xcc\xe3\xc9 "
                     "\nmr_chico\nmr_dr_chico@yahoo.com\n"}}},
        CorpusCase{"subrip/SubtitlesParser-Fight Club_eng.sub",
                   nullptr,
                   R::SubRip,
                   2000,
                   "UTF-8",
                   {{0, 36496, 38487, "(rock music)\n"},
                    {1315, 5011318, 5013912, "- This conversation...\n- This conversation...\n"}}},
        CorpusCase{"subrip/subconvert-subrip-1.txt",
                   "subrip-1.srt",
                   R::SubRip,
                   2,
                   "UTF-8",
                   {{1, 1000, 3549, "This is a simple subtitle\nwhich has more than one line.\n"}}},
        CorpusCase{"microdvd/pysubparser-test.sub.srt",
                   nullptr,
                   R::SubRip,
                   6,
                   "UTF-8",
                   {{1, 3000, 3500, "- subtitle\n"}}}));

INSTANTIATE_TEST_SUITE_P(
    SubStationAlpha, CorpusTest,
    ::testing::Values(
        CorpusCase{"ssa/SubtitlesParser-HP2.ssa",
                   nullptr,
                   R::SubStationAlpha,
                   622,
                   "WINDOWS-1252",
                   {{0, 2000, 3500,
                     "\xa1"
                     "Ay\xfa"
                     "denme!\n"},
                    {621, 4372700, 4374640, "No realmente.\n"}}},
        CorpusCase{"ssa/SubtitlesParser-HellBoy 2 The Golden Army.ssa",
                   nullptr,
                   R::SubStationAlpha,
                   849,
                   "WINDOWS-1252",
                   {{0, 82760, 86240, "Son, will you turn off that wretched puppet?\n"}}},
        CorpusCase{"ssa/SubtitlesParser-Lost_and_Delirious_fr.ssa",
                   nullptr,
                   R::SubStationAlpha,
                   933,
                   "WINDOWS-1252",
                   {{932, 5931760, 5934480, "Comme une flamme en travers du ciel.\n"}}},
        CorpusCase{
            "ssa/gaupol-ssa.ssa",
            nullptr,
            R::SubStationAlpha,
            10,
            "UTF-8",
            {{0, -6840, -2850, "I always wanted to leave my country\\Nand go somewhere else.\n"}}},
        CorpusCase{"ssa/pysubparser-test.ssa",
                   nullptr,
                   R::SubStationAlpha,
                   6,
                   "UTF-8",
                   {{5, 8400000, 10800000, "Subtitle\n"}}},
        // Every line is indented, so none starts with "Dialogue".
        CorpusCase{"ssa/subsrt-sample.ssa", nullptr, R::SubStationAlpha, 0, "UTF-8", {}}));

// The ".txt" layouts besides TMPlayer's; the subconvert cases follow its JSON results (a
// classic TMPlayer subtitle lasts until the next starts, at most five seconds).
INSTANTIATE_TEST_SUITE_P(
    TxtLayouts, CorpusTest,
    ::testing::Values(
        CorpusCase{
            "tmplayer/gaupol-tmplayer-1.txt",
            nullptr,
            R::TMPlayerClassic,
            10,
            "UTF-8",
            {{0, -7000, -2000, "I always wanted to leave my country|and go somewhere else.\n"},
             {9, 33000, 38000, "Obviously, it was a big shock.\n"}}},
        CorpusCase{"tmplayer/gaupol-tmplayer-2.txt",
                   nullptr,
                   R::TMPlayerClassic,
                   10,
                   "UTF-8",
                   {{1, -1000, 1000, "I always wanted to come to France.\n"}}},
        CorpusCase{
            "tmplayer/gaupol-2008-tmplayer.sample.txt",
            nullptr,
            R::TMPlayerClassic,
            10,
            "UTF-8",
            {{0, 59000, 64000, "I always wanted to leave my country|and go somewhere else.\n"}}},
        CorpusCase{"tmplayer/subconvert-tmp-1.txt",
                   nullptr,
                   R::TMPlayerClassic,
                   2,
                   "UTF-8",
                   {{0, 0, 1000, "This is first subtitle.\n"},
                    {1, 1000, 6000, "This is a simple subtitle|which has more than one line.\n"}}},
        CorpusCase{
            "mpl2/gaupol-mpl2.txt",
            nullptr,
            R::Mpl2,
            10,
            "UTF-8",
            {{0, -6800, -2800, "I always wanted to leave my country|and go somewhere else.\n"},
             {9, 32600, 35900, "Obviously, it was a big shock.\n"}}},
        CorpusCase{"mpl2/gaupol-2008-mpl2.sample.txt",
                   nullptr,
                   R::Mpl2,
                   10,
                   "UTF-8",
                   {{9, 98800, 102100, "/Obviously, it was a big shock.\n"}}},
        CorpusCase{"mpl2/subconvert-mpl2-1.txt",
                   nullptr,
                   R::Mpl2,
                   3,
                   "UTF-8",
                   {{0, 0, 800, "This is first subtitle.\n"},
                    {1, 1000, 3500, "This is a simple subtitle|which has more than one line.\n"},
                    {2, 4000, 5000, "/This is formatted text|and it's second line\n"}}}));

// Files the player has no reader for, or that the reader their extension picks does not take.
INSTANTIATE_TEST_SUITE_P(
    Unread, CorpusTest,
    ::testing::Values(
        CorpusCase{"mpl2/gaupol-mpl2.txt", "gaupol-mpl2.mpl", R::MPlayer, 0, "UTF-8", {}},
        CorpusCase{"mpl2/SubtitlesParser-20140120-074450_invalidSub", nullptr, R::None, 0, "", {}},
        CorpusCase{"unread/mantas-smi.smi", nullptr, R::None, 0, "", {}},
        CorpusCase{"unread/subsrt-sample.smi", nullptr, R::None, 0, "", {}},
        CorpusCase{"unread/subforge-simple.rt", nullptr, R::None, 0, "", {}}));

}  // namespace
}  // namespace orvalen
