#pragma once
// The inputs of one calculation run and their reading from the window's
// controls (or from anything else that offers the same control texts).
#include <cstdint>
#include <string>
#include <string_view>

namespace orbiton {

// Read-only access to the inputs by their names (inputs::boreDiameter, ...,
// see model/fields.h). Texts are UTF-8.
class ControlSource {
public:
    virtual ~ControlSource() = default;
    virtual std::string text(std::string_view control) const = 0;
    // Selected item of a radio group, -1 when none is selected.
    virtual int selectedIndex(std::string_view control) const = 0;
    virtual bool isChecked(std::string_view control) const = 0;
};

inline constexpr const char* insertShapeRectangular = "rechteck";
inline constexpr const char* insertShapeRhombic = "rhombus";

struct ParameterSet {
    // Page "Eingabe", in reading order. Lengths mm, angles degrees except
    // settingAngle (radians), speeds m/min.
    float boreDiameter = 0;
    float cutterDiameter = 0;
    std::int32_t toothCount = 0;
    float preboreDiameter = 0;
    float axialOffset = 0;
    float wearLandWidth = 0;
    float rakeAngleOuter = 0;
    float inclinationOuter = 0;
    float rakeAngleInner = 0;
    float inclinationInner = 0;
    float settingAngle = 0;
    float rakeAngleAxial = 0;    // = inclinationOuter
    float inclinationAxial = 0;  // = rakeAngleOuter
    float insertWidth = 0;
    float cuttingSpeed = 0;
    float axialFeedPerRev = 0;
    float radialFeedPerTooth = 0;
    std::int32_t stepCount = 0;
    std::int32_t observedTooth = 0;
    std::string insertShape;  // "rechteck", "rhombus" or empty before the first choice

    // +1 "Gleichlauf", -1 "Gegenlauf".
    std::int32_t millingDirection = 0;

    // Force law (page "Optionen"), support values N/mm^2.
    float expC11 = 0, expC101 = 0, expC1001 = 0;
    float expF11 = 0, expF101 = 0, expF1001 = 0;
    float kc11 = 0, kc101 = 0, kc1001 = 0;
    float kf11 = 0, kf101 = 0, kf1001 = 0;

    // Correction parameters.
    float rakeCorrFactorC = 0, refRakeAngleC = 0, inclCorrFactorC = 0, refInclinationC = 0;
    float rakeCorrFactorF = 0, refRakeAngleF = 0, cuttingMaterialFactorF = 0;
    float inclCorrFactorF = 0, refInclinationF = 0;

    // Correction switches.
    bool rakeCorrOnC = false, inclCorrOnC = false, speedCorrOnC = false, wearCorrOnC = false;
    bool rakeCorrOnF = false, inclCorrOnF = false, settingAngleCorrOnF = false;
    bool cuttingMaterialCorrOnF = false, speedCorrOnF = false, wearCorrOnF = false;
};

// Sets the fields to the values a run starts from (see the run sequence).
void resetParameters(ParameterSet& p);

// Reads the fields of the page "Eingabe" in their fixed order and sets the
// two derived axial-edge angles and the insert shape. A text that does not
// convert raises a ConversionError; the fields read before it keep their
// new values.
void readProcessParameters(ParameterSet& p, const ControlSource& controls);

// Reads the twelve force-law coefficients of the page "Optionen".
void readForceCoefficients(ParameterSet& p, const ControlSource& controls);

// Reads the nine correction parameters and the ten switches.
void readCorrectionParameters(ParameterSet& p, const ControlSource& controls);

// The rule of the "Drehsinn" radio group: item 0 gives +1, item 1 gives -1,
// no selection keeps the previous value.
void applyMillingDirection(ParameterSet& p, int selectedIndex);

}  // namespace orbiton
