#include "model/fields.h"

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
constexpr FieldRule real(bool hasMin, long double min, bool minInclusive, bool hasMax = false,
                         long double max = 0, bool maxInclusive = false)
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
const char* const refRakeMessage = "Der Bezugs-Spanwinkel muß zwischen 0 Grad und 10 Grad liegen";
const char* const inclFactorMessage =
    "Der Neigungswinkel-Korrekturfaktor muß zwischen 0 und 1 liegen";
const char* const refInclMessage =
    "Der Bezugs-Neigungswinkel muß zwischen 0 Grad und 10 Grad liegen";
const char* const scaleMessage = "Bitte geben Sie einen Wert ein !";

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
        {"Edit111", "88", true, false, 5, realAtLeast(1),
         "Bohrungsdurchmesser muß größer als 1mm sein", "88"},
        {"Edit112", "46", true, false, 5, realAtLeast(0.5L),
         "Der Fräserdurchmesser muß größer als 0,5mm sein", "46"},
        {"Edit113", "1", false, false, 2, integerRange(false, 1, 0),
         "Anzahl der Zähne muß mindestens 1 betragen", "1"},
        {"Edit114", "0", true, false, 5, nonEmpty(),
         "Vorbohrungsdurchmesser muß größer oder gleich Null sein", "0"},
        {"Edit115", "0,00", true, false, 5, nonEmpty(),
         "Der axiale Versatz der Schneide muß größer oder gleich 0mm sein", "0"},
        {"Edit116", "0,00", true, false, 0, nonEmpty(),
         "Die Verschleißmarkenbreite muß größer oder gleich 0mm sein", "0"},
        {"Edit121", "0", true, true, 4, realBetweenStrict(-90, 90),
         "Der Spanwinkel der Außenschneide muß zwischen -90 Grad und 90 Grad liegen", "0"},
        {"Edit122", "0", true, true, 4, realBetweenStrict(-90, 90),
         "Der Neigungswinkel der Außenschneide muß zwischen -90 Grad und 90 Grad liegen", "0"},
        {"Edit123", "0", true, true, 3, realBetweenStrict(-90, 90),
         "Der Spanwinkel der Innenschneide muß zwischen -90 Grad und 90 Grad liegen", "0"},
        {"Edit124", "0", true, true, 0, realBetweenStrict(-90, 90),
         "Der Neigungswinkel der Innenschneide muß zwischen -90 Grad und 90 Grad liegen", "0"},
        {"Edit125", "10", true, true, 0, realBetweenStrict(0, 90),
         "Der Einstellwinkel muß zwischen 0 Grad und 90 Grad liegen", "10"},
        {"Edit132", "10", true, false, 4, realAbove(0),
         "Die Breite der Wendeschneidplatte muß größer sein als 0 mm", "10"},
        {"Edit141", "120", false, false, 4, realAbove(0),
         "Schnittgeschwindigkeit muß größer als 0 m/min sein", "120"},
        {"Edit142", "1,5", true, false, 4, realAbove(0),
         "Der axiale Vorschub pro Umdrehung muß größer sein als 0 mm", "1,5"},
        {"Edit143", "0,2", true, false, 5, realAbove(0),
         "Der radiale Vorschub pro Zahn muß größer sein als 0 mm", "0,2"},
        {"ComboBox161", "120", false, false, 3, integerRange(true, 36, 720),
         "Anzahl der Berechnungsschritte muß zwischen 36 und 720 liegen", nullptr},
        {"Edit162", "1", false, false, 1, observedTooth(),
         "Es können nur Zähne betrachtet werden, die auch vorhanden sind", nullptr},

        // Page "Optionen"
        {"Edit531", "650", false, false, 4, realAbove(0),
         "Der kc1.1-Wert muß größer als 0 N/mm² sein", "650"},
        {"Edit532", "1005", false, false, 4, realAbove(0),
         "Der kc1.0,1-Wert muß größer sein als 0 N/mm²", "1005"},
        {"Edit533", "1670", false, false, 4, realAbove(0),
         "Der kc1.0,01-Wert muß größer sein als 0 N/mm²", "1670"},
        {"Edit541", "0,81", true, false, 4, realBetweenInclusive(0.1L, 1), exponentMessage, "0,81"},
        {"Edit542", "0,78", true, false, 0, realBetweenInclusive(0.1L, 1), exponentMessage, "0,78"},
        {"Edit543", "0,45", true, false, 0, realBetweenInclusive(0.1L, 1), exponentMessage, "0,45"},
        {"Edit551", "100", false, false, 4, realAtLeast(0),
         "Der kf1.1-Wert muß größer sein als 0 N/mm²", "100"},
        {"Edit552", "160", false, false, 4, realAtLeast(0),
         "Der kf1.0,1-Wert muß größer sein als 0 N/mm²", "160"},
        {"Edit553", "240", false, false, 4, realAtLeast(0),
         "Der kf1.0,01-Wert muß größer sein als 0 N/mm²", "240"},
        {"Edit561", "0,3", true, false, 4, realBetweenInclusive(0.1L, 1), exponentMessage, "0,3"},
        {"Edit562", "0,3", true, false, 4, realBetweenInclusive(0.1L, 1), exponentMessage, "0,3"},
        {"Edit563", "0,3", true, false, 0, realBetweenInclusive(0.1L, 1), exponentMessage, "0,3"},
        {"Edit581", "0,05", true, false, 0, realBetweenInclusive(0, 1), rakeFactorMessage, "0,05"},
        {"Edit582", "6", true, false, 0, realBetweenInclusive(0, 10), refRakeMessage, "6"},
        {"Edit583", "1,0", true, false, 0, realBetweenInclusive(0, 2),
         "Der Schneidstoff-Korrekturfaktor muß zwischen 0 und 2 liegen", "1,0"},
        {"Edit584", "0,015", true, false, 0, realBetweenInclusive(0, 1), inclFactorMessage, "0,015"},
        {"Edit585", "4", true, false, 0, realBetweenInclusive(0, 10), refInclMessage, "4"},
        {"Edit591", "0,02", true, false, 0, realBetweenInclusive(0, 1), rakeFactorMessage, "0,02"},
        {"Edit592", "6", true, false, 0, realBetweenInclusive(0, 10), refRakeMessage, "6"},
        {"Edit593", "0,015", true, false, 0, realBetweenInclusive(0, 1), inclFactorMessage, "0,015"},
        {"Edit594", "4", true, false, 0, realBetweenInclusive(0, 10), refInclMessage, "4"},

        // Page "Grafik": the manual axis scale and the parameter variation.
        {"Edit421", "", true, true, 5, nonEmpty(), scaleMessage, nullptr},
        {"Edit422", "", true, true, 5, nonEmpty(), scaleMessage, nullptr},
        {"Edit423", "", true, true, 5, nonEmpty(), scaleMessage, nullptr},
        {"Edit424", "", true, true, 5, nonEmpty(), scaleMessage, nullptr},
        {"Edit425", "", true, true, 0, nonEmpty(), scaleMessage, nullptr},
        {"Edit426", "", true, true, 0, nonEmpty(), scaleMessage, nullptr},
        {"Edit431", "0", true, false, 5, noRule(), nullptr, nullptr},
        {"Edit432", "0", true, true, 5, noRule(), nullptr, nullptr},
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
