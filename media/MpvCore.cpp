#include "media/MpvCore.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <utility>

namespace orvalen::mpv {

namespace {

// Why the file at path (absolute, or empty when it could not be made so) is no film to hand
// to mpv; empty when it may be one. A directory would play as a playlist, a named pipe could
// wait for a writer forever, and an empty file holds nothing.
std::string FileThatCannotBeAFilm(const std::string& path, const std::error_code& absoluteError) {
    if (absoluteError) return absoluteError.message();
    if (path.empty()) return "no file was named";
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) return error.message();
    if (std::filesystem::is_directory(status)) return "it is a folder";
    if (!std::filesystem::is_regular_file(status)) return "it is not a regular file";
    if (::access(path.c_str(), R_OK) != 0) return std::strerror(errno);
    if (std::filesystem::file_size(path, error) == 0 && !error) return "the file is empty";
    return {};
}

using Clock = std::chrono::steady_clock;

struct Option {
    const char* name;
    const char* value;
};

// No user configuration, no terminal, no scripts, no key bindings, no on-screen display:
// the window is the only user interface. The film waits paused until playback is asked for,
// stays loaded at its end, and mpv loads no subtitles (the program shows its own).
constexpr Option kCommonOptions[] = {
    {"config", "no"},
    {"terminal", "no"},
    {"idle", "yes"},
    {"keep-open", "yes"},
    {"pause", "yes"},
    {"resume-playback", "no"},
    {"sub-auto", "no"},
    {"sid", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"osc", "no"},
    {"ytdl", "no"},
    {"load-scripts", "no"},
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"osd-level", "0"},
    {"audio-display", "no"},
    // A machine without a sound card still plays the picture in time.
    {"audio-fallback-to-null", "yes"},
    // A film is one local file and never reaches the network: no references to other files
    // or URLs (playlists, HLS manifests, ordered chapters, archives), and FFmpeg's demuxers
    // may open local files only.
    {"access-references", "no"},
    {"load-unsafe-playlists", "no"},
    {"demuxer-lavf-o", "protocol_whitelist=file"},
};

// The window paints each frame as soon as it is told of it; waiting for the display time
// inside the render call would block its thread.
constexpr Option kRenderedOptions[] = {
    {"vo", "libmpv"},
    {"video-timing-offset", "0"},
    // The sound servers and ALSA; probing SDL and JACK as well only costs time on a machine
    // that has none of these.
    {"ao", "pipewire,pulse,alsa"},
};

constexpr Option kSilentOptions[] = {
    {"vo", "null"},
    {"ao", "null"},
};

template <size_t N>
void SetOptions(mpv_handle* core, const Option (&options)[N]) {
    // An option this libmpv does not know only loses a refinement; the core still works.
    for (const Option& option : options) mpv_set_option_string(core, option.name, option.value);
}

double SecondsUntil(Clock::time_point deadline) {
    return std::max(0.0, std::chrono::duration<double>(deadline - Clock::now()).count());
}

}  // namespace

mpv_handle* CreateCore(VideoOutput output) {
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* core = mpv_create();
    if (core == nullptr) return nullptr;
    SetOptions(core, kCommonOptions);
    if (output == VideoOutput::Rendered) {
        SetOptions(core, kRenderedOptions);
    } else {
        SetOptions(core, kSilentOptions);
    }
    if (mpv_initialize(core) < 0) {
        mpv_terminate_destroy(core);
        return nullptr;
    }
    return core;
}

LoadResult LoadFile(mpv_handle* core, const std::string& path, std::chrono::milliseconds timeout,
                    const std::function<void(const mpv_event&)>& otherEvent, std::string* why) {
    std::string ignored;
    std::string& reason = why != nullptr ? *why : ignored;
    reason.clear();
    std::error_code error;
    const std::string absolute =
        path.empty() ? std::string() : std::filesystem::absolute(path, error).string();
    reason = FileThatCannotBeAFilm(absolute, error);
    if (!reason.empty()) return LoadResult::Failed;

    const Clock::time_point deadline = Clock::now() + timeout;
    const char* load[] = {"loadfile", absolute.c_str(), "replace", nullptr};
    if (mpv_command(core, load) < 0) {
        reason = "the player refused it";
        return LoadResult::Failed;
    }

    // The end of the film loaded before comes first and is not ours; the outcome is the first
    // FILE_LOADED or END_FILE that follows the START_FILE of this load.
    int64_t entry = -1;
    for (;;) {
        const double wait = SecondsUntil(deadline);
        if (wait <= 0.0) break;
        const mpv_event* event = mpv_wait_event(core, wait);
        switch (event->event_id) {
            case MPV_EVENT_START_FILE:
                entry = static_cast<const mpv_event_start_file*>(event->data)->playlist_entry_id;
                break;
            case MPV_EVENT_FILE_LOADED:
                if (entry >= 0) return LoadResult::Loaded;
                break;
            case MPV_EVENT_END_FILE: {
                const auto* end = static_cast<const mpv_event_end_file*>(event->data);
                if (entry >= 0 && end->playlist_entry_id == entry) {
                    // A playlist or a directory would go on with its entries: clear them.
                    const char* stop[] = {"stop", nullptr};
                    mpv_command(core, stop);
                    reason = end->reason == MPV_END_FILE_REASON_ERROR
                                 ? mpv_error_string(end->error)
                                 : "it holds no picture or sound to play";
                    return LoadResult::Failed;
                }
                break;
            }
            case MPV_EVENT_SHUTDOWN:
                otherEvent(*event);
                reason = "the player stopped";
                return LoadResult::Failed;
            case MPV_EVENT_NONE:
                break;
            default:
                otherEvent(*event);
                break;
        }
    }
    const char* stop[] = {"stop", nullptr};
    mpv_command(core, stop);
    reason = "it took too long to open";
    return LoadResult::TimedOut;
}

int32_t SecondsToMs(double seconds) {
    if (std::isnan(seconds)) return -1;
    const double ms = std::round(seconds * 1000.0);
    if (ms <= 0.0) return 0;
    if (ms >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(ms);
}

std::string MsToSecondsText(int32_t ms) {
    const int64_t value = ms;
    const int64_t magnitude = value < 0 ? -value : value;
    std::string fraction = std::to_string(magnitude % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    return (value < 0 ? "-" : "") + std::to_string(magnitude / 1000) + "." + fraction;
}

int32_t FpsToThousandths(double fps) {
    if (!(fps > 0.0)) return 0;
    const double thousandths = std::round(fps * 1000.0);
    if (thousandths >= static_cast<double>(std::numeric_limits<int32_t>::max())) return 0;
    return static_cast<int32_t>(thousandths);
}

int32_t ProbeFrameRate(const std::string& path) {
    mpv_handle* core = CreateCore(VideoOutput::None);
    if (core == nullptr) return 0;
    int32_t frameRate = 0;
    if (LoadFile(core, path, std::chrono::seconds(5), [](const mpv_event&) {}) ==
        LoadResult::Loaded) {
        double fps = 0.0;
        if (mpv_get_property(core, "container-fps", MPV_FORMAT_DOUBLE, &fps) >= 0) {
            frameRate = FpsToThousandths(fps);
        }
    }
    mpv_terminate_destroy(core);
    return frameRate;
}

}  // namespace orvalen::mpv
