// Text encoding, line splitting and reading of files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "files/dataset.h"
#include "files/textfile.h"
#include "model/errors.h"
#include "testfolder.h"

using namespace orbiton;
using testing_support::readBytes;
using testing_support::TestFolder;
using testing_support::writeBytes;

TEST(Encoding, EveryLatin1ByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = latin1ToUtf8(all);
    EXPECT_EQ(utf8.size(), 128u + 2u * 128u);
    EXPECT_EQ(utf8ToLatin1(utf8), all);
    EXPECT_EQ(latin1ToUtf8("H\xF6he"), "Höhe");
    EXPECT_EQ(utf8ToLatin1("Verschleißkorrektur ²³äöüÄÖÜ"), "Verschlei\xDFkorrektur \xB2\xB3\xE4\xF6\xFC\xC4\xD6\xDC");
}

TEST(Encoding, CharactersOutsideLatin1AreRefused)
{
    for (const std::string text : {"5 €", "Ω", "\xF0\x9F\x98\x80", "\xC3", "a\xFF", "\x80", "\xC3\x28", "\xE2\x82"}) {
        try {
            utf8ToLatin1(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find("nicht in einer Datei speichern"), std::string::npos);
        }
    }
}

TEST(Lines, EveryLineEndIsRecognised)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(splitLines("a\r\nb\r\n", 10), (V{"a", "b"}));
    EXPECT_EQ(splitLines("a\nb\n", 10), (V{"a", "b"}));
    EXPECT_EQ(splitLines("a\rb\r", 10), (V{"a", "b"}));
    EXPECT_EQ(splitLines("a\r\nb", 10), (V{"a", "b"}));
    EXPECT_EQ(splitLines("a\n\rb", 10), (V{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\r\r\nb\n\nc", 10), (V{"a", "", "b", "", "c"}));
    EXPECT_EQ(splitLines("\r\n", 10), (V{""}));
    EXPECT_EQ(splitLines("", 10), V{});
    EXPECT_EQ(splitLines("x", 10), (V{"x"}));
    EXPECT_EQ(splitLines(std::string("a\0b\nc", 5), 10), (V{std::string("a\0b", 3), "c"}));
}

TEST(Lines, LinesPastTheNeededCountAreIgnored)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(splitLines("1\r\n2\r\n3\r\n4", 2), (V{"1", "2"}));
    EXPECT_EQ(splitLines("1\n2\n", 0), V{});
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(Reading, MissingFileOrFolderCannotBeOpened)
{
    TestFolder folder;
    const std::string missing = folder.file("fehlt.ads");
    try {
        readWholeFile(missing);
        ADD_FAILURE();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Kann Datei " + missing + " nicht öffnen");
    }
    EXPECT_THROW(readWholeFile(folder.path().string()), FileError);
    EXPECT_THROW(readLeadingLines(folder.path().string(), 51), FileError);
}

TEST(Reading, WholeFileAndLeadingLines)
{
    TestFolder folder;
    const std::string path = folder.file("a.txt");
    std::string content;
    for (int k = 0; k < 60; ++k)
        content += std::to_string(k) + (k % 3 == 0 ? "\r\n" : k % 3 == 1 ? "\n" : "\r");
    content += std::string(1000, 'x');
    writeBytes(path, content);
    EXPECT_EQ(readWholeFile(path), content);
    const std::string head = readLeadingLines(path, 51);
    EXPECT_LT(head.size(), 300u);
    EXPECT_EQ(splitLines(head, 51), splitLines(content, 51));
    EXPECT_EQ(readLeadingLines(path, 1000), content);

    // A CR LF split across the end of the first lines: the LF is not needed.
    writeBytes(path, "a\r\nb\r\n");
    EXPECT_EQ(splitLines(readLeadingLines(path, 1), 5), (std::vector<std::string>{"a"}));
    writeBytes(path, "");
    EXPECT_EQ(readWholeFile(path), "");
}

namespace {

// The message of a read, and the line it names.
std::pair<std::string, std::size_t> readFailure(const std::function<void()>& read)
{
    try {
        read();
    } catch (const FileError& e) {
        return {e.what(), e.line()};
    }
    return {"read", 0};
}

// Opens every FIFO of a list for writing whenever a reader waits on one,
// so that a reader that should not have opened it fails instead of hanging.
class FifoWatch {
public:
    explicit FifoWatch(std::string fifo)
        : fifo_(std::move(fifo)), thread_([this] {
              while (!stop_) {
                  const int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0) {
                      readerSeen_ = true;
                      ::close(fd);
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          })
    {
    }
    ~FifoWatch()
    {
        stop_ = true;
        thread_.join();
    }
    bool readerSeen() const { return readerSeen_; }

private:
    std::string fifo_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> readerSeen_{false};
    std::thread thread_;
};

}  // namespace

// Fault: a FIFO blocked the reader for ever; devices were read like files.
TEST(NonRegularFiles, AreRefusedBeforeTheyAreOpened)
{
    TestFolder folder;
    const std::string fifo = folder.file("fifo.ads");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = folder.file("s.wks");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    const FifoWatch watch(fifo);
    for (const std::string& path : {fifo, socketPath, std::string("/dev/zero"), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        const std::pair<std::string, std::size_t> refused{"Kann Datei " + path + " nicht öffnen", 0};
        EXPECT_EQ(readFailure([&] { readDataSetFile(path); }), refused);
        EXPECT_EQ(readFailure([&] { readMaterialFile(path); }), refused);
        EXPECT_EQ(readFailure([&] { readWholeFile(path); }), refused);
    }
    EXPECT_FALSE(watch.readerSeen());
    ::close(sock);
}

// Fault: huge input was read whole before it was refused (a 1000 MB file
// without line ends took 35 s and 3 GB).
TEST(ReadCaps, NeededLinesAndFilesHaveALimit)
{
    TestFolder folder;
    const std::string path = folder.file("gross.ads");
    const auto make = [&](const std::string& start, off_t size) {
        writeBytes(path, start);
        if (size > 0) {
            ASSERT_EQ(::truncate(path.c_str(), size), 0);  // the rest reads as NUL bytes
        }
    };
    std::string fifty;
    for (int k = 0; k < 50; ++k)
        fifty += "1\r\n";
    const std::string tooLong = "Die Zeile ist länger als 1024 Zeichen";

    make("", off_t{1000} << 20);
    EXPECT_EQ(readFailure([&] { readDataSetFile(path); }),
              std::pair(std::string("Die Zeile ist länger als 1024 Zeichen"), std::size_t{1}));
    EXPECT_EQ(readFailure([&] { readWholeFile(path, "gross.ads"); }),
              std::pair(std::string("Die Datei gross.ads ist größer als 64 KiB"), std::size_t{0}));
    make(fifty, off_t{200} << 20);
    EXPECT_EQ(readFailure([&] { readLeadingLines(path, 51); }), std::pair(tooLong, std::size_t{51}));
    make(fifty + std::string(1025, 'x') + "\r\n", 0);
    EXPECT_EQ(readFailure([&] { readLeadingLines(path, 51); }), std::pair(tooLong, std::size_t{51}));
    EXPECT_EQ(readFailure([&] { parseDataSet(readBytes(path)); }), std::pair(tooLong, std::size_t{51}));

    // At the limits, and beyond the needed lines, nothing is refused.
    make(fifty + std::string(1024, 'x') + "\r\n", off_t{500} << 20);
    EXPECT_EQ(readLeadingLines(path, 51).size(), 50u * 3 + 1025);  // up to the CR
    make(std::string(maxReadBytes, '\n'), 0);
    EXPECT_EQ(readWholeFile(path).size(), maxReadBytes);
    make(std::string(maxReadBytes + 1, '\n'), 0);
    EXPECT_EQ(readFailure([&] { readWholeFile(path); }).first, "Die Datei " + path + " ist größer als 64 KiB");
}
