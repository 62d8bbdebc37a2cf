#include <gtest/gtest.h>

#include "subtitles/SubtitleFormats.h"
#include "subtitles/SubtitleTrack.h"

namespace orvalen {
namespace {

TEST(SubtitleFileFilter, ListsEnabledFormatsInSearchOrder) {
    SubtitleFormatFlags none{};
    EXPECT_EQ(SubtitleFileFilter(none), (FileFilters{{"Subtitles Files", {}}}));

    SubtitleFormatFlags all;
    all.fill(true);
    EXPECT_EQ(SubtitleFileFilter(all),
              (FileFilters{
                  {"Subtitles Files",
                   {"*.sub", "*.smi", "*.srt", "*.ssa", "*.dks", "*.tts", "*.jss", "*.vsf", "*.zeg",
                    "*.jps", "*.scr", "*.psb", "*.txt", "*.mpl", "*.rt", "*.ass", "*.vtt"}}}));

    SubtitleFormatFlags some{};
    some[static_cast<size_t>(SubtitleFormat::Rt)] = true;
    some[static_cast<size_t>(SubtitleFormat::Sub)] = true;
    EXPECT_EQ(SubtitleFileFilter(some), (FileFilters{{"Subtitles Files", {"*.sub", "*.rt"}}}));
}

TEST(ResetTrack, LeavesEveryUsedSlotEmpty) {
    SubtitleTrack track;
    track.StartMs[0] = 5;
    track.EndMs[1] = 7;
    track.Texts[1] = "x";
    track.Count = 2;
    track.Cursor = 1;
    ResetTrack(track);
    EXPECT_EQ(track.Count, 0);
    EXPECT_EQ(track.Cursor, 0);
    EXPECT_EQ(track.StartMs[0], 0);
    EXPECT_EQ(track.EndMs[1], 0);
    EXPECT_TRUE(track.Texts[1].empty());
    EXPECT_EQ(track.StartMs.size(), static_cast<size_t>(TrackCapacity));
}

}  // namespace
}  // namespace orvalen
