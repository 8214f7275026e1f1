#include "NameOrder.h"

#include <algorithm>
#include <numeric>

#include "CodePoints.h"
#include "TextCodec.h"

namespace trend {
namespace {

bool isEven(char32_t c) {
    return (c & 1) == 0;
}

char32_t foldCase(char32_t c) {
    if (c < 0x80) {
        return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
    }
    if (c == 0xB5) {
        return 0x3BC;  // micro sign folds to Greek mu
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return c + 0x20;
    }
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149) {
            return c;
        }
        if (c == 0x178) {
            return 0xFF;
        }
        if (c == 0x17F) {
            return 's';
        }
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
            return isEven(c) ? c : c + 1;  // odd capitals in these two runs
        }
        return isEven(c) ? c + 1 : c;
    }
    if (c >= 0x386 && c <= 0x3AB) {
        if (c == 0x386) {
            return 0x3AC;
        }
        if (c >= 0x388 && c <= 0x38A) {
            return c + 37;
        }
        if (c == 0x38C) {
            return 0x3CC;
        }
        if (c == 0x38E || c == 0x38F) {
            return c + 63;
        }
        if (c >= 0x391 && c != 0x3A2) {
            return c + 0x20;
        }
        return c;
    }
    if (c == 0x3C2) {
        return 0x3C3;  // final sigma
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    if (c >= 0x410 && c <= 0x42F) {
        return c + 0x20;
    }
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF)) {
        return isEven(c) ? c + 1 : c;
    }
    if (c >= 0x531 && c <= 0x556) {
        return c + 0x30;
    }
    if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) {
        return isEven(c) ? c + 1 : c;
    }
    if (c >= 0xFF21 && c <= 0xFF3A) {
        return c + 0x20;
    }
    return c;
}

}  // namespace

std::u32string CaseFolded(std::string_view utf8) {
    std::u32string out = CodePoints(utf8);
    std::transform(out.begin(), out.end(), out.begin(), foldCase);
    return out;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a == b) {
        return true;
    }
    return CaseFolded(a) == CaseFolded(b);
}

void SortNamesIgnoringCase(std::vector<std::string>& names) {
    std::vector<std::u32string> keys;
    keys.reserve(names.size());
    for (const std::string& name : names) {
        keys.push_back(CaseFolded(name));
    }
    std::vector<size_t> order(names.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (size_t i : order) {
        sorted.push_back(std::move(names[i]));
    }
    names = std::move(sorted);
}

int PositionOfName(const std::vector<std::string>& names, std::string_view name) {
    auto exact = std::find(names.begin(), names.end(), name);
    if (exact != names.end()) {
        return static_cast<int>(exact - names.begin());
    }
    const std::u32string key = CaseFolded(name);
    for (size_t i = 0; i < names.size(); ++i) {
        if (CaseFolded(names[i]) == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace trend
