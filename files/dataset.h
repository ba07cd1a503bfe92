#pragma once
// Initial data sets (*.ads: the whole input state of the window, 51 lines)
// and material files (*.wks: the 21 texts of the force law and its
// corrections, the same as lines 21 to 41 of a data set).
//
// Reading validates the whole file first and returns plain values; the
// caller applies them only when reading succeeded, so a bad file changes
// nothing.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orbiton {

inline constexpr std::size_t dataSetLineCount = 51;
inline constexpr std::size_t materialLineCount = 21;
inline constexpr std::size_t inputLineCount = 18;    // lines 1..18
inline constexpr std::size_t switchLineCount = 10;   // lines 42..51
inline constexpr std::size_t materialNameLine = 16;  // the material file name

using MaterialTexts = std::array<std::string, materialLineCount>;

// Texts are UTF-8 in memory and Latin-1 in the file.
struct DataSet {
    // Lines 1..18: the page "Eingabe" from the bore diameter to the radial
    // feed, the material file name, step count and observed tooth.
    std::array<std::string, inputLineCount> inputTexts;
    int insertShapeIndex = 0;                      // line 19: 0, 1 or -1 (none)
    int millingDirectionIndex = 0;                 // line 20
    MaterialTexts materialTexts;                   // lines 21..41
    std::array<bool, switchLineCount> switches{};  // lines 42..51, inputs::correctionSwitches

    bool operator==(const DataSet&) const = default;
};

// The inputs of the lines (names of model/fields.h), in line order. Lines 19
// and 20 are inputs::insertShape and inputs::millingDirection.
const std::array<std::string_view, inputLineCount>& inputControls();
const std::array<std::string_view, materialLineCount>& materialControls();
const std::array<std::string_view, switchLineCount>& switchControls();
inline constexpr const char* defaultMaterialName = "AlCuMgPbF34.wks";

// The data set line (from 1) that holds a control's text, 0 for a control
// that has no line of its own.
std::size_t dataSetLineOf(std::string_view control);

// The state of the window when it is created.
DataSet defaultDataSet();
MaterialTexts defaultMaterialTexts();

// The check of a material text (index 0..20 in line order) as its file
// line: the field's entry filter must leave it as it is (FileError "„650,5“
// enthält das unzulässige Zeichen „,“"), and it must be a number that the
// field accepts when the user leaves it. Raises FileError with the field's
// message (e.g. "Der Exponent muß zwischen 0,1 und 1 liegen"), or the
// ConversionError of a text that is no number (",", "-,"), with line() set
// to line.
void checkMaterialText(std::size_t index, std::string_view text, std::size_t line);

// All 21 texts, lines numbered as in a material file.
void checkMaterialTexts(const MaterialTexts& texts);

// Parses the bytes of a data set. Lines after line 51 are ignored. The first
// problem in line order is raised, with line() set to its line: a line
// longer than maxLineBytes, a missing line as FileError "Die Datei endet vor
// dieser Zeile (ein Anfangsdatensatz hat 51 Zeilen)", a line 19, 20 or
// 42..51 that is no integer as ConversionError "'<line>' ist kein gültiger
// Integerwert", a material line 21..41 that checkMaterialText refuses, a
// numeric line of 1..18 that its field's entry filter would change as
// FileError "„650,5“ enthält das unzulässige Zeichen „,“". Radio-group
// indexes are clamped to -1..1; a switch is on for any non-zero value.
// Otherwise lines 1..18 are taken as they are: their fields check them when
// the user leaves them, and a run refuses what it cannot use.
DataSet parseDataSet(std::string_view bytes);

// The 51 lines, Latin-1, each ended by CR LF. A text with a character
// outside Latin-1 raises FileError before anything is written.
std::string renderDataSet(const DataSet& dataSet);

// The same for material files: 21 lines, later lines ignored, fewer raise
// "Die Datei endet vor dieser Zeile (eine Werkstoffdatei hat 21 Zeilen)", every line checked by checkMaterialText. A
// file that the window or this module wrote always passes.
MaterialTexts parseMaterial(std::string_view bytes);
std::string renderMaterial(const MaterialTexts& texts);

// A material file that says where its values come from: the 21 lines,
// then one comment line "# <text>" per origin text (readers ignore every
// line after line 21). A line break in a text becomes a blank.
std::string renderMaterial(const MaterialTexts& texts, const std::vector<std::string>& origin);

// Reading and saving by path ("Kann Datei %s nicht öffnen" / "... nicht
// erstellen"); saving replaces the file atomically. Saving first checks
// the material texts with checkMaterialTexts and writes nothing when one
// fails: a field can hold a value that was typed but never checked (the
// focus did not leave it before the save), and no file is written that
// reading would refuse.
DataSet readDataSetFile(const std::string& path);
void saveDataSetFile(const std::string& path, const DataSet& dataSet);
MaterialTexts readMaterialFile(const std::string& path);
void saveMaterialFile(const std::string& path, const MaterialTexts& texts);
void saveMaterialFile(const std::string& path, const MaterialTexts& texts, const std::vector<std::string>& origin);

}  // namespace orbiton
