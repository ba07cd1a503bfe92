#include "app/orbiton-batch/overrides.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "files/datasetcontrols.h"
#include "model/errors.h"
#include "model/numbertext.h"
#include "simulation/simulation.h"

namespace orbiton::batch {

namespace {

using Kind = InputParameter::Kind;

const char* const unknownName = "Unbekannter Parameter '%s' (alle Namen zeigt orbiton-batch --list-parameters)";

std::string choiceValues(const InputParameter& p)
{
    if (p.kind == Kind::Switch)
        return "1 (ein) oder 0 (aus)";
    return std::string(p.items[0]) + " (0) oder " + p.items[1] + " (1)";
}

// Characters as a terminal shows them (UTF-8 code points).
std::size_t width(std::string_view text)
{
    std::size_t n = 0;
    for (std::size_t at = 0; at < text.size(); at += utf8CharacterLength(text, at))
        ++n;
    return n;
}

std::string padded(std::string_view text, std::size_t columns)
{
    std::string out(text);
    out.append(columns > width(text) ? columns - width(text) : 0, ' ');
    return out;
}

std::string rangeText(const InputParameter& p)
{
    if (p.kind != Kind::Number)
        return choiceValues(p);
    const FieldSpec& field = fieldOf(p);
    const FieldRule& rule = field.rule;
    std::string range;
    if (rule.kind == FieldRule::Kind::NonEmpty) {
        range = "x ≥ 0";  // the field takes no minus sign
    } else if (rule.kind == FieldRule::Kind::ObservedTooth) {
        range = "1 ≤ x ≤ toothCount";
    } else if (rule.hasMin && rule.hasMax) {
        range = fieldNumberText(rule.min) + (rule.minInclusive ? " ≤ x" : " < x") +
                (rule.maxInclusive ? " ≤ " : " < ") + fieldNumberText(rule.max);
    } else if (p.control == inputs::toothCount) {
        range = fieldNumberText(rule.min) + " ≤ x ≤ " + std::to_string(maxToothCount);
    } else if (rule.hasMin) {
        range = std::string("x ") + (rule.minInclusive ? "≥ " : "> ") + fieldNumberText(rule.min);
    }
    if (!field.allowComma)
        range += ", ganzzahlig";
    return range;
}

std::string defaultText(const InputParameter& p)
{
    switch (p.kind) {
    case Kind::Number:
        return fieldOf(p).defaultText;
    case Kind::Choice:
        return p.items[0];
    case Kind::Switch:
        return "1";
    }
    return {};
}

}  // namespace

Assignment splitAssignment(std::string_view argument)
{
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos)
        throw ArgumentError(formatMessage("'%s' hat nicht die Form NAME=WERT", excerpt(argument)));
    const std::string_view name = argument.substr(0, equals);
    const InputParameter* parameter = findInputParameter(name);
    if (!parameter)
        throw ArgumentError(formatMessage(unknownName, excerpt(name)));
    return {parameter, std::string(argument.substr(equals + 1))};
}

const FieldSpec& fieldOf(const InputParameter& parameter)
{
    const FieldSpec* field = findField(parameter.control);
    if (!field || field->rule.kind == FieldRule::Kind::None)
        throw std::logic_error("no numeric field with a rule for " + std::string(parameter.name));
    return *field;
}

bool isInteger(const FieldSpec& field)
{
    return field.rule.kind == FieldRule::Kind::Integer || field.rule.kind == FieldRule::Kind::ObservedTooth;
}

std::string acceptedFieldText(const InputParameter& parameter, std::string_view value)
{
    const FieldSpec& field = fieldOf(parameter);
    std::string text(value);
    std::replace(text.begin(), text.end(), '.', ',');
    // The window's field would drop the sign and take a different value.
    if (!field.allowMinus && !text.empty() && text[0] == '-')
        throw RunRefused(field.message);
    // The refused character as the user typed it: a point stays a point.
    const std::size_t refused = firstRefusedAt(text, field.allowComma, field.allowMinus);
    if (refused != std::string::npos)
        throw ConversionError(
            refusedCharacterMessage(value, value.substr(refused, utf8CharacterLength(text, refused))));
    if (!passesRule(field, text))
        throw RunRefused(field.message);
    // The run takes at most maxToothCount teeth; refused here, with the
    // argument named, and not by the run.
    if (parameter.control == inputs::toothCount && parseInteger(text) > maxToothCount)
        throw RunRefused(messages::toothCountRange);
    // The conversion of the run, so that a value too large for the
    // parameter set is refused here and not blamed on a line of the input.
    if (isInteger(field))
        parseInteger(text);
    else
        parseReal(text);
    return text;
}

Override acceptOverride(const InputParameter& parameter, std::string_view value)
{
    switch (parameter.kind) {
    case Kind::Number:
        return {&parameter, acceptedFieldText(parameter, value)};
    case Kind::Choice:
        for (int k = 0; k < 2; ++k)
            if (value == parameter.items[static_cast<std::size_t>(k)] || value == std::to_string(k))
                return {&parameter, std::to_string(k)};
        break;
    case Kind::Switch:
        if (value == "0" || value == "1")
            return {&parameter, std::string(value)};
        break;
    }
    throw RunRefused(formatMessage(
        "'%s' ist kein Wert von " + std::string(parameter.caption) + ": " + choiceValues(parameter), excerpt(value)));
}

void applyOverride(DataSet& d, const Override& o)
{
    const std::string_view control = o.parameter->control;
    if (control == inputs::insertShape) {
        d.insertShapeIndex = std::stoi(o.text);
        return;
    }
    if (control == inputs::millingDirection) {
        d.millingDirectionIndex = std::stoi(o.text);
        return;
    }
    for (std::size_t s = 0; s < switchLineCount; ++s) {
        if (control == switchControls()[s]) {
            d.switches[s] = o.text == "1";
            return;
        }
    }
    const std::size_t line = dataSetLineOf(control);
    if (line >= 1 && line <= inputLineCount)
        d.inputTexts[line - 1] = o.text;
    else if (line > inputLineCount + 2 && line <= inputLineCount + 2 + materialLineCount)
        d.materialTexts[line - inputLineCount - 3] = o.text;
    else
        throw std::logic_error("no data set line for " + std::string(o.parameter->name));
}

std::string parameterList()
{
    struct Row {
        std::string name, caption, unit, range, fallback;
    };
    std::vector<Row> rows{{"Name", "Bezeichnung", "Einheit", "Bereich", "Vorgabe"}};
    for (const auto& p : inputParameters())
        rows.push_back({std::string(p.name), p.caption, p.unit, rangeText(p), defaultText(p)});
    std::size_t w[4] = {};
    for (const auto& r : rows) {
        w[0] = std::max(w[0], width(r.name));
        w[1] = std::max(w[1], width(r.caption));
        w[2] = std::max(w[2], width(r.unit));
        w[3] = std::max(w[3], width(r.range));
    }
    std::string out;
    for (const auto& r : rows)
        out += padded(r.name, w[0] + 2) + padded(r.caption, w[1] + 2) + padded(r.unit, w[2] + 2) +
               padded(r.range, w[3] + 2) + r.fallback + "\n";
    return out;
}

}  // namespace orbiton::batch
