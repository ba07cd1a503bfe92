#include "app/orbiton-batch/materialcommands.h"

#include <cstdio>

#include "app/orbiton-batch/outputfile.h"
#include "app/orbiton-batch/overrides.h"
#include "app/orbiton-batch/run.h"
#include "material/catalogue.h"
#include "material/fit.h"
#include "model/errors.h"
#include "model/numbertext.h"

namespace orbiton::batch {

namespace {

[[noreturn]] void refuseUsage()
{
    throw ArgumentError("Aufruf: orbiton-batch --new-material kc1.1=WERT mc=WERT kf1.1=WERT mf=WERT [NAME=WERT]... "
                        "-o WERKSTOFF.wks\n"
                        "       orbiton-batch --fit-material MESSUNGEN.csv [NAME=WERT]... -o WERKSTOFF.wks");
}

bool isMaterialInput(std::string_view control)
{
    for (const auto name : materialControls())
        if (name == control)
            return true;
    return false;
}

// NAME=WERT of a material value, checked as its field checks it.
std::pair<std::string_view, std::string> materialChange(std::string_view argument)
{
    const Assignment a = splitAssignment(argument);
    if (a.parameter->kind != InputParameter::Kind::Number || !isMaterialInput(a.parameter->control))
        throw ArgumentError(std::string(a.parameter->name) + " ist kein Werkstoffwert");
    return {a.parameter->control, acceptOverride(*a.parameter, a.value).text};
}

void print(const std::string& text)
{
    if ((!text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) || std::fflush(stdout) != 0)
        throw FileError("Die Ausgabe kann nicht geschrieben werden");
}

void writeMaterial(const std::string& output, const MaterialTexts& texts, const std::vector<std::string>& origin,
                   const std::string& report)
{
    checkMaterialTexts(texts);
    OutputFile file(output);
    file.write(renderMaterial(texts, origin));
    print(report);
    file.commit();
}

std::string fileName(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

long double power(std::string_view option, const std::string& text)
{
    try {
        return parseTypedNumber(text);
    } catch (const OrbitonError& e) {
        throw ArgumentError(std::string(option) + " " + formatMessage("%s", excerpt(text, 60)) + ": " + e.what());
    }
}

}  // namespace

bool isMaterialCommand(int argc, const char* const* argv)
{
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg == "--new-material" || arg == "--fit-material")
            return true;
    }
    return false;
}

int runMaterialCommand(int argc, const char* const* argv)
{
    bool fit = false;
    bool haveCommand = false;
    std::string measurements, output;
    std::vector<std::string_view> values;
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if ((arg == "--new-material" || arg == "--fit-material") && !haveCommand) {
            haveCommand = true;
            fit = arg == "--fit-material";
            if (fit) {
                if (k + 1 >= argc)
                    refuseUsage();
                measurements = argv[++k];
            }
        } else if (arg == "-o" && output.empty() && k + 1 < argc && argv[k + 1][0] != '\0') {
            output = argv[++k];
        } else if (!arg.empty() && arg[0] != '-' && arg.find('=') != std::string_view::npos) {
            values.push_back(arg);
        } else {
            refuseUsage();
        }
    }
    if (output.empty())
        throw ArgumentError(std::string(fit ? "--fit-material" : "--new-material") +
                            ": die Werkstoffdatei wird mit -o WERKSTOFF.wks angegeben");

    CatalogueInput input;
    std::string* const catalogue[] = {&input.kc11, &input.mc, &input.kf11, &input.mf};
    const char* const catalogueNames[] = {"kc1.1", "mc", "kf1.1", "mf"};
    std::vector<bool> given(4, false);
    for (const auto value : values) {
        const auto equals = value.find('=');
        const std::string_view name = value.substr(0, equals);
        bool taken = false;
        for (std::size_t i = 0; i < 4 && !fit; ++i)
            if (name == catalogueNames[i]) {
                if (given[i])
                    throw ArgumentError(std::string(name) + " ist zweimal angegeben");
                *catalogue[i] = std::string(value.substr(equals + 1));
                given[i] = taken = true;
            }
        if (taken)
            continue;
        try {
            input.changes.push_back(materialChange(value));
        } catch (const ArgumentError&) {
            throw;
        } catch (const OrbitonError& e) {
            throw ArgumentError(formatMessage("%s", excerpt(value, 60)) + ": " + e.what());
        }
    }

    if (fit) {
        refuseOutputOverInput(measurements, output);
        MaterialTexts base = defaultMaterialTexts();
        for (std::size_t m = 0; m < materialLineCount; ++m)
            for (const auto& [control, text] : input.changes)
                if (materialControls()[m] == control)
                    base[m] = text;
        MeasurementTable table;
        try {
            table = readMeasurementFile(measurements);
        } catch (OrbitonError& e) {
            if (e.line() == 0)
                throw;
            throw ArgumentError(measurements + ":" + std::to_string(e.line()) + ": " + e.what());
        }
        const MaterialFit result = fitMaterial(table, base);
        std::string report;
        for (const auto& line : fitReport(result))
            report += line + "\n";
        writeMaterial(output, result.texts, fitOrigin(result, fileName(measurements)), report);
        return 0;
    }

    std::string missing;
    for (std::size_t i = 0; i < 4; ++i)
        if (!given[i])
            missing += std::string(missing.empty() ? "" : ", ") + catalogueNames[i];
    if (!missing.empty())
        throw ArgumentError("--new-material braucht kc1.1, mc, kf1.1 und mf; es fehlt " + missing);
    const MaterialTexts texts = materialFromCatalogue(input, defaultMaterialTexts());
    writeMaterial(output, texts, {catalogueOrigin(input)}, {});
    return 0;
}

int calibrate(const Calibration& calibration, const std::string& input, const DataSet& dataSet,
              const std::string& output)
{
    const long double measured = power("--calibrate-power", calibration.measuredKw);
    const long double idle = power("--idle-power", calibration.idleKw);
    if (!(idle >= 0))
        throw ArgumentError("--idle-power " + calibration.idleKw + ": die Leerlaufleistung muß mindestens 0 kW sein");

    static Calculation calculation;
    runDataSet(dataSet, calculation);
    const float simulated = calculation.summary.meanCuttingPower;
    const long double factor = calibrationFactor(measured - idle, simulated);
    DataSet calibrated = dataSet;
    calibrated.materialTexts = scaleCuttingForce(dataSet.materialTexts, factor);
    runDataSet(calibrated, calculation);
    const float achieved = calculation.summary.meanCuttingPower;

    const std::string net = formatNumber(measured - idle);
    std::vector<std::string> origin{"Quelle: Werkstoffwerte aus " + fileName(input),
                                    "Abgeglichen an " + net + " kW Netto-Schnittleistung (Spindelleistung " +
                                        formatNumber(measured) + " kW, Leerlauf " + formatNumber(idle) +
                                        " kW), Faktor " + formatNumber(factor)};
    const std::string report = "Faktor " + formatNumber(factor) + "\nSchnittleistung gerechnet " +
                               formatNumber(simulated) + " kW, gemessen (netto) " + net + " kW, abgeglichen " +
                               formatNumber(achieved) + " kW\n";
    writeMaterial(output, calibrated.materialTexts, origin, report);
    return 0;
}

}  // namespace orbiton::batch
