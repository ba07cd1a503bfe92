// Initial data sets and material files: exact bytes, tolerant reading,
// validation of the whole file before anything is used.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "files/dataset.h"
#include "files/textfile.h"
#include "model/errors.h"
#include "model/fields.h"
#include "testfolder.h"

using namespace orbiton;
using testing_support::readBytes;
using testing_support::TestFolder;
using testing_support::writeBytes;

namespace {

const std::vector<std::string> defaultLines{"88",   "46",   "1",   "0",     "0,00", "0,00", "0",    "0",
                                            "0",    "0",    "10",  "10",    "120",  "1,5",  "0,2",  "AlCuMgPbF34.wks",
                                            "120",  "1",    "0",   "0",     "650",  "1005", "1670", "0,81",
                                            "0,78", "0,45", "100", "160",   "240",  "0,8",  "0,82", "0,3",
                                            "0,05", "6",    "1,0", "0,015", "4",    "0,02", "6",    "0,015",
                                            "4",    "1",    "1",   "1",     "1",    "1",    "1",    "1",
                                            "1",    "1",    "1"};

std::string joined(const std::vector<std::string>& lines, const char* end)
{
    std::string out;
    for (const auto& l : lines)
        out += l + end;
    return out;
}

std::vector<std::string> withLine(std::vector<std::string> lines, std::size_t k, std::string text)
{
    lines.at(k - 1) = std::move(text);
    return lines;
}

DataSet sampleDataSet()
{
    DataSet d = defaultDataSet();
    d.inputTexts[0] = "92,5";
    d.inputTexts[2] = "3";
    d.inputTexts[6] = "-12,25";
    d.inputTexts[15] = "Stahl-Güte ß².wks";
    d.inputTexts[16] = "720";
    d.insertShapeIndex = 1;
    d.millingDirectionIndex = -1;
    d.materialTexts[0] = "1234";
    d.materialTexts[20] = "10";
    d.switches = {true, false, true, false, false, true, true, false, true, false};
    return d;
}

bool sameDataSet(const DataSet& a, const DataSet& b)
{
    return a.inputTexts == b.inputTexts && a.insertShapeIndex == b.insertShapeIndex &&
           a.millingDirectionIndex == b.millingDirectionIndex && a.materialTexts == b.materialTexts &&
           a.switches == b.switches;
}

std::string errorOf(const std::string& bytes)
{
    try {
        parseDataSet(bytes);
    } catch (const FileError& e) {
        return std::string("FileError: ") + e.what();
    } catch (const ConversionError& e) {
        return std::string("ConversionError: ") + e.what();
    }
    return "accepted";
}

}  // namespace

TEST(DataSetFile, DefaultStateIsWrittenByteForByte)
{
    const std::string expected = joined(defaultLines, "\r\n");
    EXPECT_EQ(renderDataSet(defaultDataSet()), expected);
    EXPECT_EQ(readBytes(ORBITON_DATA_DIR "/default.ads"), expected);

    TestFolder folder;
    const std::string path = folder.file("default.ads");
    saveDataSetFile(path, defaultDataSet());
    EXPECT_EQ(readBytes(path), expected);
}

TEST(DataSetFile, SaveAndOpenRestoreEverything)
{
    TestFolder folder;
    const std::string path = folder.file("probe.ads");
    const DataSet d = sampleDataSet();
    saveDataSetFile(path, d);
    const std::string bytes = readBytes(path);
    EXPECT_NE(bytes.find("Stahl-G\xFCte \xDF\xB2.wks\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n1\r\n-1\r\n"), std::string::npos);
    EXPECT_TRUE(sameDataSet(readDataSetFile(path), d));
    // Writing what was read gives the same bytes again.
    EXPECT_EQ(renderDataSet(readDataSetFile(path)), bytes);
}

TEST(DataSetFile, AnyLineEndIsReadTheSame)
{
    const DataSet crlf = parseDataSet(joined(defaultLines, "\r\n"));
    EXPECT_TRUE(sameDataSet(crlf, defaultDataSet()));
    EXPECT_TRUE(sameDataSet(parseDataSet(joined(defaultLines, "\n")), crlf));
    EXPECT_TRUE(sameDataSet(parseDataSet(joined(defaultLines, "\r")), crlf));
    std::string noFinalEnd = joined(defaultLines, "\r\n");
    noFinalEnd.resize(noFinalEnd.size() - 2);
    EXPECT_TRUE(sameDataSet(parseDataSet(noFinalEnd), crlf));
    // Lines after line 51 are ignored, whatever they hold.
    EXPECT_TRUE(sameDataSet(parseDataSet(joined(defaultLines, "\r\n") + "x\r\n\xFF\xFE garbage"), crlf));
}

TEST(DataSetFile, RadioIndexesAreClampedAndSwitchesAreNonZero)
{
    DataSet d = parseDataSet(joined(withLine(defaultLines, 19, "5"), "\r\n"));
    EXPECT_EQ(d.insertShapeIndex, 1);
    d = parseDataSet(joined(withLine(defaultLines, 19, "-3"), "\r\n"));
    EXPECT_EQ(d.insertShapeIndex, -1);
    d = parseDataSet(joined(withLine(defaultLines, 20, "1"), "\r\n"));
    EXPECT_EQ(d.millingDirectionIndex, 1);
    d = parseDataSet(joined(withLine(defaultLines, 20, "-2147483648"), "\r\n"));
    EXPECT_EQ(d.millingDirectionIndex, -1);

    auto lines = withLine(defaultLines, 42, "2");
    lines = withLine(lines, 43, "0");
    lines = withLine(lines, 51, "-7");
    d = parseDataSet(joined(lines, "\r\n"));
    EXPECT_TRUE(d.switches[0]);
    EXPECT_FALSE(d.switches[1]);
    EXPECT_TRUE(d.switches[9]);
}

TEST(DataSetFile, ShortFilesAreRejected)
{
    const std::string listIndex = "FileError: Die Datei endet vor dieser Zeile (ein Anfangsdatensatz hat 51 Zeilen)";
    for (std::size_t n : {0u, 1u, 18u, 20u, 41u, 50u}) {
        const std::vector<std::string> lines(defaultLines.begin(), defaultLines.begin() + n);
        EXPECT_EQ(errorOf(joined(lines, "\r\n")), listIndex) << n << " lines";
    }
    // A last empty line without an end does not exist.
    std::string fifty = joined(std::vector<std::string>(defaultLines.begin(), defaultLines.begin() + 50), "\r\n");
    EXPECT_EQ(errorOf(fifty), listIndex);
    EXPECT_EQ(errorOf(fifty + "1"), "accepted");
}

TEST(DataSetFile, IntegerLinesMustConvert)
{
    EXPECT_EQ(errorOf(joined(withLine(defaultLines, 19, "x"), "\r\n")),
              "ConversionError: 'x' ist kein gültiger Integerwert");
    EXPECT_EQ(errorOf(joined(withLine(defaultLines, 20, ""), "\r\n")),
              "ConversionError: '' ist kein gültiger Integerwert");
    EXPECT_EQ(errorOf(joined(withLine(defaultLines, 47, "1,0"), "\r\n")),
              "ConversionError: '1,0' ist kein gültiger Integerwert");
    EXPECT_EQ(errorOf(joined(withLine(defaultLines, 51, "\xE4"), "\r\n")),
              "ConversionError: 'ä' ist kein gültiger Integerwert");
    // The first problem in line order is the one reported.
    std::vector<std::string> thirty(defaultLines.begin(), defaultLines.begin() + 30);
    EXPECT_EQ(errorOf(joined(withLine(thirty, 20, "y"), "\r\n")), "ConversionError: 'y' ist kein gültiger Integerwert");
    std::vector<std::string> fortyFive(defaultLines.begin(), defaultLines.begin() + 45);
    EXPECT_EQ(errorOf(joined(withLine(fortyFive, 43, "z"), "\r\n")),
              "ConversionError: 'z' ist kein gültiger Integerwert");
    EXPECT_EQ(errorOf(joined(fortyFive, "\r\n")),
              "FileError: Die Datei endet vor dieser Zeile (ein Anfangsdatensatz hat 51 Zeilen)");
}

// Fault: "650,5" in a digits-only line became 6505 and "1e400" 1400 without
// a word. A text the field's entry filter would change is refused with its
// line; what the filter leaves as it is is read even when it is no number.
TEST(DataSetFile, FieldLinesThatTheFilterWouldChangeAreRefused)
{
    struct Case {
        std::size_t line;
        std::string text;
        std::string error;  // "" when accepted
    };
    const Case cases[] = {
        {21, "650,5", "„650,5“ enthält das unzulässige Zeichen „,“"},
        {13, "1e400", "„1e400“ enthält das unzulässige Zeichen „e“"},
        {1, "abc", "„abc“ enthält das unzulässige Zeichen „a“"},
        {1, "-5", "„-5“ enthält das unzulässige Zeichen „-“"},
        {7, "5-", "„5-“ enthält das unzulässige Zeichen „-“"},
        {14, "1,5,", "„1,5,“ enthält das unzulässige Zeichen „,“"},
        {2,
         "4\xE4"
         "6",
         "„4ä6“ enthält das unzulässige Zeichen „ä“"},
        {21, std::string("1\0", 2), "„1?“ enthält das unzulässige Zeichen „?“"},
        {1, "", ""},
        {7, "-12,25", ""},
        {16, "Stahl 1.4301, neu.wks", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        try {
            parseDataSet(joined(withLine(defaultLines, c.line, c.text), "\r\n"));
            EXPECT_EQ(c.error, "");
        } catch (const FileError& e) {
            EXPECT_EQ(e.what(), c.error);
            EXPECT_EQ(e.line(), c.line);
        }
    }
}

TEST(DataSetFile, ReadingAFileThatCannotBeOpened)
{
    TestFolder folder;
    const std::string path = folder.file("nicht da.ads");
    try {
        readDataSetFile(path);
        ADD_FAILURE();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Kann Datei " + path + " nicht öffnen");
    }
}

TEST(DataSetFile, TextsOutsideLatin1AreNotWritten)
{
    TestFolder folder;
    const std::string path = folder.file("alt.ads");
    saveDataSetFile(path, defaultDataSet());
    DataSet d = defaultDataSet();
    d.inputTexts[15] = "Stahl €.wks";
    EXPECT_THROW(saveDataSetFile(path, d), FileError);
    EXPECT_EQ(readBytes(path), joined(defaultLines, "\r\n"));
    EXPECT_EQ(testing_support::entryCount(folder.path()), 1u);
}

TEST(MaterialFile, DefaultTextsAreLinesTwentyOneToFortyOne)
{
    const std::vector<std::string> expected(defaultLines.begin() + 20, defaultLines.begin() + 41);
    EXPECT_EQ(renderMaterial(defaultMaterialTexts()), joined(expected, "\r\n"));
    EXPECT_EQ(readBytes(ORBITON_DATA_DIR "/AlCuMgPbF34.wks"), joined(expected, "\r\n"));
    const MaterialTexts shipped = readMaterialFile(ORBITON_DATA_DIR "/AlCuMgPbF34.wks");
    EXPECT_EQ(shipped, defaultMaterialTexts());
    EXPECT_EQ(materialControls()[0], inputs::kc11);
    EXPECT_EQ(materialControls()[20], inputs::refInclinationC);
}

TEST(MaterialFile, LongerFilesLoadTheirFirstLinesShorterOnesAreRejected)
{
    std::vector<std::string> lines(defaultLines.begin() + 20, defaultLines.begin() + 41);
    lines[0] = "700";
    for (int k = 22; k <= 25; ++k)
        lines.push_back("Zeile " + std::to_string(k));
    const MaterialTexts t = parseMaterial(joined(lines, "\n"));
    EXPECT_EQ(t[0], "700");
    EXPECT_EQ(t[20], "4");

    lines.resize(10);
    try {
        parseMaterial(joined(lines, "\r\n"));
        ADD_FAILURE();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Die Datei endet vor dieser Zeile (eine Werkstoffdatei hat 21 Zeilen)");
        EXPECT_EQ(e.line(), 11u);
    }
    EXPECT_THROW(parseMaterial(""), FileError);
}

TEST(MaterialFile, SaveAndOpen)
{
    TestFolder folder;
    const std::string path = folder.file("Werkstoff ö.wks");
    MaterialTexts t = defaultMaterialTexts();
    t[3] = "0,7";
    t[14] = "2";
    saveMaterialFile(path, t);
    EXPECT_EQ(readMaterialFile(path), t);
    EXPECT_EQ(splitLines(readBytes(path), 100).size(), 21u);
}

TEST(Robustness, GarbageNeverCrashesOrHangs)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 400), '\0');
        for (auto& b : bytes) {
            const int v = byte(random);
            // Plenty of line ends, digits and signs so that deep paths are reached.
            b = static_cast<char>(v < 40 ? '\n' : v < 50 ? '\r' : v < 120 ? '0' + v % 10 : v < 125 ? '-' : v);
        }
        try {
            const DataSet d = parseDataSet(bytes);
            EXPECT_GE(d.insertShapeIndex, -1);
            EXPECT_LE(d.insertShapeIndex, 1);
            // A data set that was read can be written and read back unchanged.
            EXPECT_TRUE(sameDataSet(parseDataSet(renderDataSet(d)), d));
        } catch (const FileError&) {
        } catch (const ConversionError&) {
        }
        try {
            parseMaterial(bytes);
        } catch (const FileError&) {
        } catch (const ConversionError&) {
        }
    }
}

TEST(Robustness, HugeFilesAreReadOnlyAsFarAsNeeded)
{
    TestFolder folder;
    const std::string path = folder.file("gross.ads");
    // 100 MB: the 51 default lines, then random bytes.
    std::string bytes = joined(defaultLines, "\r\n");
    std::mt19937 random(7);
    const std::size_t size = 100u << 20;
    std::size_t at = bytes.size();
    bytes.resize(size);
    for (; at + 4 <= size; at += 4) {
        const std::uint32_t word = static_cast<std::uint32_t>(random());
        std::memcpy(&bytes[at], &word, 4);
    }
    writeBytes(path, bytes);
    EXPECT_TRUE(sameDataSet(readDataSetFile(path), defaultDataSet()));

    // 100 MB without any line end: one very long line, then nothing.
    bytes.assign(size, '7');
    bytes[12345] = '\0';
    writeBytes(path, bytes);
    EXPECT_THROW(readDataSetFile(path), FileError);
    EXPECT_THROW(readMaterialFile(path), FileError);
}

// Fault: a material file of garbage filled the coefficient fields with
// digit fragments and no message.
TEST(MaterialCheck, EveryLineMustBeANumberItsFieldAccepts)
{
    const std::vector<std::string> material(defaultLines.begin() + 20, defaultLines.begin() + 41);
    const std::string exponent = "Der Exponent muß zwischen 0,1 und 1 liegen";
    struct Case {
        std::size_t line;  // in the material file
        std::string text;
        std::string error;  // "" when accepted
    };
    const Case cases[] = {
        {1, "0", "FileError: Der kc1.1-Wert muß größer als 0 N/mm² sein"},
        {1, "650,5", "FileError: „650,5“ enthält das unzulässige Zeichen „,“"},
        {1, "80660789976", ""},
        {4, "1,01", "FileError: " + exponent},
        {4, "0.5", "FileError: „0.5“ enthält das unzulässige Zeichen „.“"},
        {4, "0,1", ""},
        {6, ",8", ""},
        {7, "0", ""},
        {13, "-0,5", "FileError: „-0,5“ enthält das unzulässige Zeichen „-“"},
        {15, "2,1", "FileError: Der Schneidstoff-Korrekturfaktor muß zwischen 0 und 2 liegen"},
        {18, "abc", "FileError: „abc“ enthält das unzulässige Zeichen „a“"},
        {21, "", "FileError: Der Bezugs-Neigungswinkel muß zwischen 0 Grad und 10 Grad liegen"},
        {21, ",", "ConversionError: ',' ist kein gültiger Gleitkommawert"},
        {21, std::string("\x89PNG\0\x1A", 6), "FileError: „?PNG??“ enthält das unzulässige Zeichen „?“"},
    };
    const auto errorAndLine = [](auto parse) {
        try {
            parse();
        } catch (const OrbitonError& e) {
            const char* kind = dynamic_cast<const FileError*>(&e) ? "FileError: " : "ConversionError: ";
            return std::pair{std::string(kind) + e.what(), e.line()};
        }
        return std::pair{std::string(), std::size_t{0}};
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + " '" + c.text + "'");
        const std::size_t expectedLine = c.error.empty() ? 0 : c.line;
        const auto asMaterial =
            errorAndLine([&] { parseMaterial(joined(withLine(material, c.line, c.text), "\r\n")); });
        EXPECT_EQ(asMaterial, std::pair(c.error, expectedLine));
        const auto asDataSet =
            errorAndLine([&] { parseDataSet(joined(withLine(defaultLines, 20 + c.line, c.text), "\r\n")); });
        EXPECT_EQ(asDataSet, std::pair(c.error, c.error.empty() ? 0 : 20 + c.line));
    }

    // The first problem in line order: line 19 before the material lines,
    // the material lines before the switches.
    auto lines = withLine(withLine(defaultLines, 24, "5"), 19, "x");
    EXPECT_EQ(errorAndLine([&] { parseDataSet(joined(lines, "\r\n")); }).second, 19u);
    lines = withLine(withLine(defaultLines, 24, "5"), 45, "x");
    EXPECT_EQ(errorAndLine([&] { parseDataSet(joined(lines, "\r\n")); }).second, 24u);
}

TEST(MaterialCheck, EveryShippedFileAndEveryDefaultPasses)
{
    std::size_t files = 0;
    for (const char* root : {ORBITON_DATA_DIR, ORBITON_TESTS_DIR}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            const std::string path = entry.path().string();
            const std::string extension = entry.path().extension().string();
            if (extension == ".ads")
                EXPECT_NO_THROW(readDataSetFile(path)) << path;
            else if (extension == ".wks")
                EXPECT_NO_THROW(readMaterialFile(path)) << path;
            else
                continue;
            ++files;
        }
    }
    EXPECT_GE(files, 5u);
    EXPECT_NO_THROW(checkMaterialTexts(defaultMaterialTexts()));
}

TEST(MaterialCheck, NoFileIsWrittenThatReadingWouldRefuse)
{
    // A value typed into a field and saved before the focus left it.
    TestFolder folder;
    MaterialTexts texts = defaultMaterialTexts();
    texts[0] = "0";
    DataSet d = defaultDataSet();
    d.materialTexts = texts;
    const std::string message = "Der kc1.1-Wert muß größer als 0 N/mm² sein";
    const auto refusal = [](auto save) {
        try {
            save();
        } catch (const FileError& e) {
            return std::string(e.what());
        }
        return std::string("saved");
    };
    EXPECT_EQ(refusal([&] { saveMaterialFile(folder.file("a.wks"), texts); }), message);
    EXPECT_EQ(refusal([&] { saveDataSetFile(folder.file("a.ads"), d); }), message);
    EXPECT_EQ(testing_support::entryCount(folder.path()), 0u);
}
