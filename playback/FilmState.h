#pragma once

#include <cstdint>
#include <string>

namespace orvalen {

// The film the window plays: whether one is open, its path, and its frame rate in thousandths
// of frames per second once a subtitle load needed it (0 until then).
struct FilmState {
    bool Open = false;
    std::string Path;
    int32_t FrameRate = 0;

    // What closing the film leaves: no film, no path, the frame rate to be asked again.
    void Close() {
        Open = false;
        Path.clear();
        FrameRate = 0;
    }
};

}  // namespace orvalen
