#pragma once
// Steps shared by the two insert shapes: the tooth-angle range limits, the
// pass angle of the side edges and the loads of a finished chip section.
#include "forcemodel/forcemodel.h"
#include "model/fpmath.h"
#include "model/parameterset.h"
#include "model/simulationstate.h"

namespace orbiton::detail {

using fp::ext;

// Correction product of a law for the current active edge, evaluated once
// per run (the run start clears the cache).
float runCorrectionProduct(ForceLaw law, const ParameterSet& p, SimulationState& s);

// Specific force of a law with a given correction product.
float specificForceWith(ForceLaw law, float h, const ParameterSet& p, float correction);

// Specific force of a law for the tooth being evaluated.
inline float toothSpecificForce(ForceLaw law, float h, const ParameterSet& p, SimulationState& s)
{
    return specificForceWith(law, h, p, runCorrectionProduct(law, p, s));
}

// Pass angle while the outer edge cuts near the bore wall or towards the
// bore axis: atan(R sin(pi - phi) / (e - R cos(pi - phi))).
inline ext outerPassArc(ext R, ext e, ext phi)
{
    const fp::SinCos a = fp::sincos(fp::pi - phi);
    return fp::arctan(fp::div(R * a.sin, e - R * a.cos));
}

// atan(r sin(2pi - phi) / (r cos(2pi - phi) + e)), 2pi the stored constant.
inline ext wallPassArc(ext r, ext e, ext phi)
{
    const fp::SinCos a = fp::sincos(static_cast<ext>(fp::twoPi) - phi);
    return fp::arctan(fp::div(r * a.sin, r * a.cos + e));
}

enum class PassArc { Outer, Wall };

// A pass angle that came out negative (the side edge does not reach the
// surface of the last pass) counts as 0: no chip has a negative depth.
inline ext noNegativePass(ext passAngle) { return passAngle < 0.0L ? 0.0L : passAngle; }

// The stored pass angle float(offset + factor arc), or float(factor arc)
// without offset, where arc is outerPassArc or wallPassArc of (r, e, phi).
float passAngle(PassArc arc, ext r, ext e, ext phi, float offset, ext factor);

// Arccosine of a ratio that may exceed 1 in magnitude only by rounding:
// evaluated once more with the ratio truncated toward zero to four decimals.
ext guardedArccos(ext q);

// Forces, torques, power and area of the rectangular insert's section.
void rectangularLoads(const ParameterSet& p, SimulationState& s);

// The same for the rhombic insert (no axial-edge share, no bar torque).
void rhombicLoads(const ParameterSet& p, SimulationState& s);

}  // namespace orbiton::detail
