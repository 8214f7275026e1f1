#pragma once

#include <qcustomplot.h>

namespace trend {

// The chart's drawing surface: rubber-band zoom with the left button, panning with the right.
class TrendPlot : public QCustomPlot {
    Q_OBJECT
public:
    explicit TrendPlot(QWidget* parent = nullptr);

signals:
    // After a rubber-band zoom has set the axes.
    void zoomed();
    // After a pan has moved the axes.
    void panned();
    void chartMouseDown(Qt::MouseButton button);
    void chartMouseUp(Qt::MouseButton button);

protected:
    void processRectZoom(QRect rect, QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool panning_ = false;
    QPoint panStart_;
    QCPRange keyStart_;
    QCPRange leftStart_;
    QCPRange rightStart_;
};

}  // namespace trend
