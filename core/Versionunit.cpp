#include "Versionunit.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "PlatformPath.h"
#include "TextCodec.h"

namespace trend {
namespace {

constexpr const char* kDefaultFileVersion = "0.0.0.0";
constexpr const char* kFileVersionKey = "\\StringFileInfo\\041103a4\\FileVersion";
constexpr char kElfSectionName[] = ".trendviewer.version";  // with its terminating zero
// wLength is 16 bits wide: no block is longer.
constexpr size_t kMaxBlockSize = 0xffff;

// Reads byte ranges of a regular file; every read outside the file fails.
class FileView {
public:
    explicit FileView(const std::string& path) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) {
            return;
        }
        in_.open(path, std::ios::binary);
        const auto size = std::filesystem::file_size(path, error);
        size_ = in_ && !error ? size : 0;
    }

    uint64_t size() const { return size_; }

    bool read(uint64_t offset, size_t count, uint8_t* out) {
        if (offset > size_ || count > size_ - offset) {
            return false;
        }
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
        return in_.gcount() == static_cast<std::streamsize>(count);
    }

    std::vector<uint8_t> bytes(uint64_t offset, size_t count) {
        std::vector<uint8_t> out(count);
        if (!read(offset, count, out.data())) {
            out.clear();
        }
        return out;
    }

private:
    std::ifstream in_;
    uint64_t size_ = 0;
};

uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t le32(const uint8_t* p) {
    return le16(p) | (uint32_t{le16(p + 2)} << 16);
}

// Multi-byte numbers of an ELF file, in the file's byte order.
struct ElfOrder {
    bool bigEndian = false;

    uint64_t get(const uint8_t* p, int size) const {
        uint64_t value = 0;
        for (int k = 0; k < size; ++k) {
            const int at = bigEndian ? k : size - 1 - k;
            value = (value << 8) | p[at];
        }
        return value;
    }
};

struct ElfSection {
    uint32_t name = 0;  // offset into the section name table
    uint32_t type = 0;
    uint64_t offset = 0;
    uint64_t size = 0;
    uint32_t link = 0;
};

std::vector<uint8_t> elfVersionSection(FileView& file) {
    constexpr uint32_t kNoBits = 8;              // SHT_NOBITS: a section without bytes in the file
    constexpr uint32_t kExtendedIndex = 0xffff;  // SHN_XINDEX
    uint8_t header[64] = {};
    if (!file.read(0, 52, header)) {
        return {};
    }
    const bool is64 = header[4] == 2;
    if ((header[4] != 1 && !is64) || (header[5] != 1 && header[5] != 2)) {
        return {};
    }
    if (is64 && !file.read(0, 64, header)) {
        return {};
    }
    const ElfOrder order{header[5] == 2};
    const uint64_t tableOffset = is64 ? order.get(header + 0x28, 8) : order.get(header + 0x20, 4);
    const uint64_t entrySize = order.get(header + (is64 ? 0x3a : 0x2e), 2);
    uint64_t count = order.get(header + (is64 ? 0x3c : 0x30), 2);
    uint64_t namesIndex = order.get(header + (is64 ? 0x3e : 0x32), 2);
    if (tableOffset == 0 || tableOffset > file.size() || entrySize < (is64 ? 64u : 40u)) {
        return {};
    }

    auto sectionAt = [&](uint64_t index) -> std::optional<ElfSection> {
        uint8_t raw[64];
        if (index > file.size() / entrySize ||
            !file.read(tableOffset + index * entrySize, is64 ? 64 : 40, raw)) {
            return std::nullopt;
        }
        ElfSection s;
        s.name = static_cast<uint32_t>(order.get(raw, 4));
        s.type = static_cast<uint32_t>(order.get(raw + 4, 4));
        s.offset = is64 ? order.get(raw + 24, 8) : order.get(raw + 16, 4);
        s.size = is64 ? order.get(raw + 32, 8) : order.get(raw + 20, 4);
        s.link = static_cast<uint32_t>(is64 ? order.get(raw + 40, 4) : order.get(raw + 24, 4));
        return s;
    };

    // With many sections the counts live in the first section header.
    if (count == 0 || namesIndex == kExtendedIndex) {
        const auto first = sectionAt(0);
        if (!first) {
            return {};
        }
        count = count == 0 ? first->size : count;
        namesIndex = namesIndex == kExtendedIndex ? first->link : namesIndex;
    }
    const auto names = sectionAt(namesIndex);
    if (!names || names->offset > file.size()) {
        return {};
    }
    for (uint64_t i = 0; i < count; ++i) {
        const auto section = sectionAt(i);
        if (!section) {
            return {};
        }
        if (section->name > names->size || names->size - section->name < sizeof kElfSectionName) {
            continue;
        }
        uint8_t name[sizeof kElfSectionName];
        if (!file.read(names->offset + section->name, sizeof name, name) ||
            std::memcmp(name, kElfSectionName, sizeof name) != 0) {
            continue;
        }
        if (section->type == kNoBits) {
            return {};
        }
        return file.bytes(section->offset,
                          static_cast<size_t>(std::min<uint64_t>(section->size, kMaxBlockSize)));
    }
    return {};
}

std::vector<uint8_t> peVersionResource(FileView& file) {
    constexpr uint32_t kVersionType = 16;  // RT_VERSION
    constexpr uint32_t kVersionName = 1;   // VS_VERSION_INFO
    constexpr uint32_t kSubdirectory = 0x80000000;
    uint8_t dos[64];
    if (!file.read(0, sizeof dos, dos)) {
        return {};
    }
    const uint32_t peOffset = le32(dos + 0x3c);
    uint8_t coff[24];
    if (!file.read(peOffset, sizeof coff, coff) || std::memcmp(coff, "PE\0\0", 4) != 0) {
        return {};
    }
    const uint16_t sectionCount = le16(coff + 6);
    const uint16_t optionalSize = le16(coff + 20);
    const std::vector<uint8_t> optional = file.bytes(peOffset + 24ull, optionalSize);
    if (optional.size() < 2) {
        return {};
    }
    const uint16_t magic = le16(optional.data());
    if (magic != 0x10b && magic != 0x20b) {
        return {};
    }
    const size_t countAt = magic == 0x10b ? 92 : 108;  // PE32 or PE32+
    const size_t directoriesAt = countAt + 4;
    const size_t resourceAt = directoriesAt + 2 * 8;  // the third data directory
    if (optional.size() < resourceAt + 8 || le32(optional.data() + countAt) < 3) {
        return {};
    }
    const uint32_t resourceRva = le32(optional.data() + resourceAt);
    const std::vector<uint8_t> sections =
        file.bytes(peOffset + 24ull + optionalSize, size_t{sectionCount} * 40);
    if (resourceRva == 0 || sections.empty()) {
        return {};
    }

    // The file offset of count bytes at a relative virtual address, if the file holds them.
    auto fileOffset = [&](uint64_t rva, uint64_t count) -> std::optional<uint64_t> {
        for (size_t at = 0; at < sections.size(); at += 40) {
            const uint64_t address = le32(&sections[at + 12]);
            const uint64_t rawSize = le32(&sections[at + 16]);
            const uint64_t rawOffset = le32(&sections[at + 20]);
            if (rva >= address && rva - address <= rawSize && count <= rawSize - (rva - address)) {
                return rawOffset + (rva - address);
            }
        }
        return std::nullopt;
    };
    auto readRva = [&](uint64_t rva, size_t count) -> std::vector<uint8_t> {
        const auto offset = fileOffset(rva, count);
        return offset ? file.bytes(*offset, count) : std::vector<uint8_t>{};
    };
    // OffsetToData of the entry with the given id (or of the first entry when id is nullopt) in
    // the directory at offset from the resource root.
    auto entry = [&](uint32_t offset, std::optional<uint32_t> id) -> std::optional<uint32_t> {
        const std::vector<uint8_t> directory = readRva(uint64_t{resourceRva} + offset, 16);
        if (directory.empty()) {
            return std::nullopt;
        }
        const size_t entries = size_t{le16(&directory[12])} + le16(&directory[14]);
        const std::vector<uint8_t> list = readRva(uint64_t{resourceRva} + offset + 16, entries * 8);
        if (list.empty()) {
            return std::nullopt;
        }
        for (size_t at = 0; at < list.size(); at += 8) {
            if (!id || le32(&list[at]) == *id) {
                return le32(&list[at + 4]);
            }
        }
        return std::nullopt;
    };

    const auto names = entry(0, kVersionType);
    if (!names || (*names & kSubdirectory) == 0) {
        return {};
    }
    auto languages = entry(*names & ~kSubdirectory, kVersionName);
    if (!languages) {
        languages = entry(*names & ~kSubdirectory, std::nullopt);
    }
    if (!languages || (*languages & kSubdirectory) == 0) {
        return {};
    }
    const auto data = entry(*languages & ~kSubdirectory, std::nullopt);
    if (!data || (*data & kSubdirectory) != 0) {
        return {};
    }
    const std::vector<uint8_t> dataEntry = readRva(uint64_t{resourceRva} + *data, 16);
    if (dataEntry.empty()) {
        return {};
    }
    return readRva(le32(&dataEntry[0]), std::min<size_t>(le32(&dataEntry[4]), kMaxBlockSize));
}

// One block of the version information: bounds, key and where value and children begin.
struct Block {
    size_t start = 0;
    size_t end = 0;  // start + wLength
    uint16_t valueLength = 0;
    uint16_t type = 0;
    std::u16string key;
    size_t valueStart = 0;
    size_t childrenStart = 0;
};

size_t align4(size_t offset) {
    return (offset + 3) & ~size_t{3};
}

// The block at start, which must lie within limit.
std::optional<Block> readBlock(std::span<const uint8_t> bytes, size_t start, size_t limit) {
    if (start > limit || limit - start < 6) {
        return std::nullopt;
    }
    Block b;
    b.start = start;
    const size_t length = le16(&bytes[start]);
    if (length < 6 || length > limit - start) {
        return std::nullopt;
    }
    b.end = start + length;
    b.valueLength = le16(&bytes[start + 2]);
    b.type = le16(&bytes[start + 4]);
    size_t at = start + 6;
    for (;; at += 2) {
        if (b.end - at < 2) {
            return std::nullopt;  // the key runs past the block
        }
        const uint16_t unit = le16(&bytes[at]);
        if (unit == 0) {
            break;
        }
        b.key += static_cast<char16_t>(unit);
    }
    b.valueStart = align4(at + 2);
    b.childrenStart =
        align4(b.valueStart + (b.type == 1 ? 2 * size_t{b.valueLength} : b.valueLength));
    return b;
}

bool sameKey(const std::u16string& key, std::string_view ascii) {
    auto lower = [](char32_t c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return key.size() == ascii.size() &&
           std::equal(key.begin(), key.end(), ascii.begin(), [&](char16_t k, char a) {
               return lower(k) == lower(static_cast<unsigned char>(a));
           });
}

std::optional<Block> child(std::span<const uint8_t> bytes, const Block& parent,
                           std::string_view key) {
    for (size_t at = parent.childrenStart; at < parent.end && parent.end - at >= 6;) {
        const auto block = readBlock(bytes, at, parent.end);
        if (!block) {
            return std::nullopt;
        }
        if (sameKey(block->key, key)) {
            return block;
        }
        at = align4(block->end);
    }
    return std::nullopt;
}

// UTF-16 units from start up to a zero unit or end, as UTF-8; unpaired surrogates as U+FFFD.
std::string utf8Text(std::span<const uint8_t> bytes, size_t start, size_t end) {
    std::string text;
    for (size_t at = start; at < end && end - at >= 2; at += 2) {
        char32_t unit = le16(&bytes[at]);
        if (unit == 0) {
            break;
        }
        if (unit >= 0xd800 && unit < 0xdc00 && end - at >= 4) {
            const char32_t low = le16(&bytes[at + 2]);
            if (low >= 0xdc00 && low < 0xe000) {
                AppendUtf8(text, 0x10000 + ((unit - 0xd800) << 10) + (low - 0xdc00));
                at += 2;
                continue;
            }
        }
        AppendUtf8(text, unit >= 0xd800 && unit < 0xe000 ? char32_t{0xfffd} : unit);
    }
    return text;
}

}  // namespace

std::vector<uint8_t> ReadFileVersionInfo(std::string_view path) {
    FileView file(ToFileSystemPath(path));
    uint8_t magic[4];
    if (!file.read(0, sizeof magic, magic)) {
        return {};
    }
    if (std::memcmp(magic,
                    "\x7f"
                    "ELF",
                    4) == 0) {
        return elfVersionSection(file);
    }
    if (magic[0] == 'M' && magic[1] == 'Z') {
        return peVersionResource(file);
    }
    return {};
}

std::optional<std::string> QueryVersionString(std::span<const uint8_t> bytes,
                                              std::string_view keyPath) {
    auto block = readBlock(bytes, 0, bytes.size());
    if (!block || !sameKey(block->key, "VS_VERSION_INFO")) {
        return std::nullopt;
    }
    while (!keyPath.empty()) {
        const size_t delimiter = keyPath.find('\\');
        const std::string_view key = keyPath.substr(0, delimiter);
        keyPath = delimiter == std::string_view::npos ? std::string_view()
                                                      : keyPath.substr(delimiter + 1);
        if (key.empty()) {
            continue;
        }
        block = child(bytes, *block, key);
        if (!block) {
            return std::nullopt;
        }
    }
    // Some resource compilers count a text value in bytes, not units: the block's end bounds it.
    const size_t valueBytes =
        block->type == 1 ? 2 * size_t{block->valueLength} : block->valueLength;
    const std::string text =
        utf8Text(bytes, block->valueStart, std::min(block->end, block->valueStart + valueBytes));
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

std::string FileVersionText(std::string_view path) {
    const std::vector<uint8_t> block = ReadFileVersionInfo(path);
    if (block.empty()) {
        return kDefaultFileVersion;
    }
    return QueryVersionString(block, kFileVersionKey).value_or(kDefaultFileVersion);
}

}  // namespace trend
