#pragma once

#include <algorithm>
#include <cstdint>

#include "playback/FullScreenBand.h"

namespace orvalen {

// The picture height the chosen subtitle size is meant for.
constexpr int32_t kScaleReferenceHeight = 720;
// Smaller text is not readable; it wins over the eighth of a very small picture.
constexpr int32_t kMinScaledPixels = 10;

// The subtitle font's pixel size for a picture shownHeight pixels high when the size follows
// the picture: chosenPixels at 720, in proportion otherwise, at least 10 and at most an eighth
// of the picture. Without a picture (height below 1) the chosen size stays.
constexpr int32_t ScaledSubtitlePixels(int32_t chosenPixels, int32_t shownHeight) {
    if (shownHeight < 1 || chosenPixels < 1) return chosenPixels;
    const int64_t scaled =
        (int64_t{chosenPixels} * shownHeight + kScaleReferenceHeight / 2) / kScaleReferenceHeight;
    const int64_t largest = std::max<int64_t>(shownHeight / 8, kMinScaledPixels);
    return static_cast<int32_t>(std::clamp<int64_t>(scaled, kMinScaledPixels, largest));
}

// The height a width by height picture is shown at when stretched, keeping its shape, to fill
// an area of areaWidth by areaHeight as the player does; 0 without a picture or an area.
constexpr int32_t ShownPictureHeight(int32_t width, int32_t height, int32_t areaWidth,
                                     int32_t areaHeight) {
    if (width < 1 || height < 1 || areaWidth < 1 || areaHeight < 1) return 0;
    const int64_t fittedToWidth = int64_t{areaWidth} * height / width;
    return static_cast<int32_t>(std::min<int64_t>(fittedToWidth, areaHeight));
}

// The full-screen band grown upward, from its bottom, in proportion to a font grown from
// chosenPixels to scaledPixels; never smaller than band, never above screenTop.
constexpr ScreenRect GrownBand(const ScreenRect& band, int32_t chosenPixels, int32_t scaledPixels,
                               int32_t screenTop) {
    if (chosenPixels < 1 || scaledPixels <= chosenPixels) return band;
    const int64_t height = int64_t{band.Bottom} - band.Top;
    const int64_t grown = height * scaledPixels / chosenPixels;
    ScreenRect result = band;
    result.Top = static_cast<int32_t>(std::max<int64_t>(band.Bottom - grown, screenTop));
    return result;
}

}  // namespace orvalen
