#pragma once
// Double-precision estimates of values that the model evaluates in extended
// precision and stores in single precision.
//
// An estimate carries a bound of its distance from the model's extended
// value. When every value within that bound rounds to the same float, that
// float is what the model stores (rounding keeps order), and the extended
// evaluation, whose sines and cosines cost an order of magnitude more than
// the estimate's, can be skipped. Otherwise the caller evaluates exactly.
//
// Error model: each extended operation of the model errs by at most 2^-64 of
// its result, each double operation here by 2^-53; the library's double sine
// and cosine are documented to err by a few units in the last place, which
// 2^-46 (at least 64 units of any result in [-1, 1]) bounds with a wide
// margin; an argument that is not exactly the model's adds its own error,
// since sine and cosine have slopes of at most 1.
#include <cmath>

namespace orbiton::detail {

// Sine and cosine of x with a bound of their error against the exact values
// of the model's argument, which lies within argumentError of x.
struct TrigEstimate {
    double sin;
    double cos;
    double error;
};

inline TrigEstimate trigEstimate(double x, double argumentError)
{
    return {std::sin(x), std::cos(x), 0x1p-46 + argumentError};
}

// Error bound of an estimate of sum c_k t_k + b, where each t_k is a sine or
// cosine (|t_k| <= 1) estimated within trigError_k and the c_k and b are
// formed alike in both evaluations: the trigonometric errors times the
// coefficients, and for the rounding of at most eight operations on terms no
// larger than sum |c_k| + |b|, 8 * 2^-53 of that (2^-49 covers it).
inline double sumError(double coefficients, double trigErrors, double constant)
{
    return trigErrors + (coefficients + std::fabs(constant)) * 0x1p-49;
}

// Whether every value within error of estimate rounds to the same float;
// then out is that float. The margin of 2^-50 of the estimate covers the
// rounding of the interval's ends. Values near the end of the float range
// (where the model may overflow) are never claimed, nor is zero, whose sign
// the interval cannot tell.
inline bool storedFloat(double estimate, double error, float& out)
{
    const double margin = error + std::fabs(estimate) * 0x1p-50;
    if (!(std::fabs(estimate) + margin < 1e38))
        return false;
    const float lo = static_cast<float>(estimate - margin);
    const float hi = static_cast<float>(estimate + margin);
    if (!(lo == hi) || lo == 0.0f)
        return false;
    out = lo;
    return true;
}

// The stored angle float(arccos(q)) of q = (a^2 + b^2 - c^2) / (2 a b), the
// angle opposite c in a triangle with sides a, b, c, where the estimate's
// error bound proves the float and q lies clearly inside [-1, 1] (so the
// model's arccosine neither fails nor takes a second try). The numerator
// errs by less than 8 * 2^-53 of a^2 + b^2 + c^2 in either precision, the
// quotient by 2^-52 of itself more; arccos moves by at most
// dq / sqrt(1 - (|q| + dq)^2), and the library's double acos errs by a few
// units in the last place (2^-46 of it bounds that).
inline bool storedTriangleAngle(double a, double b, double c, float& out)
{
    if (!(a > 0.0 && b > 0.0))
        return false;
    const double q = (a * a + b * b - c * c) / (2.0 * a * b);
    const double dq = (a * a + b * b + c * c) * 0x1p-49 / (2.0 * a * b) + std::fabs(q) * 0x1p-51;
    const double outer = std::fabs(q) + dq;
    if (!(outer < 1.0 - 0x1p-20))
        return false;
    const double angle = std::acos(q);
    return storedFloat(angle, dq / std::sqrt((1.0 - outer) * (1.0 + outer)) + angle * 0x1p-46, out);
}

}  // namespace orbiton::detail
