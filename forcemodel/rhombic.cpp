// Chip sections of the rhombic insert: one inclined edge at the setting
// angle; in the inner ranges the axial depth comes from a radial search
// along the edge.
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>

#include "forcemodel/estimate.h"
#include "forcemodel/forcemodel.h"
#include "forcemodel/searchbounds.h"
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

// How the searches are evaluated.
//
// The plain evaluation takes every step in extended precision exactly as
// the model defines it (stepContinues below). It is kept as the reference.
//
// The fast path gives the same result with far fewer exact steps. Nearly all
// steps of a search lie far from the radius where the edge height H meets
// the comparison height J, and there H - J > 0 with room to spare:
//
// 1. Blocks. H falls with r (H = float(tan(kappa) (R - r)) with tan(kappa)
//    > 0, and rounding keeps order), so over a block of steps H is least at
//    the block's last radius, where it is evaluated exactly. J is bounded
//    from above over the whole block in real arithmetic, with the rounding
//    of every stored value taken at its worst (searchbounds.h): d lies in a
//    range found from the parabola d^2(r); the cosines grow with d and fall
//    with r; arccos falls with its argument; J grows with the angles and, in
//    the core search, falls with d. When the least H exceeds the greatest J,
//    every step of the block goes on, and the block is passed without
//    evaluating it. Blocks double while they pass and halve when they do
//    not, so a search of about 1000 steps needs some 20 to 30 checks.
// 2. Single steps near the crossing are screened by a double-precision
//    estimate with an error bound (the estimate starts from the unrounded
//    distance d, while the model rounds d to single precision first: at most
//    one unit in the last place, bounded here by two, and each cosine too;
//    the bound carries those errors through the derivative of the cosine
//    with respect to d and the slope of arccos).
// 3. A step that neither decides is evaluated exactly. In particular the
//    step that ends the search always is, and so is every step where d may
//    be 0 or its square root may fail: neither bound claims such a step.
//
// So the fast path takes exactly the exact steps' decisions and ends at the
// same step with the same exactly evaluated J.

std::atomic<bool> plainEvaluationOn{false};

// Error bound of a distance rounded to single precision (two units).
double distanceError(double d) { return std::fabs(d) * 0x1p-22; }

struct Angle {
    bool known = false;   // the estimate decides whether the cosine lies within [-1, 1]
    bool exists = false;  // the cosine lies within [-1, 1]
    double value = 0;     // arccos estimate
    double error = 0;     // bound of its error
};

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
    a.value = detail::fastArccos(k);
    a.error = kError / std::sqrt((1.0 - outer) * (1.0 + outer)) + detail::fastArccosError;
    return a;
}

// Whether the edge height certainly stays above an estimated comparison
// height.
bool clearlyAbove(ext edgeHeight, double estimate, double error)
{
    return static_cast<double>(edgeHeight) - estimate > 2.0 * error + 1e-12;
}

// Walks a search over its radii: blocks and single steps as described
// above, or every step exactly in the plain evaluation. A search provides
// blockContinues(first, last), blockPassed(last) and stepContinues(r, fast).
//
// Which blocks are tried only decides how fast the search gets there. The
// first block reaches to just before where a search of the same kind at a
// nearby tooth angle ended (hint, in steps). Then blocks double while they
// pass; once a block has failed, the next ones halve the distance to where
// it ended, a binary search for the last step the bound can pass.
template <class Search>
void walkRadii(Search& search, detail::RadialSteps& radii, bool fast, std::uint16_t& hint)
{
    constexpr int none = 1 << 30;
    int target = hint - hint / 16 - 2;  // pass up to here first
    int size = 8;                       // block size while blocks pass
    int failedEnd = none;               // where the last failed block ended
    while (radii.more()) {
        const int at = radii.steps();
        int want = size;
        if (at < target)
            want = target - at;
        else if (failedEnd > at && failedEnd != none)
            want = (failedEnd - at) / 2;
        else
            failedEnd = none;
        if (fast && want >= 2) {
            const int n = radii.block(want);
            if (n >= 2) {
                if (search.blockContinues(radii.ahead(1), radii.ahead(n))) {
                    radii.skip(n);
                    search.blockPassed(radii.radius());
                    if (want == size && n == want && failedEnd == none)
                        size *= 2;
                    continue;
                }
                target = 0;
                failedEnd = at + n;
                size = 8;
                continue;
            }
        }
        if (!radii.step())
            break;
        if (!search.stepContinues(radii.radius(), fast))
            break;
    }
    hint = static_cast<std::uint16_t>(radii.steps());
}

// The hint of a search: 64 sectors of the tooth angle.
std::uint16_t& searchHint(std::array<std::uint16_t, 64>& hints, ext phi)
{
    const double turns = static_cast<double>(phi) / 6.283185307179586;
    const int sector = static_cast<int>((turns - std::floor(turns)) * 64.0);
    return hints[static_cast<std::size_t>(std::clamp(sector, 0, 63))];
}

struct RhombicInput {
    ext e, R, Ri, DF, w, c, fzA, fax, kappa, q, coreAngle, rV;
    ext tanKappa, sinKappa, cosKappa;
    char boundary;
};

RhombicInput rhombicInput(const ParameterSet& p, SimulationState& s)
{
    RhombicInput in;
    in.e = s.pathRadius;
    in.R = store(static_cast<ext>(p.cutterDiameter) / 2.0L);
    in.Ri = store(static_cast<ext>(s.innerEdgeDiameter) / 2.0L);
    in.DF = p.cutterDiameter;
    in.w = p.insertWidth;
    in.c = s.chipFeed;
    in.fzA = s.axialFeedPerTooth;
    in.fax = p.axialFeedPerRev;
    in.kappa = p.settingAngle;
    const SettingAngleTrig& kappa = s.settingAngleTrig.of(p.settingAngle);
    in.tanKappa = kappa.tan;
    in.sinKappa = kappa.sin;
    in.cosKappa = kappa.cos;
    in.q = s.axisOverlap;
    in.coreAngle = s.coreAngle;
    in.rV = s.materialBoundaryRadius;
    in.boundary = s.materialBoundaryCase;
    return in;
}

// Side-edge section of the outer ranges: thickness c, width a_p. Where the
// pre-bore wall crosses the edge, the edge cuts the full thickness while
// the wall stays inside R - c, and only the ring outside the wall beyond
// that.
void rhombicOuterSection(const RhombicInput& in, SimulationState& s, ext passAngle)
{
    s.axialDepth = store(in.fax * detail::noNegativePass(passAngle) / static_cast<ext>(fp::twoPi));
    ChipSection& sec = s.section;
    const ext R = in.R, c = in.c, rV = in.rV;
    if (in.boundary == 'I') {
        sec.axialEdgeDepth = 0;
        sec.axialEdgeWidth = 0;
        sec.sideEdgeWidth = s.axialDepth;
        sec.sideEdgeDepth = s.chipFeed;
        sec.axialEdgeLever = 0;
        sec.sideEdgeLever = store((in.DF - static_cast<ext>(sec.sideEdgeDepth)) / 2.0L);
    } else if (in.boundary == 'W' && rV < R - c) {
        sec.sideEdgeWidth = s.axialDepth;
        sec.sideEdgeDepth = s.chipFeed;
        sec.sideEdgeLever = store(R - c / 2.0L);
    } else if (in.boundary == 'W' && R - c <= rV && rV < R) {
        sec.sideEdgeWidth = s.axialDepth;
        sec.sideEdgeDepth = store(R - rV);
        sec.sideEdgeLever = store(R - static_cast<ext>(sec.sideEdgeDepth) / 2.0L);
    }
}

// The chip thickness of the inclined edge: the fast evaluation takes it
// from double-precision atan, cos and sqrt where the bound proves the float
// (estimate.h). halfPi - kappa is exact in either precision; atan(fzA / c)
// errs by a few units in the last place and by less than 2^-54 for the
// quotient's rounding; the difference rounds by 2^-52 of itself; the cosine
// moves by no more than its argument and errs by its own bound; the length
// sqrt(c^2 + fzA^2) of two floats rounds by 2^-52 of itself.
bool estimateChipThickness(ext c, ext fzA, ext kappa, float& out)
{
    if (c == 0.0L)
        return false;
    const double cd = static_cast<double>(c), fd = static_cast<double>(fzA);
    const double a = std::atan(fd / cd);
    const double arg = (static_cast<double>(fp::halfPi) - static_cast<double>(kappa)) - a;
    const detail::TrigEstimate t =
        detail::trigEstimate(arg, std::fabs(a) * 0x1p-46 + 0x1p-54 + std::fabs(arg) * 0x1p-52);
    const double length = std::sqrt(cd * cd + fd * fd);
    return detail::storedFloat(length * t.cos, length * t.error + std::fabs(length * t.cos) * 0x1p-50, out);
}

// Section of the inclined edge with the engaged length a_p / sin(kappa),
// measured from the corner inwards. Where the pre-bore wall crosses the
// edge only the part outside the wall cuts: at most (R - r_V) / cos(kappa).
// The force acts halfway along the engaged length, at the radius
// R - b cos(kappa) / 2.
//
// The engaged length cannot exceed the edge, w / cos(kappa). Where the
// material near the bore axis stands higher than the inner end of the edge
// (a core search can find that) the run is refused.
void inclinedEdgeSection(const RhombicInput& in, SimulationState& s)
{
    if (in.boundary == 'A' || (in.boundary == 'W' && !(in.rV < in.R)))
        return;
    ChipSection& sec = s.section;
    const ext c = in.c, fzA = in.fzA;
    const ext halfPi = fp::halfPi;
    float depth = 0;
    if (!(!plainEvaluationOn.load(std::memory_order_relaxed) && estimateChipThickness(c, fzA, in.kappa, depth)))
        depth = store(fp::sqrt(c * c + fzA * fzA) * fp::cos((halfPi - in.kappa) - fp::arctan(fp::div(fzA, c))));
    ext engaged = fp::div(static_cast<ext>(s.axialDepth), in.sinKappa);
    if (in.boundary == 'W')
        engaged = std::min(engaged, fp::div(in.R - in.rV, in.cosKappa));
    const float width = store(engaged);
    if (static_cast<ext>(width) > fp::div(in.w, in.cosKappa))
        throw RunRefused(messages::chipWidthBeyondEdge);
    sec.sideEdgeDepth = depth;
    sec.sideEdgeWidth = width;
    sec.axialEdgeDepth = 0;
    sec.axialEdgeWidth = 0;
    sec.axialEdgeLever = 0;
    sec.sideEdgeLever = store(in.R - static_cast<ext>(sec.sideEdgeWidth) * in.cosKappa / 2.0L);
}

// The edge search at one tooth angle: the axial depth where the edge meets
// the surface cut along the periphery, 0 when the edge is passed without a
// hit. Depends on the tooth angle and run constants only.
class EdgeSearch {
public:
    // cos(phi - pi): the model's argument is the extended difference, the
    // double one lies within 2^-48 of it (|phi - pi| < 4 pi).
    EdgeSearch(const RhombicInput& in, ext phi)
        : e_(in.e), R_(in.R), fax_(in.fax), tanKappa_(in.tanKappa),
          cosAngle_(phi - fp::pi, static_cast<double>(phi) - 3.14159265358979323846, 0x1p-48)
    {
    }

    // Plain step at radius r, as the model defines it: whether the search
    // goes on. The two cosines keep their values over a step where d is 0.
    bool exactStep(ext r)
    {
        const ext H = store(tanKappa_ * (R_ - r));
        const ext d = cosinesAt(r);
        if (d > 0.0L)
            cosinesOfLastStep_ = true;
        else if (!cosinesOfLastStep_)
            cosinesAt(lastR_);  // a passed step's cosines, which the model would have kept
        const bool angles = kP_ >= -1.0L && kP_ <= 1.0L && kQ_ >= -1.0L && kQ_ <= 1.0L;
        const ext beta = angles ? static_cast<ext>(store(fp::arccos(kP_) + fp::arccos(kQ_))) : 0.0L;
        const ext J = store(beta / twoPi_ * fax_);
        if (H - J > 0.0L)
            return true;
        depth = store(J);
        return false;
    }

    bool stepContinues(float r, bool fast)
    {
        if (fast && screenedStepContinues(r)) {
            blockPassed(r);
            return true;
        }
        return exactStep(r);
    }

    // Whether every step with a radius in [first, last] goes on (proof above
    // and in searchbounds.h).
    bool blockContinues(float first, float last) const
    {
        const double r1 = first, r2 = last;
        // H of every step far from the single-precision overflow.
        if (!(tanKappa_ > 0.0L) || !(feedPerRadian_ >= 0.0) || !(tanKd_ * (Rd_ - r1) < 1e30))
            return false;
        const detail::DistanceRange d = detail::storedDistanceRange(ed_, cd_, cError_, r1, r2);
        if (!d.known)
            return false;
        const double J = detail::edgeHeightUpperBound(detail::storedBoreCosineLowerBound(ed_, cd_, cError_, r2, d),
                                                      detail::storedCosineQLowerBound(ed_, Rd_, d), feedPerRadian_);
        const ext H = store(tanKappa_ * (R_ - static_cast<ext>(last)));
        return static_cast<double>(H) > J;  // false for NaN
    }

    // The steps up to radius r were passed without evaluating them; d > 0
    // there, so the model would have taken the cosines of the last of them.
    void blockPassed(float r)
    {
        cosinesOfLastStep_ = false;
        lastR_ = r;
    }

    float depth = 0;

private:
    ext cosinesAt(ext radius)
    {
        const ext e = e_;
        const ext c = cosAngle_.exact(fp::cos);
        const ext d = store(fp::sqrt(radius * radius + e * e - c * 2.0L * radius * e));
        if (d > 0.0L) {
            kP_ = store(fp::div(e * e + d * d - radius * radius, 2.0L * e * d));
            kQ_ = store(fp::div(d * d + e * e - R_ * R_, 2.0L * d * e));
        }
        return d;
    }

    bool screenedStepContinues(float r) const
    {
        const double rd = r;
        const double d2 = rd * rd + ed_ * ed_ - cd_ * 2.0 * rd * ed_;
        if (!(d2 > 1e-6))
            return false;
        const ext H = store(tanKappa_ * (R_ - static_cast<ext>(r)));
        const double dd = std::sqrt(d2);
        const double dError = distanceError(dd) + ed_ * rd * cError_ / dd;
        const double slopeP = std::fabs(dd * dd - ed_ * ed_ + rd * rd) / (2.0 * ed_ * dd * dd);
        const double slopeQ = std::fabs(dd * dd - ed_ * ed_ + Rd_ * Rd_) / (2.0 * ed_ * dd * dd);
        const Angle p = angleOf((ed_ * ed_ + dd * dd - rd * rd) / (2.0 * ed_ * dd), slopeP * dError);
        const Angle q = angleOf((dd * dd + ed_ * ed_ - Rd_ * Rd_) / (2.0 * dd * ed_), slopeQ * dError);
        if ((p.known && !p.exists) || (q.known && !q.exists))
            return H > 0.0L;  // no angle: the comparison height is 0
        if (p.exists && q.exists) {
            const double J = (p.value + q.value) * feedPerRadian_;
            return clearlyAbove(H, J, (p.error + q.error) * feedPerRadian_ + J * 0x1p-21);
        }
        return false;
    }

    const ext e_, R_, fax_, tanKappa_;
    detail::SearchCosine cosAngle_;
    const ext twoPi_ = fp::twoPi;
    const double ed_ = static_cast<double>(e_), Rd_ = static_cast<double>(R_), cd_ = cosAngle_.estimate,
                 cError_ = cosAngle_.error;
    const double tanKd_ = static_cast<double>(tanKappa_);
    const double feedPerRadian_ = static_cast<double>(fax_) / static_cast<double>(fp::twoPi);
    ext kP_ = 0, kQ_ = 0;
    bool cosinesOfLastStep_ = true;  // kP, kQ belong to the last step with d > 0
    ext lastR_ = 0;
};

void rhombicEdgeSearch(const RhombicInput& in, SimulationState& s, ext phi)
{
    // The search depends on the tooth angle and the run's constants only:
    // a tooth angle that comes again takes the depth found before.
    ToothAngleValues* memo = s.toothAngleMemo ? s.toothAngleMemo->slot(static_cast<float>(phi)) : nullptr;
    if (memo && memo->edgeDepthKnown) {
        s.axialDepth = memo->edgeDepth;
    } else {
        EdgeSearch search(in, phi);
        const float delta = store((in.R - in.Ri) * 0.001L);
        detail::RadialSteps radii(static_cast<float>(in.Ri), delta, static_cast<float>(in.R), maxSearchSteps);
        walkRadii(search, radii, !plainEvaluationOn.load(std::memory_order_relaxed),
                  searchHint(s.searchHints.edge, phi));
        s.axialDepth = search.depth;
        if (memo) {
            memo->edgeDepth = search.depth;
            memo->edgeDepthKnown = true;
        }
    }
    inclinedEdgeSection(in, s);
}

// The core search at one tooth angle: from the inner end of the edge out to
// where the tooth's line meets the circle of radius q around the bore axis.
class CoreSearch {
public:
    CoreSearch(const RhombicInput& in, detail::SearchCosine& cu)
        : e_(in.e), R_(in.R), q_(in.q), fax_(in.fax), coreAngle_(in.coreAngle), tanKappa_(in.tanKappa), cu_(cu)
    {
    }

    // Plain step at radius r: whether the search goes on.
    bool exactStep(ext r)
    {
        const ext e = e_;
        const ext H = store(tanKappa_ * (R_ - r));
        const ext cu = cu_.exact(fp::cos);
        const ext d = store(fp::sqrt(e * e + r * r - cu * 2.0L * e * r));
        const ext k = store(fp::div(e * e + d * d - r * r, 2.0L * e * d));
        const ext beta = (k >= -1.0L && k <= 1.0L) ? static_cast<ext>(store(fp::arccos(k))) : 0.0L;
        const ext J = store(tanKappa_ * (q_ - d) + (coreAngle_ + beta) * fax_ / twoPi_);
        if (H - J > 0.0L)
            return true;
        depth = store(J);
        found = true;
        return false;
    }

    bool stepContinues(float r, bool fast)
    {
        if (fast && screenedStepContinues(r))
            return true;
        return exactStep(r);
    }

    // Whether every step with a radius in [first, last] goes on.
    bool blockContinues(float first, float last) const
    {
        const double r1 = first, r2 = last;
        if (!(tanKappa_ > 0.0L) || !(feedPerRadian_ >= 0.0) || !(tanKd_ * (Rd_ - r1) < 1e30))
            return false;
        const detail::DistanceRange d = detail::storedDistanceRange(ed_, cud_, cError_, r1, r2);
        if (!d.known)
            return false;
        const double J = detail::coreHeightUpperBound(detail::storedBoreCosineLowerBound(ed_, cud_, cError_, r2, d), d,
                                                      tanKd_, qd_, coreAngled_, feedPerRadian_);
        const ext H = store(tanKappa_ * (R_ - static_cast<ext>(last)));
        return static_cast<double>(H) > J;  // false for NaN
    }

    void blockPassed(float) {}

    float depth = 0;
    bool found = false;

private:
    bool screenedStepContinues(float r) const
    {
        const double rd = r;
        const double d2 = ed_ * ed_ + rd * rd - cud_ * 2.0 * ed_ * rd;
        if (!(d2 > 1e-6))
            return false;
        const ext H = store(tanKappa_ * (R_ - static_cast<ext>(r)));
        const double dd = std::sqrt(d2);
        const double dError = distanceError(dd) + ed_ * rd * cError_ / dd;
        const double slope = std::fabs(dd * dd - ed_ * ed_ + rd * rd) / (2.0 * ed_ * dd * dd);
        const Angle a = angleOf((ed_ * ed_ + dd * dd - rd * rd) / (2.0 * ed_ * dd), slope * dError);
        if (!a.known)
            return false;
        const double height = tanKd_ * (qd_ - dd);
        const double J = height + (coreAngled_ + a.value) * feedPerRadian_;
        const double error =
            std::fabs(tanKd_) * dError + a.error * feedPerRadian_ + (std::fabs(height) + std::fabs(J)) * 0x1p-21;
        return clearlyAbove(H, J, error);
    }

    const ext e_, R_, q_, fax_, coreAngle_, tanKappa_;
    detail::SearchCosine& cu_;
    const ext twoPi_ = fp::twoPi;
    const double ed_ = static_cast<double>(e_), Rd_ = static_cast<double>(R_), cud_ = cu_.estimate, cError_ = cu_.error,
                 qd_ = static_cast<double>(q_);
    const double tanKd_ = static_cast<double>(tanKappa_);
    const double feedPerRadian_ = static_cast<double>(fax_) / static_cast<double>(fp::twoPi);
    const double coreAngled_ = static_cast<double>(coreAngle_);
};

void rhombicCoreSearch(const RhombicInput& in, SimulationState& s, ext phi)
{
    const ext e = in.e, q = in.q;
    s.axialDepth = 0;
    const ext u = store(phi - fp::pi);
    // cos(u) of the float u; the fast evaluation takes p from its estimate
    // where the bound proves the float (estimate.h) and the exact cosine
    // only if an exact step needs it.
    detail::SearchCosine cu(u, static_cast<double>(u), 0.0);
    const bool fast = !plainEvaluationOn.load(std::memory_order_relaxed);
    float pStored = 0;
    if (!(fast && detail::storedFloat(cu.estimate * 2.0 * static_cast<double>(e),
                                      2.0 * static_cast<double>(e) * cu.error, pStored)))
        pStored = store(cu.exact(fp::cos) * 2.0L * e);
    const ext p = pStored;
    const ext D = store(p * p - 4.0L * (e * e - q * q));
    const ext rho1 = store((p + fp::sqrt(D)) / 2.0L);
    const ext rho2 = store((p - fp::sqrt(D)) / 2.0L);
    const ext rhoMax = rho1 >= rho2 ? rho1 : rho2;
    const float delta = store((rhoMax - in.Ri) * 0.001L);

    CoreSearch search(in, cu);
    detail::RadialSteps radii(static_cast<float>(in.Ri), delta, static_cast<float>(rhoMax), maxSearchSteps);
    walkRadii(search, radii, fast, searchHint(s.searchHints.core, phi));
    if (search.found) {
        s.axialDepth = search.depth;
        inclinedEdgeSection(in, s);
    } else {
        rhombicEdgeSearch(in, s, phi);
    }
}

}  // namespace

namespace detail {
void setPlainEvaluation(bool plain) { plainEvaluationOn.store(plain, std::memory_order_relaxed); }
bool plainEvaluation() { return plainEvaluationOn.load(std::memory_order_relaxed); }
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
        rhombicOuterSection(in, s, detail::passAngle(detail::PassArc::Outer, in.R, in.e, x, fp::twoPi, -2.0L));
    }
    if ((x >= T1 && x < T2) || (x >= T1 + twoPi && x < T2 + twoPi)) {
        s.activeEdge = 'A';
        rhombicOuterSection(in, s, detail::passAngle(detail::PassArc::Outer, in.R, in.e, x, 0.0f, -2.0L));
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
        rhombicOuterSection(in, s, detail::passAngle(detail::PassArc::Wall, in.R, in.e, x, fp::twoPi, -2.0L));
    }

    detail::rhombicLoads(p, s);
}

}  // namespace orbiton
