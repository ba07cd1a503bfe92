// The chart widget through its own interface: point order, automatic and
// manual scaling, refusals, and what reaches the Qt Charts view.
#include "ui/chart/chart.h"

#include <QLocale>
#include <QStringList>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using namespace orbiton::ui;

namespace {

const QColor teal(0, 128, 128);

class ChartTest : public testing::Test {
protected:
    ChartTest() { chart.resize(450, 380); }

    void add(double x, double y, const QString& label = QStringLiteral(" ")) { chart.addPoint(x, y, label, teal); }

    // The Qt Charts objects as they stand after the chart brought them up to date.
    QChart& view()
    {
        chart.renderImage();
        auto* chartView = chart.findChild<QChartView*>();
        EXPECT_NE(chartView, nullptr);
        return *chartView->chart();
    }
    QCategoryAxis& viewAxis(Qt::Orientation orientation)
    {
        const auto axes = view().axes(orientation);
        EXPECT_EQ(axes.size(), 1);
        return *qobject_cast<QCategoryAxis*>(axes.at(0));
    }
    QLineSeries& viewSeries()
    {
        const auto series = view().series();
        EXPECT_EQ(series.size(), 1);
        return *qobject_cast<QLineSeries*>(series.at(0));
    }

    // The chart's axis as it stands; compared before and after a refusal.
    struct AxisState {
        bool automatic;
        double minimum;
        double maximum;
        double increment;
        bool operator==(const AxisState&) const = default;
    };
    static AxisState state(const ChartAxis& axis)
    {
        return {axis.automatic(), axis.minimum(), axis.maximum(), axis.increment()};
    }

    // The labelled grid lines Qt draws: inside the range, at least one,
    // never a crowd of them, evenly spaced.
    static void expectSaneTicks(QCategoryAxis& axis)
    {
        EXPECT_LT(axis.min(), axis.max());
        const std::vector<double> values = labelledValues(axis);
        ASSERT_GE(values.size(), 1u);
        EXPECT_LE(values.size(), 21u);
        EXPECT_GE(values.front(), axis.min());
        EXPECT_LE(values.back(), axis.max());
        for (std::size_t i = 1; i < values.size(); ++i)
            EXPECT_NEAR(values[i] - values[i - 1], interval(axis), 1e-9 * interval(axis)) << i;
    }
    static std::vector<double> labelledValues(QCategoryAxis& axis)
    {
        std::vector<double> values;
        for (const QString& label : axis.categoriesLabels())
            values.push_back(axis.endValue(label));
        return values;
    }
    // The distance of two labelled grid lines (the range for a single one).
    static double interval(QCategoryAxis& axis)
    {
        const std::vector<double> values = labelledValues(axis);
        return values.size() > 1 ? values[1] - values[0] : axis.max() - axis.min();
    }

    void manual(ChartAxis& axis, double maximum, double minimum, double increment)
    {
        axis.setAutomatic(false);
        axis.setMaximum(maximum);
        axis.setMinimum(minimum);
        axis.setIncrement(increment);
    }

    Chart chart;
};

TEST_F(ChartTest, PointsStayInAscendingXAndEqualXKeepTheOrderOfAdding)
{
    const std::vector<std::pair<double, const char*>> added = {{3.0, "a"}, {1.0, "b"}, {2.0, "c"}, {1.0, "d"},
                                                               {3.0, "e"}, {0.0, "f"}, {1.0, "g"}};
    for (const auto& [x, label] : added) {
        chart.addPoint(x, 10.0 * x, QString::fromLatin1(label), label[0] == 'f' ? Qt::red : teal);
    }
    ASSERT_EQ(chart.pointCount(), 7);
    std::string order;
    for (int i = 0; i < chart.pointCount(); ++i) {
        order += chart.point(i).label.toStdString();
        EXPECT_DOUBLE_EQ(chart.point(i).y, 10.0 * chart.point(i).x);
    }
    EXPECT_EQ(order, "fbdgcae");
    EXPECT_EQ(chart.point(0).colour, QColor(Qt::red));
    EXPECT_EQ(chart.point(1).colour, teal);

    // The drawn line joins the points in that order.
    const QList<QPointF> drawn = viewSeries().points();
    ASSERT_EQ(drawn.size(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(drawn[i], QPointF(chart.point(i).x, chart.point(i).y));
    }

    chart.clear();
    EXPECT_EQ(chart.pointCount(), 0);
    EXPECT_TRUE(viewSeries().points().isEmpty());
    EXPECT_THROW(chart.point(0), ChartError);
    EXPECT_THROW(chart.point(-1), ChartError);
}

TEST_F(ChartTest, VectorOfSevenHundredTwentyOneRowsIsJoinedInOrderOfX)
{
    // Force components around one revolution, X rounded so that many share a value.
    for (int row = 0; row <= 720; ++row) {
        const double angle = row * M_PI / 360.0;
        add(std::round(1400.0 * std::cos(angle) / 10.0) * 10.0, 1400.0 * std::sin(angle), QString::number(row));
    }
    chart.bottomAxis().setIncrement(50.0);
    ASSERT_EQ(chart.pointCount(), 721);
    for (int i = 1; i < chart.pointCount(); ++i) {
        const ChartPoint& before = chart.point(i - 1);
        const ChartPoint& after = chart.point(i);
        ASSERT_LE(before.x, after.x) << i;
        if (before.x == after.x) {
            ASSERT_LT(before.label.toInt(), after.label.toInt()) << i;
        }
    }
    EXPECT_EQ(viewSeries().count(), 721);
    EXPECT_EQ(chart.bottomAxis().minimum(), -1400.0);
    EXPECT_EQ(chart.bottomAxis().maximum(), 1400.0);
}

TEST_F(ChartTest, RefusesPointsThatAreNotFiniteNumbers)
{
    add(1.0, 1.0);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(add(std::nan(""), 1.0), ChartError);
    EXPECT_THROW(add(1.0, inf), ChartError);
    EXPECT_THROW(add(-inf, 0.0), ChartError);
    EXPECT_EQ(chart.pointCount(), 1);
}

TEST_F(ChartTest, ManualRangesAreAppliedExactly)
{
    for (int row = 0; row <= 120; ++row) {
        add(row * 3.0, row * 3.5);
    }
    manual(chart.leftAxis(), 500.0, 0.0, 100.0);
    manual(chart.bottomAxis(), 360.0, 0.0, 60.0);

    EXPECT_EQ(state(chart.leftAxis()), (AxisState{false, 0.0, 500.0, 100.0}));
    EXPECT_EQ(state(chart.bottomAxis()), (AxisState{false, 0.0, 360.0, 60.0}));

    // The view shows those ranges with a labelled grid line every increment.
    QCategoryAxis& y = viewAxis(Qt::Vertical);
    EXPECT_EQ(y.min(), 0.0);
    EXPECT_EQ(y.max(), 500.0);
    EXPECT_EQ(interval(y), 100.0);
    EXPECT_EQ(labelledValues(y).front(), 0.0);
    EXPECT_EQ(labelledValues(y).back(), 500.0);
    expectSaneTicks(y);
    QCategoryAxis& x = viewAxis(Qt::Horizontal);
    EXPECT_EQ(x.min(), 0.0);
    EXPECT_EQ(x.max(), 360.0);
    EXPECT_EQ(interval(x), 60.0);
    expectSaneTicks(x);

    // Manual ranges stay while the points change.
    chart.clear();
    add(1000.0, -1000.0);
    EXPECT_EQ(state(chart.leftAxis()), (AxisState{false, 0.0, 500.0, 100.0}));
}

TEST_F(ChartTest, RefusedSettingsRaiseAChartErrorAndLeaveTheAxisAsItWas)
{
    ChartAxis& axis = chart.leftAxis();
    manual(axis, 500.0, 0.0, 100.0);
    const AxisState before = state(axis);
    const double inf = std::numeric_limits<double>::infinity();

    auto expectRefused = [&](auto&& action, const char* message) {
        try {
            action();
            ADD_FAILURE() << "not refused: " << message;
        } catch (const orbiton::OrbitonError& error) {
            EXPECT_NE(dynamic_cast<const ChartError*>(&error), nullptr);
            EXPECT_STREQ(error.what(), message);
        }
        EXPECT_EQ(state(axis), before) << message;
    };
    expectRefused([&] { axis.setMaximum(-0.5); }, chartmessages::maximumBelowMinimum);
    expectRefused([&] { axis.setMinimum(500.5); }, chartmessages::minimumAboveMaximum);
    expectRefused([&] { axis.setIncrement(-1.0); }, chartmessages::negativeIncrement);
    // 500 / 0,4 = 1250 intervals.
    expectRefused([&] { axis.setIncrement(0.4); }, chartmessages::incrementTooSmall);
    expectRefused([&] { axis.setIncrement(1e-300); }, chartmessages::incrementTooSmall);
    expectRefused([&] { axis.setIncrement(std::nan("")); }, chartmessages::invalidAxisValue);
    expectRefused([&] { axis.setMaximum(inf); }, chartmessages::invalidAxisValue);
    expectRefused([&] { axis.setMinimum(std::nan("")); }, chartmessages::invalidAxisValue);

    // Limits equal to the other limit, and exactly 1000 intervals, are allowed.
    axis.setIncrement(0.5);
    EXPECT_EQ(axis.increment(), 0.5);
    axis.setMaximum(0.0);
    axis.setMinimum(0.0);
    EXPECT_EQ(axis.maximum(), 0.0);
    EXPECT_EQ(axis.minimum(), 0.0);
    expectSaneTicks(viewAxis(Qt::Vertical));
}

TEST_F(ChartTest, MaximumIsCheckedAgainstTheMinimumInForceBeforehand)
{
    // Automatic range 1250..1500: a manual range wholly below it is refused
    // at its maximum, and the axis stays automatic.
    add(0.0, 1256.9);
    add(360.0, 1499.2);
    ChartAxis& axis = chart.leftAxis();
    axis.setIncrement(50.0);
    EXPECT_THROW(axis.setMaximum(1000.0), ChartError);
    EXPECT_TRUE(axis.automatic());
    EXPECT_EQ(axis.minimum(), 1250.0);

    // A range that overlaps both is reached in two steps. Setting a limit
    // makes the axis manual.
    axis.setMaximum(1300.0);
    EXPECT_FALSE(axis.automatic());
    EXPECT_EQ(axis.minimum(), 1250.0);
    axis.setMinimum(0.0);
    axis.setMaximum(1000.0);
    EXPECT_FALSE(axis.automatic());
    EXPECT_EQ(axis.minimum(), 0.0);
    EXPECT_EQ(axis.maximum(), 1000.0);
}

TEST_F(ChartTest, AutomaticRangeCoversThePointsAtOnceWithMultiplesOfTheIncrement)
{
    add(0.0, 1256.94299);
    add(180.0, 1499.20837);
    add(360.00003, 1300.0);
    chart.leftAxis().setIncrement(50.0);
    chart.bottomAxis().setIncrement(60.0);
    // No event loop has run: the range is known immediately.
    EXPECT_EQ(state(chart.leftAxis()), (AxisState{true, 1250.0, 1500.0, 50.0}));
    EXPECT_EQ(state(chart.bottomAxis()), (AxisState{true, 0.0, 360.0, 60.0}));

    chart.leftAxis().setIncrement(100.0);
    EXPECT_EQ(chart.leftAxis().minimum(), 1200.0);
    add(90.0, 1600.5);
    EXPECT_EQ(chart.leftAxis().maximum(), 1700.0);

    // Turning automatic off keeps the range in force; turning it on follows the points.
    chart.leftAxis().setAutomatic(false);
    add(100.0, 2000.0);
    EXPECT_EQ(chart.leftAxis().maximum(), 1700.0);
    chart.leftAxis().setAutomatic(true);
    EXPECT_EQ(chart.leftAxis().maximum(), 2000.0);

    QCategoryAxis& y = viewAxis(Qt::Vertical);
    EXPECT_EQ(y.min(), 1200.0);
    EXPECT_EQ(y.max(), 2000.0);
    expectSaneTicks(y);
}

TEST_F(ChartTest, AutomaticRangeOfNoPointsAndOfPointsAllAtZero)
{
    chart.leftAxis().setIncrement(50.0);
    EXPECT_EQ(chart.leftAxis().minimum(), 0.0);
    EXPECT_EQ(chart.leftAxis().maximum(), 50.0);
    EXPECT_EQ(chart.bottomAxis().maximum(), 1.0);

    // The table before any run: every point at (0, 0).
    for (int row = 0; row <= 120; ++row) {
        add(0.0, 0.0);
    }
    chart.bottomAxis().setIncrement(60.0);
    EXPECT_EQ(state(chart.leftAxis()), (AxisState{true, -50.0, 50.0, 50.0}));
    EXPECT_EQ(state(chart.bottomAxis()), (AxisState{true, -60.0, 60.0, 60.0}));
    expectSaneTicks(viewAxis(Qt::Vertical));
    expectSaneTicks(viewAxis(Qt::Horizontal));
}

TEST_F(ChartTest, IncrementZeroLetsTheChartChooseATidyOne)
{
    for (int row = 0; row <= 120; ++row) {
        add(row * 3.0, 0.2 * row / 120.0);
    }
    chart.leftAxis().setIncrement(0.0);
    EXPECT_EQ(state(chart.leftAxis()), (AxisState{true, 0.0, 0.2, 0.05}));
    EXPECT_EQ(chart.bottomAxis().increment(), 100.0);
    EXPECT_EQ(chart.bottomAxis().maximum(), 400.0);

    manual(chart.leftAxis(), 500.0, -500.0, 0.0);
    EXPECT_EQ(chart.leftAxis().increment(), 200.0);
    QCategoryAxis& y = viewAxis(Qt::Vertical);
    EXPECT_EQ(interval(y), 200.0);
    expectSaneTicks(y);
}

TEST_F(ChartTest, GridIsThinnedWhenLabelsAtTheIncrementWouldRunTogether)
{
    // A force vector: 56 intervals of 50 on the bottom axis.
    add(-1287.7, -1438.4);
    add(1460.7, 1284.0);
    chart.bottomAxis().setIncrement(50.0);
    chart.leftAxis().setIncrement(50.0);
    EXPECT_EQ(chart.bottomAxis().increment(), 50.0);
    EXPECT_EQ(chart.bottomAxis().minimum(), -1300.0);

    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        QCategoryAxis& axis = viewAxis(orientation);
        expectSaneTicks(axis);
        const double multiple = interval(axis) / 50.0;
        EXPECT_GT(multiple, 1.0);
        EXPECT_NEAR(multiple, std::round(multiple), 1e-9);
        // Labels fall on multiples of the grid distance.
        const double anchorSteps = labelledValues(axis).front() / interval(axis);
        EXPECT_NEAR(anchorSteps, std::round(anchorSteps), 1e-9);
    }

    // A fine manual increment that is accepted is drawn thinned as well.
    manual(chart.leftAxis(), 0.05, 0.0, 0.0001);
    EXPECT_EQ(chart.leftAxis().increment(), 0.0001);
    expectSaneTicks(viewAxis(Qt::Vertical));
    EXPECT_EQ(viewAxis(Qt::Vertical).categoriesLabels().at(1), QStringLiteral("0,005"));
}

// Labels reach both ends of the range, in German digits, with as many
// decimals as the grid distance needs and no trailing zeros, never "-0".
TEST_F(ChartTest, LabelsReachBothEndsWithTheDecimalsTheyNeed)
{
    const struct {
        double maximum, minimum, increment;
        QStringList labels;
    } cases[] = {
        {0.3, -0.4, 0.1, {"-0,4", "-0,3", "-0,2", "-0,1", "0", "0,1", "0,2", "0,3"}},
        {1500.0, -1000.0, 500.0, {"-1.000", "-500", "0", "500", "1.000", "1.500"}},
        {0.2, 0.0, 0.025, {"0", "0,025", "0,05", "0,075", "0,1", "0,125", "0,15", "0,175", "0,2"}},
        {0.0022, 0.0019, 0.0001, {"0,0019", "0,002", "0,0021", "0,0022"}},
        {360.0, 0.0, 60.0, {"0", "60", "120", "180", "240", "300", "360"}},
        {0.00003, 0.0, 0.00001, {"0", "0,00001", "0,00002", "0,00003"}},
    };
    chart.resize(900, 380);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.labels.join(' ').toStdString());
        manual(chart.bottomAxis(), c.maximum, c.minimum, c.increment);
        EXPECT_EQ(viewAxis(Qt::Horizontal).categoriesLabels(), c.labels);
        expectSaneTicks(viewAxis(Qt::Horizontal));
        chart.bottomAxis().setAutomatic(true);
    }
}

// A channel that stays the same at every step, like the axial feed: its
// range spans one increment of 0,0001, and both ends read their own value.
TEST_F(ChartTest, AFineIncrementGivesEveryLabelItsOwnValue)
{
    for (int row = 0; row <= 120; ++row)
        add(row * 3.0, 0.0020833);
    chart.leftAxis().setIncrement(0.0001);
    EXPECT_EQ(viewAxis(Qt::Vertical).categoriesLabels(), QStringList({"0,002", "0,0021"}));
}

TEST_F(ChartTest, SwitchingBetweenFineAndWideRangesDrawsFewTicksOnTheWay)
{
    manual(chart.leftAxis(), 0.05, 0.0, 0.0001);
    expectSaneTicks(viewAxis(Qt::Vertical));
    chart.leftAxis().setMaximum(1e12);
    chart.leftAxis().setIncrement(1e11);
    expectSaneTicks(viewAxis(Qt::Vertical));
    chart.leftAxis().setMaximum(0.001);
    // An increment wider than the range: one labelled line at the minimum.
    EXPECT_NEAR(viewAxis(Qt::Vertical).max(), 0.001, 1e-6);
    chart.leftAxis().setIncrement(0.0001);
    expectSaneTicks(viewAxis(Qt::Vertical));
}

TEST_F(ChartTest, TitlesReachTheAxes)
{
    chart.leftAxis().setTitle(QStringLiteral("Schnittkraft an einem Zahn [N]"));
    chart.bottomAxis().setTitle(QStringLiteral("Fräserumdrehung [Grad]"));
    EXPECT_EQ(chart.leftAxis().title(), QStringLiteral("Schnittkraft an einem Zahn [N]"));
    EXPECT_EQ(viewAxis(Qt::Vertical).titleText(), QStringLiteral("Schnittkraft an einem Zahn [N]"));
    EXPECT_EQ(viewAxis(Qt::Horizontal).titleText(), QStringLiteral("Fräserumdrehung [Grad]"));
}

}  // namespace
