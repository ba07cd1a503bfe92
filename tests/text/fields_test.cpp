// The table of numeric input fields: defaults, filter options and the
// rules checked when a field is left.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "files/dataset.h"
#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"

using namespace orbiton;
using namespace orbiton::inputs;

namespace {

const FieldSpec& field(std::string_view name)
{
    const FieldSpec* f = findField(name);
    if (!f)
        throw std::runtime_error("no field " + std::string(name));
    return *f;
}

bool passes(std::string_view name, const char* text) { return passesRule(field(name), text); }

}  // namespace

TEST(Fields, EveryNumericFieldIsListedOnce)
{
    std::set<std::string_view> names;
    for (const auto& f : numericFields())
        EXPECT_TRUE(names.insert(f.control).second) << f.control;
    EXPECT_EQ(names.size(), 17u + 21u + 8u);
    for (const std::string_view n : {boreDiameter, wearLandWidth, settingAngle, insertWidth, radialFeedPerTooth,
                                     stepCount, observedTooth, kc11, expF1001, refInclinationF, refInclinationC,
                                     leftAxisMaximum, bottomAxisIncrement, variationIncrement, variationValue})
        EXPECT_NE(findField(n), nullptr) << n;
    EXPECT_EQ(findField(materialFile), nullptr);  // the material name is no number
    EXPECT_EQ(findField("NoSuchControl"), nullptr);
}

TEST(Fields, DefaultTextsPassTheirOwnFilterAndRule)
{
    for (const auto& f : numericFields()) {
        const auto filtered = numericEntryFilter(f.defaultText, f.allowComma, f.allowMinus);
        EXPECT_FALSE(filtered.removed) << f.control;
        if (f.rule.kind != FieldRule::Kind::NonEmpty || *f.defaultText) {
            EXPECT_TRUE(passesRule(f, f.defaultText)) << f.control;
        }
        if (f.restoreText) {
            EXPECT_TRUE(passesRule(f, f.restoreText)) << f.control;
            EXPECT_FALSE(numericEntryFilter(f.restoreText, f.allowComma, f.allowMinus).removed);
        }
        if (f.maxLength > 0) {
            EXPECT_LE(std::string(f.defaultText).size(), static_cast<std::size_t>(f.maxLength));
        }
        EXPECT_EQ(f.rule.kind == FieldRule::Kind::None, f.message == nullptr) << f.control;
    }
}

TEST(Fields, DefaultsAndRestoreTextsDiffer)
{
    EXPECT_STREQ(field(axialOffset).defaultText, "0,00");
    EXPECT_STREQ(field(axialOffset).restoreText, "0");
    EXPECT_STREQ(field(wearLandWidth).defaultText, "0,00");
    EXPECT_STREQ(field(wearLandWidth).restoreText, "0");
    EXPECT_STREQ(field(stepCount).defaultText, "120");
    EXPECT_EQ(field(stepCount).restoreText, nullptr);
    EXPECT_EQ(field(observedTooth).restoreText, nullptr);
    EXPECT_STREQ(field(leftAxisMaximum).defaultText, "");
    EXPECT_STREQ(field(variationIncrement).defaultText, "0");
    EXPECT_STREQ(field(variationValue).defaultText, "0");
    EXPECT_STREQ(field(cuttingMaterialFactorF).restoreText, "1,0");
}

TEST(Fields, FilterOptionsAndLengths)
{
    EXPECT_FALSE(field(boreDiameter).allowMinus);
    EXPECT_TRUE(field(rakeAngleOuter).allowMinus);
    EXPECT_FALSE(field(cuttingSpeed).allowComma);
    EXPECT_FALSE(field(toothCount).allowComma);
    EXPECT_FALSE(field(kc11).allowComma);
    EXPECT_TRUE(field(expC11).allowComma);
    EXPECT_FALSE(field(variationIncrement).allowMinus);
    EXPECT_TRUE(field(variationValue).allowMinus);
    EXPECT_EQ(field(boreDiameter).maxLength, 5);
    EXPECT_EQ(field(toothCount).maxLength, 2);
    EXPECT_EQ(field(wearLandWidth).maxLength, 0);
    EXPECT_EQ(field(rakeAngleInner).maxLength, 3);
    EXPECT_EQ(field(stepCount).maxLength, 3);
    EXPECT_EQ(field(observedTooth).maxLength, 1);
    EXPECT_EQ(field(expC11).maxLength, 4);
    EXPECT_EQ(field(expC101).maxLength, 0);
    EXPECT_EQ(field(expF101).maxLength, 4);
    EXPECT_EQ(field(leftAxisIncrement).maxLength, 0);
}

TEST(Fields, InclusiveAndStrictBounds)
{
    EXPECT_TRUE(passes(boreDiameter, "1"));
    EXPECT_FALSE(passes(boreDiameter, "0,9"));
    EXPECT_TRUE(passes(cutterDiameter, "0,5"));
    EXPECT_FALSE(passes(cutterDiameter, "0,49"));
    EXPECT_FALSE(passes(rakeAngleOuter, "90"));
    EXPECT_FALSE(passes(rakeAngleOuter, "-90"));
    EXPECT_TRUE(passes(rakeAngleOuter, "89,9"));
    EXPECT_TRUE(passes(inclinationInner, "-89,99"));
    EXPECT_FALSE(passes(settingAngle, "0"));
    EXPECT_FALSE(passes(settingAngle, "90"));
    EXPECT_TRUE(passes(settingAngle, "0,001"));
    EXPECT_FALSE(passes(insertWidth, "0"));
    EXPECT_FALSE(passes(axialFeedPerRev, "0,0"));
    EXPECT_TRUE(passes(kf11, "0"));
    EXPECT_FALSE(passes(kc11, "0"));
    EXPECT_TRUE(passes(expC11, "0,1"));
    EXPECT_TRUE(passes(expC11, "1"));
    EXPECT_FALSE(passes(expC11, "1,01"));
    EXPECT_FALSE(passes(expC1001, "0,09"));
    EXPECT_TRUE(passes(cuttingMaterialFactorF, "2"));
    EXPECT_FALSE(passes(cuttingMaterialFactorF, "2,1"));
    EXPECT_TRUE(passes(refRakeAngleC, "15"));
    EXPECT_FALSE(passes(refRakeAngleC, "15,0001"));
    EXPECT_TRUE(passes(refRakeAngleF, "12"));
    EXPECT_FALSE(passes(refInclinationC, "10,0001"));
    // Compared in extended precision: a value just above the bound fails
    // although it rounds to the bound in single precision.
    EXPECT_EQ(parseReal("1,00000001"), 1.0f);
    EXPECT_FALSE(passes(expC11, "1,00000001"));
}

TEST(Fields, IntegerRules)
{
    EXPECT_FALSE(passes(stepCount, "30"));
    EXPECT_FALSE(passes(stepCount, "35"));
    EXPECT_TRUE(passes(stepCount, "36"));
    EXPECT_TRUE(passes(stepCount, "720"));
    EXPECT_FALSE(passes(stepCount, "721"));
    EXPECT_FALSE(passes(toothCount, "0"));
    EXPECT_TRUE(passes(toothCount, "1"));
    EXPECT_TRUE(passes(toothCount, "99"));
    EXPECT_FALSE(passes(observedTooth, "0"));
    EXPECT_TRUE(passes(observedTooth, "9"));
    EXPECT_THROW(passes(toothCount, "1,5"), ConversionError);
}

TEST(Fields, EmptyTextsFailEveryRule)
{
    for (const auto& f : numericFields()) {
        const bool expected = f.rule.kind == FieldRule::Kind::None;
        EXPECT_EQ(passesRule(f, ""), expected) << f.control;
    }
    EXPECT_TRUE(passes(preboreDiameter, "0"));
    EXPECT_TRUE(passes(wearLandWidth, ","));  // only emptiness is checked there
}

TEST(Fields, TextsThatAreNoNumberRaiseTheConversionMessage)
{
    for (const char* text : {"-", ",", "-,"}) {
        try {
            passes(rakeAngleOuter, text);
            ADD_FAILURE() << text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' ist kein gültiger Gleitkommawert");
        }
    }
}

TEST(Fields, MessagesOfTheFeedFields)
{
    EXPECT_STREQ(field(axialFeedPerRev).message, "Der axiale Vorschub pro Umdrehung muß größer sein als 0 mm");
    EXPECT_STREQ(field(radialFeedPerTooth).message, "Der radiale Vorschub pro Zahn muß größer sein als 0 mm");
    EXPECT_STREQ(field(observedTooth).message, "Es können nur Zähne betrachtet werden, die auch vorhanden sind");
    EXPECT_STREQ(field(boreDiameter).message, "Bohrungsdurchmesser muß größer als 1mm sein");
    EXPECT_STREQ(field(leftAxisMaximum).message, "Bitte geben Sie einen Wert ein !");
}

// The parameter names reach every input a data set holds, once each: a
// numeric field with a rule, a radio group or a correction switch.
TEST(Fields, ParameterNamesCoverEveryInputOfADataSetOnce)
{
    std::set<std::string_view> controls;
    std::set<std::string_view> names;
    for (const auto& p : orbiton::inputParameters()) {
        EXPECT_TRUE(names.insert(p.name).second) << p.name;
        EXPECT_TRUE(controls.insert(p.control).second) << p.name;
        EXPECT_EQ(orbiton::findInputParameter(p.name), &p);
        using Kind = orbiton::InputParameter::Kind;
        if (p.kind == Kind::Number) {
            const auto* field = orbiton::findField(p.control);
            ASSERT_NE(field, nullptr) << p.name;
            EXPECT_NE(field->rule.kind, orbiton::FieldRule::Kind::None) << p.name;
        } else {
            EXPECT_EQ(p.kind == Kind::Choice, p.items[0] != nullptr) << p.name;
        }
    }
    std::set<std::string_view> expected;
    for (const auto control : orbiton::inputControls())
        if (control != orbiton::inputs::materialFile)
            expected.insert(control);
    for (const auto control : orbiton::materialControls())
        expected.insert(control);
    for (const auto control : orbiton::switchControls())
        expected.insert(control);
    expected.insert(orbiton::inputs::insertShape);
    expected.insert(orbiton::inputs::millingDirection);
    EXPECT_EQ(controls, expected);
    EXPECT_EQ(orbiton::findInputParameter("materialFile"), nullptr);
}

// What the tooltip of each field says, from the same table as the rules.
TEST(Fields, ToolTipsGiveCaptionUnitAndRange)
{
    const struct {
        std::string_view control;
        const char* axisUnit;
        const char* tip;
    } cases[] = {
        {boreDiameter, "", "Bohrungsdurchmesser [mm], ab 1"},
        {cutterDiameter, "", "Fräserdurchmesser [mm], ab 0,5"},
        {toothCount, "", "Zähneanzahl, ganzzahlig, ab 1"},
        {preboreDiameter, "", "Vorbohrungsdurchmesser [mm], ab 0"},
        {rakeAngleOuter, "", "Spanwinkel der Außenschneide [Grad], größer als -90 und kleiner als 90"},
        {cuttingSpeed, "", "Schnittgeschwindigkeit [m/min], ganzzahlig, größer als 0"},
        {stepCount, "", "Berechnungsschritte, ganzzahlig, 36 bis 720"},
        {observedTooth, "", "Betrachtete Schneide, ganzzahlig, 1 bis Zähneanzahl"},
        {kf11, "", "kf1.1 [N/mm²], ganzzahlig, ab 0"},
        {expC11, "", "Exponent 1-z1.1, 0,1 bis 1"},
        {rakeCorrFactorF, "", "Spanwinkel-Korrekturfaktor m_γ, Vorschubkraft [1/Grad], 0 bis 1"},
        {leftAxisMaximum, "N", "Maximum der Y-Achse [N]"},
        {bottomAxisIncrement, "", "Inkrement der X-Achse"},
        {variationIncrement, "mm", "Inkrement der Variation, ab 0"},
        {variationValue, "", "Wert der variierten Eingabe"},
        {materialFile, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fieldToolTip(c.control, c.axisUnit), c.tip) << c.control;
    for (const auto& f : numericFields())
        EXPECT_FALSE(fieldToolTip(f.control).empty()) << f.control;
}

// A text written by the program is taken only as it stands and in range.
TEST(Fields, TakesTextOnlyUnchangedAndInRange)
{
    const struct {
        std::string_view control;
        const char* text;
        bool taken;
    } cases[] = {
        {boreDiameter, "1", true},      {boreDiameter, "0,5", false},   {boreDiameter, "-2", false},
        {cuttingSpeed, "121", true},    {cuttingSpeed, "120,5", false}, {rakeAngleOuter, "-2,5", true},
        {rakeAngleOuter, "90", false},  {toothCount, "0", false},       {preboreDiameter, "0", true},
        {variationValue, "-1,5", true}, {insertWidth, "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fieldTakesText(field(c.control), c.text), c.taken) << c.control << " " << c.text;
}
