#include "model/parameterset.h"

#include "model/fpmath.h"
#include "model/numbertext.h"

namespace orbiton {

namespace {

float real(const ControlSource& c, const char* name) { return parseReal(c.text(name)); }
std::int32_t integer(const ControlSource& c, const char* name) { return parseInteger(c.text(name)); }

}  // namespace

void resetParameters(ParameterSet& p)
{
    // rakeAngleOuter, rakeAngleInner, wearLandWidth and cuttingMaterialFactorF
    // keep their values; the insert shape, the derived angles and the
    // switches are left as they are.
    p.millingDirection = 1;
    p.toothCount = 1;
    p.observedTooth = 1;
    p.stepCount = 120;
    p.settingAngle = 90;

    p.boreDiameter = 0;
    p.cutterDiameter = 0;
    p.preboreDiameter = 0;
    p.axialOffset = 0;
    p.inclinationOuter = 0;
    p.inclinationInner = 0;
    p.insertWidth = 0;
    p.cuttingSpeed = 0;
    p.axialFeedPerRev = 0;
    p.radialFeedPerTooth = 0;

    p.expC11 = p.expC101 = p.expC1001 = 0;
    p.expF11 = p.expF101 = p.expF1001 = 0;
    p.kc11 = p.kc101 = p.kc1001 = 0;
    p.kf11 = p.kf101 = p.kf1001 = 0;

    p.rakeCorrFactorC = p.refRakeAngleC = p.inclCorrFactorC = p.refInclinationC = 0;
    p.rakeCorrFactorF = p.refRakeAngleF = 0;
    p.inclCorrFactorF = p.refInclinationF = 0;
}

void readProcessParameters(ParameterSet& p, const ControlSource& c)
{
    p.boreDiameter = real(c, "Edit111");
    p.cutterDiameter = real(c, "Edit112");
    p.toothCount = integer(c, "Edit113");
    p.preboreDiameter = real(c, "Edit114");
    p.axialOffset = real(c, "Edit115");
    p.wearLandWidth = real(c, "Edit116");
    p.rakeAngleOuter = real(c, "Edit121");
    p.inclinationOuter = real(c, "Edit122");
    p.rakeAngleInner = real(c, "Edit123");
    p.inclinationInner = real(c, "Edit124");
    // The setting angle is entered in degrees and kept in radians.
    const long double degrees = parseRealExtended(c.text("Edit125"));
    p.settingAngle = fp::store(degrees * (1.0L / 180.0L) * fp::pi);

    // The axial edge has no angle fields of its own.
    p.rakeAngleAxial = p.inclinationOuter;
    p.inclinationAxial = p.rakeAngleOuter;

    p.insertWidth = real(c, "Edit132");
    p.cuttingSpeed = real(c, "Edit141");
    p.axialFeedPerRev = real(c, "Edit142");
    p.radialFeedPerTooth = real(c, "Edit143");
    p.stepCount = integer(c, "ComboBox161");
    p.observedTooth = integer(c, "Edit162");

    switch (c.selectedIndex("RadioGroup1")) {
    case 0:
        p.insertShape = insertShapeRectangular;
        break;
    case 1:
        p.insertShape = insertShapeRhombic;
        break;
    default:
        break;  // no selection keeps the previous shape
    }
}

void readForceCoefficients(ParameterSet& p, const ControlSource& c)
{
    p.expC11 = real(c, "Edit541");
    p.expC101 = real(c, "Edit542");
    p.expC1001 = real(c, "Edit543");
    p.expF11 = real(c, "Edit561");
    p.expF101 = real(c, "Edit562");
    p.expF1001 = real(c, "Edit563");
    p.kc11 = real(c, "Edit531");
    p.kc101 = real(c, "Edit532");
    p.kc1001 = real(c, "Edit533");
    p.kf11 = real(c, "Edit551");
    p.kf101 = real(c, "Edit552");
    p.kf1001 = real(c, "Edit553");
}

void readCorrectionParameters(ParameterSet& p, const ControlSource& c)
{
    p.rakeCorrFactorC = real(c, "Edit591");
    p.refRakeAngleC = real(c, "Edit592");
    p.inclCorrFactorC = real(c, "Edit593");
    p.refInclinationC = real(c, "Edit594");
    p.rakeCorrFactorF = real(c, "Edit581");
    p.refRakeAngleF = real(c, "Edit582");
    p.cuttingMaterialFactorF = real(c, "Edit583");
    p.inclCorrFactorF = real(c, "Edit584");
    p.refInclinationF = real(c, "Edit585");

    p.rakeCorrOnC = c.isChecked("CheckBox511");
    p.inclCorrOnC = c.isChecked("CheckBox512");
    p.speedCorrOnC = c.isChecked("CheckBox513");
    p.wearCorrOnC = c.isChecked("CheckBox514");
    p.rakeCorrOnF = c.isChecked("CheckBox521");
    p.inclCorrOnF = c.isChecked("CheckBox522");
    p.settingAngleCorrOnF = c.isChecked("CheckBox523");
    p.cuttingMaterialCorrOnF = c.isChecked("CheckBox524");
    p.speedCorrOnF = c.isChecked("CheckBox525");
    p.wearCorrOnF = c.isChecked("CheckBox526");
}

void applyMillingDirection(ParameterSet& p, int selectedIndex)
{
    if (selectedIndex == 0)
        p.millingDirection = 1;
    else if (selectedIndex == 1)
        p.millingDirection = -1;
}

}  // namespace orbiton
