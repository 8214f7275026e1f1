#include "TrendPlot.h"

namespace trend {

TrendPlot::TrendPlot(QWidget* parent) : QCustomPlot(parent) {
    setSelectionRectMode(QCP::srmZoom);
    selectionRect()->setPen(QPen(QColor(Qt::yellow), 1, Qt::SolidLine));
    selectionRect()->setBrush(Qt::NoBrush);
    axisRect()->setRangeZoomAxes({xAxis, yAxis, yAxis2});
}

void TrendPlot::processRectZoom(QRect rect, QMouseEvent* event) {
    QCustomPlot::processRectZoom(rect, event);
    emit zoomed();
}

void TrendPlot::mousePressEvent(QMouseEvent* event) {
    emit chartMouseDown(event->button());
    if (event->button() == Qt::RightButton) {
        panning_ = true;
        panStart_ = event->pos();
        keyStart_ = xAxis->range();
        leftStart_ = yAxis->range();
        rightStart_ = yAxis2->range();
        event->accept();
        return;
    }
    QCustomPlot::mousePressEvent(event);
}

void TrendPlot::mouseMoveEvent(QMouseEvent* event) {
    if (!panning_) {
        QCustomPlot::mouseMoveEvent(event);
        return;
    }
    const QRect area = axisRect()->rect();
    if (area.width() <= 0 || area.height() <= 0) {
        return;
    }
    const QPoint delta = event->pos() - panStart_;
    const double dx = keyStart_.size() * delta.x() / area.width();
    xAxis->setRange(keyStart_.lower - dx, keyStart_.upper - dx);
    const double dyLeft = leftStart_.size() * delta.y() / area.height();
    yAxis->setRange(leftStart_.lower + dyLeft, leftStart_.upper + dyLeft);
    const double dyRight = rightStart_.size() * delta.y() / area.height();
    yAxis2->setRange(rightStart_.lower + dyRight, rightStart_.upper + dyRight);
    emit panned();
    replot(rpQueuedReplot);
}

void TrendPlot::mouseReleaseEvent(QMouseEvent* event) {
    if (panning_ && event->button() == Qt::RightButton) {
        panning_ = false;
        emit chartMouseUp(event->button());
        event->accept();
        return;
    }
    emit chartMouseUp(event->button());
    QCustomPlot::mouseReleaseEvent(event);
}

}  // namespace trend
