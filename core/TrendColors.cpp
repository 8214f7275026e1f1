#include "TrendColors.h"

namespace trend {

const std::vector<TColor>& DefaultSeriesPalette() {
    // red, green, yellow, blue, white, grey, fuchsia, teal, navy, maroon, lime, olive, purple,
    // silver, aqua, black, then darker and lighter shades.
    static const std::vector<TColor> palette = {
        0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF, 0x808080, 0xFF00FF, 0x808000,
        0x800000, 0x000080, 0x00FF00, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00, 0x000000,
        0x4080FF, 0x80FF80, 0xFF8040, 0x8000FF, 0x408000, 0x0080C0, 0xC08080, 0x404080,
    };
    return palette;
}

}  // namespace trend
