#include "files/csvexport.h"

#include <cstdio>

namespace orbiton {

std::string plainNumber(float value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    return out + "\"";
}

std::string csvHeading(std::string_view key, std::string_view unit)
{
    return unit.empty() ? std::string(key) : std::string(key) + " [" + std::string(unit) + "]";
}

void appendCsvLine(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0)
            out.push_back(',');
        out += csvField(fields[k]);
    }
    out += "\r\n";
}

std::string runCsv(const ResultTable& table, int stepCount)
{
    std::string out;
    std::vector<std::string> fields;
    for (const auto& channel : channels())
        fields.push_back(csvHeading(channel.key, channel.unit));
    appendCsvLine(out, fields);
    for (int row = 0; row <= stepCount; ++row) {
        for (int c = 0; c < channelCount; ++c)
            fields[static_cast<std::size_t>(c)] = plainNumber(table.at(c, row));
        appendCsvLine(out, fields);
    }
    return out;
}

}  // namespace orbiton
