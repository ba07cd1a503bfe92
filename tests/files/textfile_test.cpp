// Text encoding, line splitting and reading of files.
#include <gtest/gtest.h>

#include <string>

#include "files/textfile.h"
#include "model/errors.h"
#include "testfolder.h"

using namespace orbiton;
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
    EXPECT_EQ(utf8ToLatin1("Verschleißkorrektur ²³äöüÄÖÜ"),
              "Verschlei\xDFkorrektur \xB2\xB3\xE4\xF6\xFC\xC4\xD6\xDC");
}

TEST(Encoding, CharactersOutsideLatin1AreRefused)
{
    for (const std::string text : {"5 €", "Ω", "\xF0\x9F\x98\x80", "\xC3", "a\xFF", "\x80",
                                   "\xC3\x28", "\xE2\x82"}) {
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
    content += std::string(200000, 'x');
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
