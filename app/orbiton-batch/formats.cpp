#include "app/orbiton-batch/formats.h"

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "app/orbiton-batch/overrides.h"
#include "files/datasetcontrols.h"
#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"

namespace orbiton::batch {

namespace {

using Json = nlohmann::ordered_json;

// "[kW]" as the summary table writes units, "kW" here.
std::string bareUnit(std::string_view unit)
{
    if (unit.size() >= 2 && unit.front() == '[' && unit.back() == ']')
        unit = unit.substr(1, unit.size() - 2);
    return std::string(unit);
}

// The float behind its 9 digits: the JSON text then shows those digits.
double jsonNumber(float value) { return std::strtod(plainNumber(value).c_str(), nullptr); }

// A field text (decimal comma) as the number it converts to, an integer
// for the tooth count, step count and observed tooth; null for a text that
// is none.
Json fieldValue(const InputParameter& parameter, const std::string& text)
{
    try {
        if (isInteger(fieldOf(parameter)))
            return parseInteger(text);
        return static_cast<double>(parseRealExtended(text));
    } catch (const OrbitonError&) {
        return nullptr;
    }
}

std::string pointed(std::string text)
{
    for (char& c : text)
        if (c == ',')
            c = '.';
    return text;
}

Json summaryJson(const RunSummary* summary)
{
    Json list = Json::array();
    for (const auto& field : summaryFields())
        list.push_back({{"name", field.name},
                        {"caption", field.caption},
                        {"unit", bareUnit(field.unit)},
                        {"value", summary ? Json(jsonNumber(summary->*field.value)) : Json(nullptr)}});
    return list;
}

std::string dumped(const Json& document)
{
    return document.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

void writeSweepCsv(const std::vector<Variation>& variations, const std::vector<SweepRow>& rows, const TextSink& out)
{
    std::string line;
    std::vector<std::string> fields;
    for (const auto& v : variations)
        fields.push_back(csvHeading(v.parameter->name, v.parameter->unit));
    for (const auto& field : summaryFields())
        fields.push_back(csvHeading(field.name, bareUnit(field.unit)));
    fields.emplace_back("error");
    appendCsvLine(line, fields);
    out(line);
    for (const auto& row : rows) {
        fields.clear();
        for (const auto& text : row.texts)
            fields.push_back(pointed(text));
        for (const auto& field : summaryFields())
            fields.push_back(row.succeeded ? plainNumber(row.summary.*field.value) : std::string());
        fields.push_back(row.error);
        line.clear();
        appendCsvLine(line, fields);
        out(line);
    }
}

std::string sweepCsv(const std::vector<Variation>& variations, const std::vector<SweepRow>& rows)
{
    std::string text;
    writeSweepCsv(variations, rows, [&](std::string_view piece) { text += piece; });
    return text;
}

std::string runJson(const std::string& input, const DataSet& dataSet, const ResultTable& table, int stepCount,
                    const RunSummary& summary)
{
    const DataSetControls controls(dataSet);
    Json inputs = Json::object();
    for (const auto& p : inputParameters()) {
        switch (p.kind) {
        case InputParameter::Kind::Number:
            inputs[std::string(p.name)] = fieldValue(p, controls.text(p.control));
            break;
        case InputParameter::Kind::Choice: {
            const int item = controls.selectedIndex(p.control);
            inputs[std::string(p.name)] =
                item == 0 || item == 1 ? Json(p.items[static_cast<std::size_t>(item)]) : Json(nullptr);
            break;
        }
        case InputParameter::Kind::Switch:
            inputs[std::string(p.name)] = controls.isChecked(p.control);
            break;
        }
    }
    Json channelList = Json::array();
    for (int c = 0; c < channelCount; ++c) {
        const ChannelInfo& info = channels()[static_cast<std::size_t>(c)];
        Json values = Json::array();
        for (int row = 0; row <= stepCount; ++row)
            values.push_back(jsonNumber(table.at(c, row)));
        channelList.push_back(
            {{"key", info.key}, {"unit", info.unit}, {"description", info.description}, {"values", std::move(values)}});
    }
    Json document = Json::object();
    document["input"] = input;
    document["inputs"] = std::move(inputs);
    document["summary"] = summaryJson(&summary);
    document["channels"] = std::move(channelList);
    return dumped(document);
}

void writeSweepJson(const std::vector<Variation>& variations, const std::vector<SweepRow>& rows, const TextSink& out)
{
    // The bytes of one array dumped whole: "[", the runs separated by ",",
    // "]" and a line end; only one run's tree exists at a time.
    out("[");
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const SweepRow& row = rows[k];
        Json varied = Json::object();
        for (std::size_t i = 0; i < variations.size(); ++i)
            varied[std::string(variations[i].parameter->name)] = fieldValue(*variations[i].parameter, row.texts[i]);
        const Json run = {{"varied", std::move(varied)},
                          {"summary", summaryJson(row.succeeded ? &row.summary : nullptr)},
                          {"error", row.succeeded ? Json(nullptr) : Json(row.error)}};
        if (k > 0)
            out(",");
        out(run.dump(-1, ' ', false, Json::error_handler_t::replace));
    }
    out("]\n");
}

std::string sweepJson(const std::vector<Variation>& variations, const std::vector<SweepRow>& rows)
{
    std::string text;
    writeSweepJson(variations, rows, [&](std::string_view piece) { text += piece; });
    return text;
}

}  // namespace orbiton::batch
