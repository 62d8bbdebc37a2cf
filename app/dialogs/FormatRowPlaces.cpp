#include "app/dialogs/FormatRowPlaces.h"

namespace orvalen {

namespace {

constexpr size_t kLeftRows = 8;
constexpr size_t kBaseRows = 15;
constexpr int kFirstTop = 24;
constexpr int kRowStep = 24;
constexpr int kBaseGroupHeight = 217;
// Below the eight rows of the left column (the right one ends with a two-line caption).
constexpr int kExtraTop = kFirstTop + static_cast<int>(kLeftRows) * kRowStep;

}  // namespace

FormatRowPlace PlaceFormatRow(size_t index) {
    if (index < kLeftRows) return {0, kFirstTop + static_cast<int>(index) * kRowStep};
    if (index < kBaseRows) return {1, kFirstTop + static_cast<int>(index - kLeftRows) * kRowStep};
    const size_t extra = index - kBaseRows;
    return {static_cast<int>(extra % 2), kExtraTop + static_cast<int>(extra / 2) * kRowStep};
}

int FormatGroupHeight(size_t count) {
    const size_t extraLines = count > kBaseRows ? (count - kBaseRows + 1) / 2 : 0;
    return kBaseGroupHeight + static_cast<int>(extraLines) * kRowStep;
}

}  // namespace orvalen
