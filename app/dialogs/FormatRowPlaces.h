#pragma once

#include <cstddef>

namespace orvalen {

// Where the row of the index-th format (in the stored key order) goes inside its group box.
// The first eight fill the left column and the next seven the right one, 24 pixels apart from
// a top of 24; formats beyond those fifteen continue in pairs (left, right) below both columns.
struct FormatRowPlace {
    int Column = 0;  // 0 left, 1 right
    int Top = 0;
};
FormatRowPlace PlaceFormatRow(size_t index);

// The height of the formats group box that holds count rows: 217 for the fifteen, one row
// step more for each further pair.
int FormatGroupHeight(size_t count);

}  // namespace orvalen
