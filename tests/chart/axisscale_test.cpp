// Scaling rules of an axis: tidy increments, covering ranges, the distance of
// labelled grid lines and label decimals.
#include "ui/chart/axisscale.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace orbiton::ui;

namespace {

void expectRange(const AxisRange& range, double minimum, double maximum)
{
    EXPECT_DOUBLE_EQ(range.minimum, minimum);
    EXPECT_DOUBLE_EQ(range.maximum, maximum);
}

}  // namespace

TEST(AxisScale, TidyIncrementsAreOneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_DOUBLE_EQ(tidyIncrement(360.0, 0.0), 100.0);
    EXPECT_DOUBLE_EQ(tidyIncrement(243.0, 1500.0), 50.0);
    EXPECT_DOUBLE_EQ(tidyIncrement(1.0, 0.0), 0.2);
    EXPECT_DOUBLE_EQ(tidyIncrement(0.2, 0.0), 0.05);
    EXPECT_DOUBLE_EQ(tidyIncrement(5.0, 0.0), 1.0);
    // A span of zero takes the size of the value; zero itself gives 1.
    EXPECT_DOUBLE_EQ(tidyIncrement(0.0, 0.00227), 0.0005);
    EXPECT_DOUBLE_EQ(tidyIncrement(0.0, -300.0), 100.0);
    EXPECT_DOUBLE_EQ(tidyIncrement(0.0, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(tidyIncrement(-1.0, 0.0), 1.0);
}

TEST(AxisScale, CoveringRangeUsesMultiplesOfTheIncrement)
{
    expectRange(coveringRange(1256.94299, 1499.20837, 50.0), 1250.0, 1500.0);
    expectRange(coveringRange(-1287.7395, 1460.68311, 50.0), -1300.0, 1500.0);
    expectRange(coveringRange(0.000158879615, 0.199696377, 0.025), 0.0, 0.2);
    expectRange(coveringRange(7.0, 7.0, 5.0), 5.0, 10.0);
    // Short decimal increments give the nearest double, not an accumulated one.
    const AxisRange tenths = coveringRange(0.12, 0.29, 0.1);
    EXPECT_EQ(tenths.minimum, 0.1);
    EXPECT_EQ(tenths.maximum, 0.3);
    EXPECT_EQ(multipleOf(3.0, 0.1), 0.3);
    EXPECT_EQ(multipleOf(-7.0, 0.025), -0.175);
}

TEST(AxisScale, CoveringRangeIgnoresRoundingNoiseButNotRealValues)
{
    // Single-precision results a few units in the last place off a multiple.
    expectRange(coveringRange(0.0, static_cast<float>(360.00003), 60.0), 0.0, 360.0);
    expectRange(coveringRange(static_cast<float>(0.1), static_cast<float>(0.3), 0.1), 0.1, 0.3);
    // A value clearly beyond a multiple widens the range by one increment.
    expectRange(coveringRange(-6.78296175e-8, 1.5, 0.025), -0.025, 1.5);
    expectRange(coveringRange(0.0, 360.5, 60.0), 0.0, 420.0);
}

TEST(AxisScale, CoveringRangeOfOneValueReachesOneIncrementEitherSide)
{
    expectRange(coveringRange(0.0, 0.0, 50.0), -50.0, 50.0);
    expectRange(coveringRange(120.0, 120.0, 60.0), 60.0, 180.0);
    // Limits given the wrong way round still give a covering range.
    expectRange(coveringRange(10.0, 0.0, 5.0), 0.0, 10.0);
    // An increment too fine for the values falls back to a tidy one.
    const AxisRange huge = coveringRange(1e300, 1e300, 1e-300);
    EXPECT_TRUE(std::isfinite(huge.minimum));
    EXPECT_TRUE(std::isfinite(huge.maximum));
    EXPECT_LE(huge.minimum, 1e300);
    EXPECT_GE(huge.maximum, 1e300);
}

TEST(AxisScale, LabelledStepGrowsByOneTwoFiveUntilTheLabelsFit)
{
    EXPECT_DOUBLE_EQ(labelledStep(0.0, 360.0, 60.0, 10.0), 60.0);
    EXPECT_DOUBLE_EQ(labelledStep(0.0, 500.0, 100.0, 5.0), 100.0);
    EXPECT_DOUBLE_EQ(labelledStep(-1300.0, 1500.0, 50.0, 6.0), 500.0);
    EXPECT_DOUBLE_EQ(labelledStep(-1300.0, 1500.0, 50.0, 12.0), 250.0);
    EXPECT_DOUBLE_EQ(labelledStep(0.0, 1.0, 0.0001, maxAxisIntervals), 0.001);
    // At least one interval is always allowed.
    EXPECT_DOUBLE_EQ(labelledStep(0.0, 100.0, 0.1, 0.0), 100.0);
    EXPECT_DOUBLE_EQ(labelledStep(5.0, 5.0, 2.0, 3.0), 2.0);
}

TEST(AxisScale, LabelsStartAtAMultipleOfTheStepAndNeedFewDecimals)
{
    EXPECT_DOUBLE_EQ(firstLabelledValue(-0.025, 0.25), 0.0);
    EXPECT_DOUBLE_EQ(firstLabelledValue(5.0, 100.0), 100.0);
    EXPECT_DOUBLE_EQ(firstLabelledValue(-1300.0, 500.0), -1000.0);
    EXPECT_EQ(firstLabelledValue(0.3, 0.1), 0.3);
    // Never below the minimum, also when the multiple rounds below it.
    EXPECT_GE(firstLabelledValue(0.30000000000000004, 0.1), 0.30000000000000004);

    EXPECT_EQ(labelDecimals(100.0), 0);
    EXPECT_EQ(labelDecimals(60.0), 0);
    EXPECT_EQ(labelDecimals(2.5), 1);
    EXPECT_EQ(labelDecimals(0.05), 2);
    EXPECT_EQ(labelDecimals(0.025), 3);
    EXPECT_EQ(labelDecimals(0.0001), 4);
    EXPECT_EQ(labelDecimals(1e-7), 7);
}
