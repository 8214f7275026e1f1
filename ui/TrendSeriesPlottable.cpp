#include "TrendSeriesPlottable.h"

#include <algorithm>
#include <cmath>

#include "QtText.h"

namespace trend {
namespace {

// Painters misbehave far outside the widget; points there are held to a wide margin.
double clampPixel(double p) {
    return std::clamp(p, -1e6, 1e6);
}

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& p : points) {
        if (first) {
            path.moveTo(p);
            first = false;
        } else {
            path.lineTo(p);
        }
    }
    path.closeSubpath();
    return path;
}

}  // namespace

TrendSeriesPlottable::TrendSeriesPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis,
                                           const TrendDataSet& data, TrendDataSet::SeriesPtr series)
    : QCPAbstractPlottable(keyAxis, valueAxis), data_(data), series_(std::move(series)) {
    setAntialiased(true);
    setAntialiasedFill(false);
    applySeriesFormat();
}

QCPScatterStyle TrendSeriesPlottable::pointerStyle(int style, double size, const QColor& color) {
    const double r = std::max(1.0, size);
    const QPen pen(color.darker(140));
    const QBrush brush(color);
    switch (style) {
        case psRectangle:
            return QCPScatterStyle(QCPScatterStyle::ssSquare, pen, brush, 2 * r + 1);
        case psCircle:
            return QCPScatterStyle(QCPScatterStyle::ssDisc, pen, brush, 2 * r + 1);
        case psTriangle:
            return QCPScatterStyle(QCPScatterStyle::ssTriangle, pen, brush, 2 * r + 1);
        case psDownTriangle:
            return QCPScatterStyle(QCPScatterStyle::ssTriangleInverted, pen, brush, 2 * r + 1);
        case psCross:
            return QCPScatterStyle(QCPScatterStyle::ssPlus, color, 2 * r + 1);
        case psDiagCross:
            return QCPScatterStyle(QCPScatterStyle::ssCross, color, 2 * r + 1);
        case psStar:
            return QCPScatterStyle(QCPScatterStyle::ssStar, color, 2 * r + 1);
        case psDiamond:
            return QCPScatterStyle(QCPScatterStyle::ssDiamond, pen, brush, 2 * r + 1);
        case psSmallDot:
            return QCPScatterStyle(QCPScatterStyle::ssDot, color, 1);
        case psLeftTriangle:
            return QCPScatterStyle(polygonPath({{-r, 0}, {r, -r}, {r, r}}), pen, brush, 2 * r + 1);
        case psRightTriangle:
            return QCPScatterStyle(polygonPath({{r, 0}, {-r, -r}, {-r, r}}), pen, brush, 2 * r + 1);
        case psHexagon: {
            const double h = r * 0.866;
            return QCPScatterStyle(
                polygonPath({{-r, 0}, {-r / 2, -h}, {r / 2, -h}, {r, 0}, {r / 2, h}, {-r / 2, h}}),
                pen, brush, 2 * r + 1);
        }
        case psVisual: {
            // A raised square: the face in the series colour with a light top-left edge.
            QPainterPath path;
            path.addRect(QRectF(-r, -r, 2 * r, 2 * r));
            return QCPScatterStyle(path, QPen(color.lighter(160)), brush, 2 * r + 1);
        }
        case psDonut: {
            QPainterPath path;
            path.addEllipse(QPointF(0, 0), r, r);
            path.addEllipse(QPointF(0, 0), r / 2, r / 2);
            return QCPScatterStyle(path, pen, brush, 2 * r + 1);
        }
        case psArrow: {
            QPainterPath path = polygonPath(
                {{0, -r}, {r, 0}, {r / 3, 0}, {r / 3, r}, {-r / 3, r}, {-r / 3, 0}, {-r, 0}});
            return QCPScatterStyle(path, pen, brush, 2 * r + 1);
        }
        default:
            return QCPScatterStyle(QCPScatterStyle::ssNone);  // psNothing and beyond
    }
}

void TrendSeriesPlottable::applySeriesFormat() {
    const TrendSeries& s = *series_;
    const QColor color = toQColor(s.SeriesColor);
    QPen pen(color);
    pen.setWidthF(1.0);
    pen.setStyle(s.Format.SmallDots ? Qt::DotLine : Qt::SolidLine);
    setPen(pen);
    setBrush(Qt::NoBrush);
    setName(toQ(s.Title));
    setVisible(s.Active);
    const auto& pointer = s.Format.Pointer;
    pointer_ = pointer.Visible ? pointerStyle(pointer.Style,
                                              std::max(pointer.HorizSize, pointer.VertSize), color)
                               : QCPScatterStyle(QCPScatterStyle::ssNone);
}

const SeriesLodIndex& TrendSeriesPlottable::lod() const {
    if (!lod_.matches(data_.revision())) {
        lod_.rebuild(*series_);
        lod_.setRevision(data_.revision());
    }
    return lod_;
}

double TrendSeriesPlottable::selectTest(const QPointF&, bool, QVariant*) const {
    return -1;
}

QCPRange TrendSeriesPlottable::getKeyRange(bool& foundRange, QCP::SignDomain) const {
    foundRange = data_.Count() > 0 && series_->Count() > 0;
    return foundRange ? QCPRange(data_.MinXValue(), data_.MaxXValue()) : QCPRange();
}

QCPRange TrendSeriesPlottable::getValueRange(bool& foundRange, QCP::SignDomain,
                                             const QCPRange&) const {
    const auto e = lod().extent(*series_, 0, series_->Count());
    foundRange = e.any;
    return e.any ? QCPRange(e.low, e.high) : QCPRange();
}

void TrendSeriesPlottable::draw(QCPPainter* painter) {
    QCPAxis* keyAxis = mKeyAxis.data();
    if (keyAxis == nullptr || mValueAxis.isNull()) {
        return;
    }
    const auto times = data_.times();
    const size_t n = std::min(times.size(), series_->Count());
    if (n == 0) {
        return;
    }
    const QCPRange range = keyAxis->range();
    size_t from = static_cast<size_t>(
        std::lower_bound(times.begin(), times.begin() + n, range.lower) - times.begin());
    size_t to = static_cast<size_t>(
        std::upper_bound(times.begin(), times.begin() + n, range.upper) - times.begin());
    from = from > 0 ? from - 1 : 0;  // the neighbours outside the window carry the line in
    to = std::min(n, to + 1);
    if (from >= to) {
        return;
    }
    const double columns = std::max(1, keyAxis->axisRect()->width());
    applyDefaultAntialiasingHint(painter);
    painter->setPen(mPen);
    painter->setBrush(Qt::NoBrush);
    if (static_cast<double>(to - from) <= 2.0 * columns) {
        drawPoints(painter, from, to);
    } else {
        drawColumns(painter, from, to);
    }
}

void TrendSeriesPlottable::drawPoints(QCPPainter* painter, size_t from, size_t to) const {
    const auto times = data_.times();
    const auto values = series_->values();
    const auto nulls = series_->nullIndices();
    QCPAxis* keyAxis = mKeyAxis.data();
    QCPAxis* valueAxis = mValueAxis.data();
    auto nextNull = std::lower_bound(nulls.begin(), nulls.end(), static_cast<uint32_t>(from));
    QPolygonF line;
    std::vector<QPointF> drawn;
    drawn.reserve(to - from);
    auto flush = [&] {
        if (line.size() > 1) {
            painter->drawPolyline(line);
        }
        line.clear();
    };
    for (size_t j = from; j < to; ++j) {
        if (nextNull != nulls.end() && *nextNull == j) {
            ++nextNull;
            flush();  // a null point breaks the line on both sides
            continue;
        }
        const QPointF p(clampPixel(keyAxis->coordToPixel(times[j])),
                        clampPixel(valueAxis->coordToPixel(values[j])));
        line.append(p);
        drawn.push_back(p);
    }
    flush();
    const double columns = keyAxis->axisRect()->width();
    if (!pointer_.isNone() && static_cast<double>(drawn.size()) * 3.0 <= columns) {
        pointer_.applyTo(painter, mPen);
        for (const QPointF& p : drawn) {
            pointer_.drawShape(painter, p);
        }
    }
}

void TrendSeriesPlottable::drawColumns(QCPPainter* painter, size_t from, size_t to) const {
    const auto times = data_.times();
    const auto nulls = series_->nullIndices();
    const SeriesLodIndex& index = lod();
    QCPAxis* keyAxis = mKeyAxis.data();
    QCPAxis* valueAxis = mValueAxis.data();
    QPolygonF line;
    auto flush = [&] {
        if (line.size() > 1) {
            painter->drawPolyline(line);
        }
        line.clear();
    };
    double lastY = 0;
    size_t j = from;
    while (j < to) {
        const double column = std::floor(keyAxis->coordToPixel(times[j]));
        const double columnEnd = keyAxis->pixelToCoord(column + 1.0);
        size_t end = static_cast<size_t>(
            std::lower_bound(times.begin() + static_cast<std::ptrdiff_t>(j),
                             times.begin() + static_cast<std::ptrdiff_t>(to), columnEnd) -
            times.begin());
        end = std::max(end, j + 1);
        const auto e = index.extent(*series_, j, end);
        const auto null = std::lower_bound(nulls.begin(), nulls.end(), static_cast<uint32_t>(j));
        const bool hasNull = null != nulls.end() && *null < end;
        if (e.any) {
            const double x = column + 0.5;
            const double high = clampPixel(valueAxis->coordToPixel(e.high));
            const double low = clampPixel(valueAxis->coordToPixel(e.low));
            // Enter the column at the end nearer to where the line comes from.
            const bool highFirst = line.isEmpty() || std::abs(lastY - high) < std::abs(lastY - low);
            line.append(QPointF(x, highFirst ? high : low));
            if (high != low) {
                line.append(QPointF(x, highFirst ? low : high));
            }
            lastY = line.last().y();
        }
        if (hasNull) {
            flush();
        }
        j = end;
    }
    flush();
}

void TrendSeriesPlottable::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
    applyDefaultAntialiasingHint(painter);
    painter->setPen(mPen);
    const double y = rect.center().y();
    painter->drawLine(QLineF(rect.left(), y, rect.right(), y));
    if (!pointer_.isNone()) {
        pointer_.applyTo(painter, mPen);
        pointer_.drawShape(painter, rect.center());
    }
}

}  // namespace trend
