// Chip feed: the distance from the insert's mid point to the path of the
// preceding tooth, found by a Newton iteration over time.
#include <cmath>

#include "forcemodel/estimate.h"
#include "forcemodel/forcemodel.h"
#include "model/fpmath.h"

namespace orbiton {

using fp::ext;
using fp::store;

namespace {
// The iteration normally ends after three Newton steps; the bound only
// matters for degenerate geometry.
constexpr int maxChipFeedIterations = 100;

// Most of the chip feed's time goes into extended-precision sines and
// cosines. The fast path estimates them in double precision and takes a
// stored value from the estimate when its error bound proves which float the
// model stores (estimate.h); everything else, and every value the bound
// cannot decide, is evaluated exactly as below. The arithmetic between the
// stored values (t, H, passOrbitAngle) is always the model's own.

// The stored values of one Newton iteration.
struct Iterate {
    float Fx, Fy, Dx, Dy, Gx, Gy;
};

struct IterateInput {
    ext sd, e, rm, wo, wr, X0, Y0;
};

// The target point from estimates of sin and cos(a + phi). The model's
// argument a + phi is the exact sum rounded to extended precision; its
// double counterpart is within 2^-52 of the sum. The axis's sine and cosine
// are the model's own, converted to double (2^-53 of them, within the
// rounding allowance of sumError).
bool estimateTarget(ext e, ext rm, const AngleTrig& axis, ext a, float phi, ext& X0, ext& Y0)
{
    const double arg = static_cast<double>(a) + static_cast<double>(phi);
    const detail::TrigEstimate mid = detail::trigEstimate(arg, std::fabs(arg) * 0x1p-52);
    const double ed = static_cast<double>(e), rmd = static_cast<double>(rm);
    const double error = detail::sumError(std::fabs(ed) + std::fabs(rmd), std::fabs(rmd) * mid.error, 0.0);
    float x = 0, y = 0;
    if (!detail::storedFloat(ed * static_cast<double>(axis.cos) + rmd * mid.cos, error, x) ||
        !detail::storedFloat(ed * static_cast<double>(axis.sin) + rmd * mid.sin, error, y))
        return false;
    X0 = x;
    Y0 = y;
    return true;
}

// One iteration's six stored values from estimates of sin and cos of the
// stored angles u and v (exact in double). The coefficients e wo and rm wr
// are exact in both precisions, e wo^2 and rm wr^2 round within the
// allowance of sumError.
bool estimateIterate(const IterateInput& in, ext u, ext v, Iterate& out)
{
    const detail::TrigEstimate tu = detail::trigEstimate(static_cast<double>(u), 0.0);
    const detail::TrigEstimate tv = detail::trigEstimate(static_cast<double>(v), 0.0);
    const double sd = static_cast<double>(in.sd), e = static_cast<double>(in.e), rm = static_cast<double>(in.rm);
    const double wo = static_cast<double>(in.wo), wr = static_cast<double>(in.wr);
    const double X0 = static_cast<double>(in.X0), Y0 = static_cast<double>(in.Y0);
    const double eo = e * wo, rr = rm * wr, eoo = e * wo * wo, rrr = rm * wr * wr;
    const auto error = [&](double c1, double c2, double constant) {
        c1 = std::fabs(c1);
        c2 = std::fabs(c2);
        return detail::sumError(c1 + c2, c1 * tu.error + c2 * tv.error, constant);
    };
    return detail::storedFloat(e * tu.cos + rm * tv.cos - X0, error(e, rm, X0), out.Fx) &&
           detail::storedFloat(sd * e * tu.sin + rm * tv.sin - Y0, error(e, rm, Y0), out.Fy) &&
           detail::storedFloat(-eo * tu.sin - rr * tv.sin, error(eo, rr, 0.0), out.Dx) &&
           detail::storedFloat(sd * eo * tu.cos + rr * tv.cos, error(eo, rr, 0.0), out.Dy) &&
           detail::storedFloat(-eoo * tu.cos - rrr * tv.cos, error(eoo, rrr, 0.0), out.Gx) &&
           detail::storedFloat(-sd * eoo * tu.sin - rrr * tv.sin, error(eoo, rrr, 0.0), out.Gy);
}

}  // namespace

void computeChipFeed(const ParameterSet& p, SimulationState& s, float start, float phi)
{
    const ext sd = p.millingDirection == -1 ? -1.0L : 1.0L;
    const ext e = s.pathRadius;
    const ext psi = s.orbitAngle;
    const ext dPsi = s.orbitAnglePerTooth;
    const ext wo = s.circularAngularSpeed;
    const ext ws = s.spindleAngularSpeed;
    const bool fast = !detail::plainEvaluation();

    const ext rm = store(static_cast<ext>(s.insertMidDiameter) / 2.0L);
    const ext psiPrev = store(psi - dPsi);
    const ext v0 = store(sd * psiPrev + phi);
    const ext wr = store(sd * wo + ws);

    // Target point: the insert's mid point at the current position. The
    // axis's angle is the same for every tooth of a step.
    const ext a = store(sd * psi);
    const AngleTrig& axis = a == psi ? s.orbitAngleTrig.of(s.orbitAngle) : s.chipFeedAxisTrig.of(static_cast<float>(a));
    ext X0 = 0, Y0 = 0;
    if (!(fast && estimateTarget(e, rm, axis, a, phi, X0, Y0))) {
        const fp::SinCos mid = fp::sincos(a + phi);
        X0 = store(e * axis.cos + rm * mid.cos);
        Y0 = store(e * axis.sin + rm * mid.sin);
    }

    ext t = 0;
    ext Hprev = start;
    ext H = 0;
    for (int iteration = 0; iteration < maxChipFeedIterations; ++iteration) {
        const ext u = store(wo * t + psiPrev);
        const ext v = store(wr * t + v0);
        Iterate it;
        if (!(fast && estimateIterate(IterateInput{sd, e, rm, wo, wr, X0, Y0}, u, v, it))) {
            const fp::SinCos scu = fp::sincos(u), scv = fp::sincos(v);
            const ext cu = scu.cos, su = scu.sin, cv = scv.cos, sv = scv.sin;
            it.Fx = store(e * cu + rm * cv - X0);
            it.Fy = store(sd * e * su + rm * sv - Y0);
            it.Dx = store(-(e * wo) * su - (rm * wr) * sv);
            it.Dy = store(sd * (e * wo) * cu + (rm * wr) * cv);
            it.Gx = store(-(e * wo * wo) * cu - (rm * wr * wr) * cv);
            it.Gy = store(-sd * (e * wo * wo) * su - (rm * wr * wr) * sv);
        }
        const ext Fx = it.Fx, Fy = it.Fy, Dx = it.Dx, Dy = it.Dy, Gx = it.Gx, Gy = it.Gy;
        t = store(t - fp::div(Dx * Fx + Dy * Fy, Gx * Fx + Dx * Dx + Gy * Fy + Dy * Dy));
        H = store(fp::sqrt(Fx * Fx + Fy * Fy));
        s.passOrbitAngle = store(dPsi - wo * t);
        // A distance of exactly 0 means the point lies on the preceding path.
        if (H == 0.0L)
            break;
        if (std::fabs(Hprev - H) / H <= 0.01L)
            break;
        Hprev = H;
    }
    s.chipFeed = store(H);
}

}  // namespace orbiton
