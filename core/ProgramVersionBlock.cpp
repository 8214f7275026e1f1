// The program's own version information, placed into every executable that links the
// trend_version_block object library. FileVersionText finds it in the ELF section
// ".trendviewer.version"; the strings are kept under language 0411 with code page 03a4 (932).
#include <algorithm>
#include <array>

#include "VersionBlockWriter.h"

#ifndef TREND_VERSION_TEXT
#error "TREND_VERSION_TEXT and TREND_VERSION_PARTS come from the build"
#endif

#if defined(__ELF__)
namespace {

constexpr trend::VersionInfoContent ProgramVersionInfo() {
    return {
        {TREND_VERSION_PARTS},
        {{"041103a4",
          {{"FileDescription", "TrendViewer"},
           {"FileVersion", TREND_VERSION_TEXT},
           {"ProductName", "TrendViewer"},
           {"ProductVersion", TREND_VERSION_TEXT}}}},
        {{0x0411, 0x03a4}},
    };
}

constexpr size_t kBlockSize = trend::WriteVersionBlock(ProgramVersionInfo()).size();

constexpr std::array<uint8_t, kBlockSize> ProgramVersionBlock() {
    const std::vector<uint8_t> bytes = trend::WriteVersionBlock(ProgramVersionInfo());
    std::array<uint8_t, kBlockSize> block{};
    std::copy(bytes.begin(), bytes.end(), block.begin());
    return block;
}

[[gnu::section(".trendviewer.version"), gnu::used]] alignas(
    4) constexpr std::array<uint8_t, kBlockSize> kProgramVersionBlock = ProgramVersionBlock();

}  // namespace
#endif
