#include "files/textfile.h"

#include <atomic>
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

[[noreturn]] void cannotOpen(const std::string& path)
{
    throw FileError(formatMessage(messages::cannotOpen, path));
}

[[noreturn]] void cannotCreate(const std::string& path)
{
    throw FileError(formatMessage(messages::cannotCreate, path));
}

[[noreturn]] void notLatin1(std::string_view text)
{
    throw FileError(formatMessage(
        "Der Text '%s' enthält Zeichen, die sich nicht in einer Datei speichern lassen",
        std::string(text)));
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Counts line ends in bytes[from, size) and returns the position just after
// the maxLines-th line end, or npos when there are fewer.
std::size_t endOfLines(std::string_view bytes, std::size_t& seen, std::size_t maxLines,
                       std::size_t from)
{
    for (std::size_t k = from; k < bytes.size(); ++k) {
        const char c = bytes[k];
        if (c == '\n' || c == '\r') {
            // A CR directly followed by LF was counted at the CR.
            if (c == '\n' && k > 0 && bytes[k - 1] == '\r')
                continue;
            if (++seen == maxLines)
                return k + 1;
        }
    }
    return std::string_view::npos;
}

std::string readLimited(const std::string& path, std::size_t maxLines)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        cannotOpen(path);
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        cannotOpen(path);
    std::string content;
    std::size_t linesSeen = 0;
    std::vector<char> chunk(1 << 16);
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (got > 0) {
            const std::size_t scanFrom = content.size();
            if (content.size() + got > maxReadBytes)
                cannotOpen(path);
            content.append(chunk.data(), got);
            if (maxLines > 0) {
                const std::size_t end = endOfLines(content, linesSeen, maxLines, scanFrom);
                if (end != std::string_view::npos) {
                    content.resize(end);
                    return content;
                }
            }
        }
        if (got < chunk.size()) {
            if (std::ferror(file.get()))
                cannotOpen(path);
            if (std::feof(file.get()))
                return content;
        }
    }
}

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

std::string readWholeFile(const std::string& path) { return readLimited(path, 0); }

std::string readLeadingLines(const std::string& path, std::size_t maxLines)
{
    if (maxLines == 0)
        return {};
    return readLimited(path, maxLines);
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
