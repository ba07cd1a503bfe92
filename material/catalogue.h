#pragma once
// Material files from catalogue values: the single-range law of handbooks,
// k = k1.1 * h^-m (h in mm), written into the three ranges of the program's
// law. Each range's support value is the specific force at the range's
// reference thickness (1, 0,1 and 0,01 mm), so range i gets
// k1.1 * h_ref,i^-m as a whole number of N/mm² and the exponent 1 - m.
//
// One function serves the window and the batch tool; a value that the
// field it ends up in would not accept stops the conversion with the
// field's message, as RunRefused.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/dataset.h"

namespace orbiton {

// One row of the sourced table of cutting-force values.
struct CuttingValues {
    std::string material;  // "Baustahl"
    std::string kc11;      // N/mm², field text ("1800")
    std::string mc;        // field text ("0,20")
    std::string refRake;   // reference rake angle of the values, Grad ("6")
    std::string source;    // book, edition, year and page
};

// The rows of the shipped table (data/schnittkraftwerte.csv), in its order.
const std::vector<CuttingValues>& cuttingValuesTable();

// What a user gives: the four catalogue values as typed (decimal comma or
// point), and changes to single lines of the material (the second and third
// range, the correction values) as field texts by control, e.g.
// {inputs::kc101, "2400"}. The first-range lines themselves cannot be
// changed this way: they follow from the catalogue values.
struct CatalogueInput {
    std::string kc11, mc, kf11, mf;
    std::vector<std::pair<std::string_view, std::string>> changes;
};

// The 21 texts: base (the shipped material's, or the window's page) with
// the ranges written from the catalogue values and the changes applied.
// Refuses (RunRefused) a value that is no number ("'x' ist kein gültiger
// Gleitkommawert"), a change of a line that is no material line or a first-
// range line, and any resulting text that its field would refuse, with the
// field's message (a negative or zero kc1.1, an m whose exponent 1 - m lies
// outside 0,1 to 1, ...).
MaterialTexts materialFromCatalogue(const CatalogueInput& input, const MaterialTexts& base);

// The origin line of such a file: "Quelle: Kennwerte kc1.1 1800 N/mm², mc
// 0,2, kf1.1 300 N/mm², mf 0,4".
std::string catalogueOrigin(const CatalogueInput& input);

// Whole N/mm² for a support value; the exponent 1 - m as a field text with
// at most six decimals and no trailing zeros ("0,8").
std::string supportValueText(long double value);
std::string exponentText(long double value, int decimals = 6);

// The number of a text typed with decimal comma or point ("0.2", "0,2").
// Raises ConversionError "'<text>' ist kein gültiger Gleitkommawert".
long double parseTypedNumber(std::string_view text);

// Calibration to a measured power. The mean cutting power of a run is
// linear in the cutting-force support values, so they are scaled by
// measured / simulated. measuredNetKw is the spindle power minus the idle
// power. Refuses (RunRefused) a measured power not above 0 kW and a run
// without cutting power.
long double calibrationFactor(long double measuredNetKw, long double simulatedKw);

// The material with kc1.1, kc1.0,1 and kc1.0,01 multiplied by factor,
// each rounded to whole N/mm². A value that its field refuses (a factor
// that rounds a support value to 0) raises RunRefused with its message.
MaterialTexts scaleCuttingForce(const MaterialTexts& texts, long double factor);

}  // namespace orbiton
