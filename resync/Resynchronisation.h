#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "subtitles/SubtitleTrack.h"

namespace orvalen {

// Start times of the four reference subtitles, or the player positions marked for them, in ms.
using ResyncQuad = std::array<int32_t, 4>;

// The outcome of one resynchronisation computation.
struct ResyncResult {
    bool Ok = false;
    // When Ok is false: the two references (0 to 3) that start at the same time.
    int FirstEqual = -1;
    int SecondEqual = -1;
    // The six ratios in the order (1,2) (1,3) (1,4) (2,3) (2,4) (3,4), their average, and the
    // factor ("Dilatation"): the average rounded to three significant digits.
    std::array<double, 6> Ratios{};
    double Average = 0;
    double Factor = 0;
    // What the factor leaves at each reference, and their mean ("Shift").
    std::array<int32_t, 4> Offsets{};
    int32_t Shift = 0;
};

// Derives the factor and shift that move each start time starts[k] onto marks[k]. Every
// operation is carried out in the x87 80-bit extended format, which the results depend on to
// the last millisecond. Fails, computing nothing, when two starts are equal. Differences are
// exact (no 32-bit wrap) and offsets beyond the 32-bit range are clamped to it.
ResyncResult ComputeResync(const ResyncQuad& starts, const ResyncQuad& marks);

// Rewrites every start and end time t of the track as trunc(t * factor - shift), in extended
// precision, clamped to the 32-bit range. Texts, Count and Cursor are not touched.
void ApplyResync(SubtitleTrack& track, double factor, int32_t shift);
// The same for entries first to end - 1 only.
void ApplyResync(SubtitleTrack& track, double factor, int32_t shift, int32_t first, int32_t end);

// "Dilatation = 1.04   Shift = -599": the factor with at most 15 significant digits, no
// trailing zeros and decimalSeparator (the user's, in the window) in place of the point.
std::string ResyncStatusText(double factor, int32_t shift, std::string_view decimalSeparator = ".");

}  // namespace orvalen
