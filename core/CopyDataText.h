#pragma once

#include <string>

#include "Regional.h"
#include "TrendDataSet.h"

namespace trend {

// "Copy Data": a header of "Date Time" and the series titles, then one line per point of the
// first series that is not a null point; tab-separated, CR LF after every line. Times and
// values in the regional texts.
std::string CopyDataText(const TrendDataSet& data, const RegionalSettings& regional);

}  // namespace trend
