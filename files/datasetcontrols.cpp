#include "files/datasetcontrols.h"

#include "model/fields.h"

namespace orbiton {

namespace {

std::size_t sequenceLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (at + length > text.size())
        return 1;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80)
            return 1;
    return length;
}

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
        const std::size_t length = sequenceLength(text, at);
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
        const std::string control = inputControls()[k];
        texts_[control] = filtered(control, d.inputTexts[k]);
    }
    for (std::size_t k = 0; k < materialLineCount; ++k) {
        const std::string control = materialControls()[k];
        texts_[control] = filtered(control, d.materialTexts[k]);
    }
    for (std::size_t k = 0; k < switchLineCount; ++k)
        checks_[switchControls()[k]] = d.switches[k];
}

std::string DataSetControls::text(std::string_view control) const
{
    const auto it = texts_.find(control);
    return it == texts_.end() ? std::string() : it->second;
}

int DataSetControls::selectedIndex(std::string_view control) const
{
    if (control == insertShapeControl)
        return insertShapeIndex_;
    if (control == millingDirectionControl)
        return millingDirectionIndex_;
    return -1;
}

bool DataSetControls::isChecked(std::string_view control) const
{
    const auto it = checks_.find(control);
    return it != checks_.end() && it->second;
}

}  // namespace orbiton
