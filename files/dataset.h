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

namespace orbiton {

inline constexpr std::size_t dataSetLineCount = 51;
inline constexpr std::size_t materialLineCount = 21;
inline constexpr std::size_t inputLineCount = 18;   // lines 1..18
inline constexpr std::size_t switchLineCount = 10;  // lines 42..51
inline constexpr std::size_t materialNameLine = 16; // the text of Edit151

using MaterialTexts = std::array<std::string, materialLineCount>;

// Texts are UTF-8 in memory and Latin-1 in the file.
struct DataSet {
    // Lines 1..18: Edit111 ... Edit143, Edit151 (material file name),
    // ComboBox161, Edit162.
    std::array<std::string, inputLineCount> inputTexts;
    int insertShapeIndex = 0;       // line 19, RadioGroup1: 0, 1 or -1 (none)
    int millingDirectionIndex = 0;  // line 20, RadioGroup101
    MaterialTexts materialTexts;    // lines 21..41
    std::array<bool, switchLineCount> switches{};  // lines 42..51, CheckBox511 ... CheckBox526
};

// Control names of the lines, in line order.
const std::array<const char*, inputLineCount>& inputControls();
const std::array<const char*, materialLineCount>& materialControls();
const std::array<const char*, switchLineCount>& switchControls();
inline constexpr const char* insertShapeControl = "RadioGroup1";
inline constexpr const char* millingDirectionControl = "RadioGroup101";
inline constexpr const char* materialNameControl = "Edit151";
inline constexpr const char* defaultMaterialName = "AlCuMgPbF34.wks";

// The state of the window when it is created.
DataSet defaultDataSet();
MaterialTexts defaultMaterialTexts();

// Parses the bytes of a data set. Lines after line 51 are ignored. The first
// problem in line order is raised: a missing line as FileError "Listenindex
// außerhalb des zulässigen Bereichs", a line 19, 20 or 42..51 that is no
// integer as ConversionError "'<line>' ist kein gültiger Integerwert".
// Radio-group indexes are clamped to -1..1; a switch is on for any non-zero
// value.
DataSet parseDataSet(std::string_view bytes);

// The 51 lines, Latin-1, each ended by CR LF. A text with a character
// outside Latin-1 raises FileError before anything is written.
std::string renderDataSet(const DataSet& dataSet);

// The same for material files: 21 lines, later lines ignored, fewer raise
// the list-index error.
MaterialTexts parseMaterial(std::string_view bytes);
std::string renderMaterial(const MaterialTexts& texts);

// Reading and saving by path ("Kann Datei %s nicht öffnen" / "... nicht
// erstellen"); saving replaces the file atomically.
DataSet readDataSetFile(const std::string& path);
void saveDataSetFile(const std::string& path, const DataSet& dataSet);
MaterialTexts readMaterialFile(const std::string& path);
void saveMaterialFile(const std::string& path, const MaterialTexts& texts);

}  // namespace orbiton
