// orbiton-batch in a hostile environment: closed standard descriptors,
// memory and file size limits, signals, outputs that cannot be written, and
// argument texts that the fields would change.
#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "app/orbiton-batch/sweep.h"
#include "files/dataset.h"
#include "files/textfile.h"
#include "runner.h"

using batch_test::runBatch;
using testing_support::entryCount;
using testing_support::readBytes;
using testing_support::TestFolder;
using testing_support::writeBytes;
namespace fs = std::filesystem;

namespace {

const std::string defaultAds = ORBITON_DATA_DIR "/default.ads";
const std::string oldContent = "alter Inhalt\r\n";
const std::string outOfMemory = "Nicht genügend Arbeitsspeicher\n";

}  // namespace

// Fault: with standard output closed, the temporary file became descriptor
// 1 and the output file got the summary as well; exit status 0.
TEST(BatchClosedStandardOutput, OutputMeantForItFails)
{
    TestFolder folder;
    const std::string output = folder.file("aus.eds");
    auto r = runBatch({defaultAds, "-o", output, "--summary"}, {}, {}, ">&-");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Die Ausgabe kann nicht geschrieben werden\n");
    EXPECT_EQ(entryCount(folder.path()), 0u);

    // Nothing meant for standard output: the file is the table alone.
    r = runBatch({defaultAds, "-o", output}, {}, {}, ">&-");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(output), runBatch({defaultAds}).out);

    for (const std::string info : {"--help", "--list-parameters"})
        EXPECT_EQ(runBatch({info}, {}, {}, ">&-").status, 1) << info;
    EXPECT_EQ(runBatch({defaultAds, "--vary", "toothCount=1:3:1", "--format", "csv"}, {}, {}, ">&-").status, 1);
}

// Fault: --help and --list-parameters to a full disk ended with status 0.
TEST(BatchInformationOutput, FailedWriteIsReported)
{
    for (const std::string info : {"--help", "--list-parameters", "--version"}) {
        const auto r = runBatch({info}, "/dev/full");
        EXPECT_EQ(r.status, 1) << info;
        EXPECT_EQ(r.err, "Die Ausgabe kann nicht geschrieben werden\n") << info;
    }
}

// Fault: a memory limit aborted a JSON study (std::bad_alloc while
// unwinding, status 134), and with many threads runs without memory became
// failed rows. Under any limit the study either writes exactly what it
// writes without one or says so and publishes nothing.
TEST(BatchMemoryLimit, StudyIsWholeOrRefusedWithTheMessage)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any of these limits";
#endif
    TestFolder folder;
    const std::string output = folder.file("studie.json");
    const std::vector<std::string> study = {defaultAds, "--vary", "cuttingSpeed=1:300:1", "--format", "json",
                                            "-o",       output};
    auto withJobs = [&](const char* jobs) {
        auto args = study;
        args.insert(args.end(), {"--jobs", jobs});
        return args;
    };
    ASSERT_EQ(runBatch(withJobs("2")).status, 0);
    const std::string whole = readBytes(output);
    for (const char* limit : {"20000", "25000", "30000", "40000"}) {
        for (const char* jobs : {"2", "8", "16"}) {
            SCOPED_TRACE(std::string(limit) + " kB, " + jobs + " threads");
            writeBytes(output, oldContent);
            const auto r = runBatch(withJobs(jobs), {}, std::string("ulimit -v ") + limit);
            if (r.status == 0) {
                EXPECT_EQ(readBytes(output), whole);
            } else {
                EXPECT_EQ(r.status, 1);
                EXPECT_EQ(r.err, outOfMemory);
                EXPECT_EQ(readBytes(output), oldContent);
            }
            EXPECT_EQ(entryCount(folder.path()), 1u);
        }
    }
}

// A run without memory is run again on the calling thread; when that fails
// too, the study ends instead of writing a row that is no result.
TEST(BatchMemoryLimit, RunWithoutMemoryIsRetriedOrEndsTheStudy)
{
    using namespace orbiton;
    using namespace orbiton::batch;
    const std::vector<Variation> speeds = {parseVariation("cuttingSpeed=100:220:20")};
    const auto reference = runSweep(defaultDataSet(), speeds, 1, "default.ads");
    for (const unsigned jobs : {1u, 3u}) {
        setAllocationFailureForTesting([](std::size_t run, bool retry) { return run == 2 && !retry; });
        const auto rows = runSweep(defaultDataSet(), speeds, jobs, "default.ads");
        ASSERT_EQ(rows.size(), reference.size());
        for (std::size_t k = 0; k < rows.size(); ++k) {
            EXPECT_TRUE(rows[k].succeeded) << k << ": " << rows[k].error;
            EXPECT_EQ(rows[k].summary.meanCuttingPower, reference[k].summary.meanCuttingPower) << k;
        }
        setAllocationFailureForTesting([](std::size_t run, bool) { return run == 2; });
        EXPECT_THROW(runSweep(defaultDataSet(), speeds, jobs, "default.ads"), std::bad_alloc) << jobs;
    }
    setAllocationFailureForTesting({});
}

// Fault: a file size limit ended the tool by SIGXFSZ (status 153) and left
// its temporary file.
TEST(BatchFileSizeLimit, WriteFailsWithTheMessage)
{
    TestFolder folder;
    const std::string output = folder.file("aus.eds");
    for (const std::string format : {"eds", "json"}) {
        writeBytes(output, oldContent);
        const auto r = runBatch({defaultAds, "-o", output, "--format", format}, {}, "ulimit -f 1");
        EXPECT_EQ(r.status, 1) << format;
        EXPECT_EQ(r.err, "Kann Datei " + output + " nicht erstellen\n") << format;
        EXPECT_EQ(readBytes(output), oldContent);
        EXPECT_EQ(entryCount(folder.path()), 1u);
    }
    const auto r = runBatch({defaultAds}, {}, "ulimit -f 1");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Die Ausgabe kann nicht geschrieben werden\n");
}

// Faults: texts were quoted as the tool had changed them, a tiny step gave
// a 52-digit run count, 100 teeth were taken until the run refused them, and
// values that a field's entry filter changes were taken silently.
TEST(BatchArgumentTexts, AreQuotedAsTypedAndRefusedAtOnce)
{
    TestFolder folder;
    const std::string tiny = "boreDiameter=90:100:0." + std::string(60, '0') + "1";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"--vary", "cuttingSpeed=60.5:300:20"},
         "--vary cuttingSpeed=60.5:300:20: '60.5' ist kein gültiger Integerwert"},
        {{"--vary", tiny},
         "--vary " + tiny.substr(0, 60) + "…: Die Variation ergibt zu viele Läufe (mehr als 100 000)"},
        {{"--set", "toothCount=100"}, "--set toothCount=100: Anzahl der Zähne muß zwischen 1 und 99 liegen"},
        {{"--set", "kc11=650.5"}, "--set kc11=650.5: „650.5“ enthält das unzulässige Zeichen „.“"},
        {{"--set", "cuttingSpeed=1e400"}, "--set cuttingSpeed=1e400: „1e400“ enthält das unzulässige Zeichen „e“"},
        {{"--set", "boreDiameter=9,0,1"}, "--set boreDiameter=9,0,1: „9,0,1“ enthält das unzulässige Zeichen „,“"},
    };
    for (const Case& c : cases) {
        auto args = c.args;
        args.insert(args.begin(), defaultAds);
        args.insert(args.end(), {"--format", "csv", "-o", folder.file("aus.csv")});
        const auto r = runBatch(args);
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_EQ(r.err, c.message + "\n");
    }
    EXPECT_EQ(entryCount(folder.path()), 0u);
    const std::string list = runBatch({"--list-parameters"}).out;
    const std::size_t tooth = list.find("\ntoothCount ");
    ASSERT_NE(tooth, std::string::npos);
    EXPECT_NE(list.substr(tooth, list.find('\n', tooth + 1) - tooth).find("1 ≤ x ≤ 99, ganzzahlig"), std::string::npos);
}

// Fault: a data set line that the field's entry filter changes ("650,5" in a
// digits-only field became 6505, "1e400" 1400) was taken silently.
TEST(BatchDataSetTexts, ThatTheFilterWouldChangeAreRefusedWithTheirLine)
{
    TestFolder folder;
    const auto lines = orbiton::splitLines(readBytes(defaultAds), 100);
    struct Case {
        std::size_t line;
        std::string text, message;
    };
    const std::vector<Case> cases = {
        {21, "650,5", "„650,5“ enthält das unzulässige Zeichen „,“"},
        {13, "1e400", "„1e400“ enthält das unzulässige Zeichen „e“"},
        {1, "NaN", "„NaN“ enthält das unzulässige Zeichen „N“"},
        {2, std::string("5\x01", 2), "„5?“ enthält das unzulässige Zeichen „?“"},
    };
    for (const Case& c : cases) {
        auto changed = lines;
        changed.at(c.line - 1) = c.text;
        const std::string input = folder.file("eingabe.ads");
        writeBytes(input, orbiton::joinLines(changed));
        const auto r = runBatch({input, "--summary"});
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_EQ(r.err, input + ":" + std::to_string(c.line) + ": " + c.message + "\n");
    }
}
