#include "CodePoints.h"

namespace trend {
namespace {

// The code point at s[i], advancing i; an invalid byte stands for itself (Latin-1).
char32_t nextCodePoint(std::string_view s, size_t& i) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (c < 0x80) {
        ++i;
        return c;
    } else if ((c & 0xE0) == 0xC0) {
        length = 2, value = c & 0x1F, minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        length = 3, value = c & 0x0F, minimum = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        length = 4, value = c & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return c;
    }
    if (s.size() - i < length) {
        ++i;
        return c;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return c;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++i;
        return c;
    }
    i += length;
    return value;
}

}  // namespace

std::u32string CodePoints(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        out += nextCodePoint(utf8, i);
    }
    return out;
}

bool CodecHolds(const TextCodec& codec, std::string_view utf8) {
    if (codec.isUtf8()) {
        return true;
    }
    for (char32_t cp : CodePoints(utf8)) {
        if (cp > 0xFF) {
            return false;
        }
    }
    return true;
}

}  // namespace trend
