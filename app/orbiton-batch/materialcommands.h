#pragma once
// The material commands of orbiton-batch: a material file from catalogue
// values (--new-material), fitted to measured forces (--fit-material) or
// calibrated to a measured power (--calibrate-power). Each writes the file
// with its origin lines after line 21 to -o, replaced atomically.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/dataset.h"

namespace orbiton::batch {

// Whether the arguments ask for --new-material or --fit-material.
bool isMaterialCommand(int argc, const char* const* argv);

// Runs --new-material NAME=WERT... -o FILE or --fit-material CSV
// [NAME=WERT]... -o FILE. NAME is kc1.1, mc, kf1.1, mf or a material input
// of --list-parameters (kc101, expC1001, refRakeAngleC, ...). Prints the
// fit's report on standard output. Raises ArgumentError for wrong
// arguments and the errors of the conversion or the fit.
int runMaterialCommand(int argc, const char* const* argv);

// --calibrate-power: the data set's material with its cutting-force
// support values scaled so that the run's mean cutting power equals the
// measured net power (measured minus idle, kW), written to output; the
// factor and the powers on standard output.
struct Calibration {
    std::string measuredKw;  // as typed, decimal point or comma
    std::string idleKw;      // "0" when not given
};
int calibrate(const Calibration& calibration, const std::string& input, const DataSet& dataSet,
              const std::string& output);

}  // namespace orbiton::batch
