#pragma once
// Scaling rules of a chart axis, free of any drawing: tidy increments, the
// automatic range that covers the points, the distance of labelled grid
// lines that keeps labels apart, and the decimals a label needs.
//
// Values that lie within a small tolerance of a multiple of the increment
// count as that multiple (a millionth of the value, at most a hundredth of
// an increment), so single-precision results such as 360,00003 do not add
// a whole increment to the range.

namespace orbiton::ui {

// An increment that divides a manually scaled axis into more than this many
// intervals is refused; no axis is ever drawn with more labelled intervals.
inline constexpr double maxAxisIntervals = 1000.0;

// Largest magnitude of a point coordinate or axis limit the chart accepts.
inline constexpr double maxAxisMagnitude = 1e300;

struct AxisRange {
    double minimum = 0.0;
    double maximum = 0.0;
};

// A tidy increment (1, 2 or 5 times a power of ten) that divides a span
// into about five intervals. A span of 0 takes the magnitude of value
// instead; for value 0 as well the increment is 1.
double tidyIncrement(double span, double value);

// k times increment, written so that short decimal increments give the
// nearest double (3 × 0,1 gives 0,3, not 0,30000000000000004).
double multipleOf(double k, double increment);

// The smallest range from a multiple of increment (> 0) to a multiple of
// increment that covers low to high. When both limits fall on the same
// multiple the range is widened by one increment on either side.
AxisRange coveringRange(double low, double high, double increment);

// The distance of labelled grid lines: the smallest of increment × 1, 2, 5,
// 10, 20, 50 ... that divides minimum..maximum into at most maxIntervals
// intervals (maxIntervals is taken as at least 1).
double labelledStep(double minimum, double maximum, double increment, double maxIntervals);

// The first multiple of step at or above minimum (never below minimum).
double firstLabelledValue(double minimum, double step);

// Decimals needed to write the multiples of step (0,0001 needs four), at
// most maxLabelDecimals: as many as a double holds.
inline constexpr int maxLabelDecimals = 15;
int labelDecimals(double step);

}  // namespace orbiton::ui
