#pragma once
// Steps shared by the two insert shapes: the tooth-angle range limits, the
// pass angle of the side edges and the loads of a finished chip section.
#include "model/fpmath.h"
#include "model/parameterset.h"
#include "model/simulationstate.h"

namespace orbiton::detail {

using fp::ext;

// Pass angle while the outer edge cuts near the bore wall or towards the
// bore axis: atan(R sin(pi - phi) / (e - R cos(pi - phi))).
inline ext outerPassArc(ext R, ext e, ext phi)
{
    return fp::arctan(fp::div(R * fp::sin(fp::pi - phi), e - R * fp::cos(fp::pi - phi)));
}

// atan(r sin(2pi - phi) / (r cos(2pi - phi) + e)), 2pi the stored constant.
inline ext wallPassArc(ext r, ext e, ext phi)
{
    const ext a = static_cast<ext>(fp::twoPi) - phi;
    return fp::arctan(fp::div(r * fp::sin(a), r * fp::cos(a) + e));
}

// Arccosine of a ratio that may exceed 1 in magnitude only by rounding:
// evaluated once more with the ratio truncated toward zero to four decimals.
ext guardedArccos(ext q);

// Forces, torques, power and area of the rectangular insert's section.
void rectangularLoads(const ParameterSet& p, SimulationState& s);

// The same for the rhombic insert (no axial-edge share, no bar torque).
void rhombicLoads(const ParameterSet& p, SimulationState& s);

}  // namespace orbiton::detail
