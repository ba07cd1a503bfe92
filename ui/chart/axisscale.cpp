#include "ui/chart/axisscale.h"

#include <algorithm>
#include <cmath>

namespace orbiton::ui {

namespace {

// Tolerance, in increments, within which a quotient value/increment counts
// as the whole number next to it.
double quotientTolerance(double quotient) { return std::min(1e-2, 1e-6 * std::max(1.0, std::abs(quotient))); }

double floorWithTolerance(double quotient) { return std::floor(quotient + quotientTolerance(quotient)); }

double ceilWithTolerance(double quotient) { return std::ceil(quotient - quotientTolerance(quotient)); }

// 10 to the power e, correctly rounded also for negative e.
double powerOfTen(int e) { return e >= 0 ? std::pow(10.0, e) : 1.0 / std::pow(10.0, -e); }

}  // namespace

double tidyIncrement(double span, double value)
{
    if (!(span > 0.0) || !std::isfinite(span)) {
        span = std::abs(value);
    }
    if (!(span > 0.0) || !std::isfinite(span)) {
        return 1.0;
    }
    const double raw = span / 5.0;
    const int exponent = static_cast<int>(std::floor(std::log10(raw)));
    const double fraction = raw / powerOfTen(exponent);
    double nice = 10.0;
    if (fraction <= 1.0 + 1e-9) {
        nice = 1.0;
    } else if (fraction <= 2.0 + 1e-9) {
        nice = 2.0;
    } else if (fraction <= 5.0 + 1e-9) {
        nice = 5.0;
    }
    return exponent >= 0 ? nice * powerOfTen(exponent) : nice / powerOfTen(-exponent);
}

double multipleOf(double k, double increment)
{
    if (increment > 0.0 && increment < 1.0) {
        const double inverse = 1.0 / increment;
        const double whole = std::round(inverse);
        if (std::abs(inverse - whole) <= 1e-9 * whole) {
            return k / whole;
        }
    }
    return k * increment;
}

AxisRange coveringRange(double low, double high, double increment)
{
    if (high < low) {
        std::swap(low, high);
    }
    if (!std::isfinite(low / increment) || !std::isfinite(high / increment)) {
        // An increment too small for values of this size.
        increment = tidyIncrement(high - low, std::max(std::abs(low), std::abs(high)));
    }
    double first = floorWithTolerance(low / increment);
    double last = ceilWithTolerance(high / increment);
    if (last <= first) {
        first -= 1.0;
        last = first + 2.0;
    }
    return {multipleOf(first, increment), multipleOf(last, increment)};
}

double labelledStep(double minimum, double maximum, double increment, double maxIntervals)
{
    const double span = maximum - minimum;
    const double limit = std::max(1.0, maxIntervals) * (1.0 + 1e-9);
    static constexpr double factors[] = {1.0, 2.0, 5.0};
    double decade = 1.0;
    double step = increment;
    // Each round of three grows the step tenfold; 2000 rounds cover any
    // ratio of two finite doubles.
    for (int round = 0; round < 2000; ++round) {
        for (double factor : factors) {
            step = increment * factor * decade;
            if (!(span / step > limit)) {
                return step;
            }
        }
        decade *= 10.0;
    }
    return step;
}

double firstLabelledValue(double minimum, double step)
{
    const double value = multipleOf(ceilWithTolerance(minimum / step), step);
    return value < minimum ? minimum : value;
}

int labelDecimals(double step)
{
    double scaled = std::abs(step);
    for (int decimals = 0; decimals < maxLabelDecimals; ++decimals) {
        if (scaled >= 0.5 && std::abs(scaled - std::round(scaled)) <= 1e-6 * scaled) {
            return decimals;
        }
        scaled *= 10.0;
    }
    return maxLabelDecimals;
}

}  // namespace orbiton::ui
