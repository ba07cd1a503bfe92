#pragma once
// Tables of the page "Grafik": the 30 channels of the chart list with their
// result table columns, axis titles and increments, and the 14 inputs the
// parameter variation can step. The number text that the page writes into
// its own fields is fieldNumberText (model/numbertext.h).
#include <array>
#include <string>

namespace orbiton::ui {

struct ChartChannel {
    const char* entry;        // text of the list entry (UTF-8)
    int x;                    // result table channel of the X values
    int y;                    // result table channel of the Y values
    const char* leftTitle;    // title of the left axis
    double yIncrement;        // increment of the left axis
    const char* bottomTitle;  // title of the bottom axis
    double xIncrement;        // increment of the bottom axis
    bool vector;              // Y component of a force over its X component
};

inline constexpr int chartChannelCount = 30;

// The channels in list order. The result table columns are looked up by
// their keys once; a key that names no column is a programming error
// (std::logic_error on the first call).
const std::array<ChartChannel, chartChannelCount>& chartChannels();

// Every plot over the rotation has this bottom axis.
inline constexpr const char* rotationTitle = "Fräserumdrehung [Grad]";
inline constexpr double rotationIncrement = 60.0;

struct VariationTarget {
    const char* entry;  // text of the target list entry (UTF-8)
    const char* field;  // the input field it drives
};

inline constexpr int variationTargetCount = 14;
const std::array<VariationTarget, variationTargetCount>& variationTargets();

}  // namespace orbiton::ui
