#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "resync/Merge.h"
#include "resync/ResyncSession.h"
#include "subtitles/SubtitleTrack.h"

namespace orvalen {

inline constexpr char kResyncRefusalText[] =
    "You must open a movie and the associated subtitle file that you want to resynchronize.";
inline constexpr char kResyncRefusalCaption[] = "Unable to resynchronize";
// A merge places the second file by the film's position, so it needs a film.
inline constexpr char kMergeRefusalText[] =
    "You must open a movie and the subtitle file that you want to merge another file into.";
inline constexpr char kMergeRefusalCaption[] = "Unable to merge";
inline constexpr char kMergeConfirmationText[] =
    "This will cancel the resynchronisation.\nAre you sure you want to continue?";
inline constexpr char kMergeConfirmationCaption[] = "Attention";

// What the window shows after a command or a space-bar press of a resynchronisation or a merge.
struct EditStep {
    // The command or press did its work (a refusal or an ignored press did not).
    bool Done = false;
    // The track's times or entries changed.
    bool TrackChanged = false;
    // The new text of status panel 4, in StatusEncoding (a track's texts keep their file's
    // encoding); nothing when the panel keeps its text.
    std::optional<std::string> Status;
    std::string StatusEncoding;
    // Where the film plays from (a merge waiting for its anchor press).
    std::optional<int32_t> SeekTo;
    // A message box to show: a refusal, or subtitles a merge had to leave out.
    std::string Message;
};

// The waiting resynchronisation and merge of the main window, and the space bar that serves
// them: the first takes the presses while it waits, the second its one anchor press after.
class EditSession {
  public:
    bool ResyncActive() const { return resync_.ResyncActive; }
    int32_t ResyncCount() const { return resync_.ResyncCount; }
    bool MergeActive() const { return mergeActive_; }
    // The reference numbers the waiting (or last) series was started with.
    const ResyncQuad& References() const { return references_; }

    // Before the stop and the chooser: the refusal box's text, or empty when the chooser may
    // open. A resynchronisation needs a film, a file whose kind was known, and four subtitles.
    static std::string ResyncRefusal(bool movieOpen, bool subtitleFormatUnknown,
                                     const SubtitleTrack& track);

    // After the chooser's OK: (re)starts the series with these numbers, or refuses them (two
    // references that start at the same time, numbers outside the track) changing nothing.
    EditStep StartResync(const SubtitleTrack& track, const ResyncQuad& numbers);

    // Whether the merge command must first ask to cancel a waiting resynchronisation.
    bool MergeNeedsConfirmation() const { return resync_.ResyncActive; }
    void CancelResync() { resync_.Cancel(); }

    // After the second file's load: the merge waits for its anchor press, the film to play from
    // the end of track's last subtitle; or the load's refusal, and nothing changes.
    EditStep BeginMerge(const MergeLoad& load, const SubtitleTrack& track,
                        const SubtitleTrack& mergeTrack);

    // A space-bar press at the player position (-1 when unknown): a mark of the waiting
    // series, whose fourth rewrites track; otherwise the anchor of a waiting merge; otherwise
    // nothing. decimalSeparator is the user's, for the "Dilatation" text.
    EditStep PressSpace(int32_t position, SubtitleTrack& track, const SubtitleTrack& mergeTrack,
                        std::string_view decimalSeparator);

  private:
    ResyncSession resync_;
    ResyncQuad references_{0, 1, 2, 3};
    bool mergeActive_ = false;
};

}  // namespace orvalen
