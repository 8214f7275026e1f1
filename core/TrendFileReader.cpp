#include "TrendFileReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <thread>

#include "FastRowParser.h"
#include "Mydatetimeunit.h"
#include "NumberText.h"
#include "PlatformPath.h"
#include "TrendErrors.h"

namespace trend {
namespace {

constexpr size_t kChunkBytes = 4 << 20;
// Below this many rows a chunk is parsed on one thread.
constexpr size_t kParallelRows = 16384;
constexpr const char* kTitleTimePattern = "yyyy'/'mm'/'dd HH':'MM':'SS";
constexpr const char* kLastTimePattern = " yyyy'/'mm'/'dd hh':'nn':'ss'.'zzz";

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

std::string_view dropLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
    }
    return line;
}

// Rows of one chunk as the fast road left them.
struct ParsedRows {
    std::vector<double> times;
    std::vector<uint8_t> fast;
    std::vector<double> values;
    std::vector<uint8_t> nulls;
};

// Rows from..to of the data lines that start at lines[first].
void parseRange(const std::vector<std::string_view>& lines, size_t first, size_t from, size_t to,
                size_t series, char separator, ParsedRows& rows) {
    FastRowParser parser(separator);
    for (size_t r = from; r < to; ++r) {
        const std::string_view line = lines[first + r];
        rows.fast[r] =
            parser.parse(line.data(), line.data() + line.size(), series, rows.times[r],
                         rows.values.data() + r * series, rows.nulls.data() + r * series);
    }
}

}  // namespace

struct TrendFileReader::FileContext {
    std::string openPath;
    long lineNumber = 0;
    size_t seriesCount = 0;  // n: the series rows add points to
    std::vector<std::string_view> lines;
    ParsedRows rows;
};

TrendFileReader::TrendFileReader(TrendViewState& state, RegionalSettings regional,
                                 const TextCodec& codec)
    : state_(state), regional_(std::move(regional)), codec_(codec) {}

RunProgress TrendFileReader::Button1Click(const LoadRequest& request, TrendRunHooks& hooks) {
    // A. Start of a click.
    splitter_ = FieldSplitter();
    decimation_ = StrToIntDef(request.Edit2Text, 0);
    state_.FDecimationSeconds = decimation_;
    state_.FRowLimit = StrToIntDef(request.Edit3Text, 100000);
    mode_ = request.Tag == 1 ? LoadMode::Add : LoadMode::Read;
    state_.Button7Enabled = true;
    sampleInterval_ = 0.0;
    rowsAccepted_ = 0;
    filePath_.clear();
    std::string openPath;
    RunProgress progress;

    for (;;) {
        // B1. The selected file.
        if (auto selected = hooks.selectedFilePath()) {
            openPath = *selected;
            filePath_ = UpperCase(openPath);
        }
        FileContext file;
        file.openPath = openPath;
        try {
            if (!readFile(openPath, file)) {
                break;
            }
        } catch (...) {
            state_.Chart1.commitPending();
            throw;
        }
        state_.Chart1.commitPending();
        afterFile();
        ++progress.filesRead;
        progress.rowsAccepted = rowsAccepted_;
        progress.currentFile = openPath;
        // C10 to C12.
        if (!hooks.advanceToNextFile()) {
            break;
        }
        mode_ = LoadMode::Add;
        if (state_.Chart1.SeriesCount() > 0) {
            state_.Label4 = std::to_string(state_.Chart1.Series(0).Count());
        }
        if (!hooks.continueRun(progress)) {
            break;
        }
    }
    finish();
    progress.rowsAccepted = rowsAccepted_;
    return progress;
}

bool TrendFileReader::readFile(const std::string& openPath, FileContext& file) {
    if (openPath.empty()) {
        return false;
    }
    const std::string fsPath = ToFileSystemPath(openPath);
    FilePtr handle(std::fopen(fsPath.c_str(), "rb"));
    if (!handle) {
        return false;
    }
    struct stat info {};
    if (fstat(fileno(handle.get()), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }

    // B3 to B6.
    TrendDataSet& chart = state_.Chart1;
    previousTime_ = 0.0;
    file.seriesCount = chart.SeriesCount();
    if (mode_ == LoadMode::Read) {
        chart.ClearPoints();
    }
    firstRow_ = false;
    pointerStyle_ = 1;
    if (mode_ == LoadMode::Add) {
        lastValues_.assign(file.seriesCount, 0.0);
    } else {
        lastValues_.clear();
    }

    // B7: line by line, a chunk at a time.
    std::vector<char>& buffer = buffer_;
    if (buffer.size() < kChunkBytes) {
        buffer.resize(kChunkBytes);
    }
    size_t have = 0;
    bool reserved = false;
    for (;;) {
        const size_t got = std::fread(buffer.data() + have, 1, buffer.size() - have, handle.get());
        have += got;
        if (got == 0 && std::ferror(handle.get()) != 0) {
            throw TrendReadError(openPath, file.lineNumber + 1,
                                 std::string("reading stopped: ") + std::strerror(errno));
        }
        const bool atEnd = got == 0;
        file.lines.clear();
        size_t start = 0;
        while (start < have) {
            const void* newline = std::memchr(buffer.data() + start, '\n', have - start);
            if (newline == nullptr) {
                break;
            }
            const size_t stop =
                static_cast<size_t>(static_cast<const char*>(newline) - buffer.data()) + 1;
            file.lines.emplace_back(buffer.data() + start, stop - start);
            start = stop;
        }
        if (atEnd && start < have) {
            file.lines.emplace_back(buffer.data() + start, have - start);
            start = have;
        }
        size_t first = 0;
        while (first < file.lines.size() && file.lineNumber < 4) {
            ++file.lineNumber;
            headerLine(file, dropLineEnd(file.lines[first++]));
        }
        if (first < file.lines.size()) {
            if (!reserved && decimation_ == 0 && file.lineNumber == 4) {
                // One point a line: reserve the whole file's rows at once.
                const size_t chunkLines = file.lines.size() - first;
                const size_t chunkBytes = static_cast<size_t>(
                    file.lines.back().data() + file.lines.back().size() - file.lines[first].data());
                if (chunkBytes > 0 && info.st_size > 0) {
                    const double perLine =
                        static_cast<double>(chunkBytes) / static_cast<double>(chunkLines);
                    chart.reserveRows(
                        static_cast<size_t>(static_cast<double>(info.st_size) / perLine * 1.01) +
                        16);
                }
                reserved = true;
            }
            for (size_t i = first; i < file.lines.size(); ++i) {
                file.lines[i] = dropLineEnd(file.lines[i]);
            }
            dataChunk(file, first);
        }
        if (atEnd) {
            break;
        }
        std::memmove(buffer.data(), buffer.data() + start, have - start);
        have -= start;
        if (have == buffer.size()) {
            buffer.resize(buffer.size() * 2);  // a line longer than the buffer is read whole
        }
    }
    return true;
}

void TrendFileReader::headerLine(FileContext& file, std::string_view line) {
    TrendDataSet& chart = state_.Chart1;
    const long lineNumber = file.lineNumber;
    if (lineNumber == 1 || lineNumber == 2) {
        return;
    }
    const std::string text = codec_.decode(line);
    splitter_.split(text, fields_);
    if (lineNumber == 3) {
        if (fields_.empty()) {
            throw TrendReadError(file.openPath, lineNumber, "the title line holds no device title");
        }
        chart.TitleText = {fields_[0]};
        if (mode_ == LoadMode::Read) {
            chart.BottomAxisTitle = fields_[0];
            splitter_.setMode(FieldSplitter::Mode::Strict);
        }
        return;
    }
    if (mode_ == LoadMode::Read) {
        seriesSetUp(fields_);
        splitter_.setMode(FieldSplitter::Mode::Loose);
        lastValues_.assign(chart.SeriesCount(), 0.0);
        file.seriesCount = chart.SeriesCount();
    }
}

void TrendFileReader::seriesSetUp(const std::vector<std::string>& fields) {
    TrendDataSet& chart = state_.Chart1;
    const size_t m = fields.empty() ? 0 : fields.size() - 1;
    // S1.
    if (chart.SeriesCount() > m || fields.empty()) {
        chart.RemoveAllSeries();
    }
    // S2.
    while (chart.SeriesCount() < m) {
        auto series = std::make_shared<TrendSeries>();
        series->AssignFormat(*chart.Series1());
        series->Format.Pointer.Visible = true;
        series->Format.Pointer.Style = pointerStyle_++;
        series->Format.Pointer.VertSize = 2;
        series->Format.Pointer.HorizSize = 2;
        series->Format.SmallDots = true;
        series->Format.TreatNulls = NullTreatment::DontPaint;
        chart.AddSeries(std::move(series));
    }
    // S3.
    ValueGrid& grid = state_.StringGrid1;
    grid.ColWidth0 = grid.Width - 1;
    grid.setRowCount(static_cast<int>(2 * m));
    // S4.
    for (size_t i = 0; i < m; ++i) {
        grid.cell(static_cast<int>(2 * i)) = fields[i + 1];
        TrendSeries& series = chart.Series(i);
        series.Title =
            series.VertAxis == VertAxisSide::Right ? "[R]" + fields[i + 1] : fields[i + 1];
        if (series.SeriesColor == clWhite) {
            series.SeriesColor = clDarkSlateGray;
        }
        if (series.SeriesColor == clYellow) {
            series.SeriesColor = clDarkOrange;
        }
    }
}

template <typename BeforeGap>
bool TrendFileReader::timeRowAccepts(TDateTime current, BeforeGap beforeGap) {
    // B-R steps 2 to 7.
    if (!firstRow_) {
        firstRow_ = true;
        previousTime_ = current;
        if (decimation_ != 0) {
            previousTime_ = IncSecond(previousTime_, -static_cast<long long>(decimation_));
        }
    }
    const double span = SecondSpan(current, previousTime_);
    if (sampleInterval_ == 0.0) {
        sampleInterval_ = std::trunc(span + 0.5);
        state_.Label13 = FloatToStr(sampleInterval_, regional_);
    }
    const double d = static_cast<double>(decimation_);
    if (span >= 2.0 * d + 10.0 && span >= 2.0 * sampleInterval_) {
        beforeGap();
        previousTime_ = IncSecond(previousTime_, 1);
        TrendDataSet& chart = state_.Chart1;
        const size_t n = std::min(lastValues_.size(), chart.SeriesCount());
        rowNulls_.assign(chart.SeriesCount(), 1);
        rowValues_.assign(chart.SeriesCount(), 0.0);
        std::copy_n(lastValues_.begin(), n, rowValues_.begin());
        chart.AddRow(previousTime_, rowValues_, rowNulls_);
    }
    return span >= d;
}

bool TrendFileReader::timeRow(TDateTime current) {
    return timeRowAccepts(current, [] {});
}

void TrendFileReader::acceptRow(TDateTime current, const double* values, const uint8_t* nulls) {
    TrendDataSet& chart = state_.Chart1;
    const size_t n = chart.SeriesCount();
    previousTime_ = current;
    rowValues_.resize(n);
    rowNulls_.resize(n);
    for (size_t i = 0; i < n; ++i) {
        if (nulls[i] == 0) {
            lastValues_[i] = values[i];
        }
        rowValues_[i] = lastValues_[i];
        rowNulls_[i] = nulls[i];
    }
    chart.AddRow(current, rowValues_, rowNulls_);
    ++rowsAccepted_;
}

void TrendFileReader::slowRow(FileContext& file, std::string_view line) {
    try {
        splitter_.split(line, fields_);
        if (fields_.size() < 2) {
            throw ListIndexError("the row has " + std::to_string(fields_.size()) +
                                 " fields, a date and a time are needed");
        }
        const TDateTime current = ParseDateTimeText(fields_[0] + " " + fields_[1]);
        if (!timeRow(current)) {
            return;
        }
        const size_t n = state_.Chart1.SeriesCount();
        if (fields_.size() < n + 2) {
            throw ListIndexError("the row has " + std::to_string(fields_.size()) +
                                 " fields, the date, the time and " + std::to_string(n) +
                                 " values are needed");
        }
        std::vector<double> values(n, 0.0);
        std::vector<uint8_t> nulls(n, 0);
        for (size_t i = 0; i < n; ++i) {
            const std::string& f = fields_[i + 2];
            if (f.find('N') != std::string::npos) {
                nulls[i] = 1;
                continue;
            }
            auto value = TryStrToFloat(f, regional_);
            if (!value) {
                throw ConversionError("'" + codec_.decode(f) + "' is not a number");
            }
            values[i] = *value;
        }
        acceptRow(current, values.data(), nulls.data());
    } catch (const TrendReadError&) {
        throw;
    } catch (const std::exception& error) {
        std::string shown = codec_.decode(line);
        if (shown.size() > 200) {
            shown = shown.substr(0, 200) + "...";
        }
        throw TrendReadError(file.openPath, file.lineNumber,
                             std::string(error.what()) + " in '" + shown + "'");
    }
}

void TrendFileReader::dataChunk(FileContext& file, size_t first) {
    const std::vector<std::string_view>& lines = file.lines;
    const size_t count = lines.size() - first;
    const size_t n = state_.Chart1.SeriesCount();
    if (lastValues_.size() < n) {
        lastValues_.resize(n, 0.0);
    }
    const bool fastRoad = splitter_.mode() == FieldSplitter::Mode::Loose;
    ParsedRows& rows = file.rows;
    if (fastRoad) {
        rows.times.resize(count);
        rows.fast.assign(count, 0);
        rows.values.resize(count * n);
        rows.nulls.resize(count * n);
        const char separator = regional_.decimalSeparator;
        if (count >= kParallelRows && std::thread::hardware_concurrency() > 1) {
            // Rows are parsed side by side; accepting them stays in order below.
            const size_t half = count / 2;
            std::thread worker([&] { parseRange(lines, first, half, count, n, separator, rows); });
            parseRange(lines, first, 0, half, n, separator, rows);
            worker.join();
        } else {
            parseRange(lines, first, 0, count, n, separator, rows);
        }
    }
    // Accepted rows of the fast road are gathered and appended column by column; a gap, a row
    // of the general road or a row before the last point first hands over what was gathered.
    TrendDataSet& chart = state_.Chart1;
    batchRows_.clear();
    batchTimes_.clear();
    auto flush = [&] {
        if (batchRows_.empty()) {
            return;
        }
        for (size_t i = 0; i < n; ++i) {
            double last = lastValues_[i];
            for (uint32_t r : batchRows_) {
                double& v = rows.values[r * n + i];
                if (rows.nulls[r * n + i] != 0) {
                    v = last;
                } else {
                    last = v;
                }
            }
            lastValues_[i] = last;
        }
        chart.AppendRows(batchTimes_, batchRows_, rows.values.data(), rows.nulls.data(), n);
        rowsAccepted_ += batchRows_.size();
        batchRows_.clear();
        batchTimes_.clear();
    };
    for (size_t r = 0; r < count; ++r) {
        ++file.lineNumber;
        if (fastRoad && rows.fast[r]) {
            const TDateTime current = rows.times[r];
            if (!timeRowAccepts(current, flush)) {
                continue;
            }
            const bool inOrder =
                batchTimes_.empty() ? chart.canAppendAt(current) : current >= batchTimes_.back();
            if (n > 0 && inOrder) {
                previousTime_ = current;
                batchRows_.push_back(static_cast<uint32_t>(r));
                batchTimes_.push_back(current);
            } else {
                flush();
                acceptRow(current, rows.values.data() + r * n, rows.nulls.data() + r * n);
            }
        } else {
            flush();
            slowRow(file, lines[first + r]);
        }
    }
    flush();
}

void TrendFileReader::afterFile() {
    TrendDataSet& chart = state_.Chart1;
    const bool hasSeries = chart.SeriesCount() > 0;
    if (hasSeries) {
        // C2 to C4.
        const TDateTime firstTime = chart.MinXValue();
        const TDateTime lastTime = chart.MaxXValue();
        if (chart.TitleText.empty()) {
            chart.TitleText.emplace_back();
        }
        chart.TitleText[0] += " " + FormatDateTime(kTitleTimePattern, firstTime, regional_) +
                              " - " + FormatDateTime(kTitleTimePattern, lastTime, regional_);
        state_.FTimeSteps = TruncToInt32((lastTime - firstTime) * 1440.0 + 1.0);
        state_.ScrollBar1.setPageSize(0);
        state_.ScrollBar1.setMin(0);
        state_.ScrollBar1.setMax(state_.FTimeSteps);
        state_.FDaysPerStep = (lastTime - firstTime) / state_.FTimeSteps;
        state_.ScrollBar1.setPageSize(state_.FTimeSteps);
    }
    // C5, C6.
    state_.FValueTop = -std::numeric_limits<double>::infinity();
    state_.FValueBottom = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < chart.SeriesCount(); ++i) {
        state_.FValueTop = std::max(state_.FValueTop, chart.Series(i).MaxYValue());
        state_.FValueBottom = std::min(state_.FValueBottom, chart.Series(i).MinYValue());
    }
    state_.FValuePerStep = (state_.FValueTop - state_.FValueBottom) / 100.0;
    state_.ScrollBar2.setMax(100);
    state_.ScrollBar2.setPageSize(100);
    state_.ScrollBar2.setMin(0);
    state_.ScrollBar1.setPosition(state_.FTimeSteps);
    // C8: follow the end of the data.
    if (hasSeries) {
        const TDateTime lastTime = chart.MaxXValue();
        const double width = state_.BottomAxis.Maximum - state_.BottomAxis.Minimum;
        if (filePath_ == state_.LastReadFile || mode_ == LoadMode::Add) {
            if (lastTime > state_.BottomAxis.Maximum) {
                state_.BottomAxis.SetMinMax(lastTime - width, lastTime);
            }
            if (mode_ == LoadMode::Add) {
                state_.RadioGroup1ItemIndex = -1;
            }
        } else if (state_.RadioGroup1ItemIndex >= 0) {
            state_.BottomAxis.SetMinMax(lastTime - width, lastTime);
        }
    }
    state_.LastReadFile = filePath_;
}

void TrendFileReader::finish() {
    TrendDataSet& chart = state_.Chart1;
    if (chart.SeriesCount() > 0) {
        const TrendSeries& first = chart.Series(0);
        state_.Edit4 = FloatToStr(first.MaxYValue(), regional_);
        state_.Edit5 = FloatToStr(first.MinYValue(), regional_);
        state_.Label4 = std::to_string(first.Count());
    }
    const auto& captions = HScaleCaptions();
    const int index = state_.RadioGroup1ItemIndex;
    if (index >= 0 && static_cast<size_t>(index) < captions.size() && captions[index] == "Auto") {
        state_.BottomAxis.Automatic = true;
    }
    if (chart.SeriesCount() > 0) {
        state_.Label9 = FormatDateTime(kLastTimePattern, chart.MaxXValue(), regional_);
        const size_t n = chart.Series(0).Count();
        if (n > 0) {
            ValueGrid& grid = state_.StringGrid1;
            for (int r = 0;
                 r + 1 < grid.RowCount() && static_cast<size_t>(r / 2) < chart.SeriesCount();
                 r += 2) {
                const TrendSeries& series = chart.Series(static_cast<size_t>(r / 2));
                if (series.Count() >= n) {
                    grid.cell(r + 1) = "  " + FormatG(series.YValue(n - 1));
                }
            }
        }
    }
}

}  // namespace trend
