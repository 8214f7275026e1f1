#include "SummaryWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "Mydatetimeunit.h"
#include "NumberText.h"
#include "PlatformPath.h"
#include "TextCodec.h"
#include "TrendErrors.h"

namespace trend {
namespace {

constexpr const char* kRowTimePattern = "yyyy'/'mm'/'dd hh':'nn':'ss'.'zzz";
constexpr size_t kFlushBytes = 1 << 20;

// "yyyy/mm/dd hh:nn:ss.zzz" of a value, as FormatDateTime writes it with kRowTimePattern.
class TimestampWriter {
public:
    void append(std::string& out, TDateTime value) {
        const long long ms = ToMilliseconds(value);
        const long long day = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
        if (!cached_ || day != cachedDay_) {
            const DateTimeParts parts = DecodeDateTime(static_cast<double>(day));
            std::snprintf(datePart_, sizeof datePart_, "%04d/%02d/%02d ", parts.year % 10000,
                          parts.month, parts.day);
            cachedDay_ = day;
            cached_ = true;
        }
        out.append(datePart_, 11);
        long long rest = ms - day * 86400000;
        char time[12];
        const int hour = static_cast<int>(rest / 3600000);
        const int minute = static_cast<int>(rest / 60000 % 60);
        const int second = static_cast<int>(rest / 1000 % 60);
        const int milli = static_cast<int>(rest % 1000);
        time[0] = static_cast<char>('0' + hour / 10);
        time[1] = static_cast<char>('0' + hour % 10);
        time[2] = ':';
        time[3] = static_cast<char>('0' + minute / 10);
        time[4] = static_cast<char>('0' + minute % 10);
        time[5] = ':';
        time[6] = static_cast<char>('0' + second / 10);
        time[7] = static_cast<char>('0' + second % 10);
        time[8] = '.';
        time[9] = static_cast<char>('0' + milli / 100);
        time[10] = static_cast<char>('0' + milli / 10 % 10);
        time[11] = static_cast<char>('0' + milli % 10);
        out.append(time, 12);
    }

private:
    bool cached_ = false;
    long long cachedDay_ = 0;
    char datePart_[32] = {};
};

void flush(std::FILE* out, std::string& buffer) {
    if (!buffer.empty() && std::fwrite(buffer.data(), 1, buffer.size(), out) != buffer.size()) {
        throw WriteError(std::string("the summary file could not be written: ") +
                         std::strerror(errno));
    }
    buffer.clear();
}

bool titleNamesAFolder(const std::string& title) {
    if (title.empty() || title == "." || title == ".." || title.size() > 200) {
        return false;
    }
    return title.find_first_of("/\\") == std::string::npos && title.find('\0') == std::string::npos;
}

}  // namespace

bool CreateFolder(const std::string& path) {
    return ::mkdir(ToFileSystemPath(path).c_str(), 0777) == 0;
}

std::optional<SummaryLocation> SummaryLocationFor(const TrendDataSet& data,
                                                  const std::string& summaryFolder) {
    if (data.SeriesCount() == 0 || data.Series(0).Count() == 0) {
        return std::nullopt;
    }
    const std::string& title = data.BottomAxisTitle;
    if (!titleNamesAFolder(title)) {
        throw WriteError("the device title '" + title + "' cannot name a folder inside " +
                         summaryFolder);
    }
    SummaryLocation location;
    location.deviceFolder = JoinPath(summaryFolder, title);
    location.yearFolder = JoinPath(location.deviceFolder, FormatDateTime("yyyy", data.MinXValue()));
    location.fileName = title + FormatDateTime("'SumTrend_'yyyymmdd'_'hhnnss-", data.MinXValue()) +
                        FormatDateTime("yyyymmdd'.csv", data.MaxXValue());
    location.fullPath = JoinPath(location.yearFolder, location.fileName);
    return location;
}

void WriteSummary(std::FILE* out, const TrendDataSet& data, const std::string& timeZoneText) {
    std::string buffer;
    buffer.reserve(kFlushBytes + 4096);
    const std::string title = TextCodec::toSingleByte(data.BottomAxisTitle);
    const size_t m = data.SeriesCount();
    const size_t n = m == 0 ? 0 : data.Series(0).Count();
    buffer += "Vantorix\r\n";
    buffer += "Trend 1.1 " + TextCodec::toSingleByte(timeZoneText) + "\r\n";
    buffer += title + " " + FormatDateTime(kRowTimePattern, data.MinXValue()) + "\r\n";
    buffer += "date_time";
    for (size_t i = 0; i < m; ++i) {
        buffer += ',';
        buffer += TextCodec::toSingleByte(data.Series(i).Title);
    }
    buffer += "\r\n";

    std::vector<std::span<const double>> columns;
    for (size_t i = 0; i < m; ++i) {
        columns.push_back(data.Series(i).values());
        if (columns.back().size() < n) {
            throw ListIndexError("series " + std::to_string(i) +
                                 " holds fewer points than the first");
        }
    }
    const std::span<const uint32_t> nulls =
        m == 0 ? std::span<const uint32_t>() : data.Series(0).nullIndices();
    size_t nextNull = 0;
    TimestampWriter timestamp;
    const std::span<const TDateTime> times = data.times();
    for (size_t j = 0; j < n; ++j) {
        if (nextNull < nulls.size() && nulls[nextNull] == j) {
            ++nextNull;
            continue;
        }
        timestamp.append(buffer, times[j]);
        for (size_t i = 0; i < m; ++i) {
            buffer += ',';
            AppendG(buffer, columns[i][j]);
        }
        buffer += "\r\n";
        if (buffer.size() >= kFlushBytes) {
            flush(out, buffer);
        }
    }
    flush(out, buffer);
    if (std::fflush(out) != 0) {
        throw WriteError(std::string("the summary file could not be written: ") +
                         std::strerror(errno));
    }
}

void WriteThroughTemporaryFile(const std::string& path,
                               const std::function<void(std::FILE*)>& write) {
    const std::string target = ToFileSystemPath(path);
    const std::string temporary = target + ".part";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr) {
        throw WriteError("cannot create " + path + ": " + std::strerror(errno));
    }
    try {
        write(out);
    } catch (...) {
        std::fclose(out);
        std::remove(temporary.c_str());
        throw;
    }
    if (std::fclose(out) != 0 || std::rename(temporary.c_str(), target.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        throw WriteError("cannot write " + path + ": " + reason);
    }
}

void SaveSummaryFile(const TrendDataSet& data, const SummaryLocation& location,
                     const std::string& timeZoneText) {
    CreateFolder(location.deviceFolder);
    CreateFolder(location.yearFolder);
    WriteThroughTemporaryFile(location.fullPath,
                              [&](std::FILE* out) { WriteSummary(out, data, timeZoneText); });
}

}  // namespace trend
