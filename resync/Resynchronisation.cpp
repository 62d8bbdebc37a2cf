#include "resync/Resynchronisation.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

namespace orvalen {

static_assert(std::numeric_limits<long double>::digits == 64,
              "resynchronisation results depend on the x87 80-bit extended format");

namespace {

// The extended-precision number nearest to one sixth.
constexpr long double kOneSixth = 0xAAAAAAAAAAAAAAABp-66L;
static_assert(kOneSixth == 1.0L / 6.0L);

constexpr int kPairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};

// Truncates toward zero; values outside the 32-bit range become its nearest end.
int32_t TruncateToInt32(long double value) {
    if (!(value > -2147483649.0L)) return std::numeric_limits<int32_t>::min();
    if (!(value < 2147483648.0L)) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// Rounds to three significant digits the way "%.3g" then strtod would, in the C locale.
double RoundToThreeDigits(double value) {
    char text[30];
    auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 3);
    double rounded = value;
    std::from_chars(text, written.ptr, rounded);
    return rounded;
}

int32_t Rescale(int32_t time, double factor, int32_t shift) {
    long double scaled = static_cast<long double>(time) * static_cast<long double>(factor);
    return TruncateToInt32(scaled - static_cast<long double>(shift));
}

}  // namespace

ResyncResult ComputeResync(const ResyncQuad& starts, const ResyncQuad& marks) {
    ResyncResult result;
    for (const auto& pair : kPairs) {
        if (starts[pair[0]] == starts[pair[1]]) {
            result.FirstEqual = pair[0];
            result.SecondEqual = pair[1];
            return result;
        }
    }
    for (int p = 0; p < 6; ++p) {
        int i = kPairs[p][0];
        int j = kPairs[p][1];
        int64_t elapsedFilm = int64_t{marks[j]} - marks[i];
        int64_t elapsedTrack = int64_t{starts[j]} - starts[i];
        long double quotient =
            static_cast<long double>(elapsedFilm) / static_cast<long double>(elapsedTrack);
        result.Ratios[p] = static_cast<double>(quotient);
    }
    long double sum = result.Ratios[0];
    for (int p = 1; p < 6; ++p) sum += result.Ratios[p];
    result.Average = static_cast<double>(sum * kOneSixth);
    result.Factor = RoundToThreeDigits(result.Average);

    int64_t offsetSum = 0;
    for (int k = 0; k < 4; ++k) {
        long double scaled =
            static_cast<long double>(starts[k]) * static_cast<long double>(result.Factor);
        result.Offsets[k] = TruncateToInt32(scaled - static_cast<long double>(marks[k]));
        offsetSum += result.Offsets[k];
    }
    // The mean of four 32-bit values always fits; division truncates toward zero.
    result.Shift = static_cast<int32_t>(offsetSum / 4);
    result.Ok = true;
    return result;
}

void ApplyResync(SubtitleTrack& track, double factor, int32_t shift) {
    ApplyResync(track, factor, shift, 0, track.Count);
}

void ApplyResync(SubtitleTrack& track, double factor, int32_t shift, int32_t first, int32_t end) {
    int32_t count = std::min({end, track.Count, static_cast<int32_t>(track.StartMs.size())});
    for (int32_t i = std::max(first, 0); i < count; ++i) {
        track.StartMs[i] = Rescale(track.StartMs[i], factor, shift);
        track.EndMs[i] = Rescale(track.EndMs[i], factor, shift);
    }
}

std::string ResyncStatusText(double factor, int32_t shift, std::string_view decimalSeparator) {
    char text[64];
    auto written = std::to_chars(text, text + sizeof text, factor, std::chars_format::general, 15);
    std::string number(text, written.ptr);
    if (size_t point = number.find('.'); point != std::string::npos) {
        number.replace(point, 1, decimalSeparator);
    }
    return "Dilatation = " + number + "   Shift = " + std::to_string(shift);
}

}  // namespace orvalen
