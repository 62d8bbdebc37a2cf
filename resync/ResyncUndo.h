#pragma once

#include <optional>

#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// The track as it was before the last resynchronisation (automatic or by four references),
// for Undo. Another file or a merge makes it meaningless: it is forgotten then.
class ResyncUndo {
  public:
    void Keep(SubtitleTrack before) { before_ = std::move(before); }
    void Forget() { before_.reset(); }
    bool Available() const { return before_.has_value(); }

    // Puts the kept track back, keeping the current Cursor (the clock moves it); false when
    // nothing is kept. Undo is done once: the kept track is forgotten.
    bool Restore(SubtitleTrack& track) {
        if (!before_) return false;
        int32_t cursor = track.Cursor;
        track = std::move(*before_);
        track.Cursor = cursor;
        before_.reset();
        return true;
    }

  private:
    std::optional<SubtitleTrack> before_;
};

}  // namespace orvalen
