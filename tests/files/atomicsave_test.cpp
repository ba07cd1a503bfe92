// Saving replaces a file whole or not at all: a failed save reports
// "Kann Datei %s nicht erstellen", leaves the previous file as it was and
// leaves no temporary file behind.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "files/dataset.h"
#include "files/textfile.h"
#include "model/errors.h"
#include "otheruser.h"
#include "testfolder.h"

using namespace orbiton;
using testing_support::entryCount;
using testing_support::readBytes;
using testing_support::TestFolder;
using testing_support::writeBytes;
namespace fs = std::filesystem;

namespace {

std::string saveError(const std::string& path, const std::string& bytes)
{
    try {
        saveFileAtomically(path, bytes);
    } catch (const FileError& e) {
        return e.what();
    }
    return "saved";
}

bool runningAsRoot()
{
    // Root writes into read-only folders; find out by trying.
    TestFolder probe;
    const fs::path locked = probe.path() / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    writeBytes((locked / "x").string(), "x");
    return fs::exists(locked / "x");
}

}  // namespace

TEST(AtomicSave, CreatesAndReplaces)
{
    TestFolder folder;
    const std::string path = folder.file("a.ads");
    saveFileAtomically(path, "eins\r\n");
    EXPECT_EQ(readBytes(path), "eins\r\n");
    saveFileAtomically(path, "zwei\r\n");
    EXPECT_EQ(readBytes(path), "zwei\r\n");
    saveFileAtomically(path, "");
    EXPECT_EQ(readBytes(path), "");
    EXPECT_EQ(entryCount(folder.path()), 1u);
}

TEST(AtomicSave, KeepsThePermissionsOfTheReplacedFile)
{
    TestFolder folder;
    const std::string path = folder.file("a.wks");
    writeBytes(path, "alt");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    saveFileAtomically(path, "neu");
    EXPECT_EQ(readBytes(path), "neu");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(AtomicSave, MissingFolderReportsTheError)
{
    TestFolder folder;
    const std::string path = folder.file("fehlt/a.ads");
    EXPECT_EQ(saveError(path, "x"), "Kann Datei " + path + " nicht erstellen");
    EXPECT_EQ(entryCount(folder.path()), 0u);
    EXPECT_EQ(saveError("", "x"), "Kann Datei  nicht erstellen");
}

TEST(AtomicSave, AFolderInTheWayStaysAsItWas)
{
    TestFolder folder;
    const std::string path = folder.file("ordner.eds");
    fs::create_directory(path);
    writeBytes(path + "/inhalt", "bleibt");
    EXPECT_EQ(saveError(path, "x"), "Kann Datei " + path + " nicht erstellen");
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(readBytes(path + "/inhalt"), "bleibt");
    EXPECT_EQ(entryCount(folder.path()), 1u);
}

TEST(AtomicSave, AReadOnlyFileIsNotReplaced)
{
    // Holds for every user, root included: a file without write permission
    // counts as protected.
    TestFolder folder;
    const std::string path = folder.file("alt.ads");
    saveDataSetFile(path, defaultDataSet());
    const std::string before = readBytes(path);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    DataSet changed = defaultDataSet();
    changed.inputTexts[0] = "100";
    try {
        saveDataSetFile(path, changed);
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Kann Datei " + path + " nicht erstellen");
    }
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(entryCount(folder.path()), 1u);
}

TEST(AtomicSave, AReadOnlyFolderKeepsTheOldFile)
{
    // The superuser writes into read-only folders: then the save runs as
    // an ordinary user.
    const auto nobody = testing_support::nobodyIfRoot();
    if (runningAsRoot() && !nobody)
        GTEST_SKIP() << "running as root without the user nobody; "
                        "the read-only file and missing-folder cases cover the failure path";
    TestFolder folder;
    const fs::path locked = folder.path() / "schreibgeschuetzt";
    fs::create_directory(locked);
    const std::string path = (locked / "alt.ads").string();
    writeBytes(path, "alter Inhalt\r\n");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    std::string result;
    if (nobody) {
        ASSERT_EQ(::chown(locked.c_str(), nobody->uid, nobody->gid), 0);
        ASSERT_EQ(::chown(path.c_str(), nobody->uid, nobody->gid), 0);
        result = testing_support::runAs(*nobody, [&] { return saveError(path, "neuer Inhalt\r\n"); });
    } else {
        result = saveError(path, "neuer Inhalt\r\n");
    }
    EXPECT_EQ(result, "Kann Datei " + path + " nicht erstellen");
    EXPECT_EQ(readBytes(path), "alter Inhalt\r\n");
    EXPECT_EQ(entryCount(locked), 1u);
}

TEST(AtomicSave, ThroughALinkTheLinkedFileIsReplaced)
{
    TestFolder folder;
    const std::string real = folder.file("echt.wks");
    const std::string link = folder.file("verweis.wks");
    writeBytes(real, "alt");
    fs::create_symlink(real, link);
    saveFileAtomically(link, "neu");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(real), "neu");
    EXPECT_EQ(entryCount(folder.path()), 2u);
}

TEST(AtomicSave, RelativeNamesSaveIntoTheWorkingFolder)
{
    TestFolder folder;
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    saveFileAtomically("relativ.eds", "x");
    fs::current_path(previous);
    EXPECT_EQ(readBytes(folder.file("relativ.eds")), "x");
    EXPECT_EQ(entryCount(folder.path()), 1u);
}

namespace {

struct stat statusOf(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

void handTo(const testing_support::Nobody& who, const std::string& path)
{
    ASSERT_EQ(::chown(path.c_str(), who.uid, who.gid), 0) << path;
}

}  // namespace

// Fault: a file was taken as writable when some write bit was set, so an
// ordinary user replaced a file that was not theirs to write.
TEST(Writability, DecidedByTheSystemNotByModeBits)
{
    // The saving user's own file with write permission for the group only:
    // the system refuses it to its owner.
    TestFolder folder;
    const std::string own = folder.file("eigen.eds");
    writeBytes(own, "alt");
    ::chmod(own.c_str(), 0464);
    const auto nobody = testing_support::nobodyIfRoot();
    std::string result;
    if (nobody) {
        handTo(*nobody, folder.path().string());
        handTo(*nobody, own);
        result = testing_support::runAs(*nobody, [&] { return saveError(own, "neu"); });
    } else {
        result = saveError(own, "neu");
    }
    EXPECT_EQ(result, "Kann Datei " + own + " nicht erstellen");
    EXPECT_EQ(readBytes(own), "alt");
    EXPECT_EQ(entryCount(folder.path()), 1u);

    // The case as it was found: a root-owned 0644 file in the user's own
    // folder.
    if (!nobody)
        GTEST_SKIP() << "not running as root: no file of another owner can be made; "
                        "the own read-protected file above covers the rule";
    const std::string foreign = folder.file("fremd.eds");
    writeBytes(foreign, "alt");
    ::chown(foreign.c_str(), 0, 0);
    ::chmod(foreign.c_str(), 0644);
    EXPECT_EQ(testing_support::runAs(*nobody, [&] { return saveError(foreign, "neu"); }),
              "Kann Datei " + foreign + " nicht erstellen");
    EXPECT_EQ(readBytes(foreign), "alt");
    EXPECT_EQ(statusOf(foreign).st_uid, 0u);
    EXPECT_EQ(entryCount(folder.path()), 2u);
}

// Fault: names of 238 to 255 bytes could not be saved, since the temporary
// name added 18 characters to them.
TEST(LongNames, EveryNameTheFileSystemTakesCanBeSaved)
{
    TestFolder folder;
    for (const std::size_t length : {5u, 200u, 238u, 255u}) {
        const std::string path = folder.file(std::string(length - 4, 'n') + ".eds");
        EXPECT_EQ(saveError(path, "x"), "saved") << length;
        EXPECT_EQ(readBytes(path), "x");
        EXPECT_EQ(saveError(path, "y"), "saved") << length;
        EXPECT_EQ(readBytes(path), "y");
    }
    EXPECT_EQ(entryCount(folder.path()), 4u);
    const std::string tooLong = folder.file(std::string(256, 'n'));
    EXPECT_EQ(saveError(tooLong, "x"), "Kann Datei " + tooLong + " nicht erstellen");
    EXPECT_EQ(entryCount(folder.path()), 4u);
}

// Fault: a symbolic link to a file that does not exist yet was replaced by
// a regular file instead of being written through.
TEST(Links, DanglingLinksAreWrittenThrough)
{
    TestFolder folder;
    const fs::path sub = folder.path() / "sub";
    fs::create_directory(sub);
    struct Case {
        std::string link;
        std::string pointsTo;  // as stored in the link
        std::string written;   // the file that must receive the bytes, "" when refused
    };
    const Case cases[] = {
        {"relativ.eds", "ziel.eds", folder.file("ziel.eds")},
        {"absolut.eds", (sub / "ziel.eds").string(), (sub / "ziel.eds").string()},
        {"sub/tiefer.eds", "../oben.eds", folder.file("oben.eds")},
        {"kette.eds", "relativ.eds", folder.file("ziel.eds")},  // a link to a link
        {"ins-leere.eds", "fehlt/ziel.eds", ""},
        {"kreis-a.eds", "kreis-b.eds", ""},
        {"kreis-b.eds", "kreis-a.eds", ""},
    };
    for (const Case& c : cases)
        fs::create_symlink(c.pointsTo, folder.file(c.link));
    const std::size_t entries = entryCount(folder.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        const std::string link = folder.file(c.link);
        const std::string content = "Inhalt von " + c.link;
        if (c.written.empty()) {
            EXPECT_EQ(saveError(link, content), "Kann Datei " + link + " nicht erstellen");
        } else {
            EXPECT_EQ(saveError(link, content), "saved");
            EXPECT_EQ(readBytes(c.written), content);
        }
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link).string(), c.pointsTo);
    }
    // Only the three targets were added; no temporary file stayed.
    EXPECT_EQ(entryCount(folder.path()), entries + 2);
    EXPECT_EQ(entryCount(sub), 2u);
}

// Fault risk: replacing a file that the saving user may write but does not
// own. The mode stays; the owner becomes the saving user (only the
// superuser can give a file to someone else), and a superuser save keeps
// owner and group.
TEST(Links, ReplacedFilesKeepTheirMode)
{
    const auto nobody = testing_support::nobodyIfRoot();
    if (!nobody)
        GTEST_SKIP() << "not running as root: no file of another owner can be made; "
                        "AtomicSave.KeepsThePermissionsOfTheReplacedFile covers the mode of one's own file";
    TestFolder folder;
    handTo(*nobody, folder.path().string());
    const std::string rootsFile = folder.file("von-root.eds");
    writeBytes(rootsFile, "alt");
    ::chmod(rootsFile.c_str(), 0646);
    EXPECT_EQ(testing_support::runAs(*nobody, [&] { return saveError(rootsFile, "neu"); }), "saved");
    EXPECT_EQ(readBytes(rootsFile), "neu");
    EXPECT_EQ(statusOf(rootsFile).st_mode & 07777, 0646u);
    EXPECT_EQ(statusOf(rootsFile).st_uid, nobody->uid);

    const std::string nobodysFile = folder.file("von-nobody.eds");
    writeBytes(nobodysFile, "alt");
    handTo(*nobody, nobodysFile);
    ::chmod(nobodysFile.c_str(), 0640);
    EXPECT_EQ(saveError(nobodysFile, "neu"), "saved");
    EXPECT_EQ(statusOf(nobodysFile).st_mode & 07777, 0640u);
    EXPECT_EQ(statusOf(nobodysFile).st_uid, nobody->uid);
    EXPECT_EQ(statusOf(nobodysFile).st_gid, nobody->gid);
    EXPECT_EQ(entryCount(folder.path()), 2u);
}
