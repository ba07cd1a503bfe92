#pragma once
// The chart of the page "Grafik": one line series (`LineSeries1`) over a
// left and a bottom value axis, drawn with Qt Charts. The class offers the
// operations the window needs and nothing else: remove all points, add a
// point, scale and title the two axes, draw into a bitmap, print.
//
// Points and axis settings live in this class; the Qt Charts objects are a
// view of them, brought up to date once per pass of the event loop (and at
// once before drawing into a bitmap or printing), so adding 721 points one
// by one costs one update of the series, not 721.
//
// Axis scaling. Each axis is either automatic or manual.
//  - Automatic: the range runs from a multiple of the increment to a
//    multiple of the increment and covers all points; it is known as soon as
//    the points and the increment are set (minimum() and maximum() compute
//    it). Without points the range is 0 to one increment. When all points
//    share one value the range reaches one increment beyond it on either
//    side.
//  - Manual: the range set by setMinimum/setMaximum. Setting either limit
//    switches the axis to manual; switching an automatic axis to manual
//    keeps the range in force at that moment.
//  - Increment: the smallest distance between two labelled grid lines. 0
//    lets the chart choose a tidy one (1, 2 or 5 times a power of ten, about
//    five intervals), which increment() then reports. When labels at the
//    increment would run into each other, the grid is drawn at the smallest
//    of 2, 5, 10, 20 ... increments at which they fit; the values read back
//    do not change.
//  - Labels: every labelled grid line, written with as many decimals as
//    the labelled distance needs and without trailing zeros (0 0,025 0,05
//    0,075 0,1), German digits with digit grouping.
//  - Refusals (ChartError, the axis stays as it was): a maximum below the
//    current minimum, a minimum above the current maximum, a negative
//    increment, an increment that divides a manual range into more than
//    1000 intervals, and a value that is not a finite number.
#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

#include "model/errors.h"
#include "ui/chart/axisscale.h"

class QChart;
class QChartView;
class QImage;
class QLineSeries;
class QPainter;
class QPrinter;
class QCategoryAxis;

namespace orbiton::ui {

// An operation the chart refuses. The window shows its text in the error box.
class ChartError : public OrbitonError {
public:
    using OrbitonError::OrbitonError;
};

namespace chartmessages {
inline constexpr const char* maximumBelowMinimum =
    "Der Maximalwert der Achse muß größer oder gleich dem Minimalwert sein";
inline constexpr const char* minimumAboveMaximum =
    "Der Minimalwert der Achse muß kleiner oder gleich dem Maximalwert sein";
inline constexpr const char* negativeIncrement = "Das Inkrement der Achse darf nicht negativ sein";
inline constexpr const char* incrementTooSmall =
    "Das Inkrement der Achse ist zu klein: höchstens 1000 Teilungen sind möglich";
inline constexpr const char* invalidAxisValue = "Der Achsenwert ist keine gültige Zahl";
inline constexpr const char* invalidPoint = "Der Punkt hat keine gültigen Koordinaten";
inline constexpr const char* printFailed = "Die Grafik kann nicht gedruckt werden";
}  // namespace chartmessages

// One point of the series. Label and colour are kept with the point; the
// chart shows neither (no value marks, one line colour).
struct ChartPoint {
    double x = 0.0;
    double y = 0.0;
    QString label;
    QColor colour;
};

class Chart;

// The left or the bottom axis of a Chart; obtained from the chart, never
// created alone.
class ChartAxis {
public:
    ChartAxis(const ChartAxis&) = delete;
    ChartAxis& operator=(const ChartAxis&) = delete;

    void setAutomatic(bool on);
    bool automatic() const { return automatic_; }

    void setMaximum(double value);
    double maximum() const;
    void setMinimum(double value);
    double minimum() const;
    void setIncrement(double value);
    // The increment in use: the one set, or the tidy one chosen for 0.
    double increment() const;

    void setTitle(const QString& text);
    QString title() const { return title_; }

private:
    friend class Chart;
    enum class Direction { Horizontal, Vertical };
    ChartAxis(Chart& chart, Direction direction);

    AxisRange range() const;

    Chart& chart_;
    Direction direction_;
    bool automatic_ = true;
    AxisRange manual_{0.0, 1.0};
    double increment_ = 0.0;  // as set; 0 means "tidy"
    QString title_;
};

class Chart : public QWidget {
    Q_OBJECT

public:
    explicit Chart(QWidget* parent = nullptr);
    ~Chart() override;

    // Series.
    void clear();
    // Inserts behind the last point whose X is not greater than x, so the
    // points stay in ascending X and equal X keep the order of adding.
    // A coordinate that is not finite (or beyond ±1e300) is refused.
    void addPoint(double x, double y, const QString& label, const QColor& colour);
    int pointCount() const { return static_cast<int>(points_.size()); }
    // ChartError "Listenindex außerhalb des zulässigen Bereichs" outside 0..pointCount()-1.
    const ChartPoint& point(int index) const;

    ChartAxis& leftAxis() { return left_; }
    const ChartAxis& leftAxis() const { return left_; }
    ChartAxis& bottomAxis() { return bottom_; }
    const ChartAxis& bottomAxis() const { return bottom_; }

    // The chart drawn into a bitmap of exactly the widget's size.
    QImage renderImage();
    // The chart laid out for the given size (titles and labels keep their
    // size, the plot area takes the rest) and drawn into a bitmap of it.
    QImage renderImage(const QSize& size);
    // The chart laid out for target's size and drawn into it on any paint
    // device (an SVG or PDF writer).
    void render(QPainter& painter, const QRectF& target);
    // renderImage() saved as a Windows bitmap (BMP); false when the file
    // cannot be written.
    bool saveBitmap(const QString& path);
    // One print job named jobName with one page: the header line at the top
    // of the printable area and the chart below it, as large as fits with
    // the widget's aspect ratio. ChartError when the job cannot be started
    // or the printer fails.
    void print(QPrinter& printer, const QString& jobName, const QString& header = QString());
    // What print() draws on its page, on any painter: the header line at
    // the top of page, the chart below as large as fits in its proportions.
    void paintPage(QPainter& painter, const QRectF& page, const QString& header);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class ChartAxis;

    void scheduleUpdate();
    void updateView();
    void updateAxisView(const ChartAxis& axis, QCategoryAxis& view);
    double maxLabelledIntervals(const ChartAxis& axis, double minimum, double maximum, double increment) const;
    void layOutForDrawing();

    std::vector<ChartPoint> points_;
    AxisRange xExtent_;
    AxisRange yExtent_;
    bool seriesChanged_ = false;
    bool updateScheduled_ = false;

    ChartAxis left_;
    ChartAxis bottom_;

    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QLineSeries* series_ = nullptr;
    // Axes that label given values with given texts.
    QCategoryAxis* xAxis_ = nullptr;
    QCategoryAxis* yAxis_ = nullptr;
};

}  // namespace orbiton::ui
