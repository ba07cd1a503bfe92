// Parameter studies with orbiton-batch: inputs changed with --set, sweeps
// with --vary on one and several threads, CSV and JSON output.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/orbiton-batch/sweep.h"
#include "files/textfile.h"
#include "model/errors.h"
#include "runner.h"

using namespace orbiton;
using batch_test::runBatch;
using testing_support::readBytes;
using testing_support::TestFolder;
using testing_support::writeBytes;

namespace {

const std::string defaultAds = ORBITON_DATA_DIR "/default.ads";

// The default data set with some lines (numbered from 1) replaced.
std::string dataSetWith(const TestFolder& folder, const std::map<int, std::string>& changes)
{
    auto lines = splitLines(readBytes(defaultAds), 100);
    for (const auto& [line, text] : changes)
        lines.at(static_cast<std::size_t>(line - 1)) = text;
    std::string bytes;
    for (const auto& l : lines)
        bytes += l + "\r\n";
    const std::string path = folder.file("eingabe.ads");
    writeBytes(path, bytes);
    return path;
}

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out(1);
    for (const char c : line) {
        if (c == ',')
            out.emplace_back();
        else
            out.back().push_back(c);
    }
    return out;
}

std::vector<std::string> withArgs(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

}  // namespace

TEST(Study, OverridesReachTheRunAsTheSameTextsInADataSet)
{
    struct Case {
        std::vector<std::string> sets;
        std::map<int, std::string> lines;
    };
    const std::vector<Case> cases{
        {{"boreDiameter=90.5"}, {{1, "90,5"}}},
        {{"toothCount=3", "observedTooth=2"}, {{3, "3"}, {18, "2"}}},
        {{"preboreDiameter=60", "axialOffset=0,5", "wearLandWidth=0.1"}, {{4, "60"}, {5, "0,5"}, {6, "0,1"}}},
        {{"insertShape=rhombisch", "settingAngle=30", "rakeAngleInner=-5"}, {{19, "1"}, {11, "30"}, {9, "-5"}}},
        {{"insertShape=1", "inclinationInner=2.5"}, {{19, "1"}, {10, "2,5"}}},
        {{"millingDirection=Gegenlauf", "stepCount=360"}, {{20, "1"}, {17, "360"}}},
        {{"cuttingSpeed=200", "axialFeedPerRev=1.2", "radialFeedPerTooth=0.15"},
         {{13, "200"}, {14, "1,2"}, {15, "0,15"}}},
        {{"kc11=900", "expC101=0.5", "kf1001=300"}, {{21, "900"}, {25, "0,5"}, {29, "300"}}},
        {{"rakeAngleOuter=5", "refInclinationC=2.5", "cuttingMaterialFactorF=1.5"},
         {{7, "5"}, {41, "2,5"}, {35, "1,5"}}},
        {{"wearCorrOnF=0", "rakeCorrOnC=0", "wearLandWidth=0.2"}, {{51, "0"}, {42, "0"}, {6, "0,2"}}},
        // A later --set of the same input wins.
        {{"insertWidth=5", "insertWidth=8"}, {{12, "8"}}},
    };
    const auto reference = runBatch({defaultAds, "--raw"});
    for (const auto& c : cases) {
        TestFolder folder;
        const std::string written = dataSetWith(folder, c.lines);
        std::vector<std::string> set{defaultAds};
        for (const auto& s : c.sets)
            set.insert(set.end(), {"--set", s});
        for (const auto& extra : {std::vector<std::string>{"--raw"}, {"--summary", "--raw"}, {"--format", "csv"}}) {
            const auto overridden = runBatch(withArgs(set, extra));
            const auto fromFile = runBatch(withArgs({written}, extra));
            ASSERT_EQ(overridden.status, 0) << c.sets[0] << ": " << overridden.err;
            EXPECT_EQ(overridden.out, fromFile.out) << c.sets[0];
        }
        EXPECT_NE(runBatch(withArgs(set, {"--raw"})).out, reference.out) << c.sets[0];
    }
}

TEST(Study, RefusedValuesGiveTheFieldsMessageAndWriteNothing)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"boreDiameter=0.9", "Bohrungsdurchmesser muß größer als 1mm sein"},
        {"cutterDiameter=-46", "Der Fräserdurchmesser muß größer als 0,5mm sein"},  // no minus in the field
        {"toothCount=0", "Anzahl der Zähne muß mindestens 1 betragen"},
        {"rakeAngleOuter=90", "Der Spanwinkel der Außenschneide muß zwischen -90 Grad und 90 Grad liegen"},
        {"settingAngle=0", "Der Einstellwinkel muß zwischen 0 Grad und 90 Grad liegen"},
        {"stepCount=30", "Anzahl der Berechnungsschritte muß zwischen 36 und 720 liegen"},
        {"kc11=0", "Der kc1.1-Wert muß größer als 0 N/mm² sein"},
        {"expF11=1.01", "Der Exponent muß zwischen 0,1 und 1 liegen"},
        {"wearLandWidth=", "Die Verschleißmarkenbreite muß größer oder gleich 0mm sein"},
        // The field would drop a character and run with another value.
        {"cuttingSpeed=120.5", "„120.5“ enthält das unzulässige Zeichen „.“"},
        {"axialFeedPerRev=1,5,", "„1,5,“ enthält das unzulässige Zeichen „,“"},
        {"radialFeedPerTooth=0.2mm", "„0.2mm“ enthält das unzulässige Zeichen „m“"},
        {"preboreDiameter=,", "',' ist kein gültiger Gleitkommawert"},
        {"insertShape=oval", "'oval' ist kein Wert von Wendeschneidplattenform: rechteckig (0) oder rhombisch (1)"},
        {"speedCorrOnC=ja", "'ja' ist kein Wert von Schnittgeschwindigkeitskorrektur, Schnittkraft: 1 (ein) oder "
                            "0 (aus)"},
        {"boreDiameters=88", "Unbekannter Parameter 'boreDiameters' (alle Namen zeigt orbiton-batch "
                             "--list-parameters)"},
    };
    TestFolder folder;
    const std::string output = folder.file("aus.csv");
    for (const auto& [set, message] : cases) {
        const auto r = runBatch({defaultAds, "--set", set, "--format", "csv", "-o", output});
        EXPECT_EQ(r.status, 1) << set;
        EXPECT_EQ(r.err, "--set " + set + ": " + message + "\n");
        EXPECT_FALSE(std::filesystem::exists(output)) << set;
    }
    // What the run refuses (a relation of two inputs) is the window's message too.
    const auto r = runBatch({defaultAds, "--set", "observedTooth=2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Es können nur Zähne betrachtet werden, die auch vorhanden sind\n");
}

TEST(Study, SweepRowsEqualSingleRunsOnAnyNumberOfThreads)
{
    // Runs of 720 steps and 5 or 6 teeth are large enough for a run to
    // spread its step loop over the cores when it runs alone.
    const std::vector<std::string> heavy{"--set", "insertShape=rhombisch", "--set", "stepCount=720"};
    const auto sweep =
        withArgs({defaultAds, "--vary", "toothCount=5:6:1", "--vary", "radialFeedPerTooth=0.1:0.3:0.1"}, heavy);
    const auto one = runBatch(withArgs(sweep, {"--format", "csv", "--jobs", "1"}));
    ASSERT_EQ(one.status, 0) << one.err;
    for (const char* jobs : {"2", "5"})
        EXPECT_EQ(runBatch(withArgs(sweep, {"--format", "csv", "--jobs", jobs})).out, one.out) << jobs;
    EXPECT_EQ(runBatch(withArgs(sweep, {"--format", "json", "--jobs", "3"})).out,
              runBatch(withArgs(sweep, {"--format", "json", "--jobs", "1"})).out);

    const auto lines = splitLines(one.out, 100);
    ASSERT_EQ(lines.size(), 7u);  // header and 2 x 3 rows, the first input outermost
    const std::vector<std::string> expected{"5,0.1", "5,0.2", "5,0.3", "6,0.1", "6,0.2", "6,0.3"};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const auto row = fields(lines[k + 1]);
        ASSERT_EQ(row.size(), 14u);
        EXPECT_EQ(row[0] + "," + row[1], expected[k]);
        EXPECT_EQ(row[13], "");
        // 9 digits name every float: equal texts are equal bits.
        const auto single = runBatch(withArgs({defaultAds, "--set", "toothCount=" + row[0], "--set",
                                               "radialFeedPerTooth=" + row[1], "--summary", "--raw"},
                                              heavy));
        ASSERT_EQ(single.status, 0);
        const auto summary = splitLines(single.out, 20);
        ASSERT_EQ(summary.size(), 11u);
        for (std::size_t s = 0; s < 11; ++s)
            EXPECT_EQ(summary[s].substr(summary[s].find(' ') + 1), row[2 + s]) << lines[k + 1];
    }
}

TEST(Study, ValuesAreFromPlusKStepsWithBothEndsIncluded)
{
    // 0.99 / 0.01 is a hair below 99 in binary: TO must still be reached.
    auto r = runBatch({defaultAds, "--vary", "radialFeedPerTooth=0.01:1:0.01", "--format", "csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = splitLines(r.out, 200);
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(fields(lines[1])[0], "0.01");
    EXPECT_EQ(fields(lines[30])[0], "0.3");
    EXPECT_EQ(fields(lines[100])[0], "1");
    // As the window's variation writes them: the shortest text of the
    // single-precision value, whole numbers for a field of digits only, a
    // comma accepted.
    r = runBatch({defaultAds, "--vary", "boreDiameter=88,5:88.52:0.01", "--vary", "cuttingSpeed=300:100:-100",
                  "--format", "csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    lines = splitLines(r.out, 20);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0].substr(0, 43), "boreDiameter [mm],cuttingSpeed [m/min],mean");
    EXPECT_EQ(fields(lines[1])[0] + " " + fields(lines[1])[1], "88.5 300");
    EXPECT_EQ(fields(lines[6])[0] + " " + fields(lines[6])[1], "88.51 100");
    EXPECT_EQ(fields(lines[9])[0] + " " + fields(lines[9])[1], "88.52 100");
    // Beyond four digits the value is written as computed, not rounded.
    r = runBatch({defaultAds, "--vary", "boreDiameter=90:10011:9921", "--format", "csv"});
    lines = splitLines(r.out, 20);
    ASSERT_EQ(lines.size(), 3u) << r.err;
    EXPECT_EQ(fields(lines[2])[0], "10011");
}

TEST(Study, FailedRunsKeepTheirRowsWithTheMessage)
{
    TestFolder folder;
    const std::string output = folder.file("studie.csv");
    // Cutter diameters of 56 and 66 fail the geometry check, a rake angle
    // of 60 makes a correction factor negative, one of 90 or more fails the
    // field's range.
    auto r = runBatch({defaultAds, "--vary", "cutterDiameter=46:66:10", "--vary", "rakeAngleOuter=0:120:60", "--format",
                       "csv", "-o", output});
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(r.out, "");
    const std::string written = readBytes(output);
    const auto lines = splitLines(written, 20);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1].find("46,0,"), 0u);
    EXPECT_NE(fields(lines[1])[2], "");
    EXPECT_EQ(fields(lines[1]).back(), "");
    EXPECT_EQ(lines[2], "46,60,,,,,,,,,,,,\"Die Korrekturfaktoren ergeben für die Schnittkraft keinen positiven Wert. "
                        "Bitte prüfen Sie Spanwinkel, Neigungswinkel und Korrekturwerte!\"");
    EXPECT_EQ(lines[3], "46,120,,,,,,,,,,,,Der Spanwinkel der Außenschneide muß zwischen -90 Grad und 90 Grad liegen");
    EXPECT_EQ(lines[4], "56,0,,,,,,,,,,,,\"Die Wendeschneidplattenbreite muß größer als Fräserdurchmesser minus "
                        "halber Bohrungsdurchmesser sein, also größer als 12 mm\"");

    // A floating-point failure of a run, and a data set that fails every
    // run: nothing is written, exit status 1.
    const std::string broken = dataSetWith(folder, {{13, "0"}});
    r = runBatch({broken, "--vary", "boreDiameter=80:90:5", "--format", "json", "-o", output});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Kein Lauf der Variation ist gelungen; Lauf 1 (boreDiameter=80): Ungültige "
                     "Gleitkommaoperation bei der Vorbereitung des Laufs\n");
    EXPECT_EQ(readBytes(output), written);
}

TEST(Study, RunLimitAndArgumentsAreCheckedBeforeAnythingRuns)
{
    using orbiton::batch::parseVariation;
    using orbiton::batch::sweepRunCount;
    EXPECT_EQ(parseVariation("cuttingSpeed=1:100000:1").count, 100000u);
    EXPECT_EQ(sweepRunCount({parseVariation("toothCount=1:10:1"), parseVariation("cuttingSpeed=1:10000:1")}), 100000u);
    EXPECT_THROW(parseVariation("cuttingSpeed=1:100001:1"), OrbitonError);
    EXPECT_THROW(sweepRunCount({parseVariation("toothCount=1:10:1"), parseVariation("cuttingSpeed=1:10001:1")}),
                 OrbitonError);

    TestFolder folder;
    const std::string output = folder.file("aus.json");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--vary", "toothCount=1:10:1", "--vary", "cuttingSpeed=1:10001:1"},
         "Die Variation ergibt 100010 Läufe; höchstens 100000 werden gerechnet"},
        {{"--vary", "boreDiameter=80:90:0"},
         "--vary boreDiameter=80:90:0: Der Schritt einer Variation darf nicht 0 sein"},
        {{"--vary", "boreDiameter=90:80:1"},
         "--vary boreDiameter=90:80:1: Mit diesem Schritt führt die Variation von VON nicht zu BIS"},
        {{"--vary", "toothCount=1:4:0.5"}, "--vary toothCount=1:4:0.5: '0.5' ist kein gültiger Integerwert"},
        {{"--vary", "insertShape=0:1:1"},
         "--vary insertShape=0:1:1: insertShape ist keine Zahl und kann nicht "
         "variiert werden"},
        {{"--vary", "boreDiameter=80:90"}, "--vary boreDiameter=80:90: '80:90' hat nicht die Form VON:BIS:SCHRITT"},
        {{"--vary", "toothCount=1:2:1", "--set", "toothCount=2"},
         "--vary toothCount=1:2:1: toothCount ist auch mit --set gesetzt"},
        {{"--vary", "toothCount=1:2:1", "--vary", "boreDiameter=80:90:5", "--vary", "cutterDiameter=40:45:5"},
         "Höchstens zwei Eingaben können variiert werden (--vary)"},
        {{"--vary", "toothCount=1:2:1", "--jobs", "0"}, "--jobs 0: eine ganze Zahl von 1 bis 1024 erwartet"},
        {{"--format", "xml"}, "--format xml: bekannt sind eds, csv und json"},
        {{"--format", "csv", "--summary"}, "--summary und --raw gelten nur für --format eds"},
    };
    for (const auto& [args, message] : cases) {
        std::vector<std::string> call{defaultAds, "-o", output};
        if (args[0] == "--vary" && std::find(args.begin(), args.end(), "--format") == args.end())
            call.insert(call.end(), {"--format", "json"});
        const auto r = runBatch(withArgs(call, args));
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_EQ(r.err, message + "\n");
        EXPECT_FALSE(std::filesystem::exists(output)) << message;
    }
    const auto eds = runBatch({defaultAds, "--vary", "toothCount=1:2:1"});
    EXPECT_EQ(eds.status, 1);
    EXPECT_EQ(eds.out, "");
    EXPECT_NE(eds.err.find("--format csv"), std::string::npos);
}
