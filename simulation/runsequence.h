#pragma once
// The run sequence of the Start button, the one place that knows its order:
// reset, process parameters, geometry check, force coefficients, milling
// direction, correction parameters, preconditions; then the simulation and
// the clearance angles. The window, the batch tool, the tests, benchmarks
// and fuzz targets all run it from here.
//
// It comes in two phases so that the window can size its data table between
// reading and calculating; callers without a table run both at once.
#include "model/parameterset.h"
#include "model/resulttable.h"
#include "model/simulationstate.h"

namespace orbiton {

enum class RunInputs {
    Ready,             // every input read, the run may be calculated
    GeometryRejected,  // the geometry check failed; the page "Optionen" was not read
};

// Phase 1: resets the parameter set and reads the inputs in the run's order.
// A text that does not convert raises ConversionError; the fields read before
// it keep their new values, the others keep their reset values. Inputs that
// would write past the result table raise RunRefused before anything is
// calculated. A failed geometry check is no error: it ends the reading and
// is returned, so that each caller can report it in its own way.
RunInputs readRunInputs(ParameterSet& p, const ControlSource& controls);

// Phase 2: rows 0..stepCount of the result table and the whole summary.
// Floating-point failures raise FloatingPointError; what was written before
// stays.
void calculateRun(const ParameterSet& p, SimulationState& s, ResultTable& table, RunSummary& summary);

// The records of one calculation, kept from run to run like the window's.
struct Calculation {
    ParameterSet params;
    SimulationState state;
    ResultTable table;  // about 90 kB
    RunSummary summary;

    // Both phases. A failed geometry check raises RunRefused with the
    // window's geometry warning.
    void run(const ControlSource& controls);
};

}  // namespace orbiton
