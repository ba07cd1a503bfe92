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
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>

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

bool isAcceptable(double value) { return std::isfinite(value) && std::abs(value) <= maxAxisMagnitude; }

QLocale labelLocale() { return QLocale(QLocale::German, QLocale::Germany); }

// A label with at most `decimals` decimals and no trailing zeros.
QString labelText(double value, int decimals)
{
    QString text = labelLocale().toString(value, 'f', decimals);
    const QChar comma = labelLocale().decimalPoint().at(0);
    if (text.contains(comma)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(comma))
            text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

void styleAxis(QCategoryAxis& axis)
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

double ChartAxis::maximum() const { return range().maximum; }

double ChartAxis::minimum() const { return range().minimum; }

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
    return tidyIncrement(basis.maximum - basis.minimum, std::max(std::abs(basis.minimum), std::abs(basis.maximum)));
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
    : QWidget(parent), left_(*this, ChartAxis::Direction::Vertical), bottom_(*this, ChartAxis::Direction::Horizontal)
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

    xAxis_ = new QCategoryAxis;
    yAxis_ = new QCategoryAxis;
    for (QCategoryAxis* axis : {xAxis_, yAxis_}) {
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        axis->setRange(0.0, 1.0);
        axis->setStartValue(0.0);
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
    QMetaObject::invokeMethod(
        this, [this] { updateView(); }, Qt::QueuedConnection);
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

double Chart::maxLabelledIntervals(const ChartAxis& axis, double minimum, double maximum, double increment) const
{
    const QCategoryAxis& view = axis.direction_ == ChartAxis::Direction::Horizontal ? *xAxis_ : *yAxis_;
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
        const double widest = std::max(metrics.horizontalAdvance(locale.toString(minimum, 'f', decimals)),
                                       metrics.horizontalAdvance(locale.toString(maximum, 'f', decimals)));
        length = width() - horizontalRoom;
        spacing = widest + 2.0 * metrics.averageCharWidth();
    }
    if (!(spacing > 0.0)) {
        return maxAxisIntervals;
    }
    return std::clamp(std::floor(length / spacing), 1.0, maxAxisIntervals);
}

void Chart::updateAxisView(const ChartAxis& axis, QCategoryAxis& view)
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
    const double step = labelledStep(low, high, increment, maxLabelledIntervals(axis, low, high, increment));

    // The labelled values: the multiples of the step from the first at or
    // above the minimum to the last at or below the maximum.
    const int decimals = labelDecimals(step);
    const double first = std::round(firstLabelledValue(low, step) / step);
    const double slack = std::min(step, high - low) * 1e-6;
    QStringList labels;
    QList<double> values;
    for (double k = first; labels.size() <= static_cast<qsizetype>(maxAxisIntervals); k += 1.0) {
        const double value = multipleOf(k, step);
        if (value > high + slack)
            break;
        if (value < low - slack)
            continue;
        labels << labelText(value, decimals);
        values << std::clamp(value, low, high);
    }

    bool same =
        view.min() == low && view.max() == high && view.startValue() == low && view.categoriesLabels() == labels;
    for (qsizetype i = 0; same && i < labels.size(); ++i)
        same = view.endValue(labels[i]) == values[i];
    if (!same) {
        for (const QString& label : view.categoriesLabels())
            view.remove(label);
        view.setRange(low, high);
        view.setStartValue(low);
        for (qsizetype i = 0; i < labels.size(); ++i)
            view.append(labels[i], values[i]);
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

QImage Chart::renderImage() { return renderImage(size()); }

QImage Chart::renderImage(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        return image;
    }
    image.fill(Qt::white);
    QPainter painter(&image);
    render(painter, QRectF(image.rect()));
    painter.end();
    return image;
}

void Chart::render(QPainter& painter, const QRectF& target)
{
    updateView();
    chart_->resize(target.size());
    chart_->layout()->activate();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    view_->scene()->render(&painter, target, QRectF(QPointF(0, 0), target.size()), Qt::IgnoreAspectRatio);
    // Back to the widget's own size for the screen.
    layOutForDrawing();
}

bool Chart::saveBitmap(const QString& path)
{
    const QImage image = renderImage();
    return !image.isNull() && image.save(path, "BMP");
}

void Chart::paintPage(QPainter& painter, const QRectF& page, const QString& header)
{
    QRectF area = page;
    if (!header.isEmpty()) {
        // One line, about 1/60 of the page's width high.
        QFont font = view_->font();
        font.setPixelSize(std::max(8, static_cast<int>(page.width() / 60.0)));
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetrics metrics(font, painter.device());
        const QRectF line(area.left(), area.top(), area.width(), metrics.height());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         metrics.elidedText(header, Qt::ElideRight, static_cast<int>(line.width())));
        area.setTop(line.bottom() + line.height());
    }
    // As large as fits, in the proportions of the chart on screen; the
    // chart is laid out at the screen's size and scaled, so that titles
    // and labels keep their proportions too.
    const QSizeF chartSize(size());
    const double scale = std::min(area.width() / chartSize.width(), area.height() / chartSize.height());
    const QRectF target(area.topLeft(), chartSize * scale);
    layOutForDrawing();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    view_->scene()->render(&painter, target, QRectF(QPointF(0, 0), chartSize), Qt::IgnoreAspectRatio);
}

void Chart::print(QPrinter& printer, const QString& jobName, const QString& header)
{
    printer.setDocName(jobName);
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw ChartError(chartmessages::printFailed);
    }
    paintPage(painter, QRectF(1.0, 1.0, printer.width() - 1.0, printer.height() - 1.0), header);
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
