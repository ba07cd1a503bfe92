#include "files/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <random>
#include <utility>

#include "model/errors.h"

namespace orbiton {

namespace {

[[noreturn]] void cannotOpen(const std::string& name) { throw FileError(formatMessage(messages::cannotOpen, name)); }

[[noreturn]] void cannotCreate(const std::string& path)
{
    throw FileError(formatMessage(messages::cannotCreate, path));
}

[[noreturn]] void notLatin1(std::string_view text)
{
    throw FileError(
        formatMessage("Der Text '%s' enthält Zeichen, die sich nicht in einer Datei speichern lassen", excerpt(text)));
}

[[noreturn]] void lineTooLong(std::size_t line)
{
    FileError error(messages::lineTooLong);
    error.setLine(line);
    throw error;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads up to the end of the maxLines-th line (maxLines 0: to the end of
// the file). Only a regular file is opened, and without blocking: a FIFO
// or a device is refused before any read.
std::string readLimited(const std::string& path, std::size_t maxLines, bool capLines, const std::string& nameInMessages)
{
    const std::string& name = nameInMessages.empty() ? path : nameInMessages;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        cannotOpen(name);
    // O_NONBLOCK: should the name have been replaced by a FIFO meanwhile,
    // opening it does not wait for a writer; fstat then refuses it.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        cannotOpen(name);

    std::string content;
    std::size_t linesSeen = 0;
    std::size_t lineStart = 0;
    bool afterCr = false;
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            cannotOpen(name);
        }
        if (got == 0)
            return content;
        const std::size_t base = content.size();
        for (std::size_t k = 0; k < static_cast<std::size_t>(got); ++k) {
            const std::size_t at = base + k;
            if (at >= maxReadBytes)
                throw FileError(formatMessage(messages::fileTooLarge, name));
            const char c = chunk[k];
            if (c == '\n' && afterCr) {
                // The LF of a CR LF; the line ended at the CR.
                afterCr = false;
                lineStart = at + 1;
                continue;
            }
            afterCr = c == '\r';
            if (c == '\r' || c == '\n') {
                lineStart = at + 1;
                if (++linesSeen == maxLines) {
                    content.append(chunk, k + 1);
                    return content;
                }
            } else if (capLines && at - lineStart >= maxLineBytes) {
                lineTooLong(linesSeen + 1);
            }
        }
        content.append(chunk, static_cast<std::size_t>(got));
    }
}

// The file a save to path replaces: symbolic links followed to their end,
// also when the last one names a file that does not exist yet.
std::string resolveLinks(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0) {
            if (errno == ENOENT)
                return current;
            cannotCreate(path);
        }
        if (!S_ISLNK(status.st_mode))
            return current;
        std::string target(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size())
            cannotCreate(path);
        target.resize(static_cast<std::size_t>(length));
        if (target.empty())
            cannotCreate(path);
        if (target.front() != '/') {
            // Relative to the folder that holds the link.
            const std::size_t slash = current.rfind('/');
            if (slash != std::string::npos)
                target = current.substr(0, slash + 1) + target;
        }
        current = target;
    }
    cannotCreate(path);  // a loop of links
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string temporaryName()
{
    static std::atomic<unsigned> counter{0};
    static std::mt19937 random{std::random_device{}() ^
                               static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
    char name[32];
    std::snprintf(name, sizeof name, ".orbiton-%08x.tmp",
                  static_cast<unsigned>(random()) ^ (counter.fetch_add(1) * 0x9E3779B9u));
    return name;
}

}  // namespace

std::string latin1ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

std::string utf8ToLatin1(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto b = static_cast<unsigned char>(text[k]);
        if (b < 0x80) {
            out.push_back(text[k]);
        } else if ((b == 0xC2 || b == 0xC3) && k + 1 < text.size() &&
                   (static_cast<unsigned char>(text[k + 1]) & 0xC0) == 0x80) {
            const auto next = static_cast<unsigned char>(text[k + 1]);
            out.push_back(static_cast<char>(((b & 0x03) << 6) | (next & 0x3F)));
            ++k;
        } else {
            notLatin1(text);
        }
    }
    return out;
}

std::vector<std::string_view> splitLineViews(std::string_view bytes, std::size_t maxLines)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t k = 0;
    while (lines.size() < maxLines && start < bytes.size()) {
        while (k < bytes.size() && bytes[k] != '\r' && bytes[k] != '\n')
            ++k;
        lines.push_back(bytes.substr(start, k - start));
        if (k < bytes.size()) {
            if (bytes[k] == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n')
                ++k;
            ++k;
        }
        start = k;
    }
    return lines;
}

std::vector<std::string> splitLines(std::string_view bytes, std::size_t maxLines)
{
    std::vector<std::string> lines;
    for (const auto line : splitLineViews(bytes, maxLines))
        lines.emplace_back(line);
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string readWholeFile(const std::string& path, const std::string& nameInMessages)
{
    return readLimited(path, 0, false, nameInMessages);
}

std::string readLeadingLines(const std::string& path, std::size_t maxLines, const std::string& nameInMessages)
{
    if (maxLines == 0)
        return {};
    return readLimited(path, maxLines, true, nameInMessages);
}

void checkLineLength(std::string_view line, std::size_t lineNumber)
{
    if (line.size() > maxLineBytes)
        lineTooLong(lineNumber);
}

PendingFile::PendingFile(const std::string& path) : path_(path)
{
    if (path.empty())
        cannotCreate(path);
    target_ = resolveLinks(path);

    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        cannotCreate(path_);
    if (exists) {
        // Writable as the system decides for this process; and a file that
        // nobody may write is protected, even from the superuser.
        if (!S_ISREG(existing.st_mode) || ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0 ||
            (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            cannotCreate(path_);
    }

    const std::string folder = folderOf(target_);
    for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
        temporary_ = (folder == "/" ? "" : folder) + "/" + temporaryName();
        // O_EXCL: an existing name is never overwritten.
        descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST)
            break;
    }
    if (descriptor_ < 0) {
        temporary_.clear();
        cannotCreate(path_);
    }
    if (exists) {
        const bool ownerKept = ::fchown(descriptor_, existing.st_uid, existing.st_gid) == 0;
        if (!ownerKept) {
            // At least the group when the user belongs to it; otherwise the
            // file keeps the user's group.
            [[maybe_unused]] const int groupKept = ::fchown(descriptor_, static_cast<uid_t>(-1), existing.st_gid);
        }
        const mode_t bits = ownerKept ? (existing.st_mode & 07777) : (existing.st_mode & 0777);
        if (::fchmod(descriptor_, bits) != 0)
            fail();
    }
}

PendingFile::~PendingFile()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

void PendingFile::fail()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
    descriptor_ = -1;
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
    cannotCreate(path_);
}

void PendingFile::write(std::string_view bytes)
{
    if (descriptor_ < 0)
        cannotCreate(path_);
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void PendingFile::commit()
{
    if (descriptor_ < 0 || committed_)
        cannotCreate(path_);
    if (::fsync(descriptor_) != 0)
        fail();
    const int fd = std::exchange(descriptor_, -1);
    if (::close(fd) != 0)
        fail();
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        fail();
    committed_ = true;
    // The rename itself lasts only once the folder is on the disk. A folder
    // that cannot be flushed (some file systems refuse) changes nothing:
    // the file is in place.
    const int folder = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
}

void saveFileAtomically(const std::string& path, std::string_view bytes)
{
    PendingFile file(path);
    file.write(bytes);
    file.commit();
}

}  // namespace orbiton
