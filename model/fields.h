#pragma once
// The numeric input fields of the window with their default texts, entry
// filter options, maximum lengths and the rules checked when the user leaves
// them. One table serves the window, the data set files and the batch tool.
//
// Outside the window, inputs are named by what they hold (inputs::boreDiameter),
// never by their control: the control names are the window's object names
// and appear only here and in ui/.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/errors.h"

namespace orbiton {

namespace inputs {

// Page "Eingabe", in the order in which a run reads them.
inline constexpr std::string_view boreDiameter = "Edit111";
inline constexpr std::string_view cutterDiameter = "Edit112";
inline constexpr std::string_view toothCount = "Edit113";
inline constexpr std::string_view preboreDiameter = "Edit114";
inline constexpr std::string_view axialOffset = "Edit115";
inline constexpr std::string_view wearLandWidth = "Edit116";
inline constexpr std::string_view rakeAngleOuter = "Edit121";
inline constexpr std::string_view inclinationOuter = "Edit122";
inline constexpr std::string_view rakeAngleInner = "Edit123";
inline constexpr std::string_view inclinationInner = "Edit124";
inline constexpr std::string_view settingAngle = "Edit125";  // degrees
inline constexpr std::string_view insertWidth = "Edit132";
inline constexpr std::string_view cuttingSpeed = "Edit141";
inline constexpr std::string_view axialFeedPerRev = "Edit142";
inline constexpr std::string_view radialFeedPerTooth = "Edit143";
inline constexpr std::string_view stepCount = "ComboBox161";
inline constexpr std::string_view observedTooth = "Edit162";
inline constexpr std::string_view insertShape = "RadioGroup1";         // radio group
inline constexpr std::string_view millingDirection = "RadioGroup101";  // radio group
inline constexpr std::string_view materialFile = "Edit151";            // a name, no number

// Page "Optionen": the force law (exponents 1-z and 1-x, support values kc
// and kf for chip thickness 1, 0,1 and 0,01 mm) ...
inline constexpr std::string_view kc11 = "Edit531";
inline constexpr std::string_view kc101 = "Edit532";
inline constexpr std::string_view kc1001 = "Edit533";
inline constexpr std::string_view expC11 = "Edit541";
inline constexpr std::string_view expC101 = "Edit542";
inline constexpr std::string_view expC1001 = "Edit543";
inline constexpr std::string_view kf11 = "Edit551";
inline constexpr std::string_view kf101 = "Edit552";
inline constexpr std::string_view kf1001 = "Edit553";
inline constexpr std::string_view expF11 = "Edit561";
inline constexpr std::string_view expF101 = "Edit562";
inline constexpr std::string_view expF1001 = "Edit563";
// ... the correction parameters of the feed force and the cutting force ...
inline constexpr std::string_view rakeCorrFactorF = "Edit581";
inline constexpr std::string_view refRakeAngleF = "Edit582";
inline constexpr std::string_view cuttingMaterialFactorF = "Edit583";
inline constexpr std::string_view inclCorrFactorF = "Edit584";
inline constexpr std::string_view refInclinationF = "Edit585";
inline constexpr std::string_view rakeCorrFactorC = "Edit591";
inline constexpr std::string_view refRakeAngleC = "Edit592";
inline constexpr std::string_view inclCorrFactorC = "Edit593";
inline constexpr std::string_view refInclinationC = "Edit594";
// ... and the correction switches (check boxes).
inline constexpr std::string_view rakeCorrOnC = "CheckBox511";
inline constexpr std::string_view inclCorrOnC = "CheckBox512";
inline constexpr std::string_view speedCorrOnC = "CheckBox513";
inline constexpr std::string_view wearCorrOnC = "CheckBox514";
inline constexpr std::string_view rakeCorrOnF = "CheckBox521";
inline constexpr std::string_view inclCorrOnF = "CheckBox522";
inline constexpr std::string_view settingAngleCorrOnF = "CheckBox523";
inline constexpr std::string_view cuttingMaterialCorrOnF = "CheckBox524";
inline constexpr std::string_view speedCorrOnF = "CheckBox525";
inline constexpr std::string_view wearCorrOnF = "CheckBox526";

// The ten switches in the order of the page (and of the data set lines).
inline constexpr std::array<std::string_view, 10> correctionSwitches{
    rakeCorrOnC, inclCorrOnC,         speedCorrOnC,           wearCorrOnC,  rakeCorrOnF,
    inclCorrOnF, settingAngleCorrOnF, cuttingMaterialCorrOnF, speedCorrOnF, wearCorrOnF};

// Page "Grafik": the manual axis scale and the parameter variation.
inline constexpr std::string_view leftAxisMaximum = "Edit421";
inline constexpr std::string_view leftAxisMinimum = "Edit422";
inline constexpr std::string_view bottomAxisMaximum = "Edit423";
inline constexpr std::string_view bottomAxisMinimum = "Edit424";
inline constexpr std::string_view leftAxisIncrement = "Edit425";
inline constexpr std::string_view bottomAxisIncrement = "Edit426";
inline constexpr std::string_view variationIncrement = "Edit431";
inline constexpr std::string_view variationValue = "Edit432";

}  // namespace inputs

struct FieldRule {
    enum class Kind {
        None,          // no rule when leaving the field
        NonEmpty,      // any non-empty text
        Real,          // non-empty and a real number within the bounds
        Integer,       // non-empty and an integer within the bounds
        ObservedTooth  // the observed tooth: non-empty, then not above the tooth count (and not below 1)
    };
    Kind kind = Kind::None;
    bool hasMin = false;
    long double min = 0;
    bool minInclusive = false;
    bool hasMax = false;
    long double max = 0;
    bool maxInclusive = false;
};

struct FieldSpec {
    std::string_view control;  // the input's control, e.g. inputs::boreDiameter
    const char* defaultText;   // text when the window is created (UTF-8)
    bool allowComma;
    bool allowMinus;
    int maxLength;  // 0: unlimited
    FieldRule rule;
    const char* message;      // warning shown when the rule fails (UTF-8), nullptr without rule
    const char* restoreText;  // text put back on failure, nullptr: the text stays
};

// Every numeric field of the pages "Eingabe", "Optionen" and "Grafik".
const std::vector<FieldSpec>& numericFields();

// The field of that name, or nullptr.
const FieldSpec* findField(std::string_view control);

// The inputs of a run as the parameter set names them (ParameterSet
// members): what the batch tool's overrides and its parameter list use.
// The settingAngle is given in degrees, as its field holds it.
struct InputParameter {
    enum class Kind {
        Number,  // a numeric field of the table above
        Choice,  // a radio group of two items, chosen by caption or index
        Switch   // a correction check box, 1 on and 0 off
    };
    std::string_view name;     // "boreDiameter", as the ParameterSet member
    std::string_view control;  // inputs::boreDiameter
    Kind kind;
    const char* caption;                 // German, as the window labels the input (UTF-8)
    const char* unit;                    // "mm", "Grad", ...; "" for a count or a ratio
    std::array<const char*, 2> items{};  // Choice: the captions of items 0 and 1
};

// Every input of a run in the order of the pages (and of the data set
// lines); the material file name is none: the data set holds its values.
const std::vector<InputParameter>& inputParameters();

// The input of that name, or nullptr.
const InputParameter* findInputParameter(std::string_view name);

// The range a field takes, in words, its numbers as the fields write them:
// "ab 1", "größer als 0", "0,1 bis 1", "größer als -90 und kleiner als 90",
// "ganzzahlig, 36 bis 720", "ganzzahlig, 1 bis Zähneanzahl"; "ganzzahlig"
// leads for every field of digits only. A field without bounds that takes
// no minus sign takes "ab 0", one that takes any number "".
std::string rangeInWords(const FieldSpec& field);

// What a field wants, for its tooltip: caption, unit and range, as in
// "Bohrungsdurchmesser [mm], ab 1" or "Zähneanzahl, ganzzahlig, ab 1". The
// captions and units are those of inputParameters(); the fields of the page
// "Grafik" have captions of their own here, and the unit of an axis field
// is the unit of the channel on that axis (axisUnit, "" while none is
// plotted). "" for a control that is no numeric field.
std::string fieldToolTip(std::string_view control, std::string_view axisUnit = {});

// The caption by which messages name a field: its input's caption
// ("Zähneanzahl") or, for the page "Grafik", the field's own; "" for a
// control that has none.
std::string fieldCaption(std::string_view control);

// A conversion error of a field's text with the field named in front:
// "Zähneanzahl: '' ist kein gültiger Integerwert". The line stays.
ConversionError namingField(const ConversionError& error, std::string_view control);

// Whether a field takes a text that the program writes into it as it
// stands: its entry filter would remove no character (no minus sign where it
// takes none, no comma where it takes digits only) and the text passes its
// rule. A text that does not convert raises ConversionError.
bool fieldTakesText(const FieldSpec& field, std::string_view text);

// Whether a text passes the field's numeric rule (not the tooth-count
// comparison of the observed tooth, which needs a second field). A text that
// does not convert raises ConversionError.
bool passesRule(const FieldSpec& field, std::string_view text);

}  // namespace orbiton
