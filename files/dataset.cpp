#include "files/dataset.h"

#include <vector>

#include "files/datasetcontrols.h"
#include "files/textfile.h"
#include "model/errors.h"
#include "model/fields.h"
#include "model/numbertext.h"

namespace orbiton {

namespace {

// The lines of a file as UTF-8, with the message for a line that the file
// ends before.
struct Lines {
    std::vector<std::string> texts;
    const char* missing;
};

// Line k (from 1), or the error that the file ended before it.
const std::string& lineAt(const Lines& lines, std::size_t k)
{
    if (k > lines.texts.size()) {
        FileError error(lines.missing);
        error.setLine(k);
        throw error;
    }
    return lines.texts[k - 1];
}

// A text that the field's entry filter would change is refused: reading a
// file never changes a value silently.
void checkFieldCharacters(const FieldSpec& field, std::string_view text, std::size_t line)
{
    const std::string refused = firstRefusedCharacter(text, field.allowComma, field.allowMinus);
    if (refused.empty())
        return;
    FileError error(refusedCharacterMessage(text, refused));
    error.setLine(line);
    throw error;
}

std::int32_t integerAt(const Lines& lines, std::size_t k)
{
    const std::string& text = lineAt(lines, k);
    try {
        return parseInteger(text);
    } catch (ConversionError& error) {
        error.setLine(k);
        throw;
    }
}

// Lines first..first+20 hold the material texts; each is checked as soon
// as it is read, so the first problem in line order is the one raised.
void readMaterialLines(const Lines& lines, std::size_t first, MaterialTexts& texts)
{
    for (std::size_t m = 0; m < materialLineCount; ++m) {
        texts[m] = lineAt(lines, first + m);
        checkMaterialText(m, texts[m], first + m);
    }
}

int clampIndex(std::int32_t index) { return index < -1 ? -1 : (index > 1 ? 1 : index); }

Lines utf8Lines(std::string_view bytes, std::size_t count, const char* missing)
{
    Lines lines{{}, missing};
    for (const auto line : splitLineViews(bytes, count)) {
        checkLineLength(line, lines.texts.size() + 1);
        lines.texts.push_back(latin1ToUtf8(line));
    }
    return lines;
}

const char* defaultTextOf(std::string_view control)
{
    const FieldSpec* field = findField(control);
    return field ? field->defaultText : "";
}

}  // namespace

void checkMaterialText(std::size_t index, std::string_view text, std::size_t line)
{
    const FieldSpec* field = findField(materialControls().at(index));
    checkFieldCharacters(*field, text, line);
    const std::string filtered = filterUntilClean(text, field->allowComma, field->allowMinus);
    bool accepted = false;
    try {
        accepted = passesRule(*field, filtered);
    } catch (OrbitonError& error) {
        // A text the filter leaves that is no number ("", ",").
        error.setLine(line);
        throw;
    }
    if (!accepted) {
        FileError error(field->message);
        error.setLine(line);
        throw error;
    }
}

void checkMaterialTexts(const MaterialTexts& texts)
{
    for (std::size_t m = 0; m < materialLineCount; ++m)
        checkMaterialText(m, texts[m], m + 1);
}

const std::array<std::string_view, inputLineCount>& inputControls()
{
    using namespace inputs;
    static constexpr std::array<std::string_view, inputLineCount> names{
        boreDiameter,   cutterDiameter,   toothCount,         preboreDiameter,  axialOffset,  wearLandWidth,
        rakeAngleOuter, inclinationOuter, rakeAngleInner,     inclinationInner, settingAngle, insertWidth,
        cuttingSpeed,   axialFeedPerRev,  radialFeedPerTooth, materialFile,     stepCount,    observedTooth};
    return names;
}

const std::array<std::string_view, materialLineCount>& materialControls()
{
    using namespace inputs;
    // clang-format off
    static constexpr std::array<std::string_view, materialLineCount> names{
        kc11, kc101, kc1001, expC11, expC101, expC1001, kf11, kf101, kf1001, expF11, expF101, expF1001,
        rakeCorrFactorF, refRakeAngleF, cuttingMaterialFactorF, inclCorrFactorF, refInclinationF,
        rakeCorrFactorC, refRakeAngleC, inclCorrFactorC, refInclinationC};
    // clang-format on
    return names;
}

const std::array<std::string_view, switchLineCount>& switchControls() { return inputs::correctionSwitches; }

std::size_t dataSetLineOf(std::string_view control)
{
    for (std::size_t k = 0; k < inputLineCount; ++k)
        if (control == inputControls()[k])
            return k + 1;
    for (std::size_t m = 0; m < materialLineCount; ++m)
        if (control == materialControls()[m])
            return inputLineCount + 2 + m + 1;
    return 0;
}

MaterialTexts defaultMaterialTexts()
{
    MaterialTexts texts;
    for (std::size_t k = 0; k < materialLineCount; ++k)
        texts[k] = defaultTextOf(materialControls()[k]);
    return texts;
}

DataSet defaultDataSet()
{
    DataSet d;
    for (std::size_t k = 0; k < inputLineCount; ++k)
        d.inputTexts[k] = k + 1 == materialNameLine ? defaultMaterialName : defaultTextOf(inputControls()[k]);
    d.insertShapeIndex = 0;
    d.millingDirectionIndex = 0;
    d.materialTexts = defaultMaterialTexts();
    d.switches.fill(true);
    return d;
}

DataSet parseDataSet(std::string_view bytes)
{
    const Lines lines = utf8Lines(bytes, dataSetLineCount, messages::dataSetEnds);
    DataSet d;
    std::size_t k = 1;
    for (; k <= inputLineCount; ++k) {
        d.inputTexts[k - 1] = lineAt(lines, k);
        if (const FieldSpec* field = findField(inputControls()[k - 1]); field && k != materialNameLine)
            checkFieldCharacters(*field, d.inputTexts[k - 1], k);
    }
    d.insertShapeIndex = clampIndex(integerAt(lines, k++));
    d.millingDirectionIndex = clampIndex(integerAt(lines, k++));
    readMaterialLines(lines, k, d.materialTexts);
    k += materialLineCount;
    for (std::size_t s = 0; s < switchLineCount; ++s)
        d.switches[s] = integerAt(lines, k++) != 0;
    return d;
}

std::string renderDataSet(const DataSet& d)
{
    std::vector<std::string> lines;
    lines.reserve(dataSetLineCount);
    for (const auto& text : d.inputTexts)
        lines.push_back(utf8ToLatin1(text));
    lines.push_back(std::to_string(d.insertShapeIndex));
    lines.push_back(std::to_string(d.millingDirectionIndex));
    for (const auto& text : d.materialTexts)
        lines.push_back(utf8ToLatin1(text));
    for (const bool on : d.switches)
        lines.push_back(on ? "1" : "0");
    return joinLines(lines);
}

MaterialTexts parseMaterial(std::string_view bytes)
{
    const Lines lines = utf8Lines(bytes, materialLineCount, messages::materialEnds);
    MaterialTexts texts;
    readMaterialLines(lines, 1, texts);
    return texts;
}

std::string renderMaterial(const MaterialTexts& texts)
{
    std::vector<std::string> lines;
    lines.reserve(materialLineCount);
    for (const auto& text : texts)
        lines.push_back(utf8ToLatin1(text));
    return joinLines(lines);
}

std::string renderMaterial(const MaterialTexts& texts, const std::vector<std::string>& origin)
{
    std::vector<std::string> lines;
    for (const std::string& text : origin) {
        // A character that Latin-1 lacks (a name of the measurements
        // file, say) becomes "?": the origin is a note, never a reason to
        // refuse the save.
        std::string line = "# ";
        for (std::size_t k = 0; k < text.size();) {
            const std::size_t n = utf8CharacterLength(text, k);
            const std::string_view c(text.data() + k, n);
            const bool latin1 =
                n == 1 ? static_cast<unsigned char>(c[0]) < 0x80 : n == 2 && static_cast<unsigned char>(c[0]) <= 0xC3;
            line += c == "\r" || c == "\n" ? std::string_view(" ") : (latin1 ? c : std::string_view("?"));
            k += n;
        }
        lines.push_back(utf8ToLatin1(line));
    }
    return renderMaterial(texts) + joinLines(lines);
}

DataSet readDataSetFile(const std::string& path) { return parseDataSet(readLeadingLines(path, dataSetLineCount)); }

void saveDataSetFile(const std::string& path, const DataSet& dataSet)
{
    checkMaterialTexts(dataSet.materialTexts);
    saveFileAtomically(path, renderDataSet(dataSet));
}

MaterialTexts readMaterialFile(const std::string& path)
{
    return parseMaterial(readLeadingLines(path, materialLineCount));
}

void saveMaterialFile(const std::string& path, const MaterialTexts& texts)
{
    checkMaterialTexts(texts);
    saveFileAtomically(path, renderMaterial(texts));
}

void saveMaterialFile(const std::string& path, const MaterialTexts& texts, const std::vector<std::string>& origin)
{
    checkMaterialTexts(texts);
    saveFileAtomically(path, renderMaterial(texts, origin));
}

}  // namespace orbiton
