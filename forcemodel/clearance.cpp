// Minimum clearance angles of the axial, outer and inner edge: how far the
// flank behind each edge must fall back so that it does not rub the surface
// just cut.
#include <cmath>

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
        const Point C{store(e * fp::cos(sd * psi)), store(e * fp::sin(sd * psi))};
        const Point P{store(C.x - R * fp::cos(theta)), store(C.y - R * fp::sin(theta))};
        const Point Q{store(P.x + flankLength * -fp::sin(theta)), store(P.y + flankLength * fp::cos(theta))};

        ext sAngle = store(t - (1.8L * flankLength - 4.0L * tolerance) / DF);
        Point S;
        for (int k = 0; k < maxCorrections; ++k) {
            const ext psiS = store(fp::div(sAngle * no, n));
            const ext a = sd * psiS;
            S = {store(e * fp::cos(a) - R * fp::cos(a + sAngle)), store(e * fp::sin(a) - R * fp::sin(a + sAngle))};
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
