#include "TrendLegendItem.h"

#include "QtText.h"
#include "TrendSeriesPlottable.h"

namespace trend {

namespace {
constexpr int kGap = 4;
}

TrendLegendItem::TrendLegendItem(QCPLegend* legend, TrendSeriesPlottable* plottable)
    : QCPAbstractLegendItem(legend), plottable_(plottable) {
    setAntialiased(false);
}

QSize TrendLegendItem::minimumOuterSizeHint() const {
    const QFontMetrics metrics(mFont);
    const QSize text = metrics.size(Qt::TextSingleLine, plottable_->name());
    const int width = kCheckBoxSize + kGap + kIconWidth + kGap + text.width();
    const int height = std::max(text.height(), kCheckBoxSize + 2);
    return QSize(width, height) +
           QSize(mMargins.left() + mMargins.right(), mMargins.top() + mMargins.bottom());
}

void TrendLegendItem::draw(QCPPainter* painter) {
    const TrendSeries& series = *plottable_->series();
    const QColor color = toQColor(series.SeriesColor);
    const QRect r = mRect;
    const int middle = r.top() + r.height() / 2;

    const QRect box(r.left(), middle - kCheckBoxSize / 2, kCheckBoxSize, kCheckBoxSize);
    painter->setPen(QPen(Qt::black));
    painter->setBrush(Qt::white);
    painter->drawRect(box);
    if (series.Active) {
        painter->setPen(QPen(Qt::black, 1.5));
        painter->drawLine(QPointF(box.left() + 2, middle),
                          QPointF(box.left() + 4.5, box.bottom() - 2));
        painter->drawLine(QPointF(box.left() + 4.5, box.bottom() - 2),
                          QPointF(box.right() - 2, box.top() + 2));
    }
    const QRectF icon(box.right() + kGap, r.top(), kIconWidth, r.height());
    painter->save();
    plottable_->paintLegendIcon(painter, icon);
    painter->restore();
    painter->setFont(mFont);
    painter->setPen(QPen(color));
    const QRect text(static_cast<int>(icon.right()) + kGap, r.top(),
                     r.right() - static_cast<int>(icon.right()) - kGap, r.height());
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, plottable_->name());
}

}  // namespace trend
