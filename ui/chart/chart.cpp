#include "ui/chart/chart.h"

#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace orbiton::ui {

namespace {

const QColor seriesColour(0, 128, 128);
constexpr int chartMargin = 10;

// Room that titles, labels and margins take from the widget, estimated once
// for the design size; only used to keep labels apart.
constexpr double horizontalRoom = 100.0;
constexpr double verticalRoom = 80.0;

bool isAcceptable(double value)
{
    return std::isfinite(value) && std::abs(value) <= maxAxisMagnitude;
}

QLocale labelLocale()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

void styleAxis(QValueAxis& axis)
{
    axis.setLabelsVisible(true);
    axis.setLabelsColor(Qt::black);
    axis.setTitleBrush(Qt::black);
    axis.setLinePen(QPen(QBrush(Qt::black), 3));
    axis.setGridLineVisible(true);
    axis.setGridLinePen(QPen(QBrush(QColor(96, 96, 96)), 1, Qt::DotLine));
    axis.setMinorGridLineVisible(false);
    axis.setMinorTickCount(0);
    axis.setShadesVisible(false);
}

}  // namespace

// ---------------------------------------------------------------- ChartAxis

ChartAxis::ChartAxis(Chart& chart, Direction direction) : chart_(chart), direction_(direction) {}

void ChartAxis::setAutomatic(bool on)
{
    if (on == automatic_) {
        return;
    }
    if (!on) {
        manual_ = range();
    }
    automatic_ = on;
    chart_.scheduleUpdate();
}

AxisRange ChartAxis::range() const
{
    if (!automatic_) {
        return manual_;
    }
    const double step = increment();
    if (chart_.points_.empty()) {
        return {0.0, step};
    }
    const AxisRange& extent = direction_ == Direction::Horizontal ? chart_.xExtent_ : chart_.yExtent_;
    return coveringRange(extent.minimum, extent.maximum, step);
}

double ChartAxis::maximum() const
{
    return range().maximum;
}

double ChartAxis::minimum() const
{
    return range().minimum;
}

double ChartAxis::increment() const
{
    if (increment_ > 0.0) {
        return increment_;
    }
    AxisRange basis = manual_;
    if (automatic_) {
        if (chart_.points_.empty()) {
            return 1.0;
        }
        basis = direction_ == Direction::Horizontal ? chart_.xExtent_ : chart_.yExtent_;
    }
    return tidyIncrement(basis.maximum - basis.minimum,
                         std::max(std::abs(basis.minimum), std::abs(basis.maximum)));
}

void ChartAxis::setMaximum(double value)
{
    if (!isAcceptable(value)) {
        throw ChartError(chartmessages::invalidAxisValue);
    }
    const AxisRange current = range();
    if (value < current.minimum) {
        throw ChartError(chartmessages::maximumBelowMinimum);
    }
    manual_ = {current.minimum, value};
    automatic_ = false;
    chart_.scheduleUpdate();
}

void ChartAxis::setMinimum(double value)
{
    if (!isAcceptable(value)) {
        throw ChartError(chartmessages::invalidAxisValue);
    }
    const AxisRange current = range();
    if (value > current.maximum) {
        throw ChartError(chartmessages::minimumAboveMaximum);
    }
    manual_ = {value, current.maximum};
    automatic_ = false;
    chart_.scheduleUpdate();
}

void ChartAxis::setIncrement(double value)
{
    if (std::isnan(value) || value > maxAxisMagnitude) {
        throw ChartError(chartmessages::invalidAxisValue);
    }
    if (value < 0.0) {
        throw ChartError(chartmessages::negativeIncrement);
    }
    // An automatic range follows the increment, so only a manual range can
    // be divided too finely.
    if (!automatic_ && value > 0.0 && (manual_.maximum - manual_.minimum) / value > maxAxisIntervals) {
        throw ChartError(chartmessages::incrementTooSmall);
    }
    increment_ = value;
    chart_.scheduleUpdate();
}

void ChartAxis::setTitle(const QString& text)
{
    title_ = text;
    chart_.scheduleUpdate();
}

// -------------------------------------------------------------------- Chart

Chart::Chart(QWidget* parent)
    : QWidget(parent), left_(*this, ChartAxis::Direction::Vertical),
      bottom_(*this, ChartAxis::Direction::Horizontal)
{
    chart_ = new QChart;
    chart_->setTheme(QChart::ChartThemeLight);
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundVisible(true);
    chart_->setBackgroundBrush(Qt::white);
    chart_->setBackgroundPen(Qt::NoPen);
    chart_->setBackgroundRoundness(0);
    chart_->setDropShadowEnabled(false);
    chart_->setPlotAreaBackgroundVisible(false);
    chart_->setTitle(QString());
    chart_->legend()->hide();
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
    chart_->setMargins(QMargins(chartMargin, chartMargin, chartMargin, chartMargin));
    chart_->setLocalizeNumbers(true);
    chart_->setLocale(labelLocale());

    series_ = new QLineSeries;
    series_->setObjectName(QStringLiteral("LineSeries1"));
    chart_->addSeries(series_);
    series_->setPen(QPen(QBrush(seriesColour), 2));
    series_->setPointsVisible(false);
    series_->setPointLabelsVisible(false);

    xAxis_ = new QValueAxis;
    yAxis_ = new QValueAxis;
    for (QValueAxis* axis : {xAxis_, yAxis_}) {
        // A positive interval before the dynamic tick type: Qt lays ticks
        // out in a loop that never ends for an interval of 0.
        axis->setTickInterval(1.0);
        axis->setTickAnchor(0.0);
        axis->setRange(0.0, 1.0);
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setLabelFormat(QStringLiteral("%.0f"));
    }
    chart_->addAxis(xAxis_, Qt::AlignBottom);
    chart_->addAxis(yAxis_, Qt::AlignLeft);
    series_->attachAxis(xAxis_);
    series_->attachAxis(yAxis_);
    styleAxis(*xAxis_);
    styleAxis(*yAxis_);

    view_ = new QChartView(chart_, this);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setFocusPolicy(Qt::NoFocus);  // nothing to operate from the keyboard
    view_->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    scheduleUpdate();
}

Chart::~Chart() = default;

void Chart::clear()
{
    points_.clear();
    seriesChanged_ = true;
    scheduleUpdate();
}

void Chart::addPoint(double x, double y, const QString& label, const QColor& colour)
{
    if (!isAcceptable(x) || !isAcceptable(y)) {
        throw ChartError(chartmessages::invalidPoint);
    }
    const auto place = std::upper_bound(points_.begin(), points_.end(), x,
                                        [](double value, const ChartPoint& p) { return value < p.x; });
    points_.insert(place, ChartPoint{x, y, label, colour});
    if (points_.size() == 1) {
        xExtent_ = {x, x};
        yExtent_ = {y, y};
    } else {
        xExtent_ = {std::min(xExtent_.minimum, x), std::max(xExtent_.maximum, x)};
        yExtent_ = {std::min(yExtent_.minimum, y), std::max(yExtent_.maximum, y)};
    }
    seriesChanged_ = true;
    scheduleUpdate();
}

const ChartPoint& Chart::point(int index) const
{
    if (index < 0 || index >= pointCount()) {
        throw ChartError(messages::listIndex);
    }
    return points_[static_cast<std::size_t>(index)];
}

void Chart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    scheduleUpdate();
}

void Chart::scheduleUpdate()
{
    if (updateScheduled_) {
        return;
    }
    updateScheduled_ = true;
    QMetaObject::invokeMethod(this, [this] { updateView(); }, Qt::QueuedConnection);
}

void Chart::updateView()
{
    updateScheduled_ = false;
    if (seriesChanged_) {
        QList<QPointF> list;
        list.reserve(static_cast<qsizetype>(points_.size()));
        for (const ChartPoint& p : points_) {
            list.append(QPointF(p.x, p.y));
        }
        series_->replace(list);
        seriesChanged_ = false;
    }
    updateAxisView(bottom_, *xAxis_);
    updateAxisView(left_, *yAxis_);
}

double Chart::maxLabelledIntervals(const ChartAxis& axis, double minimum, double maximum,
                                   double increment) const
{
    const QValueAxis& view = axis.direction_ == ChartAxis::Direction::Horizontal ? *xAxis_ : *yAxis_;
    const QFontMetricsF metrics(view.labelsFont());
    double length = 0.0;
    double spacing = 0.0;
    if (axis.direction_ == ChartAxis::Direction::Vertical) {
        length = height() - verticalRoom;
        spacing = 2.0 * metrics.height();
    } else {
        // Labels never have more decimals than those of the increment.
        const int decimals = labelDecimals(increment);
        const QLocale locale = labelLocale();
        const double widest =
            std::max(metrics.horizontalAdvance(locale.toString(minimum, 'f', decimals)),
                     metrics.horizontalAdvance(locale.toString(maximum, 'f', decimals)));
        length = width() - horizontalRoom;
        spacing = widest + 2.0 * metrics.averageCharWidth();
    }
    if (!(spacing > 0.0)) {
        return maxAxisIntervals;
    }
    return std::clamp(std::floor(length / spacing), 1.0, maxAxisIntervals);
}

void Chart::updateAxisView(const ChartAxis& axis, QValueAxis& view)
{
    const AxisRange range = axis.range();
    double increment = axis.increment();
    double low = range.minimum;
    double high = range.maximum;
    if (!(high > low)) {
        low -= increment;
        high += increment;
    }
    const double magnitude = std::max(std::abs(low), std::abs(high));
    if (!(high - low > 1e-12 * magnitude)) {
        // An increment too small to show beside values of this size.
        increment = tidyIncrement(0.0, magnitude);
        low = range.minimum - increment;
        high = range.maximum + increment;
    }
    const double step =
        labelledStep(low, high, increment, maxLabelledIntervals(axis, low, high, increment));
    // Qt adds the interval to the anchor tick by tick. Starting a millionth of
    // a step above the exact value keeps the last tick inside the range and
    // a tick at zero from reading "-0".
    const double shift = std::min(step, high - low) * 1e-6 + (std::abs(low) + std::abs(high)) * 1e-15;
    const double drawnMaximum = high + 2.0 * shift;
    const double anchor = firstLabelledValue(low, step) + shift;
    const QString format = QStringLiteral("%.%1f").arg(labelDecimals(step));

    if (view.min() != low || view.max() != drawnMaximum || view.tickAnchor() != anchor ||
        view.tickInterval() != step) {
        // Qt lays the ticks out at once whenever the range changes: widen the
        // interval first so that neither the old nor the new range is split
        // into more than one interval on the way.
        const double coarse = std::max({drawnMaximum - low, view.max() - view.min(), step});
        view.setTickInterval(coarse);
        view.setRange(low, drawnMaximum);
        view.setTickAnchor(anchor);
        view.setTickInterval(step);
    }
    if (view.labelFormat() != format) {
        view.setLabelFormat(format);
    }
    if (view.titleText() != axis.title()) {
        view.setTitleText(axis.title());
    }
}

void Chart::layOutForDrawing()
{
    updateView();
    const QSizeF target(size());
    if (chart_->size() != target) {
        chart_->resize(target);
    }
    chart_->layout()->activate();
}

QImage Chart::renderImage()
{
    layOutForDrawing();
    QImage image(size(), QImage::Format_RGB32);
    if (image.isNull()) {
        return image;
    }
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    view_->scene()->render(&painter, QRectF(image.rect()), QRectF(QPointF(0, 0), QSizeF(size())),
                           Qt::IgnoreAspectRatio);
    painter.end();
    return image;
}

bool Chart::saveBitmap(const QString& path)
{
    const QImage image = renderImage();
    return !image.isNull() && image.save(path, "BMP");
}

void Chart::print(QPrinter& printer, const QString& jobName)
{
    layOutForDrawing();
    printer.setDocName(jobName);
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw ChartError(chartmessages::printFailed);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF page(1.0, 1.0, printer.width() - 1.0, printer.height() - 1.0);
    view_->scene()->render(&painter, page, QRectF(QPointF(0, 0), QSizeF(size())),
                           Qt::IgnoreAspectRatio);
    if (printer.printerState() == QPrinter::Error) {
        printer.abort();
        painter.end();
        throw ChartError(chartmessages::printFailed);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        throw ChartError(chartmessages::printFailed);
    }
}

}  // namespace orbiton::ui
