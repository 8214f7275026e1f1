#include "CopyDataText.h"

#include "Mydatetimeunit.h"
#include "NumberText.h"
#include "TrendErrors.h"

namespace trend {

std::string CopyDataText(const TrendDataSet& data, const RegionalSettings& regional) {
    std::string text = "Date Time";
    const size_t m = data.SeriesCount();
    for (size_t i = 0; i < m; ++i) {
        text += '\t';
        text += data.Series(i).Title;
    }
    text += "\r\n";
    if (m == 0) {
        return text;
    }
    const TrendSeries& first = data.Series(0);
    const size_t n = first.Count();
    for (size_t i = 1; i < m; ++i) {
        if (data.Series(i).Count() < n) {
            throw ListIndexError("series " + std::to_string(i) +
                                 " holds fewer points than the first");
        }
    }
    const auto nulls = first.nullIndices();
    size_t nextNull = 0;
    for (size_t j = 0; j < n; ++j) {
        if (nextNull < nulls.size() && nulls[nextNull] == j) {
            ++nextNull;
            continue;
        }
        text += DateTimeToStr(data.XValue(j), regional);
        for (size_t i = 0; i < m; ++i) {
            text += '\t';
            text += FloatToStr(data.Series(i).values()[j], regional);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace trend
