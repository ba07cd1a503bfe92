#include "material/catalogue.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "files/textfile.h"
#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"

namespace orbiton {

extern const char* const cuttingValuesText;

namespace {

// Index of a control in the material lines, or materialLineCount.
std::size_t materialIndexOf(std::string_view control)
{
    for (std::size_t m = 0; m < materialLineCount; ++m)
        if (materialControls()[m] == control)
            return m;
    return materialLineCount;
}

// Checks a text as its field does when the user leaves it: RunRefused with
// the field's message, or the ConversionError of a text that is no number.
void checkAsField(std::string_view control, const std::string& text)
{
    const FieldSpec* field = findField(control);
    if (!fieldTakesText(*field, text))
        throw RunRefused(field->message);
}

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(';', start);
        fields.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return fields;
        start = end + 1;
    }
}

// The reference thicknesses of the lines kc1.1, kc1.0,1, kc1.0,01.
constexpr long double referenceThickness[3] = {1.0L, 0.1L, 0.01L};

}  // namespace

const std::vector<CuttingValues>& cuttingValuesTable()
{
    static const std::vector<CuttingValues> rows = [] {
        std::vector<CuttingValues> table;
        bool header = true;
        for (const auto& line : splitLines(cuttingValuesText, 1000)) {
            if (line.empty() || line[0] == '#')
                continue;
            if (header) {
                header = false;
                continue;
            }
            const auto f = splitFields(line);
            if (f.size() != 5)
                throw std::logic_error("cutting-value table: a row without five fields");
            table.push_back({f[0], f[1], f[2], f[3], f[4]});
        }
        return table;
    }();
    return rows;
}

long double parseTypedNumber(std::string_view text)
{
    std::string commaText(text);
    for (char& c : commaText)
        if (c == '.')
            c = ',';
    try {
        return parseRealExtended(commaText);
    } catch (const ConversionError&) {
        throw ConversionError(formatMessage(messages::invalidReal, std::string(text)));
    }
}

std::string supportValueText(long double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e15L)
        throw FloatingPointError(FloatingPointError::Kind::Overflow);
    const long long whole = std::llround(value);
    return std::to_string(whole == 0 ? 0 : whole);
}

std::string exponentText(long double value, int decimals)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e15L)
        throw FloatingPointError(FloatingPointError::Kind::Overflow);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, value);
    std::string text = buffer;
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
        else
            text[point] = ',';
    }
    if (text == "-0")
        text = "0";
    return text;
}

MaterialTexts materialFromCatalogue(const CatalogueInput& input, const MaterialTexts& base)
{
    using namespace inputs;
    MaterialTexts texts = base;
    struct Law {
        const std::string& k11;
        const std::string& m;
        std::string_view support[3];
        std::string_view exponent[3];
    };
    const Law laws[2] = {{input.kc11, input.mc, {kc11, kc101, kc1001}, {expC11, expC101, expC1001}},
                         {input.kf11, input.mf, {kf11, kf101, kf1001}, {expF11, expF101, expF1001}}};
    for (const Law& law : laws) {
        const long double k11 = parseTypedNumber(law.k11);
        const long double m = parseTypedNumber(law.m);
        // The first range first, so that a wrong k1.1 or m is reported with
        // the message of its own field.
        checkAsField(law.support[0], supportValueText(k11));
        checkAsField(law.exponent[0], exponentText(1.0L - m));
        for (int i = 0; i < 3; ++i) {
            texts[materialIndexOf(law.support[i])] = supportValueText(k11 * std::pow(referenceThickness[i], -m));
            texts[materialIndexOf(law.exponent[i])] = exponentText(1.0L - m);
        }
    }
    for (const auto& [control, text] : input.changes) {
        const std::size_t m = materialIndexOf(control);
        if (m == materialLineCount || control == kc11 || control == expC11 || control == kf11 || control == expF11)
            throw RunRefused(formatMessage("%s ist hier kein änderbarer Werkstoffwert", std::string(control)));
        texts[m] = text;
    }
    for (std::size_t m = 0; m < materialLineCount; ++m)
        checkAsField(materialControls()[m], texts[m]);
    return texts;
}

std::string catalogueOrigin(const CatalogueInput& input)
{
    const auto number = [](const std::string& text) { return exponentText(parseTypedNumber(text)); };
    return "Quelle: Kennwerte kc1.1 " + number(input.kc11) + " N/mm², mc " + number(input.mc) + ", kf1.1 " +
           number(input.kf11) + " N/mm², mf " + number(input.mf);
}

long double calibrationFactor(long double measuredNetKw, long double simulatedKw)
{
    if (!(measuredNetKw > 0) || !std::isfinite(measuredNetKw))
        throw RunRefused("Die gemessene Schnittleistung (Spindelleistung abzüglich Leerlaufleistung) muß größer "
                         "als 0 kW sein");
    if (!(simulatedKw > 0) || !std::isfinite(simulatedKw))
        throw RunRefused("Der Lauf ergibt keine Schnittleistung; ein Abgleich ist nicht möglich");
    return measuredNetKw / simulatedKw;
}

MaterialTexts scaleCuttingForce(const MaterialTexts& texts, long double factor)
{
    MaterialTexts scaled = texts;
    for (const auto control : {inputs::kc11, inputs::kc101, inputs::kc1001}) {
        std::string& text = scaled[materialIndexOf(control)];
        text = supportValueText(parseTypedNumber(text) * factor);
        checkAsField(control, text);
    }
    return scaled;
}

}  // namespace orbiton
