// Minimum clearance angles of the axial, outer and inner edge: how far the
// flank behind each edge must fall back so that it does not rub the surface
// just cut.
#include <cmath>

#include "forcemodel/estimate.h"
#include "forcemodel/forcemodel.h"
#include "model/fpmath.h"

namespace orbiton {

using fp::ext;
using fp::store;

namespace {

constexpr ext flankLength = 1.0L;    // L: flank behind the corner, mm
constexpr ext tolerance = 0.01L;     // search tolerance for the distance L, mm
constexpr int samples = 35;          // positions per cutter revolution
constexpr int maxCorrections = 100;  // correction steps per sample
constexpr ext lowerLimit = 0.001L;   // degrees; smaller results are shown as 0
constexpr ext degreesPerRadian = 180.0L / fp::pi;

struct Point {
    ext x = 0;
    ext y = 0;
};

// The fast evaluation takes the points from double-precision sines and
// cosines where the error bounds prove the floats the model stores
// (estimate.h). The angles are floats (exact in double), except a + s of
// the earlier corner, an extended sum of two floats, which double precision
// holds within 2^-52 of itself.
bool storedPoint(double x, double y, double error, Point& out)
{
    float fx = 0, fy = 0;
    if (!detail::storedFloat(x, error, fx) || !detail::storedFloat(y, error, fy))
        return false;
    out = {fx, fy};
    return true;
}

bool estimateCorner(ext e, ext R, ext axisAngle, ext theta, Point& C, Point& P, Point& Q)
{
    const double ed = static_cast<double>(e), Rd = static_cast<double>(R);
    const detail::TrigEstimate axis = detail::trigEstimate(static_cast<double>(axisAngle), 0.0);
    const detail::TrigEstimate corner = detail::trigEstimate(static_cast<double>(theta), 0.0);
    const double L = static_cast<double>(flankLength);
    if (!storedPoint(ed * axis.cos, ed * axis.sin, detail::sumError(std::fabs(ed), std::fabs(ed) * axis.error, 0.0), C))
        return false;
    const double cx = static_cast<double>(C.x), cy = static_cast<double>(C.y);
    const double cornerError =
        detail::sumError(std::fabs(Rd), std::fabs(Rd) * corner.error, std::fabs(cx) + std::fabs(cy));
    if (!storedPoint(cx - Rd * corner.cos, cy - Rd * corner.sin, cornerError, P))
        return false;
    const double px = static_cast<double>(P.x), py = static_cast<double>(P.y);
    return storedPoint(px + L * -corner.sin, py + L * corner.cos,
                       detail::sumError(L, L * corner.error, std::fabs(px) + std::fabs(py)), Q);
}

bool estimateEarlierCorner(ext e, ext R, ext a, ext s, Point& S)
{
    const double ed = static_cast<double>(e), Rd = static_cast<double>(R);
    const double sum = static_cast<double>(a) + static_cast<double>(s);
    const detail::TrigEstimate axis = detail::trigEstimate(static_cast<double>(a), 0.0);
    const detail::TrigEstimate corner = detail::trigEstimate(sum, std::fabs(sum) * 0x1p-52);
    const double error =
        detail::sumError(std::fabs(ed) + std::fabs(Rd), std::fabs(ed) * axis.error + std::fabs(Rd) * corner.error, 0.0);
    return storedPoint(ed * axis.cos - Rd * corner.cos, ed * axis.sin - Rd * corner.sin, error, S);
}

}  // namespace

static void minClearanceAngles(const ParameterSet& p, const SimulationState& s, RunSummary& summary)
{
    const ext DF = p.cutterDiameter;
    const ext R = store(DF / 2.0L);
    const ext Di = s.innerEdgeDiameter;
    const ext Ri = store(Di / 2.0L);
    const ext e = s.pathRadius;
    const ext sd = p.millingDirection == -1 ? -1.0L : 1.0L;
    const ext n = s.spindleSpeed;
    const ext no = s.circularSpeed;
    const ext vfa = s.feedSpeed;
    const ext twoPi = fp::twoPi;
    const ext halfPi = fp::halfPi;
    const bool fast = !detail::plainEvaluation();

    // Every named value of the method is stored: the positions and angles,
    // and also the distances d and g, the speed ratio k and the velocity
    // components. An angle that is only part of an expression, such as that
    // of the earlier corner s_d*psi_s + s, stays extended.
    //
    // Outer edge: the largest distance between the flank point at L behind
    // the corner and the corner's path of the moment before.
    ext gMax = 0;
    ext psi = 0, theta = 0;
    for (int i = 1; i <= samples; ++i) {
        const ext t = store(twoPi / samples * i);
        psi = store(fp::div(t * no, n));
        theta = store(sd * psi + t);
        Point C, P, Q;
        if (!(fast && estimateCorner(e, R, sd * psi, theta, C, P, Q))) {
            // sincos gives the same values as sin and cos, in one evaluation.
            const fp::SinCos axis = fp::sincos(sd * psi), corner = fp::sincos(theta);
            C = {store(e * axis.cos), store(e * axis.sin)};
            P = {store(C.x - R * corner.cos), store(C.y - R * corner.sin)};
            Q = {store(P.x + flankLength * -corner.sin), store(P.y + flankLength * corner.cos)};
        }

        ext sAngle = store(t - (1.8L * flankLength - 4.0L * tolerance) / DF);
        Point S;
        for (int k = 0; k < maxCorrections; ++k) {
            const ext psiS = store(fp::div(sAngle * no, n));
            const ext a = sd * psiS;
            if (!(fast && estimateEarlierCorner(e, R, a, sAngle, S))) {
                const fp::SinCos axisS = fp::sincos(a), cornerS = fp::sincos(a + sAngle);
                S = {store(e * axisS.cos - R * cornerS.cos), store(e * axisS.sin - R * cornerS.sin)};
            }
            const ext d = store(fp::div(std::fabs((P.y - C.y) * S.x + (C.x - P.x) * S.y - (C.x * P.y - C.y * P.x)),
                                        fp::sqrt((P.y - C.y) * (P.y - C.y) + (C.x - P.x) * (C.x - P.x))));
            sAngle = store(sAngle - (flankLength - d) * 1.5L / DF);
            if (std::fabs(flankLength - d) < tolerance)
                break;
        }
        const ext g = store(fp::sqrt((Q.x - S.x) * (Q.x - S.x) + (Q.y - S.y) * (Q.y - S.y)));
        if (g > gMax)
            gMax = g;
    }
    ext outer = store(fp::arctan(gMax / flankLength) * degreesPerRadian);
    summary.minClearanceOuter = outer < lowerLimit ? 0.0f : static_cast<float>(outer);

    // Axial edge: helix angle of the axial feed at the inner end of the edge.
    const ext axial = store(fp::arctan(fp::div(vfa, fp::pi * Di * n)) * degreesPerRadian);
    summary.minClearanceAxial = axial < lowerLimit ? 0.0f : static_cast<float>(axial);

    // Inner edge, at the last sample (a full revolution).
    const ext k = store(fp::div(no, n));
    const ext vx = store(-e * fp::sin(sd * psi) * sd * k + fp::sin(theta) * Ri * (sd * k + 1.0L));
    const ext vy = store(e * fp::cos(sd * psi) * sd * k - fp::cos(theta) * Ri * (sd * k + 1.0L));
    const ext alphaV = store(fp::arctan(fp::div(vy, vx)));
    ext x = theta;
    while (x > halfPi) {
        const ext next = store(x - fp::pi);
        if (!(next < x)) {
            // Only for absurd speed ratios: single precision can no longer
            // step down by pi, so reduce in one go.
            x = store(x - fp::pi * std::ceil((x - halfPi) / fp::pi));
            break;
        }
        x = next;
    }
    const ext delta = store(x - alphaV);
    const ext raw =
        delta >= 0.0L ? store((halfPi - delta) * degreesPerRadian) : store(-(halfPi + delta) * degreesPerRadian);
    summary.minClearanceInner = raw > 0.0L ? static_cast<float>(raw) : 0.0f;
}

void computeMinClearanceAngles(const ParameterSet& p, const SimulationState& s, RunSummary& summary)
{
    try {
        minClearanceAngles(p, s, summary);
    } catch (FloatingPointError& error) {
        error.setPlace(RunPlace{RunPlace::Stage::ClearanceAngles});
        throw;
    }
}

}  // namespace orbiton
