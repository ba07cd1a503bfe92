#pragma once
// The cutting-force model: chip feed, chip sections of the rectangular and
// the rhombic insert, the specific force law with its correction factors,
// the tooth loads and the minimum clearance angles.
#include "model/parameterset.h"
#include "model/resulttable.h"
#include "model/simulationstate.h"

namespace orbiton {

enum class ForceLaw { SideCutting, AxialCutting, SideFeed };

// e^(exponent * ln base), 1 for a negative base, 0 for base 0.
float powerLaw(float exponent, float base);

// Product of the switched-on correction factors of a law.
float correctionProduct(ForceLaw law, const ParameterSet& p, char activeEdge);

// Refuses a run (RunRefused) in which a single switched-on correction
// factor of a law the run can use is not positive: the cutting laws first,
// then the feed law.
void checkCorrectionFactors(const ParameterSet& p);

// Specific force k(h) in N/mm^2 of a law for chip thickness h in mm.
float specificForce(ForceLaw law, float h, const ParameterSet& p, char activeEdge);

inline float specificCuttingForce(float h, const ParameterSet& p, char activeEdge)
{
    return specificForce(ForceLaw::SideCutting, h, p, activeEdge);
}
inline float specificCuttingForceAxial(float h, const ParameterSet& p, char activeEdge)
{
    return specificForce(ForceLaw::AxialCutting, h, p, activeEdge);
}
inline float specificFeedForce(float h, const ParameterSet& p, char activeEdge)
{
    return specificForce(ForceLaw::SideFeed, h, p, activeEdge);
}

// Newton iteration for the chip feed of the tooth at tooth angle phi;
// writes chipFeed and passOrbitAngle.
void computeChipFeed(const ParameterSet& p, SimulationState& s, float start, float phi);

// Chip section and loads of one engaged tooth (tooth number i from 1).
void computeToothLoadRectangular(const ParameterSet& p, SimulationState& s, int i, float phi);
void computeToothLoadRhombic(const ParameterSet& p, SimulationState& s, float phi);

// The three minimum clearance angles of the run, from its set-up values.
void computeMinClearanceAngles(const ParameterSet& p, const SimulationState& s, RunSummary& summary);

namespace detail {
// Switches the plain evaluation on (true) or off. The plain evaluation takes
// every step of every search and every calculation step one after another
// exactly as the model defines them; it is the reference that the fast
// paths (the default) must match bit for bit. For verification only.
void setPlainEvaluation(bool plain);
bool plainEvaluation();
}  // namespace detail

}  // namespace orbiton
