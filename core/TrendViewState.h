#pragma once

#include <string>
#include <vector>

#include "AxisModel.h"
#include "ScrollBarModel.h"
#include "TrendDataSet.h"

namespace trend {

// The value grid beside the chart: one column, two rows per series (title, "  %g" value).
struct ValueGrid {
    int Width = 137;
    int ColWidth0 = 64;
    std::vector<std::string> Cells = std::vector<std::string>(5);

    int RowCount() const { return static_cast<int>(Cells.size()); }
    void setRowCount(int rows) { Cells.resize(rows < 0 ? 0 : static_cast<size_t>(rows)); }
    std::string& cell(int row);
};

// The captions of the H Scale group, in item order.
const std::vector<std::string>& HScaleCaptions();

// Everything of the main window that the reader reads and writes: the data set, the axes,
// scroll bars, labels and edits it fills, and the window's private fields.
struct TrendViewState {
    TrendDataSet Chart1;
    AxisModel BottomAxis;
    AxisModel LeftAxis{false, -5.0, 105.0};
    AxisModel RightAxis{false, 0.0, 100.0};
    ScrollBarModel ScrollBar1{0, 1000, 1000, 0};
    ScrollBarModel ScrollBar2{0, 100, 0, 0};
    std::string Label4;   // point count
    std::string Label9;   // time of the last point
    std::string Label13;  // sample interval
    std::string Edit4;    // proposed upper limit of the left axis
    std::string Edit5;    // proposed lower limit of the left axis
    ValueGrid StringGrid1;
    int RadioGroup1ItemIndex = -1;  // H Scale selection
    int RadioGroup2ItemIndex = -1;  // V Scale/Left selection
    int RadioGroup3ItemIndex = -1;  // V Scale/Right selection
    bool Button7Enabled = false;    // "AddFile"

    // Fields of the main window.
    int FTimeSteps = 0;
    double FDaysPerStep = 0.0;
    double FValueTop = 0.0;
    double FValueBottom = 0.0;
    double FValuePerStep = 0.0;
    bool FValueScrolling = false;
    bool FTimeScrolling = false;
    int FDecimationSeconds = 0;
    int FRowLimit = 0;

    // Path of the file read last, upper case; kept for the life of the program.
    std::string LastReadFile;
};

}  // namespace trend
