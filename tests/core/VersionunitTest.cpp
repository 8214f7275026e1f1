#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "TrendFileFixtures.h"
#include "VersionBlockWriter.h"
#include "Versionunit.h"

using namespace trend;
using namespace trendtest;

namespace {

using Bytes = std::vector<uint8_t>;

std::string asText(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

Bytes blockWith(std::string_view tableKey, std::vector<VersionStringEntry> strings,
                std::array<uint16_t, 2> translation) {
    return WriteVersionBlock({{1, 2, 0, 11}, {{tableKey, std::move(strings)}}, {translation}});
}

// FileVersion behind an entry that ends off the 4-byte grid, so the padding between blocks counts.
Bytes programBlock() {
    return blockWith("041103a4", {{"FileDescription", "Trend viewer"}, {"FileVersion", "1.2.0.11"}},
                     {0x0411, 0x03a4});
}

// Little- or big-endian numbers appended to a byte string.
struct Out {
    bool bigEndian = false;
    std::string bytes;

    void put(uint64_t value, int size) {  // size at most 8
        for (int k = 0; k < size; ++k) {
            const int shift = 8 * (bigEndian ? size - 1 - k : k);
            bytes += static_cast<char>((value >> shift) & 0xff);
        }
    }
    void pad(size_t to) { bytes.resize(to, '\0'); }
};

struct Section {
    std::string name;
    std::string contents;
};

// An ELF file with section headers only: the null section, the given ones, the name table.
std::string elfFile(bool is64, bool bigEndian, const std::vector<Section>& sections) {
    const int word = is64 ? 8 : 4;
    const size_t headerSize = is64 ? 64 : 52;
    const size_t entrySize = is64 ? 64 : 40;
    std::string names(1, '\0');
    std::vector<std::pair<size_t, size_t>> placed;  // name offset, contents offset
    std::string body;
    for (const Section& s : sections) {
        placed.emplace_back(names.size(), headerSize + body.size());
        names += s.name + '\0';
        body += s.contents;
        body.resize((body.size() + 7) & ~size_t{7}, '\0');
    }
    const size_t namesName = names.size();
    names += std::string(".shstrtab") + '\0';
    const size_t namesOffset = headerSize + body.size();
    const size_t tableOffset = (namesOffset + names.size() + 7) & ~size_t{7};

    Out out{bigEndian, {}};
    out.bytes = std::string(
        "\x7f"
        "ELF",
        4);
    out.put(is64 ? 2 : 1, 1);
    out.put(bigEndian ? 2 : 1, 1);
    out.put(1, 1);
    out.pad(16);
    out.put(2, 2);   // e_type: executable
    out.put(62, 2);  // e_machine
    out.put(1, 4);
    out.put(0, word);            // e_entry
    out.put(0, word);            // e_phoff
    out.put(tableOffset, word);  // e_shoff
    out.put(0, 4);
    out.put(headerSize, 2);
    out.put(0, 2);
    out.put(0, 2);
    out.put(entrySize, 2);
    out.put(sections.size() + 2, 2);  // e_shnum
    out.put(sections.size() + 1, 2);  // e_shstrndx
    out.bytes += body + names;
    out.pad(tableOffset);
    auto sectionHeader = [&](size_t name, uint32_t type, size_t offset, size_t size) {
        out.put(name, 4);
        out.put(type, 4);
        out.put(type == 1 ? 2 : 0, word);  // flags: allocated
        out.put(0, word);
        out.put(offset, word);
        out.put(size, word);
        out.put(0, 4);
        out.put(0, 4);
        out.put(1, word);
        out.put(0, word);
    };
    out.bytes += std::string(entrySize, '\0');
    for (size_t i = 0; i < sections.size(); ++i) {
        sectionHeader(placed[i].first, 1, placed[i].second, sections[i].contents.size());
    }
    sectionHeader(namesName, 3, namesOffset, names.size());
    return out.bytes;
}

// A PE file with one section ".rsrc" holding a version resource (type 16, name 1).
std::string peFile(bool plus, const std::string& block, uint16_t language = 0x0411) {
    constexpr uint32_t kSectionRva = 0x1000;
    constexpr uint32_t kSectionOffset = 0x200;
    const uint16_t optionalSize = plus ? 240 : 224;
    Out out;
    out.bytes = "MZ";
    out.pad(0x3c);
    out.put(0x40, 4);  // e_lfanew
    out.bytes += std::string("PE\0\0", 4);
    out.put(plus ? 0x8664 : 0x14c, 2);
    out.put(1, 2);  // sections
    out.put(0, 4);
    out.put(0, 4);
    out.put(0, 4);
    out.put(optionalSize, 2);
    out.put(0x22, 2);
    const size_t optionalStart = out.bytes.size();
    out.put(plus ? 0x20b : 0x10b, 2);
    out.pad(optionalStart + (plus ? 108 : 92));
    out.put(16, 4);  // NumberOfRvaAndSizes
    out.pad(optionalStart + (plus ? 112 : 96) + 2 * 8);
    const uint32_t resourceSize = 0x58 + static_cast<uint32_t>(block.size());
    out.put(kSectionRva, 4);  // the resource directory
    out.put(resourceSize, 4);
    out.pad(optionalStart + optionalSize);
    out.bytes += std::string(".rsrc\0\0\0", 8);
    out.put(resourceSize, 4);
    out.put(kSectionRva, 4);
    out.put(resourceSize, 4);
    out.put(kSectionOffset, 4);
    out.bytes.append(12, '\0');
    out.put(0x40000040, 4);
    out.pad(kSectionOffset);
    auto directory = [&](uint32_t id, uint32_t target) {
        out.bytes.append(12, '\0');
        out.put(0, 2);  // named entries
        out.put(1, 2);  // id entries
        out.put(id, 4);
        out.put(target, 4);
    };
    directory(16, 0x80000000 | 0x18);
    directory(1, 0x80000000 | 0x30);
    directory(language, 0x48);
    out.put(kSectionRva + 0x58, 4);  // the data entry
    out.put(block.size(), 4);
    out.put(0, 8);
    out.bytes += block;
    return out.bytes;
}

TEST(FileVersionText, FindsTheBlockInTheProgramFile) {
    const std::string block = asText(programBlock());
    struct Case {
        const char* name;
        std::string file;
    };
    const Case cases[] = {
        {"Elf64LittleEndian",
         elfFile(true, false, {{".text", "code"}, {".trendviewer.version", block}})},
        {"Elf32BigEndian", elfFile(false, true, {{".trendviewer.version", block}, {".data", "x"}})},
        {"Pe32Plus", peFile(true, block)},
        {"Pe32", peFile(false, block, 0x0409)},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        EXPECT_EQ(FileVersionText(folder.write(c.name, c.file)), "1.2.0.11") << c.name;
    }
    folder.write("program", cases[0].file);
    EXPECT_EQ(FileVersionText(folder.path() + "\\program"), "1.2.0.11")
        << "a backslash counts as a path delimiter";
}

TEST(FileVersionText, EveryMissingPieceGivesTheDefault) {
    Bytes truncated = programBlock();
    truncated.resize(truncated.size() / 2);
    struct Case {
        const char* name;
        std::string file;
    };
    const Case cases[] = {
        {"AnotherLanguageAndCodePage",
         elfFile(
             true, false,
             {{".trendviewer.version",
               asText(blockWith("040904b0", {{"FileVersion", "1.2.0.11"}}, {0x0409, 0x04b0}))}})},
        {"AnotherLanguageInAPeFile",
         peFile(true,
                asText(blockWith("040904b0", {{"FileVersion", "1.2.0.11"}}, {0x0409, 0x04b0})),
                0x0409)},
        {"TheLanguageWithoutFileVersion",
         elfFile(true, false,
                 {{".trendviewer.version",
                   asText(blockWith("041103a4", {{"ProductVersion", "1.2.0.11"}},
                                    {0x0411, 0x03a4}))}})},
        {"ATruncatedBlock", elfFile(true, false, {{".trendviewer.version", asText(truncated)}})},
        {"ATruncatedPeResource",
         peFile(true, asText(programBlock())).substr(0, 0x58 + 0x200 + 100)},
        {"ASectionThatHoldsNoBlock", elfFile(true, false, {{".trendviewer.version", "1.2.0.11"}})},
        {"AnElfFileWithoutTheSection",
         elfFile(true, false, {{".trendviewer.versio", asText(programBlock())}})},
        {"ACutElfHeader",
         elfFile(true, false, {{".trendviewer.version", asText(programBlock())}}).substr(0, 40)},
        {"ATextFile", "Trend data\r\nrecorded\r\n"},
        {"AnEmptyFile", ""},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        EXPECT_EQ(FileVersionText(folder.write(c.name, c.file)), "0.0.0.0") << c.name;
    }
    EXPECT_EQ(FileVersionText(folder.path() + "/missing.exe"), "0.0.0.0");
    EXPECT_EQ(FileVersionText(folder.path()), "0.0.0.0") << "a folder";
}

// VS_VERSION_INFO without a fixed part, holding \StringFileInfo\041103a4\FileVersion = "1.2",
// laid out by hand: each block is wLength, wValueLength, wType, the key in UTF-16 with its
// zero, padding to 4 bytes, the value, then the children.
Bytes handLaidBlock(uint16_t fileVersionValueLength) {
    Bytes b;
    auto u16 = [&](uint16_t v) {
        b.push_back(static_cast<uint8_t>(v & 0xff));
        b.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto block = [&](uint16_t length, uint16_t valueLength, uint16_t type, std::string_view key) {
        u16(length);
        u16(valueLength);
        u16(type);
        for (char c : key) {
            u16(static_cast<uint8_t>(c));
        }
        u16(0);
    };
    block(140, 0, 0, "VS_VERSION_INFO");                  // 38 bytes
    u16(0);                                               // padding
    block(100, 0, 1, "StringFileInfo");                   // 36 bytes
    block(64, 0, 1, "041103a4");                          // 24 bytes
    block(40, fileVersionValueLength, 1, "FileVersion");  // 30 bytes
    u16(0);
    for (uint16_t unit : {'1', '.', '2', '\0'}) {
        u16(unit);
    }
    return b;
}

TEST(QueryVersionString, ReadsTheBlockFormat) {
    const Bytes hand = handLaidBlock(4);
    ASSERT_EQ(hand.size(), 140u);
    EXPECT_EQ(QueryVersionString(hand, "\\StringFileInfo\\041103a4\\FileVersion"), "1.2");
    EXPECT_EQ(QueryVersionString(hand, "\\StringFileInfo\\041103A4\\FILEVERSION"), "1.2")
        << "keys compare ignoring case";
    EXPECT_EQ(QueryVersionString(handLaidBlock(8), "\\StringFileInfo\\041103a4\\FileVersion"),
              "1.2")
        << "a value length counted in bytes";
    EXPECT_EQ(QueryVersionString(hand, "\\StringFileInfo\\041103a4\\ProductVersion"), std::nullopt);
    EXPECT_EQ(QueryVersionString(hand, "\\StringFileInfo\\041103a4"), std::nullopt);
    Bytes longer = hand;
    longer[0] = 141;
    EXPECT_EQ(QueryVersionString(longer, "\\StringFileInfo\\041103a4\\FileVersion"), std::nullopt)
        << "a block longer than the bytes";
    Bytes childTooLong = hand;
    childTooLong[100] = 44;  // FileVersion reaches past its table
    EXPECT_EQ(QueryVersionString(childTooLong, "\\StringFileInfo\\041103a4\\FileVersion"),
              std::nullopt);

    // The writer lays out the same bytes behind its 52-byte fixed part.
    const Bytes written =
        WriteVersionBlock({{1, 2, 0, 0}, {{"041103a4", {{"FileVersion", "1.2"}}}}, {}});
    ASSERT_EQ(written.size(), hand.size() + 52);
    EXPECT_EQ(written[0] | (written[1] << 8), 192);
    EXPECT_EQ(Bytes(written.begin() + 92, written.end()), Bytes(hand.begin() + 40, hand.end()));
}

TEST(QueryVersionString, ReadsUtf16Values) {
    const Bytes block = WriteVersionBlock(
        {{}, {{"041103a4", {{"FileVersion", "1.2 \xce\xb2 \xe6\x97\xa5 \xf0\x9f\x93\x88"}}}}, {}});
    EXPECT_EQ(QueryVersionString(block, "\\StringFileInfo\\041103a4\\FileVersion"),
              "1.2 \xce\xb2 \xe6\x97\xa5 \xf0\x9f\x93\x88");
}

}  // namespace
