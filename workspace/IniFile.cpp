#include "IniFile.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "AtomicFile.h"
#include "CodePoints.h"
#include "NameOrder.h"
#include "PlatformPath.h"
#include "TrendErrors.h"

namespace trend {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The lines of the file without their line ends (LF or CR LF).
std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = next;
    }
    return lines;
}

// A parsed line: a section head, a key line, or anything else.
struct ProfileLine {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string name;   // decoded section or key name
    std::string value;  // decoded, blanks and quotes dropped
};

ProfileLine parseLine(std::string_view raw, const TextCodec& codec) {
    ProfileLine parsed;
    const std::string_view line = trimBlanks(raw);
    if (!line.empty() && line.front() == '[') {
        const size_t close = line.find(']');
        parsed.kind = ProfileLine::Kind::Section;
        parsed.name = codec.decode(trimBlanks(
            line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
        return parsed;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return parsed;
    }
    parsed.kind = ProfileLine::Kind::Key;
    parsed.name = codec.decode(trimBlanks(line.substr(0, equals)));
    std::string_view value = trimBlanks(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    parsed.value = codec.decode(value);
    return parsed;
}

// The first n code points of a UTF-8 text.
std::string firstCharacters(const std::string& utf8, size_t n) {
    const std::u32string points = CodePoints(utf8);
    if (points.size() <= n) {
        return utf8;
    }
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        AppendUtf8(out, points[i]);
    }
    return out;
}

// The text of the error for a file that cannot be written.
std::string writeErrorText(std::string_view path) {
    return std::string(path) + " に書き込めません.";
}

}  // namespace

IniFile::IniFile(std::string path, const TextCodec& codec)
    : path_(std::move(path)), codec_(codec) {}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const std::optional<std::string> bytes = ReadWholeFile(path_);
    if (!bytes) {
        return std::string(defaultValue);
    }
    std::string_view content = *bytes;
    const TextCodec utf8 = TextCodec::utf8();
    const TextCodec* codec = &codec_;
    if (content.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        content.remove_prefix(kUtf8Mark.size());
        codec = &utf8;
    }
    bool inSection = false;
    for (const std::string& raw : splitLines(content)) {
        const ProfileLine line = parseLine(raw, *codec);
        if (line.kind == ProfileLine::Kind::Section) {
            inSection = SameNameIgnoringCase(line.name, section);
        } else if (inSection && line.kind == ProfileLine::Kind::Key &&
                   SameNameIgnoringCase(line.name, key)) {
            return firstCharacters(line.value, kMaxValueCharacters);
        }
    }
    return std::string(defaultValue);
}

void IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) const {
    std::string content;
    if (auto bytes = ReadWholeFile(path_)) {
        content = std::move(*bytes);
    } else {
        // A file that is there but cannot be read would lose its other lines.
        std::error_code error;
        if (std::filesystem::symlink_status(ToFileSystemPath(path_), error).type() !=
            std::filesystem::file_type::not_found) {
            throw WriteError(writeErrorText(path_));
        }
    }
    const TextCodec utf8 = TextCodec::utf8();
    const TextCodec* codec = &codec_;
    std::string mark;
    if (content.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        mark = kUtf8Mark;
        content.erase(0, kUtf8Mark.size());
        codec = &utf8;
    }
    std::vector<std::string> lines = splitLines(content);
    const std::string keyText = std::string(key) + "=" + std::string(value);
    if (!CodecHolds(*codec, keyText) || !CodecHolds(*codec, section)) {
        // Characters the 8-bit set cannot hold would become "?": the file becomes UTF-8 with
        // its mark, every line converted.
        for (std::string& line : lines) {
            line = codec->decode(line);
        }
        mark = kUtf8Mark;
        codec = &utf8;
    }
    const std::string keyLine = codec->encode(keyText);

    // The first section of that name, its last non-empty line and the key's line in it.
    std::optional<size_t> sectionAt;
    std::optional<size_t> keyAt;
    size_t lastInSection = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const ProfileLine line = parseLine(lines[i], *codec);
        if (line.kind == ProfileLine::Kind::Section) {
            if (sectionAt) {
                break;
            }
            if (SameNameIgnoringCase(line.name, section)) {
                sectionAt = i;
                lastInSection = i;
            }
            continue;
        }
        if (!sectionAt) {
            continue;
        }
        if (!trimBlanks(lines[i]).empty()) {
            lastInSection = i;
        }
        if (line.kind == ProfileLine::Kind::Key && SameNameIgnoringCase(line.name, key)) {
            keyAt = i;
            break;
        }
    }
    if (keyAt) {
        lines[*keyAt] = keyLine;
    } else if (sectionAt) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastInSection + 1), keyLine);
    } else {
        lines.push_back("[" + codec->encode(std::string(section)) + "]");
        lines.push_back(keyLine);
    }
    std::string out = mark;
    for (const std::string& line : lines) {
        out += line;
        out += "\r\n";
    }
    if (!ReplaceFileContents(path_, out)) {
        throw WriteError(writeErrorText(path_));
    }
}

}  // namespace trend
