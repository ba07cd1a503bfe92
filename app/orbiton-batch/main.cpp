// orbiton-batch: calculation runs on an initial data set, without a window.
// The data set is taken as the window would hold it after opening the
// file, and each run follows the Start button's sequence.
//
//   orbiton-batch INPUT.ads [-o OUTPUT] [--format eds|csv|json] [--summary] [--raw]
//                 [--set NAME=VALUE]... [--vary NAME=FROM:TO:STEP]... [--jobs N]
//                 [--calibrate-power KW [--idle-power KW]]
//   orbiton-batch --new-material kc1.1=WERT mc=WERT kf1.1=WERT mf=WERT [NAME=WERT]... -o WERKSTOFF.wks
//   orbiton-batch --fit-material MESSUNGEN.csv [NAME=WERT]... -o WERKSTOFF.wks
//   orbiton-batch --list-parameters | --help | --version
//
// One run writes the result table (eds: the result data set layout, as the
// tool always did; csv; json) to OUTPUT (replaced atomically) or, without
// -o, to standard output. --summary prints the eleven summary values as
// "name value" lines and --raw writes the eds numbers with 9 significant
// digits and a decimal point. --set changes inputs before the run, checked
// as their fields check them. --vary (once or twice) runs a parameter study:
// one run per value, one output row per run, on --jobs threads.
//
// Exit status 0 when everything ran; 2 when a study wrote its rows but some
// runs failed (their rows carry the message); 1 on any other failure
// (standard output that cannot be written, a closed standard output and
// memory that runs out included): the message on standard error, no output
// file, and an existing output file as it was. An error about a line of the
// input is reported as "INPUT:LINE: message".
//
// A file size limit (SIGXFSZ) makes the write fail with its message instead
// of ending the tool; SIGQUIT ends it like SIGTERM, without a temporary file.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/orbiton-batch/failuretext.h"
#include "app/orbiton-batch/formats.h"
#include "app/orbiton-batch/help.h"
#include "app/orbiton-batch/materialcommands.h"
#include "app/orbiton-batch/outputfile.h"
#include "app/orbiton-batch/overrides.h"
#include "app/orbiton-batch/run.h"
#include "app/orbiton-batch/sweep.h"
#include "files/dataset.h"
#include "files/resultexport.h"
#include "model/errors.h"
#include "model/numbertext.h"
#include "simulation/runsequence.h"

using namespace orbiton;
using namespace orbiton::batch;

namespace {

enum class Format { Eds, Csv, Json };

struct Options {
    std::string input;
    std::string output;
    bool summary = false;
    bool raw = false;
    Format format = Format::Eds;
    std::vector<Override> overrides;
    std::vector<Variation> variations;
    unsigned jobs = 0;  // 0: one per core
    std::optional<Calibration> calibration;
};

class UsageError : public std::exception {
public:
    const char* what() const noexcept override { return batch::usageText; }
};

constexpr unsigned maxJobs = 1024;

// An option's argument that does not fit, named in the message.
[[noreturn]] void refuseArgument(std::string_view option, std::string_view argument, const std::string& message)
{
    throw ArgumentError(std::string(option) + " " + formatMessage("%s", excerpt(argument, 60)) + ": " + message);
}

Format formatNamed(std::string_view name)
{
    if (name == "eds")
        return Format::Eds;
    if (name == "csv")
        return Format::Csv;
    if (name == "json")
        return Format::Json;
    refuseArgument("--format", name, "bekannt sind eds, csv und json");
}

unsigned jobsFrom(std::string_view text)
{
    unsigned jobs = 0;
    bool digits = !text.empty() && text.size() <= 4;
    for (const char c : text) {
        digits = digits && c >= '0' && c <= '9';
        jobs = jobs * 10 + static_cast<unsigned>(c - '0');
    }
    if (!digits || jobs < 1 || jobs > maxJobs)
        refuseArgument("--jobs", text, "eine ganze Zahl von 1 bis 1024 erwartet");
    return jobs;
}

Options parseArguments(int argc, char** argv)
{
    Options o;
    bool haveInput = false;
    bool haveOutput = false;
    bool haveFormat = false;
    std::vector<std::string_view> sets;
    std::vector<std::string_view> varies;
    const auto valueOf = [&](int& k) -> std::string_view {
        if (k + 1 >= argc)
            throw UsageError();
        return argv[++k];
    };
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg == "--summary") {
            o.summary = true;
        } else if (arg == "--raw") {
            o.raw = true;
        } else if (arg == "-o") {
            if (haveOutput)
                throw UsageError();
            o.output = valueOf(k);
            haveOutput = true;
        } else if (arg == "--format") {
            if (haveFormat)
                throw UsageError();
            o.format = formatNamed(valueOf(k));
            haveFormat = true;
        } else if (arg == "--set") {
            sets.push_back(valueOf(k));
        } else if (arg == "--vary") {
            varies.push_back(valueOf(k));
        } else if (arg == "--calibrate-power") {
            if (o.calibration && !o.calibration->measuredKw.empty())
                throw UsageError();
            if (!o.calibration)
                o.calibration = Calibration{"", "0"};
            o.calibration->measuredKw = valueOf(k);
        } else if (arg == "--idle-power") {
            if (!o.calibration)
                o.calibration = Calibration{"", "0"};
            o.calibration->idleKw = valueOf(k);
        } else if (arg == "--jobs") {
            if (o.jobs != 0)
                throw UsageError();
            o.jobs = jobsFrom(valueOf(k));
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

    // Each value is checked before anything is read or run.
    for (const auto arg : sets) {
        try {
            const Assignment a = splitAssignment(arg);
            o.overrides.push_back(acceptOverride(*a.parameter, a.value));
        } catch (const OrbitonError& e) {
            refuseArgument("--set", arg, e.what());
        }
    }
    for (const auto arg : varies) {
        try {
            o.variations.push_back(parseVariation(arg));
        } catch (const OrbitonError& e) {
            refuseArgument("--vary", arg, e.what());
        }
        const InputParameter* varied = o.variations.back().parameter;
        for (std::size_t i = 0; i + 1 < o.variations.size(); ++i)
            if (o.variations[i].parameter == varied)
                refuseArgument("--vary", arg, std::string(varied->name) + " wird schon variiert");
        for (const auto& s : o.overrides)
            if (s.parameter == varied)
                refuseArgument("--vary", arg, std::string(varied->name) + " ist auch mit --set gesetzt");
    }
    if (o.variations.size() > 2)
        throw ArgumentError("Höchstens zwei Eingaben können variiert werden (--vary)");
    if (!o.variations.empty()) {
        sweepRunCount(o.variations);
        if (o.format == Format::Eds)
            throw ArgumentError("Eine Variation (--vary) wird als Tabelle der Läufe ausgegeben: --format csv "
                                "oder --format json");
    }
    if (o.calibration) {
        if (o.calibration->measuredKw.empty())
            throw ArgumentError("--idle-power gilt nur mit --calibrate-power");
        if (o.output.empty())
            throw ArgumentError("--calibrate-power: die Werkstoffdatei wird mit -o WERKSTOFF.wks angegeben");
        if (!o.variations.empty() || haveFormat || o.summary || o.raw || o.jobs)
            throw ArgumentError("--calibrate-power geht nicht mit --vary, --format, --summary, --raw oder --jobs");
    }
    if ((o.summary || o.raw) && o.format != Format::Eds)
        throw ArgumentError("--summary und --raw gelten nur für --format eds");
    return o;
}

std::string displayNumber(float value) { return formatNumber(value); }

const char* const cannotWriteOutput = "Die Ausgabe kann nicht geschrieben werden";
const char* const outOfMemory = "Nicht genügend Arbeitsspeicher\n";

// Writes and flushes; false when any write to standard output failed.
bool putStandardOutput(std::string_view bytes)
{
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    return std::fflush(stdout) == 0 && written && !std::ferror(stdout);
}

void writeStandardOutput(std::string_view bytes)
{
    if (!putStandardOutput(bytes))
        throw FileError(cannotWriteOutput);
}

// Descriptors 0 to 2 that the tool was started without are taken by
// /dev/null, read-only: no file the tool opens ever receives them, and
// output meant for a closed standard output fails like any failed write.
bool occupyClosedStandardDescriptors()
{
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) >= 0 || errno != EBADF)
            continue;
        // The lowest free descriptor: this one, as the lower ones are open.
        if (::open("/dev/null", O_RDONLY) != descriptor)
            return false;
    }
    return true;
}

// The bytes go to the output file or to standard output. Standard output
// first: when it fails, the output file is not made.
void deliver(const Options& o, const std::string& fileBytes, const std::string& standardOutput)
{
    std::optional<OutputFile> file;
    if (!o.output.empty()) {
        file.emplace(o.output);
        file->write(fileBytes);
    }
    writeStandardOutput(standardOutput);
    if (file)
        file->commit();
}

int singleRun(const Options& o, const DataSet& dataSet)
{
    static Calculation calculation;  // about 90 kB
    runDataSet(dataSet, calculation);
    const ParameterSet& p = calculation.params;

    std::string bytes;
    std::string summaryLines;
    switch (o.format) {
    case Format::Eds: {
        const auto format = o.raw ? plainNumber : displayNumber;
        if (!o.output.empty() || !o.summary)
            bytes = renderResultDataSet(resultTableCells(calculation.table, p.stepCount, format));
        if (o.summary)
            for (const auto& field : summaryFields())
                summaryLines += std::string(field.name) + " " + format(calculation.summary.*field.value) + "\n";
        break;
    }
    case Format::Csv:
        bytes = runCsv(calculation.table, p.stepCount);
        break;
    case Format::Json:
        bytes = runJson(o.input, dataSet, calculation.table, p.stepCount, calculation.summary);
        break;
    }
    if (o.output.empty())
        deliver(o, {}, bytes + summaryLines);
    else
        deliver(o, bytes, summaryLines);
    return 0;
}

// "Lauf 120 von 5000" on standard error while a study runs, when standard
// error is a terminal and the study takes longer than about a second; the
// line is cleared at the end.
class ProgressLine {
public:
    explicit ProgressLine(std::size_t runs) : runs_(runs), shown_(false), start_(Clock::now())
    {
        enabled_ = ::isatty(STDERR_FILENO) == 1;
    }
    ~ProgressLine()
    {
        if (shown_)
            std::fprintf(stderr, "\r%*s\r", static_cast<int>(width_), "");
    }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void operator()(std::size_t done)
    {
        if (!enabled_ || Clock::now() - start_ < std::chrono::seconds(1))
            return;
        char text[96];
        const int n = std::snprintf(text, sizeof text, "\rLauf %zu von %zu (%zu %%)", done, runs_,
                                    runs_ ? done * 100 / runs_ : 0);
        width_ = n > 0 ? static_cast<std::size_t>(n) : width_;
        std::fputs(text, stderr);
        std::fflush(stderr);
        shown_ = true;
    }

private:
    using Clock = std::chrono::steady_clock;
    std::size_t runs_;
    bool enabled_;
    bool shown_;
    std::size_t width_ = 0;
    Clock::time_point start_;
};

std::string variedValues(const Options& o, const SweepRow& row)
{
    std::string text;
    for (std::size_t i = 0; i < o.variations.size(); ++i)
        text += (i ? ", " : "") + std::string(o.variations[i].parameter->name) + "=" + row.texts[i];
    return text;
}

// The text of a study on its way to the output file or to standard output,
// passed on in blocks as it is formed. The output file is published by
// finish() only; what already went to standard output stays there.
class StudyOutput {
public:
    explicit StudyOutput(const Options& o)
    {
        if (!o.output.empty())
            file_.emplace(o.output);
        pending_.reserve(blockSize);
    }

    void operator()(std::string_view bytes)
    {
        pending_ += bytes;
        if (pending_.size() >= blockSize)
            pass();
    }

    void finish()
    {
        pass();
        if (file_)
            file_->commit();
        else
            writeStandardOutput({});
    }

private:
    static constexpr std::size_t blockSize = 64 * 1024;

    void pass()
    {
        if (file_)
            file_->write(pending_);
        else
            writeStandardOutput(pending_);
        pending_.clear();
    }

    std::optional<OutputFile> file_;
    std::string pending_;
};

int sweep(const Options& o, const DataSet& dataSet)
{
    const unsigned jobs = o.jobs ? o.jobs : std::max(1u, std::thread::hardware_concurrency());
    std::vector<SweepRow> rows;
    {
        ProgressLine progress(sweepRunCount(o.variations));
        rows = runSweep(dataSet, o.variations, jobs, o.input, [&](std::size_t done) { progress(done); });
    }
    std::size_t failed = 0;
    for (const auto& row : rows)
        failed += row.succeeded ? 0 : 1;
    if (failed == rows.size())
        throw OrbitonError("Kein Lauf der Variation ist gelungen; Lauf 1 (" + variedValues(o, rows.front()) +
                           "): " + rows.front().error);
    StudyOutput output(o);
    const TextSink sink = [&](std::string_view bytes) { output(bytes); };
    if (o.format == Format::Json)
        writeSweepJson(o.variations, rows, sink);
    else
        writeSweepCsv(o.variations, rows, sink);
    output.finish();
    return failed ? 2 : 0;
}

int run(const Options& o)
{
    if (!o.output.empty())
        refuseOutputOverInput(o.input, o.output);
    DataSet dataSet = readDataSetFile(o.input);
    for (const auto& override : o.overrides)
        applyOverride(dataSet, override);
    if (o.calibration)
        return calibrate(*o.calibration, o.input, dataSet, o.output);
    return o.variations.empty() ? singleRun(o, dataSet) : sweep(o, dataSet);
}

}  // namespace

int main(int argc, char** argv)
{
    ::signal(SIGXFSZ, SIG_IGN);
    if (!occupyClosedStandardDescriptors())
        return 1;
    std::string input;
    try {
        if (const auto text = batch::informationRequested(argc, argv)) {
            if (putStandardOutput(*text))
                return 0;
            std::fprintf(stderr, "%s\n", cannotWriteOutput);
            return 1;
        }
        if (isMaterialCommand(argc, argv))
            return runMaterialCommand(argc, argv);
        const Options options = parseArguments(argc, argv);
        input = options.input;
        return run(options);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s", e.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fputs(outOfMemory, stderr);
        return 1;
    } catch (const std::exception& e) {
        try {
            const std::string text = failureText(e, input) + "\n";
            std::fwrite(text.data(), 1, text.size(), stderr);
        } catch (const std::bad_alloc&) {
            std::fputs(outOfMemory, stderr);
        }
        return 1;
    } catch (...) {
        std::fprintf(stderr, "Unbekannter Fehler\n");
        return 1;
    }
}
