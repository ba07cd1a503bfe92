#include "material/measurements.h"

#include <array>
#include <charconv>
#include <cmath>

#include "files/textfile.h"
#include "model/errors.h"

namespace orbiton {

namespace {

enum Column { H, B, Fc, Ff, Rake, Inclination, Speed, Wear, ColumnCount };

struct ColumnNames {
    Column column;
    std::array<const char*, 6> names;  // lower case, without blanks, "_" and unit
};
constexpr ColumnNames columnNames[] = {
    {H, {"h", "spanungsdicke", "chipthickness", "thickness", "hmm", nullptr}},
    {B, {"b", "spanungsbreite", "chipwidth", "width", nullptr, nullptr}},
    {Fc, {"fc", "schnittkraft", "cuttingforce", nullptr, nullptr, nullptr}},
    {Ff, {"ff", "vorschubkraft", "feedforce", nullptr, nullptr, nullptr}},
    {Rake, {"γ", "gamma", "spanwinkel", "rakeangle", "rake", nullptr}},
    {Inclination, {"λ", "lambda", "neigungswinkel", "inclinationangle", "inclination", nullptr}},
    {Speed, {"vc", "schnittgeschwindigkeit", "cuttingspeed", "speed", nullptr, nullptr}},
    {Wear, {"vb", "verschleißmarkenbreite", "wearlandwidth", "flankwear", "wear", nullptr}},
};

[[noreturn]] void refuse(const std::string& message, std::size_t line)
{
    FileError error(message);
    error.setLine(line);
    throw error;
}

bool isUtf8(std::string_view bytes)
{
    for (std::size_t k = 0; k < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[k]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || k + n > bytes.size())
            return false;
        for (std::size_t j = 1; j < n; ++j)
            if ((static_cast<unsigned char>(bytes[k + j]) >> 6) != 2)
                return false;
        k += n;
    }
    return true;
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\"");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\"");
    return std::string(text.substr(first, last - first + 1));
}

// "Fc [N]", "v_c (m/min)", "Cutting force" -> "fc", "vc", "cuttingforce".
std::string normalizedName(std::string_view text)
{
    std::string name;
    for (const char c : text) {
        if (c == '[' || c == '(')
            break;
        if (c == ' ' || c == '_' || c == '\t' || c == '"')
            continue;
        name.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return name;
}

std::vector<std::string> split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(trimmed(std::string_view(line).substr(start, end == std::string::npos ? end : end - start)));
        if (end == std::string::npos)
            return fields;
        start = end + 1;
    }
}

long double number(const std::string& text, bool commaDecimal, std::size_t line)
{
    std::string pointText = text;
    if (commaDecimal)
        for (char& c : pointText)
            if (c == ',')
                c = '.';
    long double value = 0;
    const char* first = pointText.data();
    const char* last = first + pointText.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last || !std::isfinite(value))
        refuse(formatMessage(messages::invalidReal, text), line);
    return value;
}

}  // namespace

MeasurementTable parseMeasurements(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    const std::string text = isUtf8(bytes) ? std::string(bytes) : latin1ToUtf8(bytes);
    const std::vector<std::string> lines = splitLines(text, maxReadBytes);

    std::size_t headerLine = 0;
    while (headerLine < lines.size() && trimmed(lines[headerLine]).empty())
        ++headerLine;
    if (headerLine == lines.size())
        refuse("Die Datei enthält keine Messpunkte", 0);
    const std::string& header = lines[headerLine];
    const char separator = header.find(';') != std::string::npos    ? ';'
                           : header.find('\t') != std::string::npos ? '\t'
                                                                    : ',';
    const bool commaDecimal = separator != ',';

    std::vector<int> columnOf;  // field index -> Column
    std::array<bool, ColumnCount> present{};
    for (const auto& field : split(header, separator)) {
        const std::string name = normalizedName(field);
        int found = -1;
        for (const auto& candidate : columnNames)
            for (const char* known : candidate.names)
                if (known && name == known)
                    found = candidate.column;
        if (found < 0)
            refuse(formatMessage("Unbekannte Spalte „%s“", field), headerLine + 1);
        if (present[static_cast<std::size_t>(found)])
            refuse(formatMessage("Die Spalte „%s“ steht zweimal in der Kopfzeile", field), headerLine + 1);
        present[static_cast<std::size_t>(found)] = true;
        columnOf.push_back(found);
    }
    for (const auto& [column, caption] : {std::pair{H, "h [mm]"}, std::pair{B, "b [mm]"}, std::pair{Fc, "Fc [N]"}})
        if (!present[column])
            refuse(formatMessage("Die Spalte %s fehlt", caption), headerLine + 1);

    MeasurementTable table;
    table.hasFeedForce = present[Ff];
    for (std::size_t k = headerLine + 1; k < lines.size(); ++k) {
        const std::size_t line = k + 1;
        if (trimmed(lines[k]).empty())
            continue;
        const auto fields = split(lines[k], separator);
        if (fields.size() != columnOf.size())
            refuse("Die Zeile hat " + std::to_string(fields.size()) + " Felder, die Kopfzeile " +
                       std::to_string(columnOf.size()),
                   line);
        Measurement m;
        m.line = line;
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const int column = columnOf[f];
            if (fields[f].empty() && column != H && column != B && column != Fc)
                continue;  // an optional value not measured in this cut
            const long double value = number(fields[f], commaDecimal, line);
            const bool positive = column == Rake || column == Inclination || (column == Wear ? value >= 0 : value > 0);
            if (!positive)
                refuse(formatMessage("Nicht positiver Wert %s: Spanungsdicke, Spanungsbreite, Kräfte und "
                                     "Schnittgeschwindigkeit müssen größer als 0 sein, VB mindestens 0",
                                     fields[f]),
                       line);
            switch (column) {
            case H:
                m.h = value;
                break;
            case B:
                m.b = value;
                break;
            case Fc:
                m.fc = value;
                break;
            case Ff:
                m.ff = value;
                break;
            case Rake:
                m.rake = value;
                break;
            case Inclination:
                m.inclination = value;
                break;
            case Speed:
                m.speed = value;
                break;
            case Wear:
                m.wear = value;
                break;
            default:
                break;
            }
        }
        table.rows.push_back(m);
    }
    return table;
}

MeasurementTable readMeasurementFile(const std::string& path) { return parseMeasurements(readWholeFile(path)); }

}  // namespace orbiton
