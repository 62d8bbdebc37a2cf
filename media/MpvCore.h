#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include <mpv/client.h>

namespace orvalen::mpv {

enum class VideoOutput {
    Rendered,  // frames are drawn through the render API (vo=libmpv)
    None,      // decode but show nothing (vo=null, ao=null): probing only
};

// A configured, initialised mpv core, or nullptr when libmpv refuses. Sets LC_NUMERIC to "C"
// first: libmpv will not start under a locale that writes numbers with a decimal comma, and
// Qt sets the user's locale when the application starts.
mpv_handle* CreateCore(VideoOutput output);

enum class LoadResult { Loaded, Failed, TimedOut };

// Replaces whatever the core plays with the film at path, paused, and waits for the outcome.
// Events that are not part of the load go to otherEvent. The path goes to mpv as one argument
// of the command array, so blanks and non-ASCII need no quoting; it is made absolute so that
// mpv never reads it as a URL or an option. Only regular files that can be read and are not
// empty are films. On failure or timeout nothing stays loaded, and why (in words for the
// user: "No such file or directory", "unrecognized file format") goes to *why when given.
LoadResult LoadFile(mpv_handle* core, const std::string& path, std::chrono::milliseconds timeout,
                    const std::function<void(const mpv_event&)>& otherEvent,
                    std::string* why = nullptr);

// Seconds as mpv gives them, in milliseconds rounded to the nearest, within 0..INT32_MAX;
// -1 for a value that is not a number.
int32_t SecondsToMs(double seconds);

// Milliseconds as the decimal seconds text of a command argument ("12.345"), independent of
// the locale.
std::string MsToSecondsText(int32_t ms);

// Frames per second in thousandths, rounded (23.976023 gives 23976); 0 when not positive.
int32_t FpsToThousandths(double fps);

// The frame rate of the film at path, read with a short-lived core that shows nothing; 0 when
// the film does not open or tells no rate.
int32_t ProbeFrameRate(const std::string& path);

}  // namespace orvalen::mpv
