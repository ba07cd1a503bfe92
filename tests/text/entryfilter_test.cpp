// The entry filter of the numeric input fields: one offending character
// removed per call.
#include <gtest/gtest.h>

#include <string>

#include "model/numbertext.h"

using orbiton::numericEntryFilter;

namespace {

// Runs the filter until nothing more is removed, as the change handler
// does when it puts the shorter text back; counts the removals.
std::string filterUntilClean(std::string text, bool comma, bool minus, int* removals = nullptr)
{
    int count = 0;
    for (;;) {
        auto r = numericEntryFilter(text, comma, minus);
        if (!r.removed)
            break;
        EXPECT_EQ(r.text.size() < text.size(), true);
        text = r.text;
        ++count;
    }
    if (removals)
        *removals = count;
    return text;
}

}  // namespace

TEST(EntryFilter, CleanTextsAreKept)
{
    for (const char* t : {"", "0", "123", "1,5", "-1,5", "-", ",", "-,", "0,00", "007"}) {
        const auto r = numericEntryFilter(t, true, true);
        EXPECT_FALSE(r.removed) << t;
        EXPECT_EQ(r.text, t);
    }
}

TEST(EntryFilter, RemovesExactlyTheFirstOffendingCharacter)
{
    auto r = numericEntryFilter("1.5", true, false);
    EXPECT_TRUE(r.removed);
    EXPECT_EQ(r.text, "15");

    r = numericEntryFilter("1-2,3,4", true, true);
    EXPECT_TRUE(r.removed);
    EXPECT_EQ(r.text, "12,3,4");
    r = numericEntryFilter(r.text, true, true);
    EXPECT_TRUE(r.removed);
    EXPECT_EQ(r.text, "12,34");
    r = numericEntryFilter(r.text, true, true);
    EXPECT_FALSE(r.removed);

    r = numericEntryFilter("a.b", true, true);
    EXPECT_EQ(r.text, ".b");
    EXPECT_TRUE(r.removed);
}

TEST(EntryFilter, MinusOnlyFirstAndOnlyWhereAllowed)
{
    EXPECT_EQ(numericEntryFilter("-5", true, true).text, "-5");
    EXPECT_FALSE(numericEntryFilter("-5", true, true).removed);
    EXPECT_EQ(numericEntryFilter("-5", true, false).text, "5");
    EXPECT_EQ(numericEntryFilter("--5", true, true).text, "-5");
    EXPECT_EQ(numericEntryFilter("5-", true, true).text, "5");
    EXPECT_EQ(filterUntilClean("-1-2-3", false, true), "-123");
}

TEST(EntryFilter, CommaOnceAndOnlyWhereAllowed)
{
    EXPECT_EQ(numericEntryFilter("1,5", false, false).text, "15");
    EXPECT_EQ(numericEntryFilter(",,", true, false).text, ",");
    int removals = 0;
    EXPECT_EQ(filterUntilClean("1,2,3,4", true, false, &removals), "1,234");
    EXPECT_EQ(removals, 2);
    EXPECT_EQ(filterUntilClean("1,2,3", false, false), "123");
}

TEST(EntryFilter, OtherCharactersAreRemoved)
{
    EXPECT_EQ(filterUntilClean("+1 000.5e3", true, true), "100053");
    EXPECT_EQ(filterUntilClean("1,0014E4", true, true), "1,00144");
    int removals = 0;
    EXPECT_EQ(filterUntilClean("abc", true, true, &removals), "");
    EXPECT_EQ(removals, 3);
    // clang-format off
    EXPECT_EQ(filterUntilClean(std::string("1\0" "2", 3), true, true), "12");
    // clang-format on
}

TEST(EntryFilter, MultiByteCharactersCountAsOne)
{
    // "ä" (2 bytes), "€" (3 bytes) and an emoji (4 bytes) each go in one call.
    // clang-format off
    auto r = numericEntryFilter("1\xC3\xA4" "2", true, true);
    // clang-format on
    EXPECT_TRUE(r.removed);
    EXPECT_EQ(r.text, "12");
    // clang-format off
    r = numericEntryFilter("\xE2\x82\xAC" "5", true, true);
    // clang-format on
    EXPECT_EQ(r.text, "5");
    r = numericEntryFilter("7\xF0\x9F\x98\x80", true, true);
    EXPECT_EQ(r.text, "7");
    int removals = 0;
    // clang-format off
    EXPECT_EQ(filterUntilClean("\xC3\xA4\xC3\xB6\xC3\xBC" "1", true, true, &removals), "1");
    // clang-format on
    EXPECT_EQ(removals, 3);
    // A minus after a multi-byte character is not the first character, but
    // it becomes the first once that character has gone.
    EXPECT_EQ(numericEntryFilter("\xC2\xB2-3", true, false).text, "-3");
    EXPECT_EQ(filterUntilClean("\xC2\xB2-3", true, true), "-3");
    EXPECT_EQ(filterUntilClean("\xC2\xB2-3", true, false), "3");
}

TEST(EntryFilter, InvalidUtf8BytesAreSingleCharacters)
{
    int removals = 0;
    // A stray continuation byte, a lone lead byte and a truncated sequence.
    // clang-format off
    EXPECT_EQ(filterUntilClean("\x80" "1\xC3" "2\xE2\x82", true, true, &removals), "12");
    // clang-format on
    EXPECT_EQ(removals, 4);
}
