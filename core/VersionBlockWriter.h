#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace trend {

// Writes version-information blocks (VS_VERSIONINFO, as Windows keeps them in a program's
// resources): the program's own block, which the build places into its executables, and the
// blocks the tests read back. Usable at compile time.
//
// Layout of every block: wLength (bytes of the block and its children), wValueLength (of the
// value: UTF-16 units for a text value, bytes for a binary one), wType (1 text, 0 binary), the
// key in UTF-16 with a terminating zero, padding to 4 bytes, the value, padding to 4 bytes,
// then the children. Offsets are aligned relative to the start of the root block; all numbers
// are little-endian.

struct VersionStringEntry {
    std::string_view key;
    std::string_view value;  // UTF-8
};

struct VersionStringTable {
    std::string_view key;  // language and code page as eight hex digits, "041103a4"
    std::vector<VersionStringEntry> strings;
};

struct VersionInfoContent {
    std::array<uint16_t, 4> fileVersion{};  // the fixed part: major, minor, release, build
    std::vector<VersionStringTable> tables;
    std::vector<std::array<uint16_t, 2>> translations;  // language, code page
};

namespace version_block_detail {

class Writer {
public:
    constexpr void u16(uint32_t value) {
        bytes.push_back(static_cast<uint8_t>(value & 0xff));
        bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xff));
    }
    constexpr void u32(uint32_t value) {
        u16(value & 0xffff);
        u16(value >> 16);
    }
    constexpr void align() {
        while (bytes.size() % 4 != 0) {
            bytes.push_back(0);
        }
    }

    // UTF-16 units of a UTF-8 text, the terminating zero included.
    static constexpr std::vector<uint16_t> utf16z(std::string_view utf8) {
        std::vector<uint16_t> units;
        for (size_t i = 0; i < utf8.size();) {
            const auto lead = static_cast<uint8_t>(utf8[i]);
            const size_t length = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
            char32_t code = length == 1   ? lead
                            : length == 2 ? lead & 0x1fu
                            : length == 3 ? lead & 0x0fu
                                          : lead & 0x07u;
            for (size_t k = 1; k < length && i + k < utf8.size(); ++k) {
                code = (code << 6) | (static_cast<uint8_t>(utf8[i + k]) & 0x3fu);
            }
            i += length;
            if (code >= 0x10000) {
                code -= 0x10000;
                units.push_back(static_cast<uint16_t>(0xd800 + (code >> 10)));
                units.push_back(static_cast<uint16_t>(0xdc00 + (code & 0x3ff)));
            } else {
                units.push_back(static_cast<uint16_t>(code));
            }
        }
        units.push_back(0);
        return units;
    }

    // Writes the header and the key; returns the block's start for end().
    constexpr size_t begin(std::string_view key, size_t valueLength, uint16_t type) {
        align();
        const size_t start = bytes.size();
        u16(0);
        u16(static_cast<uint32_t>(valueLength));
        u16(type);
        for (uint16_t unit : utf16z(key)) {
            u16(unit);
        }
        align();
        return start;
    }
    constexpr void end(size_t start) {
        const size_t length = bytes.size() - start;
        bytes[start] = static_cast<uint8_t>(length & 0xff);
        bytes[start + 1] = static_cast<uint8_t>((length >> 8) & 0xff);
    }

    std::vector<uint8_t> bytes;
};

}  // namespace version_block_detail

// The bytes of a VS_VERSIONINFO block with its fixed part, one StringFileInfo holding the
// tables, and a VarFileInfo "Translation" when translations are given.
constexpr std::vector<uint8_t> WriteVersionBlock(const VersionInfoContent& content) {
    version_block_detail::Writer w;
    const size_t root = w.begin("VS_VERSION_INFO", 52, 0);
    const auto& v = content.fileVersion;
    const uint32_t versionMS = (uint32_t{v[0]} << 16) | v[1];
    const uint32_t versionLS = (uint32_t{v[2]} << 16) | v[3];
    w.u32(0xfeef04bd);  // signature of the fixed part
    w.u32(0x00010000);  // its structure version
    w.u32(versionMS);   // file version
    w.u32(versionLS);
    w.u32(versionMS);  // product version
    w.u32(versionLS);
    w.u32(0x3f);        // flags mask
    w.u32(0);           // flags
    w.u32(0x00040004);  // VOS_NT_WINDOWS32
    w.u32(1);           // VFT_APP
    w.u32(0);           // subtype
    w.u32(0);           // date
    w.u32(0);
    if (!content.tables.empty()) {
        const size_t stringInfo = w.begin("StringFileInfo", 0, 1);
        for (const VersionStringTable& table : content.tables) {
            const size_t tableStart = w.begin(table.key, 0, 1);
            for (const VersionStringEntry& entry : table.strings) {
                const std::vector<uint16_t> value =
                    version_block_detail::Writer::utf16z(entry.value);
                const size_t entryStart = w.begin(entry.key, value.size(), 1);
                for (uint16_t unit : value) {
                    w.u16(unit);
                }
                w.end(entryStart);
            }
            w.end(tableStart);
        }
        w.end(stringInfo);
    }
    if (!content.translations.empty()) {
        const size_t varInfo = w.begin("VarFileInfo", 0, 1);
        const size_t var = w.begin("Translation", 4 * content.translations.size(), 0);
        for (const auto& [language, codePage] : content.translations) {
            w.u16(language);
            w.u16(codePage);
        }
        w.end(var);
        w.end(varInfo);
    }
    w.end(root);
    return w.bytes;
}

}  // namespace trend
