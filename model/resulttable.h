#pragma once
// The per-step results of a run (31 channels, room for 721 rows) and the
// eleven scalar results of a run.
#include <array>
#include <cstddef>
#include <string>

namespace orbiton {

inline constexpr int channelCount = 31;
inline constexpr int maxRows = 721;  // rows 0..720
inline constexpr int maxStepCount = maxRows - 1;

// clang-format off
enum Channel : int {
    chPhij = 0, chLfc, chAp, chBz, chHoeheAx, chBreiteAx, chHebelAx, chHoeheIA, chBreiteIA,
    chHebelIA, chRvGrenz, chFcj, chFcNj, chFqj, chPcj, chFcx, chFcy, chFc, chPhirc, chFcNx,
    chFcNy, chFcN, chPhirN, chFqx, chFqy, chFq, chPhirQ, chPc, chMc, chMb, chA
};
// clang-format on

// Key (column header, export header, chart channel name), unit and the
// description the data table shows for the column. UTF-8.
struct ChannelInfo {
    const char* key;
    const char* unit;
    const char* description;
};

const std::array<ChannelInfo, channelCount>& channels();

// "Fcj [N]": the key of a channel with its unit.
std::string channelHeading(int channel);

// "Fcj [N]: Schnittkraft an einem Zahn in Newton": key, unit and
// description, as the data table's column headers explain themselves.
std::string describeChannel(int channel);

struct ResultTable {
    // values[channel][row]
    std::array<std::array<float, maxRows>, channelCount> values{};

    float& at(int channel, int row) { return values[channel][row]; }
    float at(int channel, int row) const { return values[channel][row]; }
};

struct RunSummary {
    float meanCuttingPower = 0;   // kW
    float removalRatePower = 0;   // kW
    float meanCutterTorque = 0;   // Nm
    float meanBarTorque = 0;      // Nm
    float minClearanceAxial = 0;  // degree
    float minClearanceOuter = 0;  // degree
    float minClearanceInner = 0;  // degree
    float feedSpeed = 0;          // mm/min
    float spindleSpeed = 0;       // 1/min
    float circularSpeed = 0;      // 1/min
    float roughnessDepth = 0;     // mm
};

// The eleven summary values in the order of the results page, with their
// field names, captions (UTF-8) and units.
struct SummaryField {
    const char* name;
    const char* caption;
    const char* unit;
    float RunSummary::*value;
};

const std::array<SummaryField, 11>& summaryFields();

}  // namespace orbiton
