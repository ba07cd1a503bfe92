#include "files/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#include "model/errors.h"

namespace orbiton {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void cannotOpen(const std::string& name)
{
    throw FileError(formatMessage(messages::cannotOpen, name));
}

[[noreturn]] void cannotCreate(const std::string& path)
{
    throw FileError(formatMessage(messages::cannotCreate, path));
}

[[noreturn]] void notLatin1(std::string_view text)
{
    throw FileError(formatMessage(
        "Der Text '%s' enthält Zeichen, die sich nicht in einer Datei speichern lassen",
        excerpt(text)));
}

[[noreturn]] void lineTooLong(std::size_t line)
{
    FileError error(formatMessage(messages::lineTooLong, std::to_string(line)));
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
std::string readLimited(const std::string& path, std::size_t maxLines, bool capLines,
                        const std::string& nameInMessages)
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

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string temporaryName(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    static std::mt19937_64 random{std::random_device{}() ^
                                  static_cast<std::uint64_t>(
                                      std::chrono::steady_clock::now().time_since_epoch().count())};
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".%08x%04x.tmp", static_cast<unsigned>(random()),
                  counter.fetch_add(1) & 0xFFFFu);
    std::string name = ".";
    name += target.filename().string();
    name += suffix;
    return name;
}

bool hasNoWritePermission(const fs::file_status& status)
{
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & write) == fs::perms::none;
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

std::string readLeadingLines(const std::string& path, std::size_t maxLines,
                             const std::string& nameInMessages)
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

void saveFileAtomically(const std::string& path, std::string_view bytes)
{
    if (path.empty())
        cannotCreate(path);
    std::error_code ec;
    fs::path target(path);
    // A link is followed, so that the file it names is replaced and the link stays.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec)
            cannotCreate(path);
        target = resolved;
    }
    const fs::file_status status = fs::status(target, ec);
    const bool exists = fs::exists(status);
    if (exists && (!fs::is_regular_file(status) || hasNoWritePermission(status)))
        cannotCreate(path);

    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    if (!fs::is_directory(folder, ec))
        cannotCreate(path);

    fs::path temporary;
    FilePtr file;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temporary = folder / temporaryName(target);
        // "x": fails when the name exists, so no other file is ever overwritten.
        file.reset(std::fopen(temporary.c_str(), "wbx"));
    }
    if (!file)
        cannotCreate(path);

    auto discard = [&]() {
        file.reset();
        std::error_code ignored;
        fs::remove(temporary, ignored);
        cannotCreate(path);
    };

    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        discard();
    if (std::fflush(file.get()) != 0 || std::ferror(file.get()))
        discard();
    if (std::fclose(file.release()) != 0) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        cannotCreate(path);
    }
    if (exists) {
        // The new file keeps the permissions of the one it replaces.
        fs::permissions(temporary, status.permissions(), fs::perm_options::replace, ec);
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        cannotCreate(path);
    }
}

}  // namespace orbiton
