#pragma once
// The controls of the window as a data set leaves them, without a window:
// every numeric text passed through its field's entry filter until clean,
// the two radio-group selections and the ten switches.
#include <map>
#include <string>
#include <string_view>

#include "files/dataset.h"
#include "model/parameterset.h"

namespace orbiton {

// The text that remains when the entry filter runs again and again until
// it removes nothing more (what the change handler of a field leaves after
// a text is set). Linear in the length of the text.
std::string filterUntilClean(std::string_view text, bool allowComma, bool allowMinus);

class DataSetControls : public ControlSource {
public:
    // Lines 1..18 and 21..41 go through their fields' filters; the material
    // name of line 16 is kept as it is and loads nothing, since lines 21..41
    // hold the material values the window ends with.
    explicit DataSetControls(const DataSet& dataSet);

    std::string text(std::string_view control) const override;
    int selectedIndex(std::string_view control) const override;
    bool isChecked(std::string_view control) const override;

private:
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, bool, std::less<>> checks_;
    int insertShapeIndex_;
    int millingDirectionIndex_;
};

}  // namespace orbiton
