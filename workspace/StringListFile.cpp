#include "StringListFile.h"

#include "AtomicFile.h"
#include "CodePoints.h"

namespace trend {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

bool startsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

// UTF-16 units to UTF-8; an unpaired surrogate or an odd last byte becomes U+FFFD.
std::string decodeUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    auto unitAt = [&](size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const char16_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                    (static_cast<char32_t>(low) - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
    }
    if (i < bytes.size()) {
        AppendUtf8(out, kReplacement);
    }
    return out;
}

void appendUtf16Unit(std::string& out, char16_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

std::string encodeUtf16(std::string_view utf8, bool bigEndian) {
    std::string out;
    for (char32_t cp : CodePoints(utf8)) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            appendUtf16Unit(out, static_cast<char16_t>(0xD800 + (cp >> 10)), bigEndian);
            appendUtf16Unit(out, static_cast<char16_t>(0xDC00 + (cp & 0x3FF)), bigEndian);
        } else {
            appendUtf16Unit(out, static_cast<char16_t>(cp), bigEndian);
        }
    }
    return out;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

}  // namespace

StringListText DecodeStringList(std::string_view bytes, const TextCodec& codec) {
    StringListText result;
    std::string text;
    if (startsWith(bytes, kUtf8Mark)) {
        result.encoding = TextFileEncoding::Utf8;
        text = TextCodec::utf8().decode(bytes.substr(kUtf8Mark.size()));
    } else if (startsWith(bytes, kUtf16LEMark)) {
        result.encoding = TextFileEncoding::Utf16LE;
        text = decodeUtf16(bytes.substr(kUtf16LEMark.size()), false);
    } else if (startsWith(bytes, kUtf16BEMark)) {
        result.encoding = TextFileEncoding::Utf16BE;
        text = decodeUtf16(bytes.substr(kUtf16BEMark.size()), true);
    } else {
        text = codec.decode(bytes);
    }
    result.lines = splitLines(text);
    return result;
}

std::string EncodeStringList(const std::vector<std::string>& lines, TextFileEncoding encoding,
                             const TextCodec& codec) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    switch (encoding) {
        case TextFileEncoding::Utf8:
            return std::string(kUtf8Mark) + text;
        case TextFileEncoding::Utf16LE:
            return std::string(kUtf16LEMark) + encodeUtf16(text, false);
        case TextFileEncoding::Utf16BE:
            return std::string(kUtf16BEMark) + encodeUtf16(text, true);
        case TextFileEncoding::Ansi:
            break;
    }
    if (!CodecHolds(codec, text)) {
        // Characters the 8-bit set cannot hold would become "?": UTF-8 with its mark keeps them.
        return std::string(kUtf8Mark) + text;
    }
    return codec.encode(text);
}

std::optional<StringListText> LoadStringList(const std::string& path, const TextCodec& codec) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return DecodeStringList(*bytes, codec);
}

bool SaveStringList(const std::string& path, const std::vector<std::string>& lines,
                    TextFileEncoding encoding, std::string* reason, const TextCodec& codec) {
    return ReplaceFileContents(path, EncodeStringList(lines, encoding, codec), reason);
}

}  // namespace trend
