#include "TrendViewState.h"

#include "TrendErrors.h"

namespace trend {

std::string& ValueGrid::cell(int row) {
    if (row < 0 || row >= RowCount()) {
        throw ListIndexError("grid row " + std::to_string(row) + " out of range (" +
                             std::to_string(RowCount()) + " rows)");
    }
    return Cells[static_cast<size_t>(row)];
}

const std::vector<std::string>& HScaleCaptions() {
    static const std::vector<std::string> captions = {
        "10 min", "20 min", "30 min",  "40 min",  "50 min",  "60 min",
        "4 hour", "8 hour", "12 hour", "24 hour", "36 hour", "48 hour",
        "7 day",  "14 day", "28 day",  "35 day",  "62 day",  "Auto"};
    return captions;
}

}  // namespace trend
