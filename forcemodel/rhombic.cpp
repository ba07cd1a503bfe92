// Chip sections of the rhombic insert: one inclined edge at the setting
// angle; in the inner ranges the axial depth comes from a radial search
// along the edge.
#include "forcemodel/forcemodel.h"
#include "forcemodel/toothloads.h"
#include "model/fpmath.h"

namespace orbiton {

using fp::ext;
using fp::store;

namespace {

// Each search advances r by a thousandth of its radial span. When the span
// is so small that a step no longer changes r in single precision, or after
// this many steps, the search ends as if it had reached the end of the edge.
constexpr int maxSearchSteps = 2000;

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
void inclinedEdgeSection(const RhombicInput& in, SimulationState& s)
{
    ChipSection& sec = s.section;
    const ext c = in.c, fzA = in.fzA;
    const ext halfPi = fp::halfPi;
    sec.sideEdgeDepth = store(fp::sqrt(c * c + fzA * fzA)
                              * fp::cos((halfPi - in.kappa) - fp::arctan(fp::div(fzA, c))));
    sec.sideEdgeWidth = store(fp::div(static_cast<ext>(s.axialDepth), fp::sin(in.kappa)));
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
    const ext twoPi = fp::twoPi;
    ext r = in.Ri;
    ext kP = 0, kQ = 0;
    s.axialDepth = 0;
    for (int step = 0; r < R && step < maxSearchSteps; ++step) {
        const ext next = store(r + delta);
        if (next == r)
            break;
        r = next;
        const ext d = store(fp::sqrt(r * r + e * e - fp::cos(phi - fp::pi) * 2.0L * r * e));
        if (d > 0.0L) {
            kP = store(fp::div(e * e + d * d - r * r, 2.0L * e * d));
            kQ = store(fp::div(d * d + e * e - R * R, 2.0L * d * e));
        }
        ext beta = 0;
        if (kP >= -1.0L && kP <= 1.0L && kQ >= -1.0L && kQ <= 1.0L)
            beta = store(fp::arccos(kP) + fp::arccos(kQ));
        const ext J = store(beta / twoPi * in.fax);
        const ext H = store(tanKappa * (R - r));
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
    for (int step = 0; r < rhoMax && step < maxSearchSteps; ++step) {
        const ext next = store(r + delta);
        if (next == r)
            break;
        r = next;
        const ext d = store(fp::sqrt(e * e + r * r - cu * 2.0L * e * r));
        const ext k = store(fp::div(e * e + d * d - r * r, 2.0L * e * d));
        const ext beta = (k >= -1.0L && k <= 1.0L) ? static_cast<ext>(store(fp::arccos(k))) : 0.0L;
        const ext J = store(tanKappa * (q - d) + (in.coreAngle + beta) * in.fax / twoPi);
        const ext H = store(tanKappa * (R - r));
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

void computeToothLoadRhombic(const ParameterSet& p, SimulationState& s, float phi)
{
    s.section = ChipSection{};
    const RhombicInput in = rhombicInput(p, s);
    const ext x = phi;
    const ext T1 = s.transitionAngle1, T2 = s.transitionAngle2, T3 = s.transitionAngle3,
              T4 = s.transitionAngle4;
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
