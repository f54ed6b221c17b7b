#pragma once

#include <QRgb>

#include <array>

// The navigation tree's icons (root, system setting, local position, satellite) in code: each
// row of pixels is a string whose characters stand for the colour of the same position in
// kTreeIconKeys. Made into images directly, they need no image reader and no plugin look-up.
struct TreeIconTable {
    const QRgb* colours;
    const char* const* rows;
};
inline constexpr int kTreeIconSize = 16;
extern const char kTreeIconKeys[];
extern const std::array<TreeIconTable, 4> kTreeIconTables;
