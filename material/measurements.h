#pragma once
// Measured forces of test cuts, read from a CSV file.
//
// The first line names the columns; the order is free. Required: chip
// thickness h [mm], chip width b [mm], cutting force Fc [N]; optional: feed
// force Ff [N], rake angle γ [Grad], inclination λ [Grad], cutting speed
// v_c [m/min], wear-land width VB [mm]. Names in German or English, with
// or without a unit in brackets ("h [mm]", "Spanungsdicke", "cutting
// force"). Fields are separated by ";" or a tab (decimal comma or point)
// or by "," (decimal point). UTF-8 or Latin-1; empty lines are skipped.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbiton {

struct Measurement {
    std::size_t line = 0;  // in the file, from 1
    long double h = 0, b = 0, fc = 0;
    std::optional<long double> ff, rake, inclination, speed, wear;
};

struct MeasurementTable {
    std::vector<Measurement> rows;
    bool hasFeedForce = false;
};

// Raises FileError with line() set for an unknown or repeated column name,
// a missing required column, a row with the wrong number of fields, a text
// that is no number, and a thickness, width, force or speed that is not
// greater than 0 or a wear-land width below 0 ("nicht positive Werte").
// An empty Ff field leaves that row without a feed force.
MeasurementTable parseMeasurements(std::string_view bytes);

// The same for a file (read whole, up to the size cap of textfile.h).
MeasurementTable readMeasurementFile(const std::string& path);

}  // namespace orbiton
