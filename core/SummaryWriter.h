#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "TrendDataSet.h"

namespace trend {

// Where "save to RaDuvav" puts the summary file of a data set.
struct SummaryLocation {
    std::string deviceFolder;  // RaDuvav + delimiter + title
    std::string yearFolder;    // device folder + delimiter + yyyy of the first point
    std::string fileName;      // title + SumTrend_yyyymmdd_hhnnss- + yyyymmdd.csv
    std::string fullPath;
};

inline constexpr std::string_view kSummaryFolderName = "RaDuvav";

// nullopt when nothing is loaded (no series, or no points in the first one). Raises WriteError
// for a device title that cannot name a folder inside the summary folder.
std::optional<SummaryLocation> SummaryLocationFor(
    const TrendDataSet& data, const std::string& summaryFolder = std::string(kSummaryFolderName));

// Writes the summary file's bytes; timeZoneText is the text of line 2 after "Trend 1.1 ".
// Raises WriteError when the stream fails.
void WriteSummary(std::FILE* out, const TrendDataSet& data, const std::string& timeZoneText);

// Creates the device and year folders (failures ignored), then writes the file through a
// temporary file beside it, so a failed save leaves no half-written file. Raises WriteError.
void SaveSummaryFile(const TrendDataSet& data, const SummaryLocation& location,
                     const std::string& timeZoneText);

// Writes a file through a temporary file beside it, renamed over it at the end, so a failed
// write leaves no half-written file and the old one, if any, as it was. path is the program's
// path text, used in messages. Raises WriteError.
void WriteThroughTemporaryFile(const std::string& path,
                               const std::function<void(std::FILE*)>& write);

// Creates one folder level; false when it could not be created (it may exist already).
bool CreateFolder(const std::string& path);

}  // namespace trend
