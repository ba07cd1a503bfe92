// Chip sections of the rhombic insert: one inclined edge at the setting
// angle; in the inner ranges the axial depth comes from a radial search
// along the edge.
#include <cmath>

#include "forcemodel/forcemodel.h"
#include "forcemodel/toothloads.h"
#include "model/errors.h"
#include "model/fpmath.h"

namespace orbiton {

using fp::ext;
using fp::store;

namespace {

// Each search advances r by a thousandth of its radial span. When the span
// is so small that a step no longer changes r in single precision, or after
// this many steps, the search ends as if it had reached the end of the edge.
constexpr int maxSearchSteps = 2000;

// Most steps of a search lie far from the point where the edge height meets
// the comparison height. A double-precision estimate with a bound of its
// error decides those steps; a step is evaluated in extended precision, as
// the model defines it, only where the bound cannot decide it. The result is
// therefore the same as evaluating every step exactly.
//
// The estimate starts from the unrounded distance d, while the model rounds
// d to single precision first (at most one unit in the last place, bounded
// here by two) and each cosine too; the bound carries those errors through
// the derivative of the cosine with respect to d and the slope of arccos.

bool screeningEnabled = true;

// Error bound of a distance rounded to single precision (two units).
double distanceError(double d) { return std::fabs(d) * 0x1p-22; }

struct Angle {
    bool known = false;   // the estimate decides whether the cosine lies within [-1, 1]
    bool exists = false;  // the cosine lies within [-1, 1]
    double value = 0;     // arccos estimate
    double error = 0;     // bound of its error
};

// Arccosine for the estimate: sqrt(1 - x) times a polynomial on [0, 1]
// (Abramowitz and Stegun 4.4.46), absolute error at most 2e-8, which the
// bound includes.
constexpr double fastArccosError = 3e-8;

double fastArccos(double k)
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

// arccos of a cosine estimate k whose error is at most kError.
Angle angleOf(double k, double kError)
{
    Angle a;
    kError += std::fabs(k) * 0x1p-22 + 1e-12;  // rounding of the cosine itself
    const double outer = std::fabs(k) + kError;
    if (std::fabs(k) - kError > 1.0) {
        a.known = true;
        return a;
    }
    if (outer >= 1.0)
        return a;
    a.known = a.exists = true;
    a.value = fastArccos(k);
    a.error = kError / std::sqrt((1.0 - outer) * (1.0 + outer)) + fastArccosError;
    return a;
}

// Whether the edge height certainly stays above an estimated comparison
// height.
bool clearlyAbove(ext edgeHeight, double estimate, double error)
{
    return static_cast<double>(edgeHeight) - estimate > 2.0 * error + 1e-12;
}

struct RhombicInput {
    ext e, R, Ri, DF, c, fzA, fax, kappa, q, coreAngle;
    char boundary;
};

RhombicInput rhombicInput(const ParameterSet& p, const SimulationState& s)
{
    RhombicInput in;
    in.e = s.pathRadius;
    in.R = store(static_cast<ext>(p.cutterDiameter) / 2.0L);
    in.Ri = store(static_cast<ext>(s.innerEdgeDiameter) / 2.0L);
    in.DF = p.cutterDiameter;
    in.c = s.chipFeed;
    in.fzA = s.axialFeedPerTooth;
    in.fax = p.axialFeedPerRev;
    in.kappa = p.settingAngle;
    in.q = s.axisOverlap;
    in.coreAngle = s.coreAngle;
    in.boundary = s.materialBoundaryCase;
    return in;
}

// Side-edge section of the outer ranges: thickness c, width a_p.
void rhombicOuterSection(const RhombicInput& in, SimulationState& s, ext passAngle)
{
    s.axialDepth = store(in.fax * passAngle / static_cast<ext>(fp::twoPi));
    if (in.boundary == 'I') {
        ChipSection& sec = s.section;
        sec.axialEdgeDepth = 0;
        sec.axialEdgeWidth = 0;
        sec.sideEdgeWidth = s.axialDepth;
        sec.sideEdgeDepth = s.chipFeed;
        sec.axialEdgeLever = 0;
        sec.sideEdgeLever = store((in.DF - static_cast<ext>(sec.sideEdgeDepth)) / 2.0L);
    }
}

// Section of the inclined edge with the engaged length a_p / sin(kappa).
//
// A steep edge can end its search where the edge crosses the bore axis; the
// axial depth is then the height of the cone the edge leaves and the
// engaged length exceeds the cutter diameter, which would put the force
// point on the far side of the cutter axis (a negative lever, negative
// torque and power). Such a run is refused as soon as a tooth's stored
// width exceeds the diameter; a width equal to it (lever 0) is accepted.
void inclinedEdgeSection(const RhombicInput& in, SimulationState& s)
{
    ChipSection& sec = s.section;
    const ext c = in.c, fzA = in.fzA;
    const ext halfPi = fp::halfPi;
    const float depth = store(fp::sqrt(c * c + fzA * fzA) * fp::cos((halfPi - in.kappa) - fp::arctan(fp::div(fzA, c))));
    const float width = store(fp::div(static_cast<ext>(s.axialDepth), fp::sin(in.kappa)));
    if (width > in.DF)
        throw RunRefused(messages::chipWidthBeyondCutter);
    sec.sideEdgeDepth = depth;
    sec.sideEdgeWidth = width;
    sec.axialEdgeDepth = 0;
    sec.axialEdgeWidth = 0;
    sec.axialEdgeLever = 0;
    sec.sideEdgeLever = store((in.DF - static_cast<ext>(sec.sideEdgeWidth)) / 2.0L);
}

void rhombicEdgeSearch(const RhombicInput& in, SimulationState& s, ext phi)
{
    const ext e = in.e, R = in.R;
    const ext delta = store((R - in.Ri) * 0.001L);
    const ext tanKappa = fp::tan(in.kappa);
    const ext cosAngle = fp::cos(phi - fp::pi);
    const ext twoPi = fp::twoPi;
    const double ed = static_cast<double>(e), Rd = static_cast<double>(R), cd = static_cast<double>(cosAngle);
    const double feedPerRadian = static_cast<double>(in.fax) / static_cast<double>(fp::twoPi);
    ext r = in.Ri;
    // The two cosines keep their values over a step where d is 0.
    ext kP = 0, kQ = 0;
    bool cosinesOfLastStep = true;  // kP, kQ belong to the last step with d > 0
    ext lastR = r;
    const auto cosinesAt = [&](ext radius, ext& p, ext& q) {
        const ext d = store(fp::sqrt(radius * radius + e * e - cosAngle * 2.0L * radius * e));
        if (d > 0.0L) {
            p = store(fp::div(e * e + d * d - radius * radius, 2.0L * e * d));
            q = store(fp::div(d * d + e * e - R * R, 2.0L * d * e));
        }
        return d;
    };
    s.axialDepth = 0;
    for (int step = 0; r < R && step < maxSearchSteps; ++step) {
        const ext next = store(r + delta);
        if (next == r)
            break;
        r = next;
        const ext H = store(tanKappa * (R - r));

        const double rd = static_cast<double>(r);
        const double d2 = rd * rd + ed * ed - cd * 2.0 * rd * ed;
        if (screeningEnabled && d2 > 1e-6) {
            const double dd = std::sqrt(d2);
            const double dError = distanceError(dd);
            const double slopeP = std::fabs(dd * dd - ed * ed + rd * rd) / (2.0 * ed * dd * dd);
            const double slopeQ = std::fabs(dd * dd - ed * ed + Rd * Rd) / (2.0 * ed * dd * dd);
            const Angle p = angleOf((ed * ed + dd * dd - rd * rd) / (2.0 * ed * dd), slopeP * dError);
            const Angle q = angleOf((dd * dd + ed * ed - Rd * Rd) / (2.0 * dd * ed), slopeQ * dError);
            bool decided = false;
            if ((p.known && !p.exists) || (q.known && !q.exists)) {
                decided = H > 0.0L;  // no angle: the comparison height is 0
            } else if (p.exists && q.exists) {
                const double J = (p.value + q.value) * feedPerRadian;
                decided = clearlyAbove(H, J, (p.error + q.error) * feedPerRadian + J * 0x1p-21);
            }
            if (decided) {
                // d > 0 here, so the model would have taken this step's cosines.
                cosinesOfLastStep = false;
                lastR = r;
                continue;
            }
        }

        const ext d = cosinesAt(r, kP, kQ);
        if (d > 0.0L)
            cosinesOfLastStep = true;
        else if (!cosinesOfLastStep)
            cosinesAt(lastR, kP, kQ);
        const bool angles = kP >= -1.0L && kP <= 1.0L && kQ >= -1.0L && kQ <= 1.0L;
        const ext beta = angles ? static_cast<ext>(store(fp::arccos(kP) + fp::arccos(kQ))) : 0.0L;
        const ext J = store(beta / twoPi * in.fax);
        if (!(H - J > 0.0L)) {
            s.axialDepth = store(J);
            break;
        }
    }
    if (in.boundary == 'I')
        inclinedEdgeSection(in, s);
}

void rhombicCoreSearch(const RhombicInput& in, SimulationState& s, ext phi)
{
    const ext e = in.e, R = in.R, q = in.q;
    const ext tanKappa = fp::tan(in.kappa);
    const ext twoPi = fp::twoPi;
    s.axialDepth = 0;
    bool found = false;
    const ext u = store(phi - fp::pi);
    const ext cu = fp::cos(u);
    const ext p = store(cu * 2.0L * e);
    const ext D = store(p * p - 4.0L * (e * e - q * q));
    const ext rho1 = store((p + fp::sqrt(D)) / 2.0L);
    const ext rho2 = store((p - fp::sqrt(D)) / 2.0L);
    const ext rhoMax = rho1 >= rho2 ? rho1 : rho2;
    const ext delta = store((rhoMax - in.Ri) * 0.001L);
    ext r = in.Ri;
    const double ed = static_cast<double>(e), cud = static_cast<double>(cu), qd = static_cast<double>(q);
    const double tanKd = static_cast<double>(tanKappa);
    const double feedPerRadian = static_cast<double>(in.fax) / static_cast<double>(fp::twoPi);
    const double coreAngle = static_cast<double>(in.coreAngle);
    for (int step = 0; r < rhoMax && step < maxSearchSteps; ++step) {
        const ext next = store(r + delta);
        if (next == r)
            break;
        r = next;
        const ext H = store(tanKappa * (R - r));

        const double rd = static_cast<double>(r);
        const double d2 = ed * ed + rd * rd - cud * 2.0 * ed * rd;
        if (screeningEnabled && d2 > 1e-6) {
            const double dd = std::sqrt(d2);
            const double dError = distanceError(dd);
            const double slope = std::fabs(dd * dd - ed * ed + rd * rd) / (2.0 * ed * dd * dd);
            const Angle a = angleOf((ed * ed + dd * dd - rd * rd) / (2.0 * ed * dd), slope * dError);
            if (a.known) {
                const double height = tanKd * (qd - dd);
                const double J = height + (coreAngle + a.value) * feedPerRadian;
                const double error =
                    std::fabs(tanKd) * dError + a.error * feedPerRadian + (std::fabs(height) + std::fabs(J)) * 0x1p-21;
                if (clearlyAbove(H, J, error))
                    continue;
            }
        }

        const ext d = store(fp::sqrt(e * e + r * r - cu * 2.0L * e * r));
        const ext k = store(fp::div(e * e + d * d - r * r, 2.0L * e * d));
        const ext beta = (k >= -1.0L && k <= 1.0L) ? static_cast<ext>(store(fp::arccos(k))) : 0.0L;
        const ext J = store(tanKappa * (q - d) + (in.coreAngle + beta) * in.fax / twoPi);
        if (!(H - J > 0.0L)) {
            s.axialDepth = store(J);
            found = true;
            if (in.boundary == 'I')
                inclinedEdgeSection(in, s);
            break;
        }
    }
    if (!found)
        rhombicEdgeSearch(in, s, phi);
}

}  // namespace

namespace detail {
void setSearchScreening(bool enabled) { screeningEnabled = enabled; }
}  // namespace detail

void computeToothLoadRhombic(const ParameterSet& p, SimulationState& s, float phi)
{
    s.section = ChipSection{};
    const RhombicInput in = rhombicInput(p, s);
    const ext x = phi;
    const ext T1 = s.transitionAngle1, T2 = s.transitionAngle2, T3 = s.transitionAngle3, T4 = s.transitionAngle4;
    const ext twoPi = fp::twoPi;
    const ext fourPi = 2.0L * twoPi;

    // Five ranges of the tooth angle; the wrapped parts include their lower
    // limits, so exactly 2pi runs ranges 1 and 5 with the same section.
    if ((x >= 0.0L && x < T1) || (x >= twoPi && x < T1 + twoPi)) {
        s.activeEdge = 'A';
        rhombicOuterSection(in, s, store(twoPi - 2.0L * detail::outerPassArc(in.R, in.e, x)));
    }
    if ((x >= T1 && x < T2) || (x >= T1 + twoPi && x < T2 + twoPi)) {
        s.activeEdge = 'A';
        rhombicOuterSection(in, s, store(-2.0L * detail::outerPassArc(in.R, in.e, x)));
    }
    if ((x >= T2 && x < T4) || (x >= T2 + twoPi && x < T4 + twoPi)) {
        s.activeEdge = 'I';
        rhombicCoreSearch(in, s, x);
    }
    if ((x >= T4 && x < T3) || (x >= T4 + twoPi && x < T3 + twoPi)) {
        s.activeEdge = 'I';
        rhombicEdgeSearch(in, s, x);
    }
    if ((x >= T3 && x <= twoPi) || (x >= T3 + twoPi && x <= fourPi)) {
        s.activeEdge = 'A';
        rhombicOuterSection(in, s, store(twoPi - 2.0L * detail::wallPassArc(in.R, in.e, x)));
    }

    detail::rhombicLoads(p, s);
}

}  // namespace orbiton
