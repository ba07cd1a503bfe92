#include "files/datasetcontrols.h"

#include "model/fields.h"
#include "model/numbertext.h"

namespace orbiton {

namespace {

std::string filtered(const std::string& control, const std::string& text)
{
    const FieldSpec* field = findField(control);
    return field ? filterUntilClean(text, field->allowComma, field->allowMinus) : text;
}

}  // namespace

std::string filterUntilClean(std::string_view text, bool allowComma, bool allowMinus)
{
    // Each pass of the filter removes the first offending character and
    // starts again from the front. The characters before it were accepted
    // and stay accepted, so one scan that skips offenders gives the same
    // result; only "first character" refers to the text kept so far.
    std::string out;
    out.reserve(text.size());
    bool comma = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8CharacterLength(text, at);
        const char c = text[at];
        if (length == 1) {
            if (c >= '0' && c <= '9') {
                out.push_back(c);
            } else if (c == ',' && allowComma && !comma) {
                out.push_back(c);
                comma = true;
            } else if (c == '-' && allowMinus && out.empty()) {
                out.push_back(c);
            }
        }
        at += length;
    }
    return out;
}

DataSetControls::DataSetControls(const DataSet& d)
    : insertShapeIndex_(d.insertShapeIndex), millingDirectionIndex_(d.millingDirectionIndex)
{
    for (std::size_t k = 0; k < inputLineCount; ++k) {
        const std::string control(inputControls()[k]);
        texts_[control] = filtered(control, d.inputTexts[k]);
    }
    for (std::size_t k = 0; k < materialLineCount; ++k) {
        const std::string control(materialControls()[k]);
        texts_[control] = filtered(control, d.materialTexts[k]);
    }
    for (std::size_t k = 0; k < switchLineCount; ++k)
        checks_[std::string(switchControls()[k])] = d.switches[k];
}

std::string DataSetControls::text(std::string_view control) const
{
    const auto it = texts_.find(control);
    return it == texts_.end() ? std::string() : it->second;
}

int DataSetControls::selectedIndex(std::string_view control) const
{
    if (control == inputs::insertShape)
        return insertShapeIndex_;
    if (control == inputs::millingDirection)
        return millingDirectionIndex_;
    return -1;
}

bool DataSetControls::isChecked(std::string_view control) const
{
    const auto it = checks_.find(control);
    return it != checks_.end() && it->second;
}

}  // namespace orbiton
