#pragma once
// Bounds used by the rhombic insert's radial searches to decide steps
// without evaluating them: the radius after a number of steps, the range of
// the stored distance from the bore axis over a block of steps, and upper
// bounds of the angles taken from stored cosines.
//
// Error model (the same as the per-step screening): the model evaluates in
// extended precision (relative error 2^-64 per operation) and rounds every
// named value to single precision (relative error at most 2^-24). The
// estimates here are formed in double precision (2^-53 per operation). Every
// bound below widens its result by margins of 2^-22 relative for each value
// the model stores and 2^-48 of the magnitudes that enter a sum, which covers
// both evaluations with room to spare; the comments name what each margin
// covers.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace orbiton::detail {

// Arccosine for the estimates: sqrt(1 - x) times a polynomial on [0, 1]
// (Abramowitz and Stegun 4.4.46), absolute error at most 2e-8; the bounds
// add fastArccosError, which includes the rounding of the evaluation.
inline constexpr double fastArccosError = 3e-8;

inline double fastArccos(double k)
{
    const double x = std::fabs(k);
    const double poly =
        1.5707963050 +
        x * (-0.2145988016 +
             x * (0.0889789874 +
                  x * (-0.0501743046 +
                       x * (0.0308918810 + x * (-0.0170881256 + x * (0.0066700901 + x * -0.0012624911))))));
    const double a = std::sqrt(1.0 - x) * poly;
    return k < 0 ? 3.14159265358979323846 - a : a;
}

// The radii of a search: r <- float(r + delta) from a start radius while
// r < end, at most maxSteps steps; a step that would leave r unchanged ends
// the search.
//
// Closed form: while r stays in one binade [2^(E-1), 2^E) of normal
// positive floats, the floats there are the multiples of u = 2^(E-24), and
// r is one of them, so
// float(r + delta) = r + m u with m = delta / u rounded to the nearest
// integer, unless delta / u lies exactly halfway (then the tie goes to the
// even neighbour, which alternates with r; no closed form). Each sum of a
// block of k steps stays below 2^E when r + k m u <= 2^E - u: the exact sum
// r_(i-1) + delta is at most r_i + u/2. So k steps take r to r + k m u
// exactly, and every radius in between lies between r + m u and r + k m u.
class RadialSteps {
public:
    RadialSteps(float start, float delta, float end, int maxSteps)
        : r_(start), delta_(delta), end_(end), maxSteps_(maxSteps)
    {
    }

    float radius() const { return r_; }
    int steps() const { return steps_; }
    bool more() const { return r_ < end_ && steps_ < maxSteps_; }

    // One step as the model takes it; false when it would not move r.
    bool step()
    {
        const float next = r_ + delta_;  // one rounding, as float(r + delta)
        if (next == r_)
            return false;
        r_ = next;
        ++steps_;
        return true;
    }

    // How many of the next n steps (at most) can be taken in closed form:
    // each stays in r's binade, is taken by the loop (the radius before it
    // lies below the end, the step budget allows it) and moves r. 0 when
    // fewer than two.
    int block(int n)
    {
        const std::uint32_t bits = std::bit_cast<std::uint32_t>(r_);
        const int biased = static_cast<int>((bits >> 23) & 0xffu);
        if (biased == 0 || biased == 0xff || bits >> 31 || !(delta_ > 0.0f))
            return 0;
        if (biased != binade_) {
            binade_ = biased;
            // u = 2^(biased - 150), the binade ends at 2^(biased - 126).
            u_ = std::bit_cast<double>(static_cast<std::uint64_t>(biased - 150 + 1023) << 52);
            binadeEnd_ = std::bit_cast<double>(static_cast<std::uint64_t>(biased - 126 + 1023) << 52);
            const double q = static_cast<double>(delta_) / u_;  // exact: a power-of-two scaling
            const double whole = std::floor(q);
            m_ = q - whole == 0.5 ? 0.0 : (q - whole > 0.5 ? whole + 1.0 : whole);
        }
        if (m_ < 1.0)
            return 0;  // a tie, or a step that does not move r
        // Multiples of u: exact in double.
        const double toBinadeEnd = (binadeEnd_ - r_) / u_ - 1.0;
        const double toEnd = (static_cast<double>(end_) - r_) / u_;  // end >= r, so a multiple of u
        const double k = std::min({static_cast<double>(n), std::floor(toBinadeEnd / m_),
                                   std::floor((toEnd - 1.0) / m_) + 1.0, static_cast<double>(maxSteps_ - steps_)});
        return k >= 2.0 ? static_cast<int>(k) : 0;
    }

    // The radius after k steps of the block last asked for (k <= its length).
    float ahead(int k) const { return static_cast<float>(r_ + k * m_ * u_); }

    void skip(int k)
    {
        r_ = ahead(k);
        steps_ += k;
    }

private:
    float r_;
    float delta_;
    float end_;
    int maxSteps_;
    int steps_ = 0;
    int binade_ = -1;
    double u_ = 0;
    double binadeEnd_ = 0;
    double m_ = 0;
};

// Range of the distance d = float(sqrt(r^2 + e^2 - 2 c e r)) over r in
// [r1, r2], c the cosine the model uses, estimated within cError.
//
// In real arithmetic r^2 + e^2 - 2 c e r is a parabola in r with its lowest
// point at r = c e: its least value over the block is taken at c e clamped
// to the block, its greatest at an end. The model's extended evaluation and
// this double evaluation differ from the real value by less than 8 * 2^-53
// of size = r2^2 + e^2 + 2 |c| e r2 (2^-48 covers it), the cosine's error
// moves it by 2 e r2 cError. The square root in either precision and the
// rounding of d to single precision stay within a factor 1 -+ 2^-22. A
// block whose least value is not clearly positive gets no range: there d
// may be 0 or the square root may fail, which only the exact evaluation may
// decide.
struct DistanceRange {
    bool known = false;
    double lo = 0;
    double hi = 0;
};

inline DistanceRange storedDistanceRange(double e, double c, double cError, double r1, double r2)
{
    const auto square = [&](double r) { return r * r + e * e - 2.0 * c * e * r; };
    const double size = r2 * r2 + e * e + 2.0 * std::fabs(c) * e * r2;
    const double slack = size * 0x1p-48 + 2.0 * e * r2 * cError;
    const double least = square(std::clamp(c * e, r1, r2)) - slack;
    const double greatest = std::max(square(r1), square(r2)) + slack;
    DistanceRange d;
    if (!(least > 1e-6))
        return d;
    d.known = true;
    d.lo = std::sqrt(least) * (1.0 - 0x1p-22);
    d.hi = std::sqrt(greatest) * (1.0 + 0x1p-22);
    return d;
}

// Lower bound over a block [r1, r2] of the stored cosine at the bore axis,
// kP = float((e^2 + d^2 - r^2) / (2 e d)), d the stored distance in range d.
//
// In real arithmetic, with d^2 = r^2 + e^2 - 2 c e r (the law of cosines at
// the cutter axis), kP = (e - c r) / d is the cosine of the angle at the bore
// axis between the cutter axis and the edge point. As the point moves out
// along the tooth's line, a line that misses the bore axis (d > 0), that
// angle grows: seen from a point off a line, a point moving along it turns
// one way, by less than pi in all. So kP falls with r and is least at r2.
// The model takes d rounded to single precision, which moves kP by at most
// |dkP/dd| d 2^-23 = |d^2 - e^2 + r^2| / (2 e d) 2^-23, and stores kP
// (|kP| <= 1 + that, so 2^-23 covers its rounding); the evaluations of
// either precision stay far below the last term. The estimate of c, within
// cError, moves kP(r2) by at most cError (r2 / d + e r2 / d^2), as
// |dkP/dc| = |-r/d + (e - c r) e r / d^3| and |e - c r| / d = |kP| <= 1.
// NaN when kP may come near the single-precision overflow.
inline double storedBoreCosineLowerBound(double e, double c, double cError, double r2, const DistanceRange& d)
{
    const double spread = (d.hi * d.hi + e * e + r2 * r2) / (2.0 * e * d.lo);
    if (!(spread < 1e30))
        return std::nan("");
    const double dAtEnd = std::sqrt(r2 * r2 + e * e - 2.0 * c * e * r2);
    const double k = (e - c * r2) / dAtEnd;
    const double evaluation = ((d.hi * d.hi + e * e + r2 * r2) / (d.lo * d.lo) + (e + r2) / d.lo) * 0x1p-46;
    const double cosine = cError * (r2 / d.lo + e * r2 / (d.lo * d.lo));
    return k - spread * 0x1p-22 - 0x1p-23 - evaluation - cosine;
}

// Lower bound over a block of the stored cosine kQ = float((d^2 + e^2 -
// R^2) / (2 d e)), d in range d, R > e. kQ = d / (2e) - (R^2 - e^2) / (2 e d)
// grows with d, so it is least at d.lo, which already allows for d's
// rounding; the evaluation errs by less than 8 * 2^-53 of (d^2 + e^2 + R^2)
// / (2 e d.lo) and the stored value by 2^-24 of itself.
inline double storedCosineQLowerBound(double e, double R, const DistanceRange& d)
{
    const double size = (d.hi * d.hi + e * e + R * R) / (2.0 * e * d.lo);
    if (!(size < 1e30) || !(R > e))
        return std::nan("");
    const double k = (d.lo * d.lo + e * e - R * R) / (2.0 * e * d.lo);
    return k - std::fabs(k) * 0x1p-22 - size * 0x1p-48;
}

// Upper bound of arccos(k) over the stored cosines k >= kLo that lie in
// [-1, 1], where arccos is decreasing; negative when no such k exists (every
// k lies above 1, the model then takes no angle). The model's extended
// arccosine is exact to far below fastArccosError.
inline double angleUpperBound(double kLo)
{
    if (kLo > 1.0)
        return -1.0;
    if (kLo <= -1.0)
        return 3.14159265358979323846 + fastArccosError;
    return fastArccos(kLo) + fastArccosError;
}

// Upper bound over a block of the edge search's stored comparison height
// J = float(float(arccos kP + arccos kQ) / 2pi * fax), or 0 where a cosine
// lies outside [-1, 1], from the cosines' lower bounds; feedPerRadian =
// fax / 2pi >= 0. J grows with the angles, the angles fall with the
// cosines. The angle sum, J and the quotient each round by 2^-24 of
// themselves (the factors 1 + 2^-22 and 1 + 2^-21 cover them with the
// double evaluation's own roundings). NaN when a cosine bound is.
inline double edgeHeightUpperBound(double kPLo, double kQLo, double feedPerRadian)
{
    const double aP = angleUpperBound(kPLo), aQ = angleUpperBound(kQLo);
    if (std::isnan(aP) || std::isnan(aQ))
        return std::nan("");
    // No angle (beta = 0, J = 0) where either cosine lies above 1 for sure.
    const double beta = aP < 0.0 || aQ < 0.0 ? 0.0 : (aP + aQ) * (1.0 + 0x1p-22);
    return beta * feedPerRadian * (1.0 + 0x1p-21);
}

// Upper bound over a block of the core search's stored comparison height
// J = float(tan(kappa) (q - d) + (gamma + float(arccos k)) fax / 2pi), with
// arccos k taken as 0 where k lies outside [-1, 1], for tan(kappa) > 0 and
// feedPerRadian = fax / 2pi >= 0: J falls with d (least d.lo) and grows with
// the angle (bounded from k's lower bound). The angle rounds by 2^-24 of
// itself, the sum's evaluation errs by less than 8 * 2^-53 of the
// magnitudes of its terms (2^-48 covers that and tan(kappa)'s conversion),
// and J rounds by 2^-24 of itself (2^-22 covers it). NaN when k's bound is,
// or when J may come near the single-precision overflow.
inline double coreHeightUpperBound(double kLo, const DistanceRange& d, double tanKappa, double q, double coreAngle,
                                   double feedPerRadian)
{
    const double a = angleUpperBound(kLo);
    if (std::isnan(a))
        return std::nan("");
    const double beta = a < 0.0 ? 0.0 : a * (1.0 + 0x1p-22);
    const double J = tanKappa * (q - d.lo) + (coreAngle + beta) * feedPerRadian;
    const double size = tanKappa * (std::fabs(q) + d.hi) + (std::fabs(coreAngle) + beta) * feedPerRadian;
    if (!(size < 1e30))
        return std::nan("");
    return J + std::fabs(J) * 0x1p-22 + size * 0x1p-48;
}

// The cosine of a search's angle: the model's extended value, evaluated only
// when an exact step needs it, and a double-precision estimate for the
// bounds, within error of it (2^-46 for the library's cosine, plus how far
// the double argument may lie from the model's).
class SearchCosine {
public:
    SearchCosine(long double angle, double angleEstimate, double argumentError)
        : angle_(angle), estimate(std::cos(angleEstimate)), error(0x1p-46 + argumentError)
    {
    }

    template <class Exact>
    long double exact(Exact cosine)
    {
        if (!known_) {
            value_ = cosine(angle_);
            known_ = true;
        }
        return value_;
    }

private:
    long double angle_;
    long double value_ = 0;
    bool known_ = false;

public:
    const double estimate;
    const double error;
};

}  // namespace orbiton::detail
