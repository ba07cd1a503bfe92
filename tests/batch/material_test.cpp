// orbiton-batch's material commands: the file bytes, the fit's report,
// the calibration's power, and every refusal with status 1 and no file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
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

// Measured forces of a known law: kc 1800 * h^-0,2 and kf 300 * h^-0,4,
// b = 2 mm, 30 thicknesses from 0,001 to 2 mm, decimal comma.
std::string measuredForces()
{
    std::string csv = "h [mm];b [mm];Fc [N];Ff [N]\r\n";
    for (int j = 0; j < 30; ++j) {
        const double h = 0.001 * std::pow(2000.0, j / 29.0);
        char line[128];
        std::snprintf(line, sizeof line, "%.9g;2;%.9g;%.9g\r\n", h, 1800 * std::pow(h, 0.8) * 2,
                      300 * std::pow(h, 0.6) * 2);
        std::string text = line;
        for (char& c : text)
            c = c == '.' ? ',' : c;
        csv += text;
    }
    return csv;
}

double summaryValue(const std::string& out, const std::string& name)
{
    for (const auto& line : splitLines(out, 100))
        if (line.rfind(name + " ", 0) == 0)
            return std::stod(line.substr(name.size() + 1));
    return NAN;
}

}  // namespace

TEST(BatchMaterial, NewMaterialWritesTheRangesAndTheirOrigin)
{
    TestFolder folder;
    const std::string out = folder.file("stahl.wks");
    const auto r =
        runBatch({"--new-material", "kc1.1=1800", "mc=0,20", "kf1.1=300", "mf=0.40", "refRakeAngleC=12", "-o", out});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_EQ(readBytes(out),
              "1800\r\n2853\r\n4521\r\n0,8\r\n0,8\r\n0,8\r\n300\r\n754\r\n1893\r\n0,6\r\n0,6\r\n0,6\r\n0,05\r\n6\r\n"
              "1,0\r\n0,015\r\n4\r\n0,02\r\n12\r\n0,015\r\n4\r\n"
              "# Quelle: Kennwerte kc1.1 1800 N/mm\xB2, mc 0,2, kf1.1 300 N/mm\xB2, mf 0,4\r\n");
}

TEST(BatchMaterial, RefusalsWriteNoFile)
{
    TestFolder folder;
    const std::string csv = folder.file("m.csv");
    writeBytes(csv, "h;b;Fc\r\n0,1;2;500\r\n0,2;2;abc\r\n");
    const std::string single = folder.file("s.csv");
    writeBytes(single, "h;b;Fc\n0,1;2;500\n0,1;2;510\n0,1;2;490\n");
    const std::string out = folder.file("neu.wks");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--new-material", "kc1.1=1800", "mc=0,2", "kf1.1=300", "mf=0,4"},
         "--new-material: die Werkstoffdatei wird mit -o WERKSTOFF.wks angegeben"},
        {{"--new-material", "kc1.1=1800", "mc=0,2", "-o", out},
         "--new-material braucht kc1.1, mc, kf1.1 und mf; es "
         "fehlt kf1.1, mf"},
        {{"--new-material", "kc1.1=1800", "mc=0,95", "kf1.1=300", "mf=0,4", "-o", out},
         "Der Exponent muß zwischen 0,1 und 1 liegen"},
        {{"--new-material", "kc1.1=0", "mc=0,2", "kf1.1=300", "mf=0,4", "-o", out},
         "Der kc1.1-Wert muß größer als 0 N/mm² sein"},
        {{"--new-material", "kc1.1=1800", "mc=0,2", "kf1.1=300", "mf=0,4", "toothCount=3", "-o", out},
         "toothCount ist kein Werkstoffwert"},
        {{"--new-material", "kc1.1=1800", "mc=0,2", "kf1.1=300", "mf=0,4", "refRakeAngleF=15,5", "-o", out},
         "refRakeAngleF=15,5: Der Bezugs-Spanwinkel muß zwischen 0 Grad und 15 Grad liegen"},
        {{"--fit-material", csv, "-o", out}, csv + ":3: 'abc' ist kein gültiger Gleitkommawert"},
        {{"--fit-material", single, "-o", out},
         "Alle Messpunkte haben dieselbe Spanungsdicke; ein Kraftgesetz braucht mindestens zwei verschiedene"},
        {{"--fit-material", folder.file("fehlt.csv"), "-o", out},
         "Kann Datei " + folder.file("fehlt.csv") + " nicht öffnen"},
        {{defaultAds, "--calibrate-power", "0,2", "--idle-power", "0,3", "-o", out},
         "Die gemessene Schnittleistung (Spindelleistung abzüglich Leerlaufleistung) muß größer als 0 kW sein"},
        {{defaultAds, "--calibrate-power", "0,4"},
         "--calibrate-power: die Werkstoffdatei wird mit -o WERKSTOFF.wks angegeben"},
        {{defaultAds, "--calibrate-power", "0,4", "--summary", "-o", out},
         "--calibrate-power geht nicht mit --vary, --format, --summary, --raw oder --jobs"},
        {{defaultAds, "--calibrate-power", "x", "-o", out},
         "--calibrate-power x: 'x' ist kein gültiger Gleitkommawert"},
    };
    for (const auto& [args, message] : cases) {
        const auto r = runBatch(args);
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_EQ(r.err, message + "\n");
        EXPECT_FALSE(std::filesystem::exists(out)) << message;
    }
}

TEST(BatchMaterial, FitReportsEachRangeAndWritesTheLaw)
{
    TestFolder folder;
    const std::string csv = folder.file("versuch.csv");
    writeBytes(csv, measuredForces());
    const std::string out = folder.file("versuch.wks");
    const auto r = runBatch({"--fit-material", csv, "-o", out});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto report = splitLines(r.out, 100);
    ASSERT_EQ(report.size(), 8u) << r.out;
    EXPECT_EQ(report[0], "Schnittkraft (30 Messpunkte, R² 1)");
    EXPECT_EQ(report[1], "  h > 0,1 mm: 12 Punkte, k_ref 1800 N/mm², 1-z 0,8, R² 1, größte Abweichung 0 %");
    EXPECT_EQ(report[7], "  h ≤ 0,01 mm: 9 Punkte, k_ref 1893 N/mm², 1-x 0,6, R² 1, größte Abweichung 0 %");
    const std::string bytes = readBytes(out);
    EXPECT_EQ(parseMaterial(bytes)[2], "4521");
    const auto lines = splitLines(bytes, 100);
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[21], "# Quelle: Messungen versuch.csv");
    EXPECT_EQ(lines[22], "# Schnittkraft angepasst an 30 Messpunkte, R\xB2 1, gr\xF6\xDF"
                         "te Abweichung 0 %");
}

TEST(BatchMaterial, CalibrationMatchesTheMeasuredPower)
{
    TestFolder folder;
    const std::string out = folder.file("abgeglichen.wks");
    const auto r = runBatch({defaultAds, "--calibrate-power", "0.65", "--idle-power", "0,25", "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(splitLines(r.out, 10).at(1), "Schnittleistung gerechnet 0,3265 kW, gemessen (netto) 0,4 kW, "
                                           "abgeglichen 0,4 kW");
    // The calibrated values in the data set give the measured power within
    // the rounding of the support values to whole N/mm².
    const MaterialTexts texts = readMaterialFile(out);
    DataSet dataSet = readDataSetFile(defaultAds);
    dataSet.materialTexts = texts;
    const std::string ads = folder.file("abgeglichen.ads");
    saveDataSetFile(ads, dataSet);
    const auto check = runBatch({ads, "--summary", "--raw"});
    EXPECT_NEAR(summaryValue(check.out, "meanCuttingPower"), 0.4, 0.4 * 0.5 / std::stod(texts[0]));
    EXPECT_EQ(splitLines(readBytes(out), 100).size(), 23u);
}
