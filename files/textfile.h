#pragma once
// Text files of the program: Latin-1 bytes on disk, UTF-8 in memory, lines
// ended by CR LF when written and by CR LF, CR or LF when read. Saving
// never leaves a truncated file and never destroys the previous one.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orbiton {

// Every byte is one Latin-1 character; always succeeds.
std::string latin1ToUtf8(std::string_view bytes);

// Characters U+0000..U+00FF become one byte each. A character outside
// Latin-1, or bytes that are not UTF-8, raise a FileError naming the text:
// nothing is ever written in place of a character.
std::string utf8ToLatin1(std::string_view text);

// Splits text into at most maxLines lines. CR LF, a lone CR and a lone LF
// each end a line; a last line without an end still counts; an empty text
// has no lines. Lines after maxLines are not looked at.
std::vector<std::string> splitLines(std::string_view bytes, std::size_t maxLines);

// The same lines as views into bytes.
std::vector<std::string_view> splitLineViews(std::string_view bytes, std::size_t maxLines);

// Joins lines, each followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

// What is read of a file is capped, so that a file of the wrong kind or
// size is refused in milliseconds and with little memory: a data set has
// 51 short lines and a material file 21. A larger read, or a needed line
// longer than maxLineBytes (without its end), is refused at once.
inline constexpr std::size_t maxReadBytes = 64 * 1024;
inline constexpr std::size_t maxLineBytes = 1024;

// Reads a file whole, up to maxReadBytes. FileError "Kann Datei <name> nicht
// öffnen" when it is missing, unreadable or no regular file (a folder, a
// FIFO, a device, a socket: refused before it is opened for reading, so
// nothing ever blocks), "Die Datei <name> ist größer als 64 KiB" beyond the
// cap. <name> is nameInMessages, or the path when that is empty.
std::string readWholeFile(const std::string& path, const std::string& nameInMessages = {});

// Reads a file up to the end of its maxLines-th line (or whole when it has
// fewer lines); what follows is never read. The same failures, and
// FileError "Die Zeile ist länger als 1024 Zeichen" (with line() = n) for a
// needed line above maxLineBytes.
std::string readLeadingLines(const std::string& path, std::size_t maxLines, const std::string& nameInMessages = {});

// Raises the line-length error above for a line (numbered from 1) that is
// longer than maxLineBytes; for texts that do not come from a file read here.
void checkLineLength(std::string_view line, std::size_t lineNumber);

// A file that replaces the one at a path once it is complete. The bytes go
// to a temporary file beside the target, named ".orbiton-XXXXXXXX.tmp"
// whatever the target's name, so every name the file system takes can be
// saved. commit() flushes it to the disk (fsync), renames it over the
// target and flushes the folder, so a power loss leaves the old file or
// the new one, never a truncated one. Destroyed without commit(), it
// removes the temporary file and the target stays as it was.
//
// The target is the end of a chain of symbolic links, also when the last
// link names a file that does not exist yet; the links stay. An existing
// target must be a regular file that the system lets this process write
// (access for writing with the effective IDs, never judged from mode bits
// alone), and a file without any write permission bit counts as protected
// for every user, the superuser included. The new file keeps the replaced
// file's permission bits and, where the system allows, its owner and group:
// a superuser save keeps both; an ordinary user who may write the file
// without owning it becomes its owner (the group is kept when the user
// belongs to it), and then set-user-ID, set-group-ID and sticky bits are
// dropped. The replaced file's other names (hard links) keep the old
// content.
//
// Every failure raises FileError "Kann Datei <path> nicht erstellen".
class PendingFile {
public:
    explicit PendingFile(const std::string& path);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    void write(std::string_view bytes);
    void commit();

    // Where the bytes wait until commit(); a signal handler can remove it.
    const std::string& temporaryPath() const noexcept { return temporary_; }
    // The file that commit() replaces (links resolved).
    const std::string& targetPath() const noexcept { return target_; }

private:
    [[noreturn]] void fail();

    std::string path_;
    std::string target_;
    std::string temporary_;
    int descriptor_ = -1;
    bool committed_ = false;
};

// Replaces the file at path by bytes through a PendingFile.
void saveFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace orbiton
