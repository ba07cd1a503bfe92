// Saving replaces a file whole or not at all: a failed save reports
// "Kann Datei %s nicht erstellen", leaves the previous file as it was and
// leaves no temporary file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/dataset.h"
#include "files/textfile.h"
#include "model/errors.h"
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
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
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
    if (runningAsRoot())
        GTEST_SKIP() << "running as root: folder permissions do not stop writing; "
                        "the read-only file and missing-folder cases cover the failure path";
    TestFolder folder;
    const fs::path locked = folder.path() / "schreibgeschuetzt";
    fs::create_directory(locked);
    const std::string path = (locked / "alt.ads").string();
    writeBytes(path, "alter Inhalt\r\n");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(saveError(path, "neuer Inhalt\r\n"), "Kann Datei " + path + " nicht erstellen");
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
