#include "TextCodec.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cstring>
#include <vector>

namespace trend {
namespace {

// Length of the valid UTF-8 sequence at s, or 0 when it is not one.
size_t validUtf8Length(const unsigned char* s, size_t available) {
    const unsigned char c = s[0];
    size_t length = 0;
    char32_t minimum = 0;
    char32_t value = 0;
    if (c < 0x80) {
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, value = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, value = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, value = c & 0x07;
    } else {
        return 0;
    }
    if (available < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((s[i] & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (s[i] & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    return length;
}

// Decodes the UTF-8 sequence at s (known to be valid).
char32_t decodeUtf8(const unsigned char* s, size_t length) {
    if (length == 1) {
        return s[0];
    }
    char32_t value = s[0] & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        value = (value << 6) | (s[i] & 0x3F);
    }
    return value;
}

template <typename Visit>
void forEachCodePoint(std::string_view utf8, Visit visit) {
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    size_t i = 0;
    while (i < utf8.size()) {
        size_t length = validUtf8Length(s + i, utf8.size() - i);
        if (length == 0) {
            visit(static_cast<char32_t>(s[i]));
            ++i;
            continue;
        }
        visit(decodeUtf8(s + i, length));
        i += length;
    }
}

bool isAscii(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

TextCodec TextCodec::utf8() {
    return TextCodec(Kind::Utf8);
}
TextCodec TextCodec::latin1() {
    return TextCodec(Kind::Latin1);
}

const TextCodec& TextCodec::process() {
    static const TextCodec codec = [] {
        const char* codeset = nl_langinfo(CODESET);
        if (codeset != nullptr &&
            (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0)) {
            return utf8();
        }
        return latin1();
    }();
    return codec;
}

std::string TextCodec::decode(std::string_view bytes) const {
    if (isAscii(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < bytes.size();) {
        size_t length = kind_ == Kind::Utf8 ? validUtf8Length(s + i, bytes.size() - i) : 0;
        if (length == 0) {
            AppendUtf8(out, s[i]);
            ++i;
        } else {
            out.append(bytes.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string TextCodec::toSingleByte(std::string_view utf8) {
    if (isAscii(utf8)) {
        return std::string(utf8);
    }
    std::string out;
    forEachCodePoint(utf8, [&](char32_t cp) { out += cp <= 0xFF ? static_cast<char>(cp) : '?'; });
    return out;
}

std::string TextCodec::encode(std::string_view utf8) const {
    if (kind_ == Kind::Utf8) {
        return std::string(utf8);
    }
    return toSingleByte(utf8);
}

std::string UpperCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    forEachCodePoint(utf8, [&](char32_t cp) {
        if (cp >= 'a' && cp <= 'z') {
            cp -= 0x20;
        } else if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) {
            cp -= 0x20;
        }
        AppendUtf8(out, cp);
    });
    return out;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return UpperCase(a) == UpperCase(b);
}

}  // namespace trend
