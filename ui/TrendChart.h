#pragma once

#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <memory>
#include <vector>

#include "TrendPlot.h"
#include "TrendViewState.h"

namespace trend {

class TrendSeriesPlottable;
class TrendTimeTicker;

// The chart Chart1: the plot with its title, legend and three axes, the labels Label4, Label2
// and Label3, and the scroll bars ScrollBar1 (bottom) and ScrollBar2 (left). It shows the
// window state; it keeps no data of its own.
class TrendChart : public QWidget {
    Q_OBJECT
public:
    explicit TrendChart(QWidget* parent = nullptr);
    ~TrendChart() override;

    TrendPlot* plot() const { return plot_; }
    QLabel* Label4() const { return label4_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Label3() const { return label3_; }
    QScrollBar* ScrollBar1() const { return scrollBar1_; }
    QScrollBar* ScrollBar2() const { return scrollBar2_; }

    // Brings the plottables and legend entries in line with the series list.
    void showSeries(const TrendDataSet& data);
    // Title, bottom axis title, and the three axes (an automatic one fitted to the data).
    void showView(TrendViewState& state);
    // What a zoom or a pan did to the axes, written back into the axis models.
    void readAxes(TrendViewState& state) const;
    void setTimeLabelPattern(const std::string& pattern);
    void setRegional(const RegionalSettings& regional);
    // Draws now; the chart's draw-cycle signals of the plot run inside.
    void repaintNow();

    static void showScrollBar(QScrollBar* bar, const ScrollBarModel& model);

signals:
    // A legend entry's check box was clicked.
    void legendCheckClicked(int seriesIndex);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeLabels();

    TrendPlot* plot_;
    QCPTextElement* title_;
    QSharedPointer<TrendTimeTicker> ticker_;
    QLabel* label4_;
    QLabel* label2_;
    QLabel* label3_;
    QScrollBar* scrollBar1_;
    QScrollBar* scrollBar2_;
    std::vector<TrendSeriesPlottable*> plottables_;
    std::vector<TrendDataSet::SeriesPtr> shownSeries_;
    const TrendDataSet* data_ = nullptr;
};

}  // namespace trend

using trend::TrendChart;
