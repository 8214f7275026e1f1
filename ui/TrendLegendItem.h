#pragma once

#include <qcustomplot.h>

namespace trend {

class TrendSeriesPlottable;

// A legend entry: a check box that tells whether the series is drawn, the line and pointer
// 55 pixels wide, and the title in the series colour.
class TrendLegendItem : public QCPAbstractLegendItem {
    Q_OBJECT
public:
    static constexpr int kCheckBoxSize = 11;
    static constexpr int kIconWidth = 55;

    TrendLegendItem(QCPLegend* legend, TrendSeriesPlottable* plottable);
    TrendSeriesPlottable* plottable() const { return plottable_; }

protected:
    void draw(QCPPainter* painter) override;
    QSize minimumOuterSizeHint() const override;

private:
    TrendSeriesPlottable* plottable_;
};

}  // namespace trend
