// The engagement simulation: set-up of a run, the step loop over one cutter
// revolution and all teeth, the engagement geometry of each tooth, force
// resolution, step totals, result rows and the means of the run.
#include "simulation/simulation.h"

#include <cmath>
#include <cstdio>

#include "forcemodel/estimate.h"
#include "forcemodel/forcemodel.h"
#include "model/errors.h"
#include "model/fpmath.h"
#include "model/numbertext.h"
#include "simulation/steps.h"

namespace orbiton {

using fp::ext;
using fp::store;

bool geometryIsValid(const ParameterSet& p)
{
    const ext D = p.boreDiameter, d = p.cutterDiameter, b = p.insertWidth;
    return d < D && D * 0.5L < d && d - D * 0.5L < b && b < d * 0.5L;
}

std::string geometryWarning(const ParameterSet& p)
{
    const ext D = p.boreDiameter, d = p.cutterDiameter, b = p.insertWidth;
    const auto limit = [](const char* condition, const char* relation, ext value) {
        // Six significant digits: a bore of 123,45 mm shows as such, and a
        // difference of float inputs shows without its rounding noise.
        char text[64];
        std::snprintf(text, sizeof text, "%.6Lg", value);
        std::string shown = text;
        for (char& c : shown)
            if (c == '.')
                c = ',';
        if (shown.find_first_of("eEnN") != std::string::npos)
            shown = formatNumber(value);
        return std::string(condition) + ", also " + relation + " " + shown + " mm";
    };
    if (!(d < D))
        return limit("Der Fräserdurchmesser muß kleiner als der Bohrungsdurchmesser sein", "kleiner als", D);
    if (!(D * 0.5L < d))
        return limit("Der Fräserdurchmesser muß größer als der halbe Bohrungsdurchmesser sein", "größer als", D * 0.5L);
    if (!(d - D * 0.5L < b))
        return limit("Die Wendeschneidplattenbreite muß größer als Fräserdurchmesser minus halber "
                     "Bohrungsdurchmesser sein",
                     "größer als", d - D * 0.5L);
    if (!(b < d * 0.5L))
        return limit("Die Wendeschneidplattenbreite muß kleiner als der halbe Fräserdurchmesser sein", "kleiner als",
                     d * 0.5L);
    return {};
}

void checkRunPreconditions(const ParameterSet& p)
{
    if (p.stepCount < 1 || p.stepCount > maxStepCount)
        throw RunRefused(messages::stepCountRange);
    if (p.toothCount < 1)
        throw RunRefused(messages::toothCountMin);
    // The tooth field takes two digits; more teeth only make a run take
    // minutes (the work grows with teeth times steps).
    if (p.toothCount > maxToothCount)
        throw RunRefused(messages::toothCountRange);
    if (p.observedTooth < 1 || p.observedTooth > p.toothCount)
        throw RunRefused(messages::observedToothMissing);
    if (p.insertShape != insertShapeRectangular && p.insertShape != insertShapeRhombic)
        throw RunRefused(messages::noInsertShape);
    checkCorrectionFactors(p);
    // The rhombic insert's edge rises w tan(kappa) above its corner; an axial
    // feed per revolution above that leaves a chip longer than the edge.
    if (p.insertShape == insertShapeRhombic &&
        static_cast<ext>(p.axialFeedPerRev) > static_cast<ext>(p.insertWidth) * fp::tan(p.settingAngle))
        throw RunRefused(messages::chipWidthBeyondEdge);
}

namespace {

void setUpRun(const ParameterSet& p, SimulationState& s, RunSummary& summary)
{
    const ext d = p.cutterDiameter, D = p.boreDiameter, b = p.insertWidth;
    const ext z = p.toothCount, N = p.stepCount;
    const ext twoPi = fp::twoPi;

    s.insertMidDiameter = store(d - b);
    s.innerEdgeDiameter = store(d - 2.0L * b);
    s.stepAngle = store(fp::div(twoPi, N));
    s.pathRadius = store((D - d) * 0.5L);
    const ext e = s.pathRadius;
    s.transitionAngle1 = store(fp::pi - fp::arccos(fp::div(e, d * 0.5L)));

    // Peripheral roughness: how far the crossing point of the cutter
    // circles of two successive tooth passes stays inside the bore wall.
    const ext delta = store(fp::div(static_cast<ext>(p.radialFeedPerTooth), e));
    const ext beta = store(fp::arcsin(fp::div(fp::sin(delta * 0.5L) * e, d * 0.5L)));
    s.roughnessDepth = store((D * 0.5L - fp::cos(beta) * d * 0.5L) - fp::cos(delta * 0.5L) * e);

    s.spindleSpeed = store(fp::div(static_cast<ext>(p.cuttingSpeed), fp::pi * d) * 1000.0L);
    const ext n = s.spindleSpeed;
    s.circularSpeed = store(fp::div(z * n * p.radialFeedPerTooth, twoPi * e));
    const ext no = s.circularSpeed;
    s.feedSpeed = store(no * p.axialFeedPerRev);
    s.circularAngularSpeed = store(twoPi * no);
    s.spindleAngularSpeed = store(twoPi * n);
    s.orbitAnglePerTooth = store(fp::div(twoPi * no, z * n));

    summary.roughnessDepth = s.roughnessDepth;
    summary.spindleSpeed = s.spindleSpeed;
    summary.circularSpeed = s.circularSpeed;
    summary.feedSpeed = s.feedSpeed;
}

// Direction of (x, y) counter-clockwise from +X in radians; the zero-x case
// points up when y > 0 (or y >= 0 where asked) and down otherwise.
float direction(ext x, ext y, bool upWhenZero)
{
    const ext twoPi = fp::twoPi;
    const ext halfPi = fp::halfPi;
    if (x != 0.0L) {
        // The fast evaluation takes the arctangent in double precision (the
        // quotient of the two floats rounds by 2^-53, moving the arctangent
        // by less than 2^-54; the library's atan errs by a few units in the
        // last place) where the bound proves the stored float.
        const double ad = std::atan(static_cast<double>(y) / static_cast<double>(x));
        const double offset = x > 0.0L ? (y > 0.0L ? 0.0 : static_cast<double>(fp::twoPi)) : 3.14159265358979323846;
        float stored = 0;
        if (!detail::plainEvaluation() &&
            detail::storedFloat(offset + ad, std::fabs(ad) * 0x1p-46 + 0x1p-54 + offset * 0x1p-51, stored))
            return stored;
        const ext a = fp::arctan(fp::div(y, x));
        if (x > 0.0L)
            return store(y > 0.0L ? a : twoPi + a);
        return store(fp::pi + a);
    }
    const bool up = upWhenZero ? y >= 0.0L : y > 0.0L;
    return store(up ? halfPi : 3.0L * halfPi);
}

float toDegrees(ext radians)
{
    const ext degrees = store(radians * 180.0L * (1.0L / fp::pi));
    return degrees >= 360.0L ? store(degrees - 360.0L) : static_cast<float>(degrees);
}

void resetStepTotals(SimulationState& s)
{
    s.Pc = s.Mc = s.Mb = 0;
    s.Fcx = s.Fcy = s.Fc = 0;
    s.FcNx = s.FcNy = s.FcN = 0;
    s.Fqx = s.Fqy = s.Fq = 0;
    s.Phirc = s.PhirN = s.PhirQ = 0;
    s.chipFeed = 0;
}

// The fast evaluation takes the transition angles and the core angle's
// meeting distances from double-precision estimates where their error
// bounds prove the floats the model stores (forcemodel/estimate.h).

// T2 = float((s + pi) - g/2) and T3 = float((2 pi - g/2) - s) with
// s = arcsin(sin(g/2) e / (d/2)). The sine errs by at most its bound, the
// quotient q by that times e / (d/2) and 2^-50 of itself for the roundings;
// arcsin moves by at most dq / sqrt(1 - (|q| + dq)^2) (q is kept below 1/2,
// far from where the model's arcsine could fail), the library's asin by a
// few units in the last place; the sums round by 2^-50 of their terms.
bool estimateTransitionAngles(ext g, ext e, ext halfDiameter, float& T2, float& T3)
{
    const double half = static_cast<double>(g) / 2.0;
    const double ratio = static_cast<double>(e) / static_cast<double>(halfDiameter);
    const detail::TrigEstimate t = detail::trigEstimate(half, 0.0);
    const double q = t.sin * ratio;
    const double dq = std::fabs(ratio) * t.error + std::fabs(q) * 0x1p-50;
    if (!(std::fabs(q) + dq < 0.5))
        return false;
    const double sAngle = std::asin(q);
    const double outer = std::fabs(q) + dq;
    const double pi = 3.14159265358979323846;
    const double error = dq / std::sqrt(1.0 - outer * outer) + std::fabs(sAngle) * 0x1p-46 +
                         (2.0 * pi + std::fabs(sAngle) + std::fabs(half)) * 0x1p-50;
    return detail::storedFloat((sAngle + pi) - half, error, T2) &&
           detail::storedFloat((2.0 * pi - half) - sAngle, error, T3);
}

// w1, w2 = float((p -+ sqrt(q)) / 2) with c = cos(pi - T2), p = |c| 2e and
// q = (2ec)^2 - 4 (e^2 - x^2). The model forms pi - T2 in extended
// precision; the double difference lies within the constant's rounding
// (2^-51) and its own (2^-52 of itself) of it; c errs by its bound. p then errs by 2e dc,
// q by 8 e^2 |c| dc and the roundings of its terms; the square root moves by
// at most dq / (sqrt(q - dq) + sqrt(q)). A q that may be near 0 or below
// (where the model's square root could fail) is left to the model.
bool estimateMeetingDistances(float T2, ext e, ext x, float& w1, float& w2)
{
    const double ed = static_cast<double>(e), xd = static_cast<double>(x);
    const double angle = 3.14159265358979323846 - static_cast<double>(T2);
    const detail::TrigEstimate t = detail::trigEstimate(angle, 0x1p-51 + std::fabs(angle) * 0x1p-52);
    const double c = t.cos;
    const double p = std::fabs(c) * 2.0 * ed;
    const double q = (c * 2.0 * ed) * (c * 2.0 * ed) - 4.0 * (ed * ed - xd * xd);
    const double dq = 8.0 * ed * ed * std::fabs(c) * t.error +
                      ((c * 2.0 * ed) * (c * 2.0 * ed) + 4.0 * ed * ed + 4.0 * xd * xd) * 0x1p-49;
    if (!(q - dq > 0.0))
        return false;
    const double root = std::sqrt(q);
    const double error = 2.0 * ed * t.error + p * 0x1p-51 + dq / (std::sqrt(q - dq) + root);
    return detail::storedFloat((p + root) * 0.5, error * 0.5, w1) &&
           detail::storedFloat((p - root) * 0.5, error * 0.5, w2);
}

// Engagement geometry of an engaged tooth after its chip feed is known:
// transition angles, core angle, axial feed per tooth and the pre-bore case.
void toothGeometry(const ParameterSet& p, SimulationState& s)
{
    const ext d = p.cutterDiameter, D = p.boreDiameter, Dv = p.preboreDiameter;
    const ext e = s.pathRadius;
    const ext g = s.passOrbitAngle;

    // Besides the named per-tooth values only the core angle's meeting
    // distances w1 and w2 are stored. s, the cosine c and p, q of the core
    // angle, the pre-bore limits Ti, To and cos(toothAngle) are working
    // values and stay extended.
    const bool fast = !detail::plainEvaluation();
    float T2 = 0, T3 = 0;
    if (!(fast && estimateTransitionAngles(g, e, d / 2.0L, T2, T3))) {
        const ext sAngle = fp::arcsin(fp::div(fp::sin(g / 2.0L) * e, d / 2.0L));
        T2 = store((sAngle + fp::pi) - g / 2.0L);
        T3 = store((2.0L * fp::pi - g / 2.0L) - sAngle);
    }
    s.transitionAngle2 = T2;
    s.transitionAngle3 = T3;
    if (!s.coreTangentKnown) {
        // The tangent depends on the run's geometry only.
        try {
            s.coreTangentAngle = store(fp::arcsin(fp::div(d / 2.0L - e, e)) + fp::pi);
            s.coreTangentExists = true;
        } catch (const FloatingPointError& error) {
            // A cutter larger than two thirds of the bore has no tangent.
            if (error.kind() != FloatingPointError::Kind::InvalidOperation)
                throw;
            s.coreTangentExists = false;
        }
        s.coreTangentKnown = true;
    }
    s.transitionAngle4 = s.coreTangentExists ? s.coreTangentAngle : s.transitionAngle3;
    s.axisOverlap = store(d - D * 0.5L);

    const ext x = s.axisOverlap;
    float w1 = 0, w2 = 0;
    if (!(fast && estimateMeetingDistances(s.transitionAngle2, e, x, w1, w2))) {
        const ext c = fp::cos(fp::pi - static_cast<ext>(s.transitionAngle2));
        const ext pp = fabsl(c) * 2.0L * e;
        const ext q = (c * 2.0L * e) * (c * 2.0L * e) - 4.0L * (e * e - x * x);
        w1 = store((pp + fp::sqrt(q)) * 0.5L);
        w2 = store((pp - fp::sqrt(q)) * 0.5L);
    }
    const ext w = w1 >= w2 ? w1 : w2;
    float coreAngle = 0;
    if (!(fast && detail::storedTriangleAngle(static_cast<double>(x), static_cast<double>(e), static_cast<double>(w),
                                              coreAngle)))
        coreAngle = store(fp::arccos(fp::div(x * x + e * e - w * w, 2.0L * e * x)));
    s.coreAngle = coreAngle;

    s.axialFeedPerTooth =
        store(static_cast<ext>(p.axialFeedPerRev) * s.orbitAnglePerTooth / static_cast<ext>(fp::twoPi));

    if (Dv > 0.0L) {
        const ext k = s.toothAngleTrig.of(s.toothAngle).cos;
        const auto T = [&](ext diameter) {
            return fp::div((Dv / 2.0L) * (Dv / 2.0L) - e * e - (diameter / 2.0L) * (diameter / 2.0L), e * diameter);
        };
        const ext Ti = T(s.innerEdgeDiameter);
        const ext To = T(d);
        if (k >= Ti) {
            s.materialBoundaryCase = 'I';
            s.materialBoundaryRadius = 0;
        }
        if (k <= To) {
            s.materialBoundaryCase = 'A';
            s.materialBoundaryRadius = 0;
        }
        if (k < Ti && k > To) {
            s.materialBoundaryCase = 'W';
            s.materialBoundaryRadius =
                store(fabsl(fp::sqrt((e * k) * (e * k) - e * e + (Dv / 2.0L) * (Dv / 2.0L)) - e * k));
        }
    } else {
        s.materialBoundaryCase = 'I';
        s.materialBoundaryRadius = 0;
    }
}

float toothAngleAt(const ParameterSet& p, const SimulationState& s, int i)
{
    const ext z = p.toothCount;
    return store(fp::div(static_cast<ext>(fp::twoPi), z) * (i - 1) + s.rotationAngle);
}

// In engagement while the periphery point is not inside the pre-bore. The
// fast evaluation decides from the estimated cosine (error 2^-46) where it
// lies clearly on one side of the bound (rounded to double: 2^-53 of it).
bool toothEngaged(const ParameterSet& p, SimulationState& s, float toothAngle)
{
    const ext d = p.cutterDiameter, Dv = p.preboreDiameter;
    const ext e = s.pathRadius;
    const ext bound = fp::div((Dv / 2.0L) * (Dv / 2.0L) - e * e - (d / 2.0L) * (d / 2.0L), e * d);
    if (!detail::plainEvaluation()) {
        const double c = s.toothAngleEstimate.of(toothAngle).cos, b = static_cast<double>(bound);
        const double margin = 0x1p-46 + std::fabs(b) * 0x1p-50;
        if (c - margin > b)
            return true;
        if (c + margin < b)
            return false;
    }
    return s.toothAngleTrig.of(toothAngle).cos >= bound;
}

void toothStep(const ParameterSet& p, SimulationState& s, int i)
{
    s.axialDepth = 0;
    s.axialFeedPerTooth = 0;
    s.toothTransverseForce = 0;

    s.toothAngle = toothAngleAt(p, s, i);
    if (toothEngaged(p, s, s.toothAngle)) {
        computeChipFeed(p, s, 0.0f, s.toothAngle);
        toothGeometry(p, s);
        if (p.insertShape == insertShapeRectangular)
            computeToothLoadRectangular(p, s, i, s.toothAngle);
        if (p.insertShape == insertShapeRhombic)
            computeToothLoadRhombic(p, s, s.toothAngle);
    } else {
        // A tooth out of the material has no chip: nothing of the last tooth
        // that cut stays in its row.
        s.chipFeed = 0;
        s.section = ChipSection{};
        s.materialBoundaryCase = 'A';
        s.toothCuttingForce = 0;
        s.toothNormalForce = 0;
        s.toothCutterTorque = 0;
        s.toothPower = 0;
        s.toothBarTorque = 0;
        s.toothArea = 0;
        s.materialBoundaryRadius = 0;
    }
}

// The fast evaluation of the tooth's resolution: without loads the sums do
// not change and the transverse force is 0 (a sum starts at +0 and adding a
// zero of either sign keeps it); otherwise every stored value comes from
// the estimated sine and cosine where the bounds prove it (estimate.h).
// The transverse force is the length of (ax, ay), which moves by at most
// the length of its components' errors.
bool estimateResolution(SimulationState& s, ext Fcj, ext FcNj)
{
    if (Fcj == 0.0L && FcNj == 0.0L) {
        s.toothTransverseForce = 0;
        return true;
    }
    const AngleEstimate& t = s.toothAngleEstimate.of(s.toothAngle);
    const double c = static_cast<double>(Fcj), n = static_cast<double>(FcNj);
    const double ax = t.sin * c - t.cos * n, ay = t.cos * c + t.sin * n;
    const double componentError =
        detail::sumError(std::fabs(c) + std::fabs(n), (std::fabs(c) + std::fabs(n)) * 0x1p-46, 0.0);
    const double length = std::sqrt(ax * ax + ay * ay);
    const auto sum = [&](float total, double term, double load, float& out) {
        return detail::storedFloat(total + term, detail::sumError(std::fabs(load), std::fabs(load) * 0x1p-46, total),
                                   out);
    };
    float T = 0, Fcx = 0, Fcy = 0, FcNx = 0, FcNy = 0;
    if (!detail::storedFloat(length, 2.0 * componentError, T) || !sum(s.Fcx, t.sin * c, c, Fcx) ||
        !sum(s.Fcy, -t.cos * c, c, Fcy) || !sum(s.FcNx, -t.cos * n, n, FcNx) || !sum(s.FcNy, -t.sin * n, n, FcNy))
        return false;
    s.toothTransverseForce = T;
    s.Fcx = Fcx;
    s.Fcy = Fcy;
    s.FcNx = FcNx;
    s.FcNy = FcNy;
    return true;
}

// Resolves the tooth's loads into the cutter frame, adds them to the step
// totals and copies the observed tooth's values into the current row.
void addToothLoads(const ParameterSet& p, SimulationState& s, int i)
{
    const ext phi = s.toothAngle;
    const ext Fcj = s.toothCuttingForce, FcNj = s.toothNormalForce;
    if (detail::plainEvaluation() || !estimateResolution(s, Fcj, FcNj)) {
        const AngleTrig& trig = s.toothAngleTrig.of(s.toothAngle);
        const ext sinPhi = trig.sin, cosPhi = trig.cos;

        const ext ax = sinPhi * Fcj - cosPhi * FcNj;
        const ext ay = cosPhi * Fcj + sinPhi * FcNj;
        s.toothTransverseForce = store(fp::sqrt(ax * ax + ay * ay));

        s.Fcx = store(s.Fcx + sinPhi * Fcj);
        s.Fcy = store(s.Fcy - cosPhi * Fcj);
        s.FcNx = store(s.FcNx - cosPhi * FcNj);
        s.FcNy = store(s.FcNy - sinPhi * FcNj);
    }
    s.Pc = store(static_cast<ext>(s.Pc) + s.toothPower);
    s.Mc = store(static_cast<ext>(s.Mc) + s.toothCutterTorque);
    s.Mb = store(static_cast<ext>(s.Mb) + s.toothBarTorque);
    s.stepArea = store(static_cast<ext>(s.stepArea) + s.toothArea);

    if (i == p.observedTooth) {
        auto& row = s.currentRow;
        row[chPhij] = store(phi * 180.0L * (1.0L / fp::pi));
        row[chLfc] = s.chipFeed;
        row[chAp] = s.axialDepth;
        row[chBz] = s.axialFeedPerTooth;
        // An edge whose chip has no thickness or no width shows no chip.
        const ChipSection& c = s.section;
        const bool axialCuts = c.axialEdgeDepth != 0.0f && c.axialEdgeWidth != 0.0f;
        const bool sideCuts = c.sideEdgeDepth != 0.0f && c.sideEdgeWidth != 0.0f;
        row[chHoeheAx] = axialCuts ? c.axialEdgeDepth : 0.0f;
        row[chBreiteAx] = axialCuts ? c.axialEdgeWidth : 0.0f;
        row[chHebelAx] = axialCuts ? c.axialEdgeLever : 0.0f;
        row[chHoeheIA] = sideCuts ? c.sideEdgeDepth : 0.0f;
        row[chBreiteIA] = sideCuts ? c.sideEdgeWidth : 0.0f;
        row[chHebelIA] = sideCuts ? c.sideEdgeLever : 0.0f;
        row[chRvGrenz] = s.materialBoundaryRadius;
        row[chFcj] = s.toothCuttingForce;
        row[chFcNj] = s.toothNormalForce;
        row[chFqj] = s.toothTransverseForce;
        row[chPcj] = s.toothPower;
    }
}

void endStep(SimulationState& s)
{
    s.Phirc = s.PhirN = s.PhirQ = 0;
    s.Fqx = store(static_cast<ext>(s.Fcx) + s.FcNx);
    s.Fqy = store(static_cast<ext>(s.Fcy) + s.FcNy);
    const auto magnitude = [](ext x, ext y) { return store(fp::sqrt(x * x + y * y)); };
    s.FcN = magnitude(s.FcNx, s.FcNy);
    s.Fq = magnitude(s.Fqx, s.Fqy);
    s.Fc = magnitude(s.Fcx, s.Fcy);
    s.Phirc = direction(s.Fcx, s.Fcy, false);
    s.PhirN = direction(s.FcNx, s.FcNy, false);
    s.PhirQ = direction(s.Fqx, s.Fqy, true);

    s.sumPc = store(static_cast<ext>(s.sumPc) + s.Pc);
    s.sumMc = store(static_cast<ext>(s.sumMc) + s.Mc);
    s.sumMb = store(static_cast<ext>(s.sumMb) + s.Mb);

    auto& row = s.currentRow;
    row[chFcx] = s.Fcx;
    row[chFcy] = s.Fcy;
    row[chFc] = s.Fc;
    row[chPhirc] = toDegrees(s.Phirc);
    row[chFcNx] = s.FcNx;
    row[chFcNy] = s.FcNy;
    row[chFcN] = s.FcN;
    row[chPhirN] = toDegrees(s.PhirN);
    row[chFqx] = s.Fqx;
    row[chFqy] = s.Fqy;
    row[chFq] = s.Fq;
    row[chPhirQ] = toDegrees(s.PhirQ);
    row[chPc] = s.Pc;
    row[chMc] = s.Mc;
    row[chMb] = s.Mb;
    row[chA] = s.stepArea;
}

void setStepAngles(SimulationState& s, int j)
{
    s.rotationAngle = store(static_cast<ext>(j) * s.stepAngle);
    s.orbitAngle = store(fp::div(static_cast<ext>(s.rotationAngle) * s.circularSpeed, s.spindleSpeed));
}

}  // namespace

namespace detail {

// "Gegenlauf" stores step j in row j; "Gleichlauf" in row stepCount - j.
// The step angle always goes to row j.
int rowOfStep(const ParameterSet& p, int j) { return p.millingDirection == -1 ? j : p.stepCount - j; }

void runStep(const ParameterSet& p, SimulationState& s, ResultTable* table, int j, RunPlace& place)
{
    place.step = j;
    s.stepArea = 0;
    s.currentRow[chFcj] = s.currentRow[chFcNj] = s.currentRow[chFqj] = 0;
    s.currentRow[chPcj] = s.currentRow[chA] = 0;
    setStepAngles(s, j);
    resetStepTotals(s);
    for (int i = 1; i <= p.toothCount; ++i) {
        place.tooth = i;
        toothStep(p, s, i);
        addToothLoads(p, s, i);
    }
    place.tooth = 0;
    endStep(s);
    if (table) {
        const int r = rowOfStep(p, j);
        table->at(chPhij, j) = s.currentRow[chPhij];
        for (int ch = 1; ch < channelCount; ++ch)
            table->at(ch, r) = s.currentRow[ch];
    }
}

bool stepHasEngagedTooth(const ParameterSet& p, SimulationState& s, int j)
{
    setStepAngles(s, j);
    for (int i = 1; i <= p.toothCount; ++i)
        if (toothEngaged(p, s, toothAngleAt(p, s, i)))
            return true;
    return false;
}

}  // namespace detail

void runSimulation(const ParameterSet& p, SimulationState& s, ResultTable& table, RunSummary& summary)
{
    checkRunPreconditions(p);
    s.correctionProductKnown.fill(false);
    s.coreTangentKnown = false;
    RunPlace place{RunPlace::Stage::SetUp};
    try {
        setUpRun(p, s, summary);
        s.sumPc = s.sumMc = s.sumMb = 0;

        place.stage = RunPlace::Stage::Step;
        if (!detail::runStepsInParallel(p, s, table)) {
            ToothAngleMemo memo;
            if (!detail::plainEvaluation() && p.insertShape == insertShapeRhombic) {
                memo.prepare(static_cast<long>(p.stepCount + 1) * p.toothCount);
                s.toothAngleMemo = &memo;
            }
            try {
                for (int j = 0; j <= p.stepCount; ++j)
                    detail::runStep(p, s, &table, j, place);
            } catch (...) {
                s.toothAngleMemo = nullptr;
                throw;
            }
            s.toothAngleMemo = nullptr;
        }

        place = RunPlace{RunPlace::Stage::Means};
        const ext N = p.stepCount;
        summary.meanCuttingPower = store(fp::div(static_cast<ext>(s.sumPc), N * 1000.0L));
        summary.meanCutterTorque = store(fp::div(static_cast<ext>(s.sumMc), N));
        summary.meanBarTorque = store(fp::div(static_cast<ext>(s.sumMb), N));
        const ext D = p.boreDiameter, Dv = p.preboreDiameter;
        summary.removalRatePower =
            store((D * D - Dv * Dv) * (static_cast<ext>(p.axialFeedPerRev) * s.circularSpeed * fp::pi) * p.kc11 /
                  240000000.0L);
    } catch (FloatingPointError& error) {
        error.setPlace(place);
        throw;
    }
}

}  // namespace orbiton
