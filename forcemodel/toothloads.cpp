// Tooth forces, torques about the cutter and the boring bar, power and area.
#include "forcemodel/toothloads.h"

#include <cmath>

#include "forcemodel/estimate.h"
#include "forcemodel/forcemodel.h"

namespace orbiton::detail {

using fp::store;

ext guardedArccos(ext q)
{
    // fp::arccos fails exactly where 1 - q^2 is not >= 0; asked first, so
    // that no error is raised and caught on the way.
    if (1.0L - q * q >= 0.0L)
        return fp::arccos(q);
    return fp::arccos(std::trunc(q * 10000.0L) * 0.0001L);
}

// The fast path estimates the arcs in double precision (estimate.h). The
// model's vector (M, N) = (denominator, numerator) of the arc's quotient and
// its estimate differ by at most dv, from the sine's and cosine's errors
// times r and the rounding of the sums. Where M keeps its sign over that
// difference, atan(N / M) is the angle of the vector up to a constant, and
// the angle of a vector of length at least |v| - dv moves by at most
// arcsin(dv / (|v| - dv)) <= pi/2 dv / (|v| - dv). The library's double atan
// errs by a few units in the last place (2^-46 of it bounds that), the
// quotient's rounding by less than 2^-53 of the arc.
float passAngle(PassArc arc, ext r, ext e, ext phi, float offset, ext factor)
{
    if (!plainEvaluation()) {
        const double rd = static_cast<double>(r), ed = static_cast<double>(e), phid = static_cast<double>(phi);
        // pi - phi and 2pi - phi are extended differences in the model; in
        // double the constant pi and the difference are rounded, within 2^-48
        // together (|pi - phi| < 4 pi), the difference with the stored 2pi by
        // 2^-53 of itself at most.
        const bool outer = arc == PassArc::Outer;
        const double wall = static_cast<double>(fp::twoPi) - phid;
        const TrigEstimate t = outer ? trigEstimate(3.14159265358979323846 - phid, 0x1p-48)
                                     : trigEstimate(wall, std::fabs(wall) * 0x1p-52);
        const double N = rd * t.sin;
        const double M = outer ? ed - rd * t.cos : rd * t.cos + ed;
        const double dv = 2.0 * std::fabs(rd) * t.error + (std::fabs(rd) + std::fabs(ed)) * 0x1p-50;
        const double v = std::sqrt(N * N + M * M);
        if (std::fabs(M) > 2.0 * dv && dv < v * 1e-3) {
            const double a = std::atan(N / M);
            const double aError = 1.5707963267948966 * dv / (v - dv) + std::fabs(a) * 0x1p-46;
            const double f = static_cast<double>(factor), o = offset;
            const double value = offset == 0.0f ? f * a : o + f * a;
            float stored = 0;
            if (storedFloat(value, std::fabs(f) * aError + (std::fabs(o) + std::fabs(f * a)) * 0x1p-50, stored))
                return stored;
        }
    }
    const ext a = arc == PassArc::Outer ? outerPassArc(r, e, phi) : wallPassArc(r, e, phi);
    return offset == 0.0f ? store(factor * a) : store(offset + factor * a);
}

namespace {

// Angles at the cutter axis (first) and at the bore axis (second) in the
// triangle bore axis, cutter axis, force point with sides e, r and rho.
// Both angles are stored; the bar torque starts from the stored angle at
// the bore axis.
struct TriangleAngles {
    ext atCutter = 0;
    ext atBore = 0;
};

TriangleAngles triangleAngles(ext r, ext rho, ext e)
{
    TriangleAngles a;
    if (r != 0.0L) {
        float cutter = 0, bore = 0;
        const double rd = static_cast<double>(r), rhod = static_cast<double>(rho), ed = static_cast<double>(e);
        if (!plainEvaluation() && storedTriangleAngle(rd, ed, rhod, cutter) &&
            storedTriangleAngle(rhod, ed, rd, bore)) {
            a.atCutter = cutter;
            a.atBore = bore;
            return a;
        }
        a.atCutter = store(guardedArccos(fp::div(r * r + e * e - rho * rho, 2.0L * r * e)));
        a.atBore = store(guardedArccos(fp::div(rho * rho + e * e - r * r, 2.0L * rho * e)));
    }
    return a;
}

// The bar torque float((cos b2 FA rhoA + cos b4 FS rhoS) 0.001) from double
// cosines of the stored angles (estimate.h).
bool estimateBarTorque(ext atBoreA, ext FArhoA, ext atBoreS, ext FSrhoS, float& out)
{
    const double a = static_cast<double>(FArhoA), s = static_cast<double>(FSrhoS);
    const TrigEstimate ca = trigEstimate(static_cast<double>(atBoreA), 0.0);
    const TrigEstimate cs = trigEstimate(static_cast<double>(atBoreS), 0.0);
    const double coefficients = (std::fabs(a) + std::fabs(s)) * 0.001;
    return storedFloat((ca.cos * a + cs.cos * s) * 0.001,
                       sumError(coefficients, (std::fabs(a) * ca.error + std::fabs(s) * cs.error) * 0.001, 0.0), out);
}

constexpr ext torqueFactor = 0.001L;
constexpr ext powerFactor = 1.0L / 60000.0L;

}  // namespace

void rectangularLoads(const ParameterSet& p, SimulationState& s)
{
    ChipSection& c = s.section;
    const ext hA = c.axialEdgeDepth, bA = c.axialEdgeWidth;
    const ext hS = c.sideEdgeDepth, bS = c.sideEdgeWidth;
    const ext rA = c.axialEdgeLever, rS = c.sideEdgeLever;
    const ext rhoA = c.axialEdgeBarDistance, rhoS = c.sideEdgeBarDistance;
    const ext e = s.pathRadius;
    const ext n = s.spindleSpeed;

    const ext FA = store(toothSpecificForce(ForceLaw::AxialCutting, c.axialEdgeDepth, p, s) * hA * bA);
    const ext FS = store(toothSpecificForce(ForceLaw::SideCutting, c.sideEdgeDepth, p, s) * hS * bS);
    s.toothCuttingForce = store(FA + FS);
    s.toothNormalForce = store(toothSpecificForce(ForceLaw::SideFeed, c.sideEdgeDepth, p, s) * hS * bS);
    s.toothArea = store(hA * bA + bS * hS);

    const TriangleAngles axial = triangleAngles(rA, rhoA, e);
    const TriangleAngles side = triangleAngles(rS, rhoS, e);

    s.toothCutterTorque = store((FA * rA + FS * rS) * torqueFactor);
    float torque = 0;
    ext barTorque = !plainEvaluation() && estimateBarTorque(axial.atBore, FA * rhoA, side.atBore, FS * rhoS, torque)
                        ? torque
                        : store((fp::cos(axial.atBore) * FA * rhoA + fp::cos(side.atBore) * FS * rhoS) * torqueFactor);
    const ext halfPi = fp::halfPi;
    if (e > rhoA && e > rhoS && axial.atCutter + axial.atBore <= halfPi && side.atCutter + side.atBore <= halfPi)
        barTorque = -barTorque;
    s.toothBarTorque = store(barTorque);
    s.toothPower = store((FA * rA + FS * rS) * n * static_cast<ext>(fp::twoPi) * powerFactor);
}

void rhombicLoads(const ParameterSet& p, SimulationState& s)
{
    const ChipSection& c = s.section;
    const ext hS = c.sideEdgeDepth, bS = c.sideEdgeWidth, rS = c.sideEdgeLever;
    const ext n = s.spindleSpeed;

    s.toothCuttingForce = store(toothSpecificForce(ForceLaw::SideCutting, c.sideEdgeDepth, p, s) * hS * bS);
    s.toothNormalForce = store(toothSpecificForce(ForceLaw::SideFeed, c.sideEdgeDepth, p, s) * hS * bS);
    s.toothArea = store(hS * bS);
    const ext Fc = s.toothCuttingForce;
    s.toothCutterTorque = store(torqueFactor * Fc * rS);
    s.toothPower = store(Fc * rS * n * static_cast<ext>(fp::twoPi) * powerFactor);
    s.toothBarTorque = 0;
}

}  // namespace orbiton::detail
