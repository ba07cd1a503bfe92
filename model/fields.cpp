#include "model/fields.h"

#include "model/errors.h"

#include "model/numbertext.h"

namespace orbiton {

namespace {

using Kind = FieldRule::Kind;

constexpr FieldRule noRule() { return FieldRule{}; }

constexpr FieldRule nonEmpty()
{
    FieldRule r;
    r.kind = Kind::NonEmpty;
    return r;
}

// A real value with an optional lower and upper bound.
constexpr FieldRule real(bool hasMin, long double min, bool minInclusive, bool hasMax = false, long double max = 0,
                         bool maxInclusive = false)
{
    FieldRule r;
    r.kind = Kind::Real;
    r.hasMin = hasMin;
    r.min = min;
    r.minInclusive = minInclusive;
    r.hasMax = hasMax;
    r.max = max;
    r.maxInclusive = maxInclusive;
    return r;
}

constexpr FieldRule realAbove(long double min) { return real(true, min, false); }
constexpr FieldRule realAtLeast(long double min) { return real(true, min, true); }
constexpr FieldRule realBetweenStrict(long double min, long double max)
{
    return real(true, min, false, true, max, false);
}
constexpr FieldRule realBetweenInclusive(long double min, long double max)
{
    return real(true, min, true, true, max, true);
}

constexpr FieldRule integerRange(bool hasMax, long double min, long double max)
{
    FieldRule r;
    r.kind = Kind::Integer;
    r.hasMin = true;
    r.min = min;
    r.minInclusive = true;
    r.hasMax = hasMax;
    r.max = max;
    r.maxInclusive = true;
    return r;
}

constexpr FieldRule observedTooth()
{
    FieldRule r;
    r.kind = Kind::ObservedTooth;
    r.hasMin = true;
    r.min = 1;
    r.minInclusive = true;
    return r;
}

const char* const exponentMessage = "Der Exponent muß zwischen 0,1 und 1 liegen";
const char* const rakeFactorMessage = "Der Spanwinkel-Korrekturfaktor muß zwischen 0 und 1 liegen";
const char* const refRakeMessage = "Der Bezugs-Spanwinkel muß zwischen 0 Grad und 15 Grad liegen";
const char* const inclFactorMessage = "Der Neigungswinkel-Korrekturfaktor muß zwischen 0 und 1 liegen";
const char* const refInclMessage = "Der Bezugs-Neigungswinkel muß zwischen 0 Grad und 10 Grad liegen";
const char* const scaleMessage = "Bitte geben Sie einen Wert ein !";

// Captions of the fields of the page "Grafik", which are no inputs of a
// run; the axis fields take the unit of the channel on their axis.
struct PageFieldCaption {
    std::string_view control;
    const char* caption;
    bool axis;
};
constexpr PageFieldCaption grafikCaptions[] = {
    {inputs::leftAxisMaximum, "Maximum der Y-Achse", true},
    {inputs::leftAxisMinimum, "Minimum der Y-Achse", true},
    {inputs::bottomAxisMaximum, "Maximum der X-Achse", true},
    {inputs::bottomAxisMinimum, "Minimum der X-Achse", true},
    {inputs::leftAxisIncrement, "Inkrement der Y-Achse", true},
    {inputs::bottomAxisIncrement, "Inkrement der X-Achse", true},
    {inputs::variationIncrement, "Inkrement der Variation", false},
    {inputs::variationValue, "Wert der variierten Eingabe", false},
};

// The bounds of a rule in words, "" without bounds.
std::string boundsInWords(const FieldRule& rule)
{
    const std::string low = fieldNumberText(rule.min);
    const std::string high = fieldNumberText(rule.max);
    if (rule.hasMin && rule.hasMax) {
        if (rule.minInclusive && rule.maxInclusive)
            return low + " bis " + high;
        return (rule.minInclusive ? "ab " : "größer als ") + low + " und " +
               (rule.maxInclusive ? "höchstens " : "kleiner als ") + high;
    }
    if (rule.hasMin)
        return (rule.minInclusive ? "ab " : "größer als ") + low;
    if (rule.hasMax)
        return (rule.maxInclusive ? "höchstens " : "kleiner als ") + high;
    return {};
}

const InputParameter* inputOfControl(std::string_view control)
{
    for (const auto& parameter : inputParameters())
        if (control == parameter.control)
            return &parameter;
    return nullptr;
}

bool withinBounds(const FieldRule& rule, long double value)
{
    if (rule.hasMin && (rule.minInclusive ? !(value >= rule.min) : !(value > rule.min)))
        return false;
    if (rule.hasMax && (rule.maxInclusive ? !(value <= rule.max) : !(value < rule.max)))
        return false;
    return true;
}

}  // namespace

const std::vector<FieldSpec>& numericFields()
{
    // control, default text, comma, minus, max length, rule, message, restored text
    static const std::vector<FieldSpec> fields{
        // Page "Eingabe"
        {inputs::boreDiameter, "88", true, false, 5, realAtLeast(1), "Bohrungsdurchmesser muß größer als 1mm sein",
         "88"},
        {inputs::cutterDiameter, "46", true, false, 5, realAtLeast(0.5L),
         "Der Fräserdurchmesser muß größer als 0,5mm sein", "46"},
        {inputs::toothCount, "1", false, false, 2, integerRange(false, 1, 0),
         "Anzahl der Zähne muß mindestens 1 betragen", "1"},
        {inputs::preboreDiameter, "0", true, false, 5, nonEmpty(),
         "Vorbohrungsdurchmesser muß größer oder gleich Null sein", "0"},
        {inputs::axialOffset, "0,00", true, false, 5, nonEmpty(),
         "Der axiale Versatz der Schneide muß größer oder gleich 0mm sein", "0"},
        {inputs::wearLandWidth, "0,00", true, false, 0, nonEmpty(),
         "Die Verschleißmarkenbreite muß größer oder gleich 0mm sein", "0"},
        {inputs::rakeAngleOuter, "0", true, true, 4, realBetweenStrict(-90, 90),
         "Der Spanwinkel der Außenschneide muß zwischen -90 Grad und 90 Grad liegen", "0"},
        {inputs::inclinationOuter, "0", true, true, 4, realBetweenStrict(-90, 90),
         "Der Neigungswinkel der Außenschneide muß zwischen -90 Grad und 90 Grad liegen", "0"},
        {inputs::rakeAngleInner, "0", true, true, 3, realBetweenStrict(-90, 90),
         "Der Spanwinkel der Innenschneide muß zwischen -90 Grad und 90 Grad liegen", "0"},
        {inputs::inclinationInner, "0", true, true, 0, realBetweenStrict(-90, 90),
         "Der Neigungswinkel der Innenschneide muß zwischen -90 Grad und 90 Grad liegen", "0"},
        {inputs::settingAngle, "10", true, true, 0, realBetweenStrict(0, 90),
         "Der Einstellwinkel muß zwischen 0 Grad und 90 Grad liegen", "10"},
        {inputs::insertWidth, "10", true, false, 4, realAbove(0),
         "Die Breite der Wendeschneidplatte muß größer sein als 0 mm", "10"},
        {inputs::cuttingSpeed, "120", false, false, 4, realAbove(0),
         "Schnittgeschwindigkeit muß größer als 0 m/min sein", "120"},
        {inputs::axialFeedPerRev, "1,5", true, false, 4, realAbove(0),
         "Der axiale Vorschub pro Umdrehung muß größer sein als 0 mm", "1,5"},
        {inputs::radialFeedPerTooth, "0,2", true, false, 5, realAbove(0),
         "Der radiale Vorschub pro Zahn muß größer sein als 0 mm", "0,2"},
        {inputs::stepCount, "120", false, false, 3, integerRange(true, 36, 720),
         "Anzahl der Berechnungsschritte muß zwischen 36 und 720 liegen", nullptr},
        {inputs::observedTooth, "1", false, false, 1, observedTooth(),
         "Es können nur Zähne betrachtet werden, die auch vorhanden sind", nullptr},

        // Page "Optionen"
        {inputs::kc11, "650", false, false, 4, realAbove(0), "Der kc1.1-Wert muß größer als 0 N/mm² sein", "650"},
        {inputs::kc101, "1005", false, false, 4, realAbove(0), "Der kc1.0,1-Wert muß größer sein als 0 N/mm²", "1005"},
        {inputs::kc1001, "1670", false, false, 4, realAbove(0), "Der kc1.0,01-Wert muß größer sein als 0 N/mm²",
         "1670"},
        {inputs::expC11, "0,81", true, false, 4, realBetweenInclusive(0.1L, 1), exponentMessage, "0,81"},
        {inputs::expC101, "0,78", true, false, 0, realBetweenInclusive(0.1L, 1), exponentMessage, "0,78"},
        {inputs::expC1001, "0,45", true, false, 0, realBetweenInclusive(0.1L, 1), exponentMessage, "0,45"},
        {inputs::kf11, "100", false, false, 4, realAtLeast(0), "Der kf1.1-Wert muß größer sein als 0 N/mm²", "100"},
        {inputs::kf101, "160", false, false, 4, realAtLeast(0), "Der kf1.0,1-Wert muß größer sein als 0 N/mm²", "160"},
        {inputs::kf1001, "240", false, false, 4, realAtLeast(0), "Der kf1.0,01-Wert muß größer sein als 0 N/mm²",
         "240"},
        {inputs::expF11, "0,8", true, false, 4, realBetweenInclusive(0.1L, 1), exponentMessage, "0,8"},
        {inputs::expF101, "0,82", true, false, 4, realBetweenInclusive(0.1L, 1), exponentMessage, "0,82"},
        {inputs::expF1001, "0,3", true, false, 0, realBetweenInclusive(0.1L, 1), exponentMessage, "0,3"},
        {inputs::rakeCorrFactorF, "0,05", true, false, 0, realBetweenInclusive(0, 1), rakeFactorMessage, "0,05"},
        {inputs::refRakeAngleF, "6", true, false, 0, realBetweenInclusive(0, 15), refRakeMessage, "6"},
        {inputs::cuttingMaterialFactorF, "1,0", true, false, 0, realBetweenInclusive(0, 2),
         "Der Schneidstoff-Korrekturfaktor muß zwischen 0 und 2 liegen", "1,0"},
        {inputs::inclCorrFactorF, "0,015", true, false, 0, realBetweenInclusive(0, 1), inclFactorMessage, "0,015"},
        {inputs::refInclinationF, "4", true, false, 0, realBetweenInclusive(0, 10), refInclMessage, "4"},
        {inputs::rakeCorrFactorC, "0,02", true, false, 0, realBetweenInclusive(0, 1), rakeFactorMessage, "0,02"},
        {inputs::refRakeAngleC, "6", true, false, 0, realBetweenInclusive(0, 15), refRakeMessage, "6"},
        {inputs::inclCorrFactorC, "0,015", true, false, 0, realBetweenInclusive(0, 1), inclFactorMessage, "0,015"},
        {inputs::refInclinationC, "4", true, false, 0, realBetweenInclusive(0, 10), refInclMessage, "4"},

        // Page "Grafik": the manual axis scale and the parameter variation.
        {inputs::leftAxisMaximum, "", true, true, 5, nonEmpty(), scaleMessage, nullptr},
        {inputs::leftAxisMinimum, "", true, true, 5, nonEmpty(), scaleMessage, nullptr},
        {inputs::bottomAxisMaximum, "", true, true, 5, nonEmpty(), scaleMessage, nullptr},
        {inputs::bottomAxisMinimum, "", true, true, 5, nonEmpty(), scaleMessage, nullptr},
        {inputs::leftAxisIncrement, "", true, true, 0, nonEmpty(), scaleMessage, nullptr},
        {inputs::bottomAxisIncrement, "", true, true, 0, nonEmpty(), scaleMessage, nullptr},
        {inputs::variationIncrement, "0", true, false, 5, noRule(), nullptr, nullptr},
        {inputs::variationValue, "0", true, true, 5, noRule(), nullptr, nullptr},
    };
    return fields;
}

const FieldSpec* findField(std::string_view control)
{
    for (const auto& field : numericFields())
        if (control == field.control)
            return &field;
    return nullptr;
}

const std::vector<InputParameter>& inputParameters()
{
    using P = InputParameter::Kind;
    const auto number = [](std::string_view name, std::string_view control, const char* caption, const char* unit) {
        return InputParameter{name, control, P::Number, caption, unit, {}};
    };
    const auto onOff = [](std::string_view name, std::string_view control, const char* caption) {
        return InputParameter{name, control, P::Switch, caption, "", {}};
    };
    static const std::vector<InputParameter> table{
        // Page "Eingabe"
        number("boreDiameter", inputs::boreDiameter, "Bohrungsdurchmesser", "mm"),
        number("cutterDiameter", inputs::cutterDiameter, "Fräserdurchmesser", "mm"),
        number("toothCount", inputs::toothCount, "Zähneanzahl", ""),
        number("preboreDiameter", inputs::preboreDiameter, "Vorbohrungsdurchmesser", "mm"),
        number("axialOffset", inputs::axialOffset, "Axialer Versatz", "mm"),
        number("wearLandWidth", inputs::wearLandWidth, "Verschleißmarkenbreite", "mm"),
        number("rakeAngleOuter", inputs::rakeAngleOuter, "Spanwinkel der Außenschneide", "Grad"),
        number("inclinationOuter", inputs::inclinationOuter, "Neigungswinkel der Außenschneide", "Grad"),
        number("rakeAngleInner", inputs::rakeAngleInner, "Spanwinkel der Innenschneide", "Grad"),
        number("inclinationInner", inputs::inclinationInner, "Neigungswinkel der Innenschneide", "Grad"),
        number("settingAngle", inputs::settingAngle, "Einstellwinkel", "Grad"),
        number("insertWidth", inputs::insertWidth, "Breite der Wendeschneidplatte", "mm"),
        number("cuttingSpeed", inputs::cuttingSpeed, "Schnittgeschwindigkeit", "m/min"),
        number("axialFeedPerRev", inputs::axialFeedPerRev, "axialer Vorschub/Umdr.", "mm"),
        number("radialFeedPerTooth", inputs::radialFeedPerTooth, "radialer Vorschub/Zahn", "mm"),
        number("stepCount", inputs::stepCount, "Berechnungsschritte", ""),
        number("observedTooth", inputs::observedTooth, "Betrachtete Schneide", ""),
        {"insertShape", inputs::insertShape, P::Choice, "Wendeschneidplattenform", "", {"rechteckig", "rhombisch"}},
        {"millingDirection", inputs::millingDirection, P::Choice, "Drehsinn", "", {"Gleichlauf", "Gegenlauf"}},
        // Page "Optionen": the force law ...
        number("kc11", inputs::kc11, "kc1.1", "N/mm²"),
        number("kc101", inputs::kc101, "kc1.0,1", "N/mm²"),
        number("kc1001", inputs::kc1001, "kc1.0,01", "N/mm²"),
        number("expC11", inputs::expC11, "Exponent 1-z1.1", ""),
        number("expC101", inputs::expC101, "Exponent 1-z1.0,1", ""),
        number("expC1001", inputs::expC1001, "Exponent 1-z1.0,01", ""),
        number("kf11", inputs::kf11, "kf1.1", "N/mm²"),
        number("kf101", inputs::kf101, "kf1.0,1", "N/mm²"),
        number("kf1001", inputs::kf1001, "kf1.0,01", "N/mm²"),
        number("expF11", inputs::expF11, "Exponent 1-x1.1", ""),
        number("expF101", inputs::expF101, "Exponent 1-x1.0,1", ""),
        number("expF1001", inputs::expF1001, "Exponent 1-x1.0,01", ""),
        // ... the corrections of the feed force and of the cutting force ...
        number("rakeCorrFactorF", inputs::rakeCorrFactorF, "Spanwinkel-Korrekturfaktor m_γ, Vorschubkraft", "1/Grad"),
        number("refRakeAngleF", inputs::refRakeAngleF, "Bezugs-Spanwinkel γ_0, Vorschubkraft", "Grad"),
        number("cuttingMaterialFactorF", inputs::cuttingMaterialFactorF,
               "Schneidstoff-Korrekturfaktor g_s, Vorschubkraft", ""),
        number("inclCorrFactorF", inputs::inclCorrFactorF, "Neigungswinkel-Korrekturfaktor m_λ, Vorschubkraft",
               "1/Grad"),
        number("refInclinationF", inputs::refInclinationF, "Bezugs-Neigungswinkel λ_0, Vorschubkraft", "Grad"),
        number("rakeCorrFactorC", inputs::rakeCorrFactorC, "Spanwinkel-Korrekturfaktor m_γ, Schnittkraft", "1/Grad"),
        number("refRakeAngleC", inputs::refRakeAngleC, "Bezugs-Spanwinkel γ_0, Schnittkraft", "Grad"),
        number("inclCorrFactorC", inputs::inclCorrFactorC, "Neigungswinkel-Korrekturfaktor m_λ, Schnittkraft",
               "1/Grad"),
        number("refInclinationC", inputs::refInclinationC, "Bezugs-Neigungswinkel λ_0, Schnittkraft", "Grad"),
        // ... and the switches.
        onOff("rakeCorrOnC", inputs::rakeCorrOnC, "Spanwinkelkorrektur, Schnittkraft"),
        onOff("inclCorrOnC", inputs::inclCorrOnC, "Neigungswinkelkorrektur, Schnittkraft"),
        onOff("speedCorrOnC", inputs::speedCorrOnC, "Schnittgeschwindigkeitskorrektur, Schnittkraft"),
        onOff("wearCorrOnC", inputs::wearCorrOnC, "Verschleißkorrektur, Schnittkraft"),
        onOff("rakeCorrOnF", inputs::rakeCorrOnF, "Spanwinkelkorrektur, Vorschubkraft"),
        onOff("inclCorrOnF", inputs::inclCorrOnF, "Neigungswinkelkorrektur, Vorschubkraft"),
        onOff("settingAngleCorrOnF", inputs::settingAngleCorrOnF, "Einstellwinkelkorrektur, Vorschubkraft"),
        onOff("cuttingMaterialCorrOnF", inputs::cuttingMaterialCorrOnF, "Schneidstoffkorrektur, Vorschubkraft"),
        onOff("speedCorrOnF", inputs::speedCorrOnF, "Schnittgeschwindigkeitskorrektur, Vorschubkraft"),
        onOff("wearCorrOnF", inputs::wearCorrOnF, "Verschleißkorrektur, Vorschubkraft"),
    };
    return table;
}

const InputParameter* findInputParameter(std::string_view name)
{
    for (const auto& parameter : inputParameters())
        if (name == parameter.name)
            return &parameter;
    return nullptr;
}

std::string rangeInWords(const FieldSpec& field)
{
    const FieldRule& rule = field.rule;
    std::string bounds;
    switch (rule.kind) {
    case Kind::None:
    case Kind::NonEmpty:
        bounds = field.allowMinus ? "" : "ab 0";
        break;
    case Kind::Real:
    case Kind::Integer:
        bounds = boundsInWords(rule);
        break;
    case Kind::ObservedTooth:
        bounds = fieldNumberText(rule.min) + " bis " + findInputParameter("toothCount")->caption;
        break;
    }
    if (field.allowComma)
        return bounds;
    return bounds.empty() ? "ganzzahlig" : "ganzzahlig, " + bounds;
}

std::string fieldCaption(std::string_view control)
{
    if (const InputParameter* input = inputOfControl(control))
        return input->caption;
    for (const PageFieldCaption& page : grafikCaptions)
        if (control == page.control)
            return page.caption;
    return {};
}

ConversionError namingField(const ConversionError& error, std::string_view control)
{
    const std::string caption = fieldCaption(control);
    ConversionError named(caption.empty() ? std::string(error.what()) : caption + ": " + error.what());
    named.setLine(error.line());
    return named;
}

std::string fieldToolTip(std::string_view control, std::string_view axisUnit)
{
    const FieldSpec* field = findField(control);
    if (!field)
        return {};
    std::string text = fieldCaption(control);
    std::string_view unit;
    if (const InputParameter* input = inputOfControl(control)) {
        unit = input->unit;
    } else {
        for (const PageFieldCaption& page : grafikCaptions)
            if (control == page.control)
                unit = page.axis ? axisUnit : std::string_view();
    }
    if (text.empty())
        return {};
    if (!unit.empty())
        text += " [" + std::string(unit) + "]";
    const std::string range = rangeInWords(*field);
    if (!range.empty())
        text += ", " + range;
    return text;
}

bool fieldTakesText(const FieldSpec& field, std::string_view text)
{
    return !numericEntryFilter(text, field.allowComma, field.allowMinus).removed && passesRule(field, text);
}

bool passesRule(const FieldSpec& field, std::string_view text)
{
    const FieldRule& rule = field.rule;
    switch (rule.kind) {
    case Kind::None:
        return true;
    case Kind::NonEmpty:
        return !text.empty();
    case Kind::Real:
        if (text.empty())
            return false;
        return withinBounds(rule, parseRealExtended(text));
    case Kind::Integer:
    case Kind::ObservedTooth:
        if (text.empty())
            return false;
        return withinBounds(rule, static_cast<long double>(parseInteger(text)));
    }
    return false;
}

}  // namespace orbiton
