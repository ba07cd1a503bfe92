// Saving flushes the new file to the disk before it takes the old one's
// place, and the folder after, so that a power loss leaves either file
// whole. The system calls are observed by linking this program with
// --wrap=fsync and --wrap=rename.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "files/dataset.h"
#include "files/textfile.h"
#include "model/errors.h"
#include "testfolder.h"

namespace {

std::vector<std::string> calls;

std::string kindOf(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return "fsync(?)";
    return S_ISDIR(st.st_mode) ? "fsync(folder)" : S_ISREG(st.st_mode) ? "fsync(file)" : "fsync(other)";
}

}  // namespace

extern "C" int __real_fsync(int fd);
extern "C" int __real_rename(const char* from, const char* to);

extern "C" int __wrap_fsync(int fd)
{
    calls.push_back(kindOf(fd));
    return __real_fsync(fd);
}

extern "C" int __wrap_rename(const char* from, const char* to)
{
    calls.push_back("rename");
    return __real_rename(from, to);
}

// Fault: the temporary file was renamed without fsync, so a power loss
// could leave a truncated or empty file in place of the old one.
TEST(Durability, FileFlushedBeforeTheRenameFolderAfter)
{
    testing_support::TestFolder folder;
    const std::string path = folder.file("a.ads");
    for (int round = 0; round < 2; ++round) {  // a new file, then a replaced one
        calls.clear();
        orbiton::saveDataSetFile(path, orbiton::defaultDataSet());
        EXPECT_EQ(calls, (std::vector<std::string>{"fsync(file)", "rename", "fsync(folder)"}));
    }
    // A save that fails before the rename renames nothing.
    calls.clear();
    EXPECT_THROW(orbiton::saveFileAtomically(folder.file("fehlt/b.ads"), "x"), orbiton::FileError);
    EXPECT_EQ(calls, std::vector<std::string>{});
}
