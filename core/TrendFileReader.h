#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "FieldSplitter.h"
#include "Regional.h"
#include "TextCodec.h"
#include "TrendViewState.h"

namespace trend {

// Counts of one click, for the run control and progress displays.
struct RunProgress {
    size_t filesRead = 0;
    size_t rowsAccepted = 0;  // data rows added during this click, over all files
    std::string currentFile;
};

// What the reader asks of the browser and the run control while a click runs.
class TrendRunHooks {
public:
    virtual ~TrendRunHooks() = default;
    // The folder and the entry selected in the file list, joined; nullopt when none is selected.
    virtual std::optional<std::string> selectedFilePath() = 0;
    // Selects the next file; false when the run ends.
    virtual bool advanceToNextFile() { return false; }
    // After a file whose advance went on: true reads the selected file in add mode.
    virtual bool continueRun(const RunProgress&) { return false; }
};

// A single file, as the command-line tool and the tests name it; the run ends after it.
class SingleFileHooks : public TrendRunHooks {
public:
    explicit SingleFileHooks(std::optional<std::string> path) : path_(std::move(path)) {}
    std::optional<std::string> selectedFilePath() override { return path_; }

private:
    std::optional<std::string> path_;
};

// What a click reads from the window besides the data set.
struct LoadRequest {
    std::string Edit2Text;  // decimation interval in seconds
    std::string Edit3Text;  // row limit of a consecutive run
    int Tag = 0;            // of the clicked button: 0 "ReadFile", 1 "AddFile"
};

enum class LoadMode { Read = 0, Add = 1 };

// The click on "ReadFile" or "AddFile": reads the selected file, and in a consecutive run the
// files after it, into the window state.
class TrendFileReader {
public:
    explicit TrendFileReader(TrendViewState& state,
                             RegionalSettings regional = RegionalSettings::cLocale(),
                             const TextCodec& codec = TextCodec::process());

    // Raises TrendReadError for a failure inside a file; what was read before it stays.
    RunProgress Button1Click(const LoadRequest& request, TrendRunHooks& hooks);

private:
    struct FileContext;
    // Reads one open file; false when it could not be opened.
    bool readFile(const std::string& openPath, FileContext& file);
    void afterFile();
    void finish();
    void headerLine(FileContext& file, std::string_view line);
    void seriesSetUp(const std::vector<std::string>& fields);
    // Steps 2 to 7 of a data row: true when the row is accepted.
    bool timeRow(TDateTime current);
    // The same; beforeGap runs before a gap point is added, to hand over gathered rows first.
    template <typename BeforeGap>
    bool timeRowAccepts(TDateTime current, BeforeGap beforeGap);
    void acceptRow(TDateTime current, const double* values, const uint8_t* nulls);
    void slowRow(FileContext& file, std::string_view line);
    // Data lines file.lines[first..]: parsed (on both cores when many), then taken in order.
    void dataChunk(FileContext& file, size_t first);

    TrendViewState& state_;
    RegionalSettings regional_;
    TextCodec codec_;

    // Working state of one click.
    FieldSplitter splitter_;
    LoadMode mode_ = LoadMode::Read;
    int decimation_ = 0;
    double sampleInterval_ = 0.0;
    size_t rowsAccepted_ = 0;
    std::string filePath_;  // upper case, for comparison with LastReadFile

    // Working state of one file.
    bool firstRow_ = false;
    int pointerStyle_ = 1;
    TDateTime previousTime_ = 0.0;
    std::vector<double> lastValues_;
    std::vector<double> rowValues_;
    std::vector<uint8_t> rowNulls_;
    std::vector<std::string> fields_;
    std::vector<char> buffer_;  // the chunk buffer, reused by every file
    std::vector<uint32_t> batchRows_;
    std::vector<TDateTime> batchTimes_;
};

}  // namespace trend
