#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <ranges>
#include <string>
#include <utility>
#include <vector>

#include "subtitles/DisplayText.h"
#include "subtitles/Parser.h"
#include "subtitles/SubtitleWriters.h"
#include "tests/TempDir.h"

namespace orvalen {
namespace {

using M = MarkupFamily;
using F = SaveFormat;

SubtitleTrack Read(std::string_view name, std::string_view bytes, MarkupFamily* markup = nullptr) {
    SubtitleTrack track;
    LoaderState state;
    state.FrameRate = 25000;
    const LoadReport report = LoadSubtitleBytes(name, bytes, track, state, nullptr);
    if (markup) *markup = MarkupFamilyOf(report.Reader);
    return track;
}

std::string Written(const SubtitleTrack& track, F format, M markup) {
    std::string out;
    WriteSubtitles(track, format, {markup, 25000}, out);
    return out;
}

TEST(WriteSubtitles, WritesEachFormatWithItsTimesAndMarkup) {
    struct Case {
        const char* source;  // a file name and its one cue
        const char* bytes;
        F format;
        const char* tail;  // how the written file ends
    } cases[] = {
        {"a.srt", "1\n0:00:01,500 --> 0:00:04,020\n<i>Hi</i> <b>you</b>\nthere\n", F::SubRip,
         "1\r\n0:00:01,500 --> 0:00:04,020\r\n<i>Hi</i> <b>you</b>\r\nthere\r\n\r\n"},
        {"a.srt", "1\n0:00:01,500 --> 0:00:04,020\n<i>Hi</i> & <font color=#ffff00>you</font>\n",
         F::WebVtt,
         "WEBVTT\r\n\r\n00:00:01.500 --> 00:00:04.020\r\n<i>Hi</i> &amp; <c.yellow>you</c>\r\n"},
        {"a.srt", "1\n0:00:01,500 --> 0:00:04,025\n<u>Hi</u>\nthere\n", F::Ass,
         "Dialogue: 0,0:00:01.50,0:00:04.03,Default,,0,0,0,,{\\u1}Hi{\\r}\\Nthere\r\n"},
        {"a.srt", "1\n0:00:01,500 --> 0:00:04,020\n<i>Hi</i>\n<i>you</i> <b>there</b>\n",
         F::MicroDvd, "{38}{101}{y:i}Hi|you there\r\n"},
        {"a.sub", "{38}{101}{y:b}Hi|there|again\n", F::MicroDvd,
         "{38}{101}{y:b}Hi|there|again\r\n"},
        {"a.sub", "{38}{101}{c:$0000FF}Hi|there\n", F::SubRip,
         "1\r\n0:00:01,520 --> 0:00:04,040\r\n<font color=\"#FF0000\">Hi</font>\r\nthere\r\n\r\n"},
        {"a.ssa", "Dialogue: 0,0:00:01.50,0:00:04.00,D,,0,0,0,,{\\i1}Hi{\\i0}\\Nthere\n", F::WebVtt,
         "00:00:01.500 --> 00:00:04.000\r\n<i>Hi</i>\r\nthere\r\n"},
        {"a.vtt", "WEBVTT\n\n00:01.500 --> 00:04.000\n<v Bob>Hi</v>\n", F::WebVtt,
         "00:00:01.500 --> 00:00:04.000\r\n<v Bob>Hi</v>\r\n"},
        {"a.txt", "0:00:01,5=Hi|there\n0:00:04,0=\n", F::Ass,
         "Dialogue: 0,0:00:01.50,0:00:04.00,Default,,0,0,0,,Hi\\Nthere\r\n"},
    };
    for (const Case& c : cases) {
        MarkupFamily markup;
        const SubtitleTrack track = Read(c.source, c.bytes, &markup);
        const std::string out = Written(track, c.format, markup);
        EXPECT_TRUE(out.ends_with(c.tail))
            << c.source << " as " << static_cast<int>(c.format) << ":\n"
            << out;
    }
}

TEST(WriteSubtitles, AssFromSsaKeepsEveryByteButTheTimes) {
    const std::string head =
        "[Script Info]\r\nScriptType: v4.00\r\n\r\n[V4 Styles]\r\nFormat: Name, Fontname\r\n"
        "Style: Yellow,Tahoma\r\n\r\n[Events]\r\nFormat: Marked, Start, End, Style, Name, "
        "MarginL, MarginR, MarginV, Effect, Text\r\n";
    const std::string file = head +
                             "Dialogue: Marked=0,0:00:01.00,0:00:02.00,Yellow,Bob,0010,0,0,"
                             "Fade,{\\i1}Hi,\\Nyou/n\r\n"
                             "Comment: 0,0:00:02.00,0:00:03.00,Yellow,,0,0,0,,note\r\n"
                             "Dialogue: 1,0:00:03.00,0:00:04.00,*Default,,0,0,0,,Bye\r\n"
                             "\r\n[Fonts]\r\n";
    SubtitleTrack track = Read("a.ssa", file);
    ASSERT_EQ(track.Count, 2);
    for (int32_t i = 0; i < 2; ++i) {
        track.StartMs[i] += 61234;
        track.EndMs[i] += 61234;
    }
    track.StartMs[2] = 70000;  // as a merge of a SubRip file appends it
    track.EndMs[2] = 71000;
    track.Texts[2] = "Merged\nline\n";
    track.Count = 3;
    EXPECT_EQ(Written(track, F::Ass, M::Ssa),
              head +
                  "Dialogue: Marked=0,0:01:02.23,0:01:03.23,Yellow,Bob,0010,0,0,"
                  "Fade,{\\i1}Hi,\\Nyou/n\r\n"
                  "Comment: 0,0:00:02.00,0:00:03.00,Yellow,,0,0,0,,note\r\n"
                  "Dialogue: 1,0:01:04.23,0:01:05.23,*Default,,0,0,0,,Bye\r\n"
                  "Dialogue: 0,0:01:10.00,0:01:11.00,Default,,0,0,0,,Merged\\Nline\r\n"
                  "\r\n[Fonts]\r\n");
}

// The lines the screen shows, with the styles the format can carry. untagged: SubRip takes as
// tags what a format without markup shows as text, so tags and styles are not compared.
std::vector<StyledLine> Shown(const SubtitleTrack& track, int32_t i, M markup, F format,
                              bool untagged) {
    std::vector<StyledLine> lines =
        ParseMarkup(DecodeDetected(track.Texts[i], track.Encoding), markup);
    for (StyledLine& line : lines) {
        for (StyledRun& run : line) {
            if (format == F::MicroDvd || untagged) run.Style = {};
            for (auto [wide, ascii] : {std::pair{"\uFF5B", '{'}, {"\uFF5D", '}'}, {"\uFF3C", '\\'}})
                for (size_t at; (at = run.Text.find(wide)) != std::string::npos;)
                    run.Text.replace(at, 3, 1, ascii);
            for (size_t open; untagged && (open = run.Text.find('<')) != std::string::npos;)
                run.Text.erase(open, run.Text.find('>', open) - open + 1);
            if (format == F::WebVtt) run.Style.HasColour = false, run.Style.Colour = 0;
        }
        if (!line.empty()) line.front().Text.erase(0, line.front().Text.find_first_not_of(" \t"));
        StyledLine merged;
        for (StyledRun& run : line) {
            if (run.Text.empty()) continue;
            if (!merged.empty() && merged.back().Style == run.Style)
                merged.back().Text += run.Text;
            else
                merged.push_back(run);
        }
        line = merged;
    }
    std::erase_if(lines, [](const StyledLine& line) { return line.empty(); });
    return lines;
}

// start and end of every cue ffmpeg reads from the file, in milliseconds, sorted. A MicroDVD
// file of fewer than three lines is named as one: ffmpeg's guess needs three.
std::vector<std::pair<int32_t, int32_t>> FfmpegCues(const std::string& path,
                                                    const std::string& encoding) {
    std::string rate = path.ends_with(".sub") ? "-f microdvd -subfps 25 " : "";
    if (encoding != "UTF-8") rate += "-sub_charenc " + encoding + " ";
    const std::string command =
        "ffmpeg -nostdin -v error " + rate + "-i '" + path + "' -f srt - 2>/dev/null";
    std::vector<std::pair<int32_t, int32_t>> cues;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return cues;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
        int h1, m1, s1, f1, h2, m2, s2, f2;
        if (std::sscanf(line, "%d:%d:%d,%d --> %d:%d:%d,%d", &h1, &m1, &s1, &f1, &h2, &m2, &s2,
                        &f2) == 8) {
            // ffmpeg prints a negative time as its unsigned 32-bit milliseconds: wrapping to
            // 32 bits gives the time back.
            const auto ms = [](int64_t h, int64_t m, int64_t s, int64_t f) {
                return static_cast<int32_t>(
                    static_cast<uint32_t>(((h * 60 + m) * 60 + s) * 1000 + f));
            };
            cues.emplace_back(ms(h1, m1, s1, f1), ms(h2, m2, s2, f2));
        }
    }
    ::pclose(pipe);
    std::sort(cues.begin(), cues.end());
    return cues;
}

TEST(WriteSubtitles, CorpusReadsBackTheSameInEveryFormat) {
    const std::filesystem::path corpus = ORVALEN_CORPUS_DIR;
    if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "corpus not present";
    testing::TempDir dir;
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        MarkupFamily markup;
        const SubtitleTrack track = Read(name, testing::ReadFile(entry.path().string()), &markup);
        if (track.Count == 0) continue;
        for (const SaveFormatRow& row : SaveFormats()) {
            SCOPED_TRACE(name + " as " + std::string(row.Name));
            const std::string path =
                dir.Write("out." + std::string(row.Name), Written(track, row.Format, markup));
            // The MicroDVD reader stops at a line longer than it reads (a pinned limit).
            if (row.Format == F::MicroDvd &&
                std::ranges::any_of(std::views::split(testing::ReadFile(path), '\n'),
                                    [](auto line) { return std::ranges::distance(line) > 254; }))
                continue;
            MarkupFamily backMarkup;
            const SubtitleTrack back = Read(path, testing::ReadFile(path), &backMarkup);
            ASSERT_EQ(back.Count, track.Count);
            // A time comes back to the format's precision: to the millisecond, the nearest
            // hundredth, or the next frame at 25 per second.
            const int32_t below = row.Format == F::Ass ? 5 : 0;
            const int32_t above = row.Format == F::Ass ? 5 : row.Format == F::MicroDvd ? 39 : 0;
            std::vector<std::pair<int32_t, int32_t>> times;
            for (int32_t i = 0; i < track.Count; ++i) {
                const int32_t start = std::max(track.StartMs[i], 0);
                const int32_t end = std::max(track.EndMs[i], 0);
                ASSERT_GE(back.StartMs[i], start - below) << "entry " << i;
                ASSERT_LE(back.StartMs[i], start + above) << "entry " << i;
                ASSERT_GE(back.EndMs[i], end - below) << "entry " << i;
                ASSERT_LE(back.EndMs[i], end + above) << "entry " << i;
                // ffmpeg takes a first MicroDVD line at frame 1 for the frame rate (which the
                // writer declares anew), drops a cue without text but in ASS, and gives a cue that
                // ends before it starts an end of its own (-1: not compared).
                if (row.Format == F::MicroDvd && i == 0 &&
                    testing::ReadFile(path).starts_with("{1}{1}"))
                    continue;
                const bool untagged = row.Format == F::SubRip && markup != M::SubRip &&
                                      markup != M::WebVtt && markup != M::Ssa &&
                                      markup != M::MicroDvd;
                const std::vector<StyledLine> shown =
                    Shown(back, i, backMarkup, row.Format, untagged);
                ASSERT_EQ(shown, Shown(track, i, markup, row.Format, untagged)) << "entry " << i;
                if (!shown.empty() || row.Format == F::Ass)
                    times.emplace_back(back.StartMs[i],
                                       back.EndMs[i] < back.StartMs[i] ? -1 : back.EndMs[i]);
            }
            std::sort(times.begin(), times.end());
            // ffmpeg may take a millisecond off in its own time base.
            const std::vector<std::pair<int32_t, int32_t>> cues = FfmpegCues(path, back.Encoding);
            ASSERT_EQ(cues.size(), times.size());
            for (size_t i = 0; i < cues.size(); ++i) {
                EXPECT_NEAR(cues[i].first, times[i].first, 1) << "cue " << i;
                if (times[i].second >= 0) {
                    EXPECT_NEAR(cues[i].second, times[i].second, 1) << "cue " << i;
                }
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 30);
}

}  // namespace
}  // namespace orvalen
