#include "app/dialogs/FormatRowPlaces.h"

#include <gtest/gtest.h>

#include <utility>

namespace orvalen {
namespace {

TEST(FormatRowPlaces, FormatRowsFillTwoColumnsThenContinueBelowInPairs) {
    const std::pair<size_t, FormatRowPlace> cases[] = {
        {0, {0, 24}},   {7, {0, 192}},  {8, {1, 24}},   {14, {1, 168}},
        {15, {0, 216}}, {16, {1, 216}}, {17, {0, 240}},
    };
    for (const auto& [index, place] : cases) {
        EXPECT_EQ(PlaceFormatRow(index).Column, place.Column) << index;
        EXPECT_EQ(PlaceFormatRow(index).Top, place.Top) << index;
    }
    EXPECT_EQ(FormatGroupHeight(15), 217);
    EXPECT_EQ(FormatGroupHeight(16), 241);
    EXPECT_EQ(FormatGroupHeight(17), 241);
    EXPECT_EQ(FormatGroupHeight(18), 265);
    // Every extra row fits inside its group box, below the last of the fifteen.
    for (size_t count = 16; count <= 20; ++count) {
        EXPECT_LE(PlaceFormatRow(count - 1).Top + 17, FormatGroupHeight(count) - 7) << count;
    }
}

}  // namespace
}  // namespace orvalen
