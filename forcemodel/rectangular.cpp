// Chip sections of the rectangular insert: the axial edge on the end face
// and the outer or inner side edge, for the three pre-bore cases, with the
// axial offset of alternate teeth.
#include <algorithm>
#include <cmath>

#include "forcemodel/estimate.h"
#include "forcemodel/forcemodel.h"
#include "forcemodel/toothloads.h"
#include "model/fpmath.h"

namespace orbiton {

using fp::ext;
using fp::store;

namespace {

// Values of the current tooth the section steps share.
struct SectionInput {
    ext e, R, Ri, w, DF, c, fzA, rV, fax;
    ext sinPsi, cosPsi;  // of the orbit angle
    float phi;
    SimulationState* state;  // for the sine and cosine of the tooth angle
    char boundary;
};

SectionInput sectionInput(const ParameterSet& p, SimulationState& s, float phi)
{
    SectionInput in;
    in.e = s.pathRadius;
    in.R = store(static_cast<ext>(p.cutterDiameter) / 2.0L);
    in.Ri = store(static_cast<ext>(s.innerEdgeDiameter) / 2.0L);
    in.w = p.insertWidth;
    in.DF = p.cutterDiameter;
    in.c = s.chipFeed;
    in.fzA = s.axialFeedPerTooth;
    in.rV = s.materialBoundaryRadius;
    in.fax = p.axialFeedPerRev;
    const AngleTrig& psi = s.orbitAngleTrig.of(s.orbitAngle);
    in.sinPsi = psi.sin;
    in.cosPsi = psi.cos;
    in.phi = phi;
    in.state = &s;
    in.boundary = s.materialBoundaryCase;
    return in;
}

// Distance of the edge point at radius r from the bore axis, as the model
// takes it. The fast evaluation takes it from the estimated sine and cosine
// of the tooth angle where the bound proves the float (estimate.h): each
// sum errs by r 2^-46 and its roundings, the length by the length of the
// sums' errors.
float barDistance(const SectionInput& in, ext r)
{
    if (!detail::plainEvaluation()) {
        const AngleEstimate& t = in.state->toothAngleEstimate.of(in.phi);
        const double e = static_cast<double>(in.e), rd = static_cast<double>(r);
        const double sy = e * static_cast<double>(in.sinPsi) + rd * t.sin;
        const double sx = e * static_cast<double>(in.cosPsi) + rd * t.cos;
        const double error = 2.0 * detail::sumError(std::fabs(e) + std::fabs(rd), std::fabs(rd) * 0x1p-46, 0.0);
        float stored = 0;
        if (detail::storedFloat(std::sqrt(sy * sy + sx * sx), error, stored))
            return stored;
    }
    const AngleTrig& tooth = in.state->toothAngleTrig.of(in.phi);
    const ext sy = in.e * in.sinPsi + r * tooth.sin;
    const ext sx = in.e * in.cosPsi + r * tooth.cos;
    return store(fp::sqrt(sy * sy + sx * sx));
}

void outerEdgeSection(const SectionInput& in, SimulationState& s, ext passAngle)
{
    passAngle = detail::noNegativePass(passAngle);
    s.axialDepth = store(in.fax * passAngle / static_cast<ext>(fp::twoPi));
    ChipSection& sec = s.section;
    const ext R = in.R, c = in.c, rV = in.rV;
    if (in.boundary == 'W') {
        if (in.Ri <= rV && rV < R - c) {
            sec.axialEdgeDepth = s.axialFeedPerTooth;
            sec.axialEdgeWidth = store(R - c - rV);
            sec.sideEdgeWidth = s.axialDepth;
            sec.sideEdgeDepth = s.chipFeed;
            sec.axialEdgeLever = store((R - c) - static_cast<ext>(sec.axialEdgeWidth) / 2.0L);
            sec.sideEdgeLever = store((in.DF - static_cast<ext>(sec.sideEdgeDepth)) / 2.0L);
            sec.axialEdgeBarDistance = barDistance(in, sec.axialEdgeLever);
            sec.sideEdgeBarDistance = barDistance(in, sec.sideEdgeLever);
        } else if (R - c <= rV && rV < R) {
            // The axial edge is out of the material.
            sec.sideEdgeWidth = s.axialDepth;
            sec.sideEdgeDepth = store(R - rV);
            sec.sideEdgeLever = store(R - static_cast<ext>(sec.sideEdgeDepth) / 2.0L);
            sec.axialEdgeBarDistance = 0;
            sec.sideEdgeBarDistance = barDistance(in, sec.sideEdgeLever);
        }
    } else if (in.boundary == 'I') {
        sec.axialEdgeDepth = s.axialFeedPerTooth;
        sec.axialEdgeWidth = store(in.w - c);
        sec.sideEdgeWidth = s.axialDepth;
        sec.sideEdgeDepth = s.chipFeed;
        sec.axialEdgeLever =
            store((in.DF - static_cast<ext>(sec.axialEdgeWidth)) / 2.0L - static_cast<ext>(sec.sideEdgeDepth));
        sec.sideEdgeLever = store((in.DF - static_cast<ext>(sec.sideEdgeDepth)) / 2.0L);
        sec.axialEdgeBarDistance = barDistance(in, sec.axialEdgeLever);
        sec.sideEdgeBarDistance = barDistance(in, sec.sideEdgeLever);
    }
}

void innerEdgeSection(const SectionInput& in, SimulationState& s, ext passAngle)
{
    passAngle = detail::noNegativePass(passAngle);
    s.axialDepth = store(in.fax * passAngle / static_cast<ext>(fp::twoPi));
    ChipSection& sec = s.section;
    const ext R = in.R, Ri = in.Ri, c = in.c, rV = in.rV;
    if (in.boundary == 'W') {
        if (Ri + c < rV && rV <= R) {
            // The inner edge is out of the material.
            sec.axialEdgeDepth = s.axialFeedPerTooth;
            sec.axialEdgeWidth = store(R - rV);
            sec.axialEdgeLever = store((in.DF - static_cast<ext>(sec.axialEdgeWidth)) / 2.0L);
            sec.axialEdgeBarDistance = barDistance(in, sec.axialEdgeLever);
            sec.sideEdgeBarDistance = 0;
        } else if (Ri < rV && rV <= Ri + c) {
            sec.axialEdgeDepth = s.axialFeedPerTooth;
            sec.axialEdgeWidth = store(in.w - c);
            sec.sideEdgeWidth = s.axialDepth;
            sec.sideEdgeDepth = store(Ri + c - rV);
            sec.axialEdgeLever = store((in.DF - static_cast<ext>(sec.axialEdgeWidth)) / 2.0L);
            sec.sideEdgeLever =
                store((R - static_cast<ext>(sec.axialEdgeWidth)) - static_cast<ext>(sec.sideEdgeDepth) / 2.0L);
            sec.axialEdgeBarDistance = barDistance(in, sec.axialEdgeLever);
            sec.sideEdgeBarDistance = barDistance(in, sec.sideEdgeLever);
        }
    } else if (in.boundary == 'I') {
        sec.axialEdgeDepth = s.axialFeedPerTooth;
        sec.axialEdgeWidth = store(in.w - c);
        sec.sideEdgeWidth = s.axialDepth;
        sec.sideEdgeDepth = s.chipFeed;
        sec.axialEdgeLever = store((in.DF - static_cast<ext>(sec.axialEdgeWidth)) / 2.0L);
        sec.sideEdgeLever =
            store((R - static_cast<ext>(sec.axialEdgeWidth)) - static_cast<ext>(sec.sideEdgeDepth) / 2.0L);
        sec.axialEdgeBarDistance = barDistance(in, sec.axialEdgeLever);
        sec.sideEdgeBarDistance = barDistance(in, sec.sideEdgeLever);
    }
}

// Teeth work in pairs: even tooth 2j is set back by the offset and leaves
// that much of its axial chip and of its side width to odd tooth 2j - 1
// before it. Neither gives more than it has, so the material cut stays the
// same. With an odd tooth count the last tooth has no partner and keeps
// its section.
void applyAxialOffset(const ParameterSet& p, SimulationState& s, int i)
{
    if (i % 2 != 0 && i == p.toothCount)
        return;
    ChipSection& sec = s.section;
    const ext v = p.axialOffset;
    const ext a = sec.axialEdgeDepth, w = sec.sideEdgeWidth;
    const ext sign = i % 2 == 0 ? -1.0L : 1.0L;
    sec.axialEdgeDepth = store(a + sign * std::min(v, a));
    sec.sideEdgeWidth = store(w + sign * std::min(v, w));
}

}  // namespace

void computeToothLoadRectangular(const ParameterSet& p, SimulationState& s, int i, float phi)
{
    s.section = ChipSection{};
    const SectionInput in = sectionInput(p, s, phi);
    const ext x = phi;
    const ext T1 = s.transitionAngle1, T2 = s.transitionAngle2, T3 = s.transitionAngle3;
    const ext twoPi = fp::twoPi;
    const ext fourPi = 2.0L * twoPi;

    // Four ranges of the tooth angle; each test on its own.
    if ((x >= 0.0L && x < T1) || (x > twoPi && x <= T1 + twoPi)) {
        s.activeEdge = 'A';
        outerEdgeSection(in, s, detail::passAngle(detail::PassArc::Outer, in.R, in.e, x, fp::twoPi, -2.0L));
    }
    if ((x >= T1 && x < T2) || (x > T1 + twoPi && x <= T2 + twoPi)) {
        s.activeEdge = 'A';
        outerEdgeSection(in, s, detail::passAngle(detail::PassArc::Outer, in.R, in.e, x, 0.0f, -2.0L));
    }
    if ((x >= T2 && x < T3) || (x > T2 + twoPi && x <= T3 + twoPi)) {
        s.activeEdge = 'I';
        innerEdgeSection(in, s, detail::passAngle(detail::PassArc::Wall, in.Ri, in.e, x, 0.0f, 2.0L));
    }
    if ((x >= T3 && x <= twoPi) || (x > T3 + twoPi && x <= fourPi)) {
        s.activeEdge = 'A';
        outerEdgeSection(in, s, detail::passAngle(detail::PassArc::Wall, in.R, in.e, x, fp::twoPi, -2.0L));
    }

    if (p.axialOffset > 0.0f)
        applyAxialOffset(p, s, i);

    detail::rectangularLoads(p, s);
}

}  // namespace orbiton
