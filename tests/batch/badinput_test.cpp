// orbiton-batch given what a careless user or a hostile tester gives it:
// its own input as output, FIFOs and devices, huge files, absurd tooth
// counts, standard output that cannot be written, broken texts, and an
// interrupt while the output is being written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

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

// The default data set with lines (from 1) replaced, as path in folder.
std::string dataSet(const TestFolder& folder, const std::map<int, std::string>& changes,
                    const std::string& name = "eingabe.ads")
{
    auto lines = orbiton::splitLines(readBytes(defaultAds), 100);
    for (const auto& [line, text] : changes)
        lines.at(static_cast<std::size_t>(line - 1)) = text;
    const std::string path = folder.file(name);
    writeBytes(path, orbiton::joinLines(lines));
    return path;
}

}  // namespace

// Fault: "orbiton-batch a.ads -o a.ads" replaced the data set by the table.
TEST(BatchSameFile, OutputThatIsTheInputIsRefused)
{
    TestFolder folder;
    const std::string input = dataSet(folder, {});
    const std::string original = readBytes(input);
    fs::create_symlink("eingabe.ads", folder.file("verweis.ads"));
    fs::create_hard_link(input, folder.file("zweiter-name.ads"));
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    for (const std::string& output : {input, std::string("eingabe.ads"), std::string("./eingabe.ads"),
                                      folder.file("verweis.ads"), std::string("zweiter-name.ads")}) {
        const auto r = runBatch({"eingabe.ads", "-o", output, "--summary"});
        EXPECT_EQ(r.status, 1) << output;
        EXPECT_EQ(r.err, "Die Ausgabedatei " + output + " ist die Eingabedatei und wird nicht überschrieben\n");
        EXPECT_EQ(r.out, "");
    }
    fs::current_path(previous);
    EXPECT_EQ(readBytes(input), original);
    EXPECT_TRUE(fs::is_symlink(folder.file("verweis.ads")));
    EXPECT_EQ(fs::hard_link_count(input), 2u);
    EXPECT_EQ(entryCount(folder.path()), 3u);
}

// Fault: a FIFO as input blocked for ever; /dev/zero was read for seconds.
TEST(BatchNonRegularInput, IsRefusedAtOnce)
{
    TestFolder folder;
    const std::string fifo = folder.file("fifo.ads");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& input : {fifo, std::string("/dev/zero")}) {
        const auto r = runBatch({input, "-o", folder.file("aus.eds")});
        EXPECT_EQ(r.status, 1) << input;
        EXPECT_EQ(r.err, "Kann Datei " + input + " nicht öffnen\n");
    }
    EXPECT_EQ(entryCount(folder.path()), 1u);
}

// Fault: huge input was read whole before it was refused.
TEST(BatchReadCaps, HugeInputIsRefusedWithItsLine)
{
    TestFolder folder;
    const std::string huge = folder.file("gross.ads");
    writeBytes(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), off_t{1000} << 20), 0);
    auto r = runBatch({huge});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, huge + ":1: Die Zeile ist länger als 1024 Zeichen\n");
    const std::string longLine = dataSet(folder, {{51, std::string(2000, '1')}}, "lang.ads");
    r = runBatch({longLine});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, longLine + ":51: Die Zeile ist länger als 1024 Zeichen\n");
}

// Fault: 999 teeth ran for seconds, 2147483647 practically for ever.
TEST(BatchToothCount, AboveNinetyNineIsRefusedBeforeAnyRow)
{
    TestFolder folder;
    for (const std::string teeth : {"100", "999", "2147483647"}) {
        const std::string input = dataSet(folder, {{3, teeth}, {17, "720"}});
        const auto r = runBatch({input, "-o", folder.file("aus.eds")});
        EXPECT_EQ(r.status, 1) << teeth;
        EXPECT_EQ(r.err, "Anzahl der Zähne muß zwischen 1 und 99 liegen\n");
        EXPECT_EQ(r.out, "");
    }
    const auto r = runBatch({dataSet(folder, {{3, "99"}, {17, "36"}}), "--summary"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(entryCount(folder.path()), 1u);
}

// Fault: a failure after the output file was written left it behind.
TEST(BatchNoOutputOnFailure, StandardOutputThatCannotBeWritten)
{
    TestFolder folder;
    const std::string fresh = folder.file("neu.eds");
    const std::string existing = folder.file("alt.eds");
    writeBytes(existing, "alter Inhalt\r\n");
    for (const std::string& output : {fresh, existing}) {
        const auto r = runBatch({defaultAds, "-o", output, "--summary"}, "/dev/full");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "Die Ausgabe kann nicht geschrieben werden\n");
    }
    EXPECT_FALSE(fs::exists(fresh));
    EXPECT_EQ(readBytes(existing), "alter Inhalt\r\n");
    EXPECT_EQ(entryCount(folder.path()), 1u);
    EXPECT_EQ(runBatch({defaultAds}, "/dev/full").status, 1);
}

// Fault: messages were cut at a NUL byte, echoed 50 MB lines and named
// neither the line nor, for a floating-point failure, the place.
TEST(BatchMessages, NameTheLineAndThePlace)
{
    TestFolder folder;
    const std::string huge = "99999999999999999999999999999999999999";
    struct Case {
        std::map<int, std::string> changes;
        std::string message;  // after "INPUT"
    };
    const std::vector<Case> cases = {
        {{{19, "x"}}, ":19: 'x' ist kein gültiger Integerwert"},
        {{{45, std::string(300, '7')}}, ":45: '" + std::string(40, '7') + "…' ist kein gültiger Integerwert"},
        {{{19, std::string("\0x\0", 3)}}, ":19: '?x?' ist kein gültiger Integerwert"},
        {{{3, ""}}, ":3: Zähneanzahl: '' ist kein gültiger Integerwert"},
        {{{1, "-"}}, ":1: „-“ enthält das unzulässige Zeichen „-“"},
        {{{1, "1" + std::string(40, '0')}}, ":1: Gleitkommaüberlauf"},
        {{{24, "5"}}, ":24: Der Exponent muß zwischen 0,1 und 1 liegen"},
        {{{41, ","}}, ":41: ',' ist kein gültiger Gleitkommawert"},
        {{{13, "0"}}, ": Ungültige Gleitkommaoperation bei der Vorbereitung des Laufs"},
        {{{27, huge}, {30, "0,3"}}, ": Gleitkommaüberlauf in Schritt 10, Zahn 1"},
        {{{27, huge}, {30, "0,3"}, {3, "3"}}, ": Gleitkommaüberlauf in Schritt 0, Zahn 2"},
    };
    for (const Case& c : cases) {
        const std::string input = dataSet(folder, c.changes);
        const auto r = runBatch({input});
        EXPECT_EQ(r.status, 1);
        // Errors of the run are about no line: no "INPUT: " in front.
        const bool aboutALine = c.message[1] != ' ';
        EXPECT_EQ(r.err, (aboutALine ? input + c.message : c.message.substr(2)) + "\n");
    }
    // A data set saved as UTF-16: every byte of the message arrives.
    const std::string utf16 = folder.file("utf16.ads");
    std::string wide;
    for (const char c : readBytes(defaultAds))
        wide += std::string{c, '\0'};
    writeBytes(utf16, "\xFF\xFE" + wide);
    const auto r = runBatch({utf16});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, utf16 + ":1: „ÿþ8?8?“ enthält das unzulässige Zeichen „ÿ“\n");
}

// Faults: Ctrl+C (and later SIGQUIT) just before the rename left the hidden
// temporary file.
TEST(BatchInterrupt, LeavesNoTemporaryFile)
{
    for (const int signal : {SIGINT, SIGTERM, SIGQUIT}) {
        TestFolder folder;
        const std::string output = folder.file("aus.eds");
        writeBytes(output, "alter Inhalt\r\n");
        // Standard output is a full pipe, so the tool waits with its table
        // in the temporary file until the signal comes.
        int channel[2];
        ASSERT_EQ(::pipe(channel), 0);
        ::fcntl(channel[1], F_SETPIPE_SZ, 4096);
        ::fcntl(channel[1], F_SETFL, O_NONBLOCK);
        const std::string filler(4096, 'x');
        while (::write(channel[1], filler.data(), filler.size()) > 0) {
        }
        ::fcntl(channel[1], F_SETFL, 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(channel[1], STDOUT_FILENO);
            ::close(channel[0]);
            ::close(channel[1]);
            ::execl(ORBITON_BATCH, ORBITON_BATCH, defaultAds.c_str(), "-o", output.c_str(), "--summary",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(channel[1]);
        bool waiting = false;
        for (int k = 0; k < 2000 && !waiting; ++k) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            waiting = entryCount(folder.path()) == 2;
        }
        EXPECT_TRUE(waiting) << "no temporary file appeared";
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(channel[0]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(entryCount(folder.path()), 1u) << signal;
        EXPECT_EQ(readBytes(output), "alter Inhalt\r\n");
    }
}
