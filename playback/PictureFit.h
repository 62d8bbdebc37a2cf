#pragma once

#include <algorithm>
#include <cstdint>

namespace orvalen {

struct PictureSize {
    int32_t Width = 0;
    int32_t Height = 0;

    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The size to show a width by height picture at within a room of maxWidth by maxHeight:
// the picture itself when it fits, else the largest size of the same shape that does (sides
// rounded down), never below 1 by 1. Sizes below 1 count as 1.
constexpr PictureSize FitPicture(int32_t width, int32_t height, int32_t maxWidth,
                                 int32_t maxHeight) {
    const int64_t w = std::max(width, 1);
    const int64_t h = std::max(height, 1);
    const int64_t roomW = std::max(maxWidth, 1);
    const int64_t roomH = std::max(maxHeight, 1);
    if (w <= roomW && h <= roomH) return {static_cast<int32_t>(w), static_cast<int32_t>(h)};
    // Width-limited when roomW / w < roomH / h.
    if (roomW * h <= roomH * w) {
        return {static_cast<int32_t>(roomW),
                static_cast<int32_t>(std::max<int64_t>(h * roomW / w, 1))};
    }
    return {static_cast<int32_t>(std::max<int64_t>(w * roomH / h, 1)), static_cast<int32_t>(roomH)};
}

}  // namespace orvalen
