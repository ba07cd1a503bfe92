#pragma once
// Checked extended-precision arithmetic of the calculation.
//
// Every expression of the model is evaluated in long double (80-bit x87
// extended on x86-64) and rounded to float when it is stored. The
// operations that can fail (square root of a negative number, arcsine or
// arccosine outside [-1, 1], logarithm of a non-positive number, division by
// zero, a value too large for a float) raise a FloatingPointError with the
// text the window shows; nothing ever traps and no NaN is passed on.
#include <cfloat>
#include <cmath>

#include "model/errors.h"

namespace orbiton::fp {

using ext = long double;

// The stored constants 2*pi and pi/2 (single precision) and pi itself at
// extended precision.
inline constexpr float twoPi = 6.2831855f;
inline constexpr float halfPi = 1.5707964f;
inline constexpr ext pi = 3.141592653589793238462643383279502884L;

[[noreturn]] inline void raise(FloatingPointError::Kind kind) { throw FloatingPointError(kind); }

// Rounds an extended value to single precision as it is stored.
inline float store(ext value)
{
    if (std::isnan(value))
        raise(FloatingPointError::Kind::InvalidOperation);
    const float rounded = static_cast<float>(value);
    if (std::isinf(rounded))
        raise(FloatingPointError::Kind::Overflow);
    return rounded;
}

inline ext div(ext numerator, ext denominator)
{
    if (denominator == 0.0L) {
        if (numerator == 0.0L || std::isnan(numerator))
            raise(FloatingPointError::Kind::InvalidOperation);
        raise(FloatingPointError::Kind::DivisionByZero);
    }
    const ext q = numerator / denominator;
    if (std::isinf(q) && std::isfinite(numerator))
        raise(FloatingPointError::Kind::Overflow);
    return q;
}

inline ext sqrt(ext x)
{
    if (!(x >= 0.0L))
        raise(FloatingPointError::Kind::InvalidOperation);
    return sqrtl(x);
}

inline ext sin(ext x) { return sinl(x); }

// Sine and cosine of one argument; the same values as sin and cos.
struct SinCos {
    ext sin;
    ext cos;
};
inline SinCos sincos(ext x)
{
    SinCos r;
    sincosl(x, &r.sin, &r.cos);
    return r;
}
inline ext cos(ext x) { return cosl(x); }
inline ext tan(ext x) { return tanl(x); }

// One-argument principal arctangent, -pi/2 .. pi/2.
inline ext arctan(ext x) { return atanl(x); }

inline ext arctan2(ext y, ext x) { return atan2l(y, x); }

// Arccosine as the two-argument arctangent of sqrt(1 - q^2) and q:
// 0 .. pi, exact 0 for q = 1 and pi for q = -1; outside [-1, 1] the square
// root fails.
inline ext arccos(ext q) { return atan2l(fp::sqrt(1.0L - q * q), q); }

// Arcsine as the two-argument arctangent of q and sqrt(1 - q^2).
inline ext arcsin(ext q) { return atan2l(q, fp::sqrt(1.0L - q * q)); }

inline ext ln(ext x)
{
    if (x == 0.0L)
        raise(FloatingPointError::Kind::DivisionByZero);
    if (!(x > 0.0L))
        raise(FloatingPointError::Kind::InvalidOperation);
    return logl(x);
}

inline ext exp(ext x)
{
    const ext e = expl(x);
    if (std::isinf(e))
        raise(FloatingPointError::Kind::Overflow);
    return e;
}

}  // namespace orbiton::fp
