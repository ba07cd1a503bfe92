// orbiton-batch: one calculation run on an initial data set, without a
// window. The data set is taken as the window would hold it after opening
// the file, and the run follows the Start button's sequence.
//
//   orbiton-batch INPUT.ads [-o OUTPUT.eds] [--summary] [--raw]
//   orbiton-batch --help | --version
//
// The result table goes to OUTPUT (replaced atomically) or, without -o and
// without --summary, to standard output, in the result data set layout.
// --summary prints the eleven summary values as "name value" lines.
// --raw writes numbers with 9 significant digits and a decimal point
// instead of the display format. Any failure (standard output that cannot
// be written included): the message on standard error, exit status 1, no
// output file, and an existing output file as it was. An error about a
// line of the input is reported as "INPUT:LINE: message".
// --help and --version print their text (help.cpp) and exit with status 0.
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "app/orbiton-batch/failuretext.h"
#include "app/orbiton-batch/help.h"
#include "app/orbiton-batch/outputfile.h"
#include "files/dataset.h"
#include "files/datasetcontrols.h"
#include "files/resultexport.h"
#include "model/errors.h"
#include "model/numbertext.h"
#include "simulation/runsequence.h"

using namespace orbiton;
using namespace orbiton::batch;

namespace {

struct Options {
    std::string input;
    std::string output;
    bool summary = false;
    bool raw = false;
};

class UsageError : public std::exception {
public:
    const char* what() const noexcept override { return batch::usageLine; }
};

Options parseArguments(int argc, char** argv)
{
    Options o;
    bool haveInput = false;
    bool haveOutput = false;
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg == "--summary") {
            o.summary = true;
        } else if (arg == "--raw") {
            o.raw = true;
        } else if (arg == "-o") {
            if (haveOutput || k + 1 >= argc)
                throw UsageError();
            o.output = argv[++k];
            haveOutput = true;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            throw UsageError();
        } else {
            if (haveInput)
                throw UsageError();
            o.input = std::string(arg);
            haveInput = true;
        }
    }
    if (!haveInput || (haveOutput && o.output.empty()))
        throw UsageError();
    return o;
}

std::string rawNumber(float value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string displayNumber(float value) { return formatNumber(value); }

void writeStandardOutput(const std::string& bytes)
{
    if ((!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) ||
        std::fflush(stdout) != 0)
        throw FileError("Die Ausgabe kann nicht geschrieben werden");
}

// The fields of the data set, read by the Start button's sequence; an error
// names the line of the field that failed.
void readParameters(ParameterSet& p, const ControlSource& controls)
{
    const LineTracingControls traced(controls);
    try {
        if (readRunInputs(p, traced) == RunInputs::GeometryRejected)
            throw RunRefused(messages::geometry);
    } catch (ConversionError& error) {
        error.setLine(traced.lastLine());
        throw;
    } catch (FloatingPointError& error) {
        // A number too large for a float.
        error.setLine(traced.lastLine());
        throw;
    }
}

int run(const Options& o)
{
    if (!o.output.empty())
        refuseOutputOverInput(o.input, o.output);
    const DataSet dataSet = readDataSetFile(o.input);
    const DataSetControls controls(dataSet);

    // The run sequence of the Start button.
    static Calculation calculation;  // about 90 kB
    const ParameterSet& p = calculation.params;
    const RunSummary& summary = calculation.summary;
    readParameters(calculation.params, controls);
    calculateRun(calculation.params, calculation.state, calculation.table, calculation.summary);

    const auto format = o.raw ? rawNumber : displayNumber;
    std::string out;
    std::optional<OutputFile> file;
    if (!o.output.empty() || !o.summary) {
        const std::string tableBytes = renderResultDataSet(resultTableCells(calculation.table, p.stepCount, format));
        if (!o.output.empty()) {
            file.emplace(o.output);
            file->write(tableBytes);
        } else {
            out += tableBytes;
        }
    }
    if (o.summary) {
        for (const auto& field : summaryFields())
            out += std::string(field.name) + " " + format(summary.*field.value) + "\n";
    }
    // Standard output first: when it fails, the output file is not made.
    writeStandardOutput(out);
    if (file)
        file->commit();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const char* text = batch::informationRequested(argc, argv)) {
        std::fputs(text, stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    std::string input;
    try {
        const Options options = parseArguments(argc, argv);
        input = options.input;
        return run(options);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    } catch (const std::exception& e) {
        const std::string text = failureText(e, input) + "\n";
        std::fwrite(text.data(), 1, text.size(), stderr);
        return 1;
    } catch (...) {
        std::fprintf(stderr, "Unbekannter Fehler\n");
        return 1;
    }
}
