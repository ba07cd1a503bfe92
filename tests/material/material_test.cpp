// Material data: catalogue values to the three ranges, the sourced table,
// measured forces read and fitted, calibration, origin lines.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "files/dataset.h"
#include "files/datasetcontrols.h"
#include "files/textfile.h"
#include "forcemodel/forcemodel.h"
#include "material/catalogue.h"
#include "material/fit.h"
#include "material/measurements.h"
#include "model/errors.h"
#include "model/fields.h"

using namespace orbiton;

namespace {

std::size_t lineOf(std::string_view control)
{
    for (std::size_t m = 0; m < materialLineCount; ++m)
        if (materialControls()[m] == control)
            return m;
    return materialLineCount;
}

std::string textOf(const MaterialTexts& texts, std::string_view control) { return texts[lineOf(control)]; }

template <class F>
std::string messageOf(F&& f)
{
    try {
        f();
    } catch (const OrbitonError& e) {
        return e.what();
    }
    return "(nothing raised)";
}

}  // namespace

TEST(Catalogue, WritesTheThreeRangesFromOneLaw)
{
    using namespace inputs;
    struct Case {
        CatalogueInput input;
        std::vector<std::pair<std::string_view, std::string>> expected;
    };
    const std::vector<Case> cases{
        // 1800 * 0,1^-0,2 = 2852,8; 1800 * 0,01^-0,2 = 4521,3; 300 * 10^0,4 = 753,6; 300 * 100^0,4 = 1893,0
        {{"1800", "0,20", "300", "0,40", {}},
         {{kc11, "1800"},
          {kc101, "2853"},
          {kc1001, "4521"},
          {expC11, "0,8"},
          {expC101, "0,8"},
          {expC1001, "0,8"},
          {kf11, "300"},
          {kf101, "754"},
          {kf1001, "1893"},
          {expF11, "0,6"},
          {expF1001, "0,6"},
          {refRakeAngleC, "6"},
          {rakeCorrFactorF, "0,05"}}},
        // Points are decimal points; second-range and correction values given.
        {{"470.4", "0.27", "0", "0.1", {{kc101, "900"}, {expF1001, "0,5"}, {refRakeAngleC, "12"}}},
         {{kc11, "470"},
          {kc101, "900"},
          {kc1001, "1631"},
          {expC11, "0,73"},
          {kf11, "0"},
          {kf1001, "0"},
          {expF11, "0,9"},
          {expF101, "0,9"},
          {expF1001, "0,5"},
          {refRakeAngleC, "12"}}},
    };
    for (const auto& c : cases) {
        const MaterialTexts texts = materialFromCatalogue(c.input, defaultMaterialTexts());
        for (const auto& [control, text] : c.expected)
            EXPECT_EQ(textOf(texts, control), text) << control << " for kc1.1 " << c.input.kc11;
        EXPECT_NO_THROW(checkMaterialTexts(texts));
    }
}

TEST(Catalogue, TheLawOfTheWrittenFileIsTheCatalogueLaw)
{
    // The program's own law, read from the written texts with every
    // correction off, against k1.1 * h^-m at 30 thicknesses from 0,001 to
    // 2 mm: equal within the rounding of the support values to whole N/mm².
    std::vector<CatalogueInput> inputs;
    for (const auto& row : cuttingValuesTable())
        inputs.push_back({row.kc11, row.mc, "300", "0,40", {}});
    inputs.push_back({"1800", "0,2", "250", "0,6", {}});
    for (const auto& input : inputs) {
        DataSet dataSet = defaultDataSet();
        dataSet.materialTexts = materialFromCatalogue(input, defaultMaterialTexts());
        ParameterSet p;
        readForceCoefficients(p, DataSetControls(dataSet));
        const float supports[2][3] = {{p.kc11, p.kc101, p.kc1001}, {p.kf11, p.kf101, p.kf1001}};
        for (int j = 0; j < 30; ++j) {
            const long double h = 0.001L * std::pow(2000.0L, j / 29.0L);
            const std::size_t range = h > 0.1L ? 0 : (h > 0.01L ? 1 : 2);
            const long double expected[2] = {parseTypedNumber(input.kc11) * std::pow(h, -parseTypedNumber(input.mc)),
                                             parseTypedNumber(input.kf11) * std::pow(h, -parseTypedNumber(input.mf))};
            const float law[2] = {specificCuttingForce(static_cast<float>(h), p, 'A'),
                                  specificFeedForce(static_cast<float>(h), p, 'A')};
            for (int f = 0; f < 2; ++f)
                EXPECT_NEAR(static_cast<double>(law[f] / expected[f]), 1.0, 0.5 / supports[f][range] + 2e-6)
                    << "h " << static_cast<double>(h) << " kc1.1 " << input.kc11 << (f ? " feed" : " cutting");
        }
    }
}

TEST(Catalogue, RefusesWithTheFieldsMessage)
{
    using namespace inputs;
    const std::string exponent = "Der Exponent muß zwischen 0,1 und 1 liegen";
    struct Case {
        CatalogueInput input;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"0", "0,2", "300", "0,4", {}}, "Der kc1.1-Wert muß größer als 0 N/mm² sein"},
        {{"0,4", "0,2", "300", "0,4", {}}, "Der kc1.1-Wert muß größer als 0 N/mm² sein"},  // rounds to 0
        {{"1800", "0,95", "300", "0,4", {}}, exponent},
        {{"1800", "-0,1", "300", "0,4", {}}, exponent},
        {{"1800", "0,2", "300", "1", {}}, exponent},
        {{"1800", "0,2", "-1", "0,4", {}}, "Der kf1.1-Wert muß größer sein als 0 N/mm²"},
        {{"18x0", "0,2", "300", "0,4", {}}, "'18x0' ist kein gültiger Gleitkommawert"},
        {{"1800", "0,2", "300", "0,4", {{refRakeAngleC, "16"}}},
         "Der Bezugs-Spanwinkel muß zwischen 0 Grad und 15 Grad liegen"},
        {{"1800", "0,2", "300", "0,4", {{expC101, "1,2"}}}, exponent},
        {{"1800", "0,2", "300", "0,4", {{kc11, "1900"}}}, "Edit531 ist hier kein änderbarer Werkstoffwert"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(messageOf([&] { materialFromCatalogue(c.input, defaultMaterialTexts()); }), c.message)
            << c.input.kc11 << " " << c.input.mc;
}

TEST(Catalogue, EveryRowOfTheSourcedTableMakesAValidMaterial)
{
    const auto& table = cuttingValuesTable();
    ASSERT_EQ(table.size(), 8u);
    EXPECT_EQ(table[0].material, "Baustahl");
    EXPECT_EQ(table[7].kc11, "1780");
    EXPECT_EQ(table[7].mc, "0,17");
    for (const auto& row : table) {
        EXPECT_FALSE(row.source.empty()) << row.material;
        CatalogueInput input{row.kc11, row.mc, "300", "0,4", {{inputs::refRakeAngleC, row.refRake}}};
        const MaterialTexts texts = materialFromCatalogue(input, defaultMaterialTexts());
        EXPECT_EQ(textOf(texts, inputs::refRakeAngleC), row.refRake) << row.material;
    }
}

TEST(MaterialFile, OriginLinesFollowLine21AndReadersIgnoreThem)
{
    const MaterialTexts texts = defaultMaterialTexts();
    const std::string bytes =
        renderMaterial(texts, {"Quelle: Tabellenbuch, S. 215", "R² 0,98\r\nzweite", "Messungen €γ.csv"});
    EXPECT_EQ(bytes, renderMaterial(texts) +
                         "# Quelle: Tabellenbuch, S. 215\r\n# R\xB2 0,98  zweite\r\n# Messungen ??.csv\r\n");
    EXPECT_EQ(parseMaterial(bytes), texts);
    EXPECT_EQ(splitLines(renderMaterial(texts), 100).size(), 21u);
}

TEST(Calibration, ScalesTheCuttingSupportValues)
{
    EXPECT_DOUBLE_EQ(static_cast<double>(calibrationFactor(0.5L, 0.25L)), 2.0);
    const MaterialTexts scaled = scaleCuttingForce(defaultMaterialTexts(), 1.5L);
    EXPECT_EQ(textOf(scaled, inputs::kc11), "975");
    EXPECT_EQ(textOf(scaled, inputs::kc101), "1508");  // 1507,5 rounds up
    EXPECT_EQ(textOf(scaled, inputs::kc1001), "2505");
    EXPECT_EQ(textOf(scaled, inputs::kf11), "100");
    EXPECT_EQ(textOf(scaled, inputs::expC11), "0,81");
    EXPECT_EQ(messageOf([] { calibrationFactor(0, 0.3L); }),
              "Die gemessene Schnittleistung (Spindelleistung abzüglich Leerlaufleistung) muß größer als 0 kW sein");
    EXPECT_EQ(messageOf([] { calibrationFactor(1, 0); }),
              "Der Lauf ergibt keine Schnittleistung; ein Abgleich ist nicht möglich");
    EXPECT_EQ(messageOf([] { scaleCuttingForce(defaultMaterialTexts(), 1e-4L); }),
              "Der kc1.1-Wert muß größer als 0 N/mm² sein");
}

TEST(Measurements, ReadsGermanAndEnglishFiles)
{
    struct Case {
        const char* bytes;
        std::size_t rows;
        bool feed;
        long double h, b, fc;
        std::optional<long double> ff, rake, speed, wear;
    };
    const std::vector<Case> cases{
        {"h [mm];b [mm];Fc [N];Ff [N]\r\n0,1;2;500;200\r\n\r\n0,2;2;800;\r\n", 2, true, 0.1L, 2, 500, 200L, {}, {}, {}},
        {"chip thickness,Chip width (mm),cutting force,v_c [m/min]\n0.05,1.5,300,150\n",
         1,
         false,
         0.05L,
         1.5L,
         300,
         {},
         {},
         150.0L,
         {}},
        {"\xEF\xBB\xBFSpanungsdicke\tSpanungsbreite\tSchnittkraft\tSpanwinkel\tVB\n1e-3\t2\t20\t-3\t0\n",
         1,
         false,
         0.001L,
         2,
         20,
         {},
         -3.0L,
         {},
         0.0L},
        {"Fc;Spanwinkel;h;b;Verschlei\xDF"
         "markenbreite\n100;0;0,5;1;0,1\n",
         1,
         false,
         0.5L,
         1,
         100,
         {},
         0.0L,
         {},
         0.1L},  // Latin-1
    };
    for (const auto& c : cases) {
        const MeasurementTable t = parseMeasurements(c.bytes);
        ASSERT_EQ(t.rows.size(), c.rows) << c.bytes;
        EXPECT_EQ(t.hasFeedForce, c.feed);
        const Measurement& m = t.rows[0];
        EXPECT_EQ(m.h, c.h);
        EXPECT_EQ(m.b, c.b);
        EXPECT_EQ(m.fc, c.fc);
        EXPECT_EQ(m.ff, c.ff);
        EXPECT_EQ(m.rake, c.rake);
        EXPECT_EQ(m.speed, c.speed);
        EXPECT_EQ(m.wear, c.wear);
    }
    EXPECT_FALSE(parseMeasurements("h;b;Fc;Ff\n0,1;2;500;200\n0,2;2;800;\n").rows[1].ff.has_value());
}

TEST(Measurements, RefusesWithTheLine)
{
    struct Case {
        const char* bytes;
        std::string message;
        std::size_t line;
    };
    const std::vector<Case> cases{
        {"h;b;Kraft\n", "Unbekannte Spalte „Kraft“", 1},
        {"h;b;Ff\n", "Die Spalte Fc [N] fehlt", 1},
        {"h;b;Fc;fc\n", "Die Spalte „fc“ steht zweimal in der Kopfzeile", 1},
        {"h;b;Fc\n0,1;2\n", "Die Zeile hat 2 Felder, die Kopfzeile 3", 2},
        {"h;b;Fc\n0,1;2;500\n0,1;2;abc\n", "'abc' ist kein gültiger Gleitkommawert", 3},
        {"h,b,Fc\n0,1,2,500\n", "Die Zeile hat 4 Felder, die Kopfzeile 3", 2},
        {"h;b;Fc\n0;2;500\n",
         "Nicht positiver Wert 0: Spanungsdicke, Spanungsbreite, Kräfte und Schnittgeschwindigkeit müssen größer "
         "als 0 sein, VB mindestens 0",
         2},
        {"h;b;Fc\n0,1;2;\n", "'' ist kein gültiger Gleitkommawert", 2},
        {"", "Die Datei enthält keine Messpunkte", 0},
    };
    for (const auto& c : cases) {
        try {
            parseMeasurements(c.bytes);
            ADD_FAILURE() << "accepted: " << c.bytes;
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
            EXPECT_EQ(e.line(), c.line) << c.bytes;
        }
    }
}

namespace {

struct KnownLaw {
    std::array<long double, 3> support;   // at 1, 0,1, 0,01 mm
    std::array<long double, 3> exponent;  // 1 - m per range
    long double at(long double h) const
    {
        const std::size_t i = h > 0.1L ? 0 : (h > 0.01L ? 1 : 2);
        return support[i] * std::pow(h / rangeReference[i], exponent[i] - 1);
    }
};

// A continuous law: support values follow from the exponents.
KnownLaw continuousLaw(long double k11, long double e0, long double e1, long double e2)
{
    const long double k101 = k11 * std::pow(0.1L, e0 - 1);
    return {{k11, k101, k101 * std::pow(0.1L, e1 - 1)}, {e0, e1, e2}};
}

// Points per range, spread evenly in log h over the range, the force with
// lognormal noise of the given relative standard deviation.
std::vector<ForcePoint> synthetic(const KnownLaw& law, std::array<int, 3> perRange, long double noise, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> normal(0.0, static_cast<double>(noise));
    const long double bounds[4] = {2.0L, 0.1L, 0.01L, 0.001L};
    std::vector<ForcePoint> points;
    for (std::size_t i = 0; i < 3; ++i)
        for (int j = 0; j < perRange[i]; ++j) {
            const long double t = (j + 0.5L) / perRange[i];
            const long double h = bounds[i] * std::pow(bounds[i + 1] / bounds[i], t);
            points.push_back({h, law.at(h) * std::exp(static_cast<long double>(normal(random)))});
        }
    return points;
}

}  // namespace

TEST(Fit, RecoversAKnownLawFromNoisyPoints)
{
    struct Case {
        KnownLaw law;
        std::array<int, 3> perRange;
        long double tolerance;
    };
    const std::vector<Case> cases{
        {continuousLaw(1800, 0.8L, 0.8L, 0.8L), {20, 20, 20}, 0.01L},
        {continuousLaw(650, 0.81L, 0.78L, 0.45L), {20, 20, 20}, 0.01L},
        {continuousLaw(100, 0.8L, 0.82L, 0.3L), {20, 20, 20}, 0.01L},
        {continuousLaw(2000, 0.7L, 0.75L, 0.6L), {20, 20, 20}, 0.01L},
        // Without noise the law comes back to rounding.
        {continuousLaw(1050, 0.77L, 0.6L, 0.5L), {5, 4, 3}, 1e-12L},
    };
    for (const auto& c : cases) {
        const auto points = synthetic(c.law, c.perRange, c.tolerance > 1e-6L ? 0.005L : 0, 22);
        const LawFit fit = fitForceLaw(points);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(static_cast<double>(fit.ranges[i].support / c.law.support[i]), 1.0,
                        static_cast<double>(c.tolerance))
                << "range " << i << " k1.1 " << static_cast<double>(c.law.support[0]);
            EXPECT_NEAR(static_cast<double>(fit.ranges[i].exponent / c.law.exponent[i]), 1.0,
                        static_cast<double>(c.tolerance))
                << "range " << i;
            EXPECT_EQ(fit.ranges[i].points, static_cast<std::size_t>(c.perRange[i]));
            EXPECT_GT(*fit.ranges[i].r2, 0.9);
        }
    }
}

TEST(Fit, ARangeWithFewPointsKeepsItsNeighboursSlope)
{
    struct Case {
        std::array<int, 3> perRange;
        std::array<std::size_t, 3> sameSlopeAs;  // range whose exponent each range takes
    };
    const KnownLaw law = continuousLaw(1000, 0.8L, 0.7L, 0.6L);
    const std::vector<Case> cases{
        {{10, 10, 2}, {0, 1, 1}}, {{0, 10, 10}, {1, 1, 2}}, {{10, 2, 0}, {0, 0, 0}},
        {{0, 1, 10}, {2, 2, 2}},  {{2, 10, 2}, {1, 1, 1}},
    };
    for (const auto& c : cases) {
        const LawFit fit = fitForceLaw(synthetic(law, c.perRange, 0, 1));
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_DOUBLE_EQ(static_cast<double>(fit.ranges[i].exponent),
                             static_cast<double>(fit.ranges[c.sameSlopeAs[i]].exponent))
                << "range " << i << " of " << c.perRange[0] << "/" << c.perRange[1] << "/" << c.perRange[2];
        }
    }
}

TEST(Fit, RefusesPointsThatFixNoLaw)
{
    const std::vector<std::pair<std::vector<ForcePoint>, std::string>> cases{
        {{{0.1L, 500}, {0.2L, 400}},
         "Zu wenige Messpunkte: Für das Kraftgesetz werden mindestens 3 gebraucht, es sind 2"},
        {{{0.1L, 500}, {0.1L, 400}, {0.1L, 450}},
         "Alle Messpunkte haben dieselbe Spanungsdicke; ein Kraftgesetz braucht mindestens zwei verschiedene"},
        {{{0.1L, 500}, {0.2L, -400}, {0.3L, 450}}, "Die Messpunkte brauchen positive Spanungsdicken und Kräfte"},
        {{{0.5L, 500}, {0.5L, 400}, {0.5L, 450}, {0.05L, 900}, {0.05L, 950}, {0.05L, 920}},
         "Die Messpunkte legen das Kraftgesetz nicht fest: In einem Bereich der Spanungsdicke liegen alle Punkte bei "
         "derselben Dicke"},
    };
    for (const auto& [points, message] : cases)
        EXPECT_EQ(messageOf([&] { fitForceLaw(points); }), message);
}

TEST(Fit, MaterialFromMeasuredForcesDividesTheCorrectionsOut)
{
    // Cuts at rake angle 10 (reference 6, m_γ 0,02: factor 0,92) and 200
    // m/min measure forces below the reference law; the fit recovers it.
    const KnownLaw cutting = continuousLaw(1800, 0.8L, 0.8L, 0.8L);
    const KnownLaw feed = continuousLaw(300, 0.6L, 0.6L, 0.6L);
    std::string csv = "h [mm];b [mm];Fc [N];Ff [N];γ [Grad];v_c [m/min]\n";
    const long double fcFactor = 0.92L * std::pow(0.5L, 0.1L), ffFactor = 0.8L * std::pow(0.5L, 0.35L);
    for (const auto& p : synthetic(cutting, {20, 20, 20}, 0, 3)) {
        const long double b = 2;
        csv += exponentText(p.h, 9) + ";2;" + exponentText(p.k * p.h * b * fcFactor, 9) + ";" +
               exponentText(feed.at(p.h) * p.h * b * ffFactor, 9) + ";10;200\n";
    }
    const MaterialFit fit = fitMaterial(parseMeasurements(csv), defaultMaterialTexts());
    ASSERT_TRUE(fit.feed);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(static_cast<double>(fit.cutting.ranges[i].support / cutting.support[i]), 1, 1e-6);
        EXPECT_NEAR(static_cast<double>(fit.feed->ranges[i].support / feed.support[i]), 1, 1e-6);
    }
    EXPECT_EQ(textOf(fit.texts, inputs::kc1001), "4521");
    EXPECT_EQ(textOf(fit.texts, inputs::expC101), "0,8");
    EXPECT_EQ(textOf(fit.texts, inputs::kf11), "300");
    EXPECT_EQ(textOf(fit.texts, inputs::expF1001), "0,6");
    EXPECT_EQ(fitOrigin(fit, "versuch.csv")[0], "Quelle: Messungen versuch.csv");
    EXPECT_EQ(fitOrigin(fit, "versuch.csv")[1], "Schnittkraft angepasst an 60 Messpunkte, R² 1, größte Abweichung 0 %");

    // Without Ff the feed-force lines stay those of the base.
    const MaterialFit cuttingOnly =
        fitMaterial(parseMeasurements("h;b;Fc\n0,1;1;300\n0,2;1;500\n0,4;1;800\n"), defaultMaterialTexts());
    EXPECT_FALSE(cuttingOnly.feed);
    for (const auto control : {inputs::kf11, inputs::kf101, inputs::kf1001, inputs::expF11})
        EXPECT_EQ(textOf(cuttingOnly.texts, control), textOf(defaultMaterialTexts(), control));
    EXPECT_EQ(fitReport(cuttingOnly).back(), "Vorschubkraft: nicht gemessen, die Werte der Vorlage bleiben");
    // A fitted exponent that its field refuses.
    EXPECT_EQ(messageOf([] {
                  fitMaterial(parseMeasurements("h;b;Fc\n0,2;1;100\n0,4;1;300\n0,8;1;900\n"), defaultMaterialTexts());
              }),
              "Schnittkraft, h > 0,1 mm: angepasster Wert 1,585. Der Exponent muß zwischen 0,1 und 1 liegen");
}
