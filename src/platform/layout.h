#pragma once
// The three columns of word widgets, computed from the window's width.

namespace morvanta::platform {

struct ColumnLayout {
    int a;   // column width
    int c1;  // left of the first column
    int c2;  // left of the second column
    int c3;  // left of the third column
};

// a = (W - 31) div 3 - 8, c2 = a + 20, c3 = 2a + 28; the first column stays at 12.
constexpr ColumnLayout ComputeColumns(int outerWidth) {
    const int a = (outerWidth - 31) / 3 - 8;
    return {a, 12, a + 20, 2 * a + 28};
}

}  // namespace morvanta::platform
