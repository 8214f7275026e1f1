#pragma once

#include <qcustomplot.h>

#include "SeriesLodIndex.h"
#include "TrendDataSet.h"

namespace trend {

// One series of the data set as a line over the time axis, drawn straight from the data set:
// lines break at null points, and a view of many points per pixel draws each pixel column's
// extent from the series' block index instead of every point.
class TrendSeriesPlottable : public QCPAbstractPlottable {
    Q_OBJECT
public:
    TrendSeriesPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis, const TrendDataSet& data,
                         TrendDataSet::SeriesPtr series);

    const TrendDataSet::SeriesPtr& series() const { return series_; }
    // Pen, pointer and visibility from the series' attributes.
    void applySeriesFormat();
    void paintLegendIcon(QCPPainter* painter, const QRectF& rect) const {
        drawLegendIcon(painter, rect);
    }

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange,
                         QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

    // The pointer shape of a style number; none beyond the last style.
    static QCPScatterStyle pointerStyle(int style, double size, const QColor& color);

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    const SeriesLodIndex& lod() const;
    void drawPoints(QCPPainter* painter, size_t from, size_t to) const;
    void drawColumns(QCPPainter* painter, size_t from, size_t to) const;

    const TrendDataSet& data_;
    TrendDataSet::SeriesPtr series_;
    QCPScatterStyle pointer_;
    mutable SeriesLodIndex lod_;
};

}  // namespace trend
