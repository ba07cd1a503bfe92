// orbiton-batch as a user runs it: the default data set, the table layout,
// every refusal with exit status 1 and no output file.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "files/dataset.h"
#include "files/textfile.h"
#include "runner.h"

using namespace orbiton;
using batch_test::runBatch;
using testing_support::readBytes;
using testing_support::TestFolder;
using testing_support::writeBytes;

namespace {

const std::string defaultAds = ORBITON_DATA_DIR "/default.ads";

std::vector<std::string> defaultLines() { return splitLines(readBytes(defaultAds), 100); }

// The default data set with some lines (numbered from 1) replaced.
std::string dataSetFile(const TestFolder& folder, const std::map<int, std::string>& changes,
                        const char* lineEnd = "\r\n")
{
    auto lines = defaultLines();
    for (const auto& [line, text] : changes)
        lines.at(static_cast<std::size_t>(line - 1)) = text;
    std::string bytes;
    for (const auto& l : lines)
        bytes += l + lineEnd;
    const std::string path = folder.file("eingabe.ads");
    writeBytes(path, bytes);
    return path;
}

std::map<std::string, std::string> summaryOf(const std::string& out)
{
    std::map<std::string, std::string> values;
    for (const auto& line : splitLines(out, 100)) {
        const auto blank = line.find(' ');
        values[line.substr(0, blank)] = line.substr(blank + 1);
    }
    return values;
}

// A refused run: status 1, the message on standard error, nothing on
// standard output, and the output file neither created nor changed.
void expectRefused(const std::string& input, const std::string& message)
{
    TestFolder folder;
    const std::string fresh = folder.file("neu.eds");
    const std::string existing = folder.file("alt.eds");
    writeBytes(existing, "alter Inhalt\r\n");

    auto r = runBatch({input, "-o", fresh});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, message + "\n");
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(std::filesystem::exists(fresh));

    r = runBatch({input, "-o", existing, "--summary"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readBytes(existing), "alter Inhalt\r\n");
    EXPECT_EQ(testing_support::entryCount(folder.path()), 1u);

    r = runBatch({input});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
}

}  // namespace

TEST(Batch, SummaryOfTheDefaultDataSet)
{
    const auto r = runBatch({defaultAds, "--summary"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = splitLines(r.out, 100);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0].rfind("meanCuttingPower ", 0), 0u);
    EXPECT_EQ(lines[10].rfind("roughnessDepth ", 0), 0u);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    auto s = summaryOf(r.out);
    EXPECT_EQ(s["spindleSpeed"], "830,4");
    EXPECT_EQ(s["circularSpeed"], "1,259");
    EXPECT_EQ(s["feedSpeed"], "1,888");
    EXPECT_EQ(s["roughnessDepth"], "0,0004555");
    EXPECT_EQ(s["minClearanceOuter"], "1,373");

    const auto raw = runBatch({defaultAds, "--summary", "--raw"});
    ASSERT_EQ(raw.status, 0) << raw.err;
    s = summaryOf(raw.out);
    EXPECT_NEAR(std::stod(s["spindleSpeed"]), 830.4, 0.05);
    EXPECT_NEAR(std::stod(s["circularSpeed"]), 1.2587, 0.0001);
    EXPECT_NEAR(std::stod(s["feedSpeed"]), 1.888, 0.0005);
    EXPECT_NEAR(std::stod(s["roughnessDepth"]), 0.000455, 0.000001);
    EXPECT_NEAR(std::stod(s["minClearanceOuter"]), 1.37, 0.005);
}

TEST(Batch, TableLayoutOnStandardOutputAndInAFile)
{
    const auto r = runBatch({defaultAds});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = splitLines(r.out, 1000);
    ASSERT_EQ(lines.size(), 122u);
    EXPECT_EQ(r.out.rfind(" Phij lfc ap bz H\xF6he_ax Breite_ax", 0), 0u);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 12), " Pc Mc Mb A ");
    std::size_t lineEnds = 0;
    for (std::size_t at = r.out.find("\r\n"); at != std::string::npos; at = r.out.find("\r\n", at + 2))
        ++lineEnds;
    EXPECT_EQ(lineEnds, 122u);
    EXPECT_EQ(r.out.substr(r.out.size() - 3), " \r\n");
    for (const auto& line : lines) {
        std::size_t blanks = 0;
        for (char c : line)
            blanks += c == ' ';
        EXPECT_EQ(blanks, 32u);
        EXPECT_EQ(line.find("  "), std::string::npos);  // no empty cell
        EXPECT_EQ(line.find('.'), std::string::npos);   // decimal comma only
    }
    EXPECT_EQ(lines[1].rfind(" 0 ", 0), 0u);
    EXPECT_EQ(lines[121].rfind(" 360 ", 0), 0u);

    TestFolder folder;
    const std::string path = folder.file("ergebnis.eds");
    const auto toFile = runBatch({defaultAds, "-o", path});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(readBytes(path), r.out);

    // With --summary the table goes only to the file.
    const auto both = runBatch({defaultAds, "--summary", "-o", path});
    ASSERT_EQ(both.status, 0);
    EXPECT_EQ(splitLines(both.out, 100).size(), 11u);
    EXPECT_EQ(readBytes(path), r.out);
}

TEST(Batch, RawNumbersUseAPointAndNineDigits)
{
    const auto r = runBatch({defaultAds, "--raw"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = splitLines(r.out, 1000);
    ASSERT_EQ(lines.size(), 122u);
    EXPECT_EQ(lines[0], splitLines(runBatch({defaultAds}).out, 1)[0]);
    EXPECT_EQ(lines[5].find(','), std::string::npos);
    EXPECT_NE(lines[5].find('.'), std::string::npos);
    EXPECT_NE(r.out.find(" 114.252045 "), std::string::npos);  // "Fcj" of row 0
}

TEST(Batch, InputIsTakenAsTheWindowWouldHoldIt)
{
    TestFolder folder;
    const auto reference = runBatch({defaultAds, "--raw"});
    ASSERT_EQ(reference.status, 0);

    // LF only, and no end after the last line.
    auto path = dataSetFile(folder, {}, "\n");
    EXPECT_EQ(runBatch({path, "--raw"}).out, reference.out);

    // A text that the entry filter would change is refused, not changed:
    // "1.5" in the axial feed never becomes 15.
    path = dataSetFile(folder, {{14, "1.5"}});
    EXPECT_EQ(runBatch({path, "--raw"}).err, path + ":14: „1.5“ enthält das unzulässige Zeichen „.“\n");

    // The material name is not loaded: lines 21..41 hold the values.
    path = dataSetFile(folder, {{16, "gibt es nicht.wks"}});
    EXPECT_EQ(runBatch({path, "--raw"}).out, reference.out);
    path = dataSetFile(folder, {{21, "1300"}});
    EXPECT_NE(runBatch({path, "--raw"}).out, reference.out);

    // A radio index above 1 is item 1.
    path = dataSetFile(folder, {{20, "1"}});
    const auto gegenlauf = runBatch({path, "--raw"});
    path = dataSetFile(folder, {{20, "9"}});
    EXPECT_EQ(runBatch({path, "--raw"}).out, gegenlauf.out);
    EXPECT_NE(gegenlauf.out, reference.out);
}

TEST(Batch, RefusedRunsWriteNothing)
{
    TestFolder folder;
    expectRefused(dataSetFile(folder, {{2, "90"}}),
                  "Der Fräserdurchmesser muß kleiner als der Bohrungsdurchmesser sein, also kleiner als 88 mm");
    expectRefused(dataSetFile(folder, {{17, "721"}}), "Anzahl der Berechnungsschritte muß zwischen 36 und 720 liegen");
    expectRefused(dataSetFile(folder, {{17, "0"}}), "Anzahl der Berechnungsschritte muß zwischen 36 und 720 liegen");
    expectRefused(dataSetFile(folder, {{3, "0"}}), "Anzahl der Zähne muß mindestens 1 betragen");
    expectRefused(dataSetFile(folder, {{18, "2"}}), "Es können nur Zähne betrachtet werden, die auch vorhanden sind");
    expectRefused(dataSetFile(folder, {{18, "0"}}), "Es können nur Zähne betrachtet werden, die auch vorhanden sind");
    expectRefused(dataSetFile(folder, {{19, "-1"}}), "Bitte wählen Sie eine Wendeschneidplattenform");
}

TEST(Batch, FailuresWhileReadingOrCalculating)
{
    TestFolder folder;
    // An error about a line of the input names it: "INPUT:LINE: message".
    const auto refusedAt = [&](const std::map<int, std::string>& changes, const std::string& message) {
        const std::string path = dataSetFile(folder, changes);
        expectRefused(path, path + ":" + std::to_string(changes.begin()->first) + ": " + message);
    };
    // Texts that the filter leaves but that are no numbers.
    refusedAt({{1, ""}}, "Bohrungsdurchmesser: '' ist kein gültiger Gleitkommawert");
    refusedAt({{7, "-,"}}, "Spanwinkel der Außenschneide: '-,' ist kein gültiger Gleitkommawert");
    refusedAt({{3, ""}}, "Zähneanzahl: '' ist kein gültiger Integerwert");
    refusedAt({{24, ""}}, "Der Exponent muß zwischen 0,1 und 1 liegen");
    // A floating-point failure in the calculation, with its place.
    expectRefused(dataSetFile(folder, {{13, "0"}}), "Ungültige Gleitkommaoperation bei der Vorbereitung des Laufs");
    // Broken files.
    refusedAt({{19, "x"}}, "'x' ist kein gültiger Integerwert");
    refusedAt({{45, "ja"}}, "'ja' ist kein gültiger Integerwert");
    const std::string shortFile = folder.file("kurz.ads");
    writeBytes(shortFile, readBytes(defaultAds).substr(0, 100));
    expectRefused(shortFile, shortFile + ":23: Die Datei endet vor dieser Zeile (ein Anfangsdatensatz hat 51 Zeilen)");
}

TEST(Batch, UnreadableInputAndUnwritableOutput)
{
    TestFolder folder;
    const std::string missing = folder.file("fehlt.ads");
    expectRefused(missing, "Kann Datei " + missing + " nicht öffnen");
    expectRefused(folder.path().string(), "Kann Datei " + folder.path().string() + " nicht öffnen");

    const std::string nowhere = folder.file("kein Ordner/aus.eds");
    const auto r = runBatch({defaultAds, "-o", nowhere});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Kann Datei " + nowhere + " nicht erstellen\n");
    EXPECT_EQ(testing_support::entryCount(folder.path()), 0u);
}

TEST(Batch, WrongArgumentsShowTheUsage)
{
    const std::string usage =
        "Aufruf: orbiton-batch EINGABE.ads [-o AUSGABE] [--format eds|csv|json] [--summary] [--raw]\n"
        "                      [--set NAME=WERT]... [--vary NAME=VON:BIS:SCHRITT]... [--jobs N]\n"
        "       orbiton-batch EINGABE.ads --calibrate-power KW [--idle-power KW] [--set NAME=WERT]...\n"
        "                      -o WERKSTOFF.wks\n"
        "       orbiton-batch --new-material kc1.1=WERT mc=WERT kf1.1=WERT mf=WERT [NAME=WERT]...\n"
        "                      -o WERKSTOFF.wks\n"
        "       orbiton-batch --fit-material MESSUNGEN.csv [NAME=WERT]... -o WERKSTOFF.wks\n"
        "       orbiton-batch --list-parameters | --help | --version\n";
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"--summary"},
                                                 {defaultAds, "-o"},
                                                 {defaultAds, "--tabelle"},
                                                 {defaultAds, defaultAds},
                                                 {defaultAds, "-o", "a.eds", "-o", "b.eds"},
                                                 {defaultAds, "-o", ""}}) {
        const auto r = runBatch(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, usage);
        EXPECT_EQ(r.out, "");
    }
}

TEST(Batch, HelpAndVersionEndWithStatusZero)
{
    const std::string usage = runBatch({}).err;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"-h"}, {defaultAds, "--summary", "--help"}}) {
        const auto r = runBatch(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        // The help starts with the call lines of a wrong call, and every
        // option of them has a line of its own under "Optionen:".
        ASSERT_EQ(r.out.rfind(usage, 0), 0u) << r.out;
        const auto calls = r.out.substr(0, r.out.find("\n\n"));
        const auto options = r.out.substr(r.out.find("Optionen:\n"));
        std::size_t count = 0;
        std::istringstream words(calls);
        for (std::string word; words >> word;) {
            const auto start = word.find_first_not_of("[");
            if (start == std::string::npos || word[start] != '-')
                continue;
            const std::string option = word.substr(start, word.find(']') - start);
            EXPECT_TRUE(options.find("\n  " + option + " ") != std::string::npos ||
                        options.find(", " + option + " ") != std::string::npos)
                << option;
            ++count;
        }
        EXPECT_EQ(count, 18u);  // -o and --set more than once
    }
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--version"}, {defaultAds, "-o", "x.eds", "--version"}}) {
        const auto r = runBatch(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "orbiton-batch " ORBITON_PROJECT_VERSION "\n");
    }
    // The word after -o names the output file, even when it looks like an
    // option: here the input is missing, so the run is refused.
    const auto r = runBatch({ORBITON_DATA_DIR "/fehlt.ads", "-o", "--version"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
}
