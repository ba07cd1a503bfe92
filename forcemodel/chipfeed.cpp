// Chip feed: the distance from the insert's mid point to the path of the
// preceding tooth, found by a Newton iteration over time.
#include <cmath>

#include "forcemodel/forcemodel.h"
#include "model/fpmath.h"

namespace orbiton {

using fp::ext;
using fp::store;

namespace {
// The iteration normally ends after three Newton steps; the bound only
// matters for degenerate geometry.
constexpr int maxChipFeedIterations = 100;
}  // namespace

void computeChipFeed(const ParameterSet& p, SimulationState& s, float start, float phi)
{
    const ext sd = p.millingDirection == -1 ? -1.0L : 1.0L;
    const ext e = s.pathRadius;
    const ext psi = s.orbitAngle;
    const ext dPsi = s.orbitAnglePerTooth;
    const ext wo = s.circularAngularSpeed;
    const ext ws = s.spindleAngularSpeed;

    const ext rm = store(static_cast<ext>(s.insertMidDiameter) / 2.0L);
    const ext psiPrev = store(psi - dPsi);
    const ext v0 = store(sd * psiPrev + phi);
    const ext wr = store(sd * wo + ws);

    // Target point: the insert's mid point at the current position.
    const ext a = store(sd * psi);
    const fp::SinCos axis = fp::sincos(a);
    const fp::SinCos mid = fp::sincos(a + phi);
    const ext X0 = store(e * axis.cos + rm * mid.cos);
    const ext Y0 = store(e * axis.sin + rm * mid.sin);

    ext t = 0;
    ext Hprev = start;
    ext H = 0;
    for (int iteration = 0; iteration < maxChipFeedIterations; ++iteration) {
        const ext u = store(wo * t + psiPrev);
        const ext v = store(wr * t + v0);
        const fp::SinCos scu = fp::sincos(u), scv = fp::sincos(v);
        const ext cu = scu.cos, su = scu.sin, cv = scv.cos, sv = scv.sin;
        const ext Fx = store(e * cu + rm * cv - X0);
        const ext Fy = store(sd * e * su + rm * sv - Y0);
        const ext Dx = store(-(e * wo) * su - (rm * wr) * sv);
        const ext Dy = store(sd * (e * wo) * cu + (rm * wr) * cv);
        const ext Gx = store(-(e * wo * wo) * cu - (rm * wr * wr) * cv);
        const ext Gy = store(-sd * (e * wo * wo) * su - (rm * wr * wr) * sv);
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
