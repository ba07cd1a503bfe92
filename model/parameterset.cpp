#include "model/parameterset.h"

#include "model/errors.h"
#include "model/fields.h"
#include "model/fpmath.h"
#include "model/numbertext.h"

namespace orbiton {

namespace {

// A text that does not convert is reported with its field's name.
float real(const ControlSource& c, std::string_view input)
{
    try {
        return parseReal(c.text(input));
    } catch (const ConversionError& error) {
        throw namingField(error, input);
    }
}

std::int32_t integer(const ControlSource& c, std::string_view input)
{
    try {
        return parseInteger(c.text(input));
    } catch (const ConversionError& error) {
        throw namingField(error, input);
    }
}

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
    p.boreDiameter = real(c, inputs::boreDiameter);
    p.cutterDiameter = real(c, inputs::cutterDiameter);
    p.toothCount = integer(c, inputs::toothCount);
    p.preboreDiameter = real(c, inputs::preboreDiameter);
    p.axialOffset = real(c, inputs::axialOffset);
    p.wearLandWidth = real(c, inputs::wearLandWidth);
    p.rakeAngleOuter = real(c, inputs::rakeAngleOuter);
    p.inclinationOuter = real(c, inputs::inclinationOuter);
    p.rakeAngleInner = real(c, inputs::rakeAngleInner);
    p.inclinationInner = real(c, inputs::inclinationInner);
    // The setting angle is entered in degrees and kept in radians.
    long double degrees = 0;
    try {
        degrees = parseRealExtended(c.text(inputs::settingAngle));
    } catch (const ConversionError& error) {
        throw namingField(error, inputs::settingAngle);
    }
    p.settingAngle = fp::store(degrees * (1.0L / 180.0L) * fp::pi);

    // The axial edge has no angle fields of its own.
    p.rakeAngleAxial = p.inclinationOuter;
    p.inclinationAxial = p.rakeAngleOuter;

    p.insertWidth = real(c, inputs::insertWidth);
    p.cuttingSpeed = real(c, inputs::cuttingSpeed);
    p.axialFeedPerRev = real(c, inputs::axialFeedPerRev);
    p.radialFeedPerTooth = real(c, inputs::radialFeedPerTooth);
    p.stepCount = integer(c, inputs::stepCount);
    p.observedTooth = integer(c, inputs::observedTooth);

    switch (c.selectedIndex(inputs::insertShape)) {
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
    p.expC11 = real(c, inputs::expC11);
    p.expC101 = real(c, inputs::expC101);
    p.expC1001 = real(c, inputs::expC1001);
    p.expF11 = real(c, inputs::expF11);
    p.expF101 = real(c, inputs::expF101);
    p.expF1001 = real(c, inputs::expF1001);
    p.kc11 = real(c, inputs::kc11);
    p.kc101 = real(c, inputs::kc101);
    p.kc1001 = real(c, inputs::kc1001);
    p.kf11 = real(c, inputs::kf11);
    p.kf101 = real(c, inputs::kf101);
    p.kf1001 = real(c, inputs::kf1001);
}

void readCorrectionParameters(ParameterSet& p, const ControlSource& c)
{
    p.rakeCorrFactorC = real(c, inputs::rakeCorrFactorC);
    p.refRakeAngleC = real(c, inputs::refRakeAngleC);
    p.inclCorrFactorC = real(c, inputs::inclCorrFactorC);
    p.refInclinationC = real(c, inputs::refInclinationC);
    p.rakeCorrFactorF = real(c, inputs::rakeCorrFactorF);
    p.refRakeAngleF = real(c, inputs::refRakeAngleF);
    p.cuttingMaterialFactorF = real(c, inputs::cuttingMaterialFactorF);
    p.inclCorrFactorF = real(c, inputs::inclCorrFactorF);
    p.refInclinationF = real(c, inputs::refInclinationF);

    p.rakeCorrOnC = c.isChecked(inputs::rakeCorrOnC);
    p.inclCorrOnC = c.isChecked(inputs::inclCorrOnC);
    p.speedCorrOnC = c.isChecked(inputs::speedCorrOnC);
    p.wearCorrOnC = c.isChecked(inputs::wearCorrOnC);
    p.rakeCorrOnF = c.isChecked(inputs::rakeCorrOnF);
    p.inclCorrOnF = c.isChecked(inputs::inclCorrOnF);
    p.settingAngleCorrOnF = c.isChecked(inputs::settingAngleCorrOnF);
    p.cuttingMaterialCorrOnF = c.isChecked(inputs::cuttingMaterialCorrOnF);
    p.speedCorrOnF = c.isChecked(inputs::speedCorrOnF);
    p.wearCorrOnF = c.isChecked(inputs::wearCorrOnF);
}

void applyMillingDirection(ParameterSet& p, int selectedIndex)
{
    if (selectedIndex == 0)
        p.millingDirection = 1;
    else if (selectedIndex == 1)
        p.millingDirection = -1;
}

}  // namespace orbiton
