#pragma once

#include <cstdint>

namespace orvalen {

// A rectangle in screen pixels; right and bottom are exclusive.
struct ScreenRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The band where full-screen subtitles are drawn: the screen's width, 76 pixels high, ending
// 14 pixels above the bottom edge.
constexpr ScreenRect FullScreenBand(int32_t screenWidth, int32_t screenHeight) {
    return {0, screenHeight - 90, screenWidth, screenHeight - 14};
}

// The same band on a screen whose top left corner is (left, top) in the desktop, as a second
// monitor beside the first is.
constexpr ScreenRect FullScreenBand(int32_t left, int32_t top, int32_t screenWidth,
                                    int32_t screenHeight) {
    const ScreenRect band = FullScreenBand(screenWidth, screenHeight);
    return {left + band.Left, top + band.Top, left + band.Right, top + band.Bottom};
}

}  // namespace orvalen
