// Tooth forces, torques about the cutter and the boring bar, power and area.
#include "forcemodel/toothloads.h"

#include <cmath>

#include "forcemodel/forcemodel.h"

namespace orbiton::detail {

using fp::store;

ext guardedArccos(ext q)
{
    try {
        return fp::arccos(q);
    } catch (const FloatingPointError&) {
        return fp::arccos(std::trunc(q * 10000.0L) * 0.0001L);
    }
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
        a.atCutter = store(guardedArccos(fp::div(r * r + e * e - rho * rho, 2.0L * r * e)));
        a.atBore = store(guardedArccos(fp::div(rho * rho + e * e - r * r, 2.0L * rho * e)));
    }
    return a;
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
    ext barTorque = store((fp::cos(axial.atBore) * FA * rhoA + fp::cos(side.atBore) * FS * rhoS) * torqueFactor);
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
