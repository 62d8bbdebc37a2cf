#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "resync/Resynchronisation.h"
#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// The four reference-number fields of the chooser dialog (fields 0 to 3) and their labels,
// with the rules that keep the numbers increasing and within the track: the dialog shows
// Text() and Label() and forwards its edits and button clicks here.
//
// A field is validated whenever its text changes, including by another validation or a
// button, so a correction of a field runs that field's validation again, nested, on the
// corrected text. Numbers are read from the texts as atoi reads them (saturating at the 32-bit
// limits instead of overflowing).
class ReferenceNumbers {
  public:
    static constexpr int FieldCount = 4;

    // Fields "0", "1", "2", "3" and empty labels; reads Count and Texts of track, which must
    // outlive the model (or the next SetTrack).
    explicit ReferenceNumbers(const SubtitleTrack& track);
    // The same over no track: no subtitle, empty labels.
    ReferenceNumbers();

    // Reads track from now on (nullptr: no track). The texts and labels stay as they are.
    void SetTrack(const SubtitleTrack* track) { track_ = track; }

    const std::string& Text(int field) const { return texts_[field]; }
    const std::string& Label(int field) const { return labels_[field]; }
    int32_t Number(int field) const;
    ResyncQuad Numbers() const;

    // The user changed the text of a field (after every keystroke).
    void SetText(int field, const std::string& text);
    // The "+" and "-" buttons of a field: one step, carrying the neighbours that form a
    // consecutive run with it; nothing changes when the run would leave the track.
    void Plus(int field);
    void Minus(int field);

    // Before each showing: brings the numbers within the track when it holds four subtitles
    // or more (a shorter track may have been loaded since), keeping them where they fit, and
    // shows the texts of the chosen subtitles in the labels.
    void FitToTrack();

  private:
    const std::string& EntryLabel(int field) const;
    int64_t LastNumber() const { return track_ ? int64_t{track_->Count} - 1 : -1; }
    void Write(int field, int64_t value);
    void Validate(int field);

    const SubtitleTrack* track_ = nullptr;
    std::array<std::string, FieldCount> texts_;
    std::array<std::string, FieldCount> labels_;
    int validationDepth_ = 0;
};

}  // namespace orvalen
