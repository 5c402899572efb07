#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "qvutil/qvutil.h"
#include "support/block_size.h"
#include "support/huge_text.h"

using testing::ExitedWithCode;
using testing::StrEq;

namespace {

TEST(CaseConversion, CopiesAndInPlace)
{
    struct Row {
        const char *text;
        const char *upper;
        const char *lower;
    };
    // The bytes next to the letter ranges (@ [ ` {) and bytes above 127 stay.
    const Row rows[] = {
        {"", "", ""},
        {"Hello, World 42!", "HELLO, WORLD 42!", "hello, world 42!"},
        {"@AZ[`az{", "@AZ[`AZ{", "@az[`az{"},
        {"\xe4\xc4\xff\x80q", "\xe4\xc4\xff\x80Q", "\xe4\xc4\xff\x80q"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const std::string original = rows[i].text;
        char *upper = QVstoupper(rows[i].text);
        char *lower = QVstolower(rows[i].text);
        EXPECT_TRUE(is_exact_string(rows[i].upper, upper)) << "row " << i;
        EXPECT_TRUE(is_exact_string(rows[i].lower, lower)) << "row " << i;
        EXPECT_NE(rows[i].text, upper) << "row " << i;
        EXPECT_EQ(original, rows[i].text) << "row " << i;
        QVfree(upper);
        QVfree(lower);

        // In place on a buffer that is not from the allocator.
        char buffer[32];
        strcpy(buffer, rows[i].text);
        EXPECT_EQ(buffer, QVstoup(buffer)) << "row " << i;
        EXPECT_STREQ(rows[i].upper, buffer) << "row " << i;
        EXPECT_EQ(buffer, QVstolo(buffer)) << "row " << i;
        EXPECT_STREQ(rows[i].lower, buffer) << "row " << i;
    }
}

TEST(QVremovechar, SameBlockWhenNothingIsRemoved)
{
    struct Row {
        const char *text;
        int c;
    };
    const Row rows[] = {{"abc", 'x'}, {"", 'a'}, {"abc", '\0'}, {"abc", 256}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        char *block = QVstrdup(rows[i].text);
        char *result = QVremovechar(block, rows[i].c);
        EXPECT_EQ(block, result) << "row " << i;
        EXPECT_TRUE(is_exact_string(rows[i].text, result)) << "row " << i;
        QVfree(result);
    }
}

TEST(QVremovechar, NewExactBlockAndOldOneReleased)
{
    struct Row {
        const char *text;
        int c;
        const char *expected;
    };
    const Row rows[] = {
        {"aXbXXc", 'X', "abc"},
        {"XXX", 'X', ""},
        {"Xab", 'X', "ab"},
        {"abX", 'X', "ab"},
        {"a\xff" "b", -1, "ab"},        // -1 reduces to the byte 0xff
        {"banana", 'a' + 256, "bnn"},   // only the low byte counts
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char *block = QVstrdup(rows[i].text);
        char *result = QVremovechar(block, rows[i].c);
        EXPECT_NE(block, result) << "row " << i;
        EXPECT_TRUE(is_exact_string(rows[i].expected, result)) << "row " << i;
        // Only the result is released here: the leak checker reports the old
        // block if the routine kept it.
        QVfree(result);
    }
}

TEST(QVremovechar2, RemovesInPlaceAndKeepsTheTail)
{
    struct Row {
        const char *text;
        int c;
        std::string bytes;   // the whole buffer afterwards, text + 1 bytes
    };
    const Row rows[] = {
        {"a-b-c", '-', std::string("abc\0c\0", 6)},
        {"---", '-', std::string("\0--\0", 4)},
        {"abc", 'x', std::string("abc\0", 4)},
        {"", 'x', std::string("\0", 1)},
        {"a\xff" "b", -1, std::string("ab\0\0", 4)},
        {"abc", '\0', std::string("abc\0", 4)},   // NUL is never removed
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char buffer[16];
        const size_t size = strlen(rows[i].text) + 1;
        memcpy(buffer, rows[i].text, size);
        EXPECT_EQ(buffer, QVremovechar2(buffer, rows[i].c)) << "row " << i;
        EXPECT_EQ(rows[i].bytes, std::string(buffer, size)) << "row " << i;
    }
}

TEST(QVsubchar, ReplacesEveryMatchInPlace)
{
    struct Row {
        const char *text;
        int replacement;
        int replaced;
        std::string bytes;   // the whole buffer afterwards, text + 1 bytes
    };
    const Row rows[] = {
        {"AB CD EF", '\0', ' ', std::string("AB\0CD\0EF\0", 9)},
        {"a.b.c", '-', '.', std::string("a-b-c\0", 6)},
        {"abc", 'x', '\0', std::string("abc\0", 4)},   // NUL matches nothing
        {"abc", 'x', 'q', std::string("abc\0", 4)},
        {"aba", 'z' + 256, 'a' + 512, std::string("zbz\0", 4)},
        {"a\xff", 'b', -1, std::string("ab\0", 3)},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char buffer[16];
        const size_t size = strlen(rows[i].text) + 1;
        memcpy(buffer, rows[i].text, size);
        EXPECT_EQ(buffer, QVsubchar(buffer, rows[i].replacement, rows[i].replaced)) << "row " << i;
        EXPECT_EQ(rows[i].bytes, std::string(buffer, size)) << "row " << i;
    }
}

TEST(QVstrappend, DropsBlockNewlinesAndFitsExactly)
{
    struct Row {
        const char *block;
        const char *text;
        const char *expected;
    };
    const Row rows[] = {
        {"a\nb\n", "c\n", "abc\n"},
        {"", "", ""},
        {"\n\n", "", ""},
        {"abc", "", "abc"},
        {"", "x\ny\n", "x\ny\n"},
        {"first line\n", " and more", "first line and more"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char *block = QVstrdup(rows[i].block);
        char *result = QVstrappend(block, rows[i].text);
        EXPECT_TRUE(is_exact_string(rows[i].expected, result)) << "row " << i;
        QVfree(result);
    }
}

TEST(QVcat, JoinsIntoExactBlock)
{
    const char *ab = "ab";
    char *three = QVcat(3, ab, "", "c");
    EXPECT_TRUE(is_exact_string("abc", three));
    EXPECT_STREQ("ab", ab);
    QVfree(three);

    char *one = QVcat(1, ab);
    EXPECT_NE(ab, one);
    EXPECT_TRUE(is_exact_string("ab", one));
    QVfree(one);

    char *many = QVcat(5, "x", "yy", "", "zzz", " w");
    EXPECT_TRUE(is_exact_string("xyyzzz w", many));
    QVfree(many);
}

TEST(QVcat, NoStringsGiveNewEmptyString)
{
    for (int count : {0, -1, -100}) {
        char *empty = QVcat(count);
        EXPECT_TRUE(is_exact_string("", empty)) << "count " << count;
        QVfree(empty);
    }
}

// Seventeen huge texts wrap an int total to a small size, which must not
// become a small block.
void join_seventeen_huge_texts()
{
    char *t = make_huge_text();
    QVcat(17, t, t, t, t, t, t, t, t, t, t, t, t, t, t, t, t, t);
}

TEST(QVcat, TooLongForAnIntSizeIsFatal)
{
    EXPECT_EXIT(join_seventeen_huge_texts(), ExitedWithCode(1),
                StrEq(std::string("malloc error: ") + strerror(ENOMEM) + "\n"));
}

TEST(QVstrlocate, LeftmostOccurrenceOrNull)
{
    struct Row {
        const char *text;
        const char *pattern;
        int index;   // -1 for null
    };
    const Row rows[] = {
        {"abcabc", "ca", 2},  {"abcabc", "abc", 0}, {"abcabc", "bc", 1}, {"abc", "c", 2},
        {"aaaa", "aa", 0},    {"abc", "abc", 0},    {"", "a", -1},       {"abc", "", -1},
        {"", "", -1},         {"ab", "abc", -1},    {"abc", "x", -1},    {"abab", "abb", -1},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char text[16];
        strcpy(text, rows[i].text);
        char *found = QVstrlocate(text, rows[i].pattern);
        if (rows[i].index < 0)
            EXPECT_EQ(nullptr, found) << "row " << i;
        else
            EXPECT_EQ(text + rows[i].index, found) << "row " << i;
        EXPECT_STREQ(rows[i].text, text) << "row " << i;
    }
}

TEST(QVstrtok, TokensThenNullAndBufferCut)
{
    char text[] = ",,one, two,,";
    EXPECT_STREQ("one", QVstrtok(text, " ,"));
    EXPECT_STREQ("two", QVstrtok(nullptr, " ,"));
    EXPECT_EQ(nullptr, QVstrtok(nullptr, " ,"));
    EXPECT_EQ(nullptr, QVstrtok(nullptr, " ,"));
    // Each token is ended where the first delimiter after it stood.
    EXPECT_EQ(std::string(",,one\0 two\0,", 13), std::string(text, sizeof text));
}

TEST(QVstrtok, TokensAreMaximalRuns)
{
    struct Row {
        const char *text;
        const char *delims;
        std::vector<std::string> tokens;
    };
    const Row rows[] = {
        {" ,, ,", " ,", {}},
        {"", " ", {}},
        {"a b,c", "", {"a b,c"}},
        {"a", " ", {"a"}},
        {"  lead and trail  ", " ", {"lead", "and", "trail"}},
        {"x\xffy", "\xff", {"x", "y"}},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char text[32];
        strcpy(text, rows[i].text);
        std::vector<std::string> tokens;
        for (char *token = QVstrtok(text, rows[i].delims); token != nullptr;
             token = QVstrtok(nullptr, rows[i].delims))
            tokens.push_back(token);
        EXPECT_EQ(rows[i].tokens, tokens) << "row " << i;
    }
}

TEST(QVstrtok, SkipAfterTokenUsesThatCallsSet)
{
    // The run after "a" is skipped with the first set, so the next call, with
    // another set, starts on "b".
    char text[] = "a,,;b;c";
    EXPECT_STREQ("a", QVstrtok(text, ",;"));
    EXPECT_STREQ("b;c", QVstrtok(nullptr, ","));
    EXPECT_EQ(nullptr, QVstrtok(nullptr, ","));
}

TEST(QVstrtok, NewStringAbandonsTheOldOne)
{
    char first[] = "a b c";
    char second[] = "x y";
    EXPECT_STREQ("a", QVstrtok(first, " "));
    EXPECT_STREQ("x", QVstrtok(second, " "));
    EXPECT_STREQ("y", QVstrtok(nullptr, " "));
    EXPECT_EQ(nullptr, QVstrtok(nullptr, " "));
}

TEST(QVstrtok, FirstCallWithNullGivesNull)
{
    // Run in a fresh process, where no string has been tokenized yet.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exit(QVstrtok(nullptr, " ") == nullptr ? 0 : 2), ExitedWithCode(0), StrEq(""));
}

TEST(QVstrblank, FillsUpToLength)
{
    struct Row {
        int length;
        std::string bytes;   // the first six bytes afterwards
    };
    const Row rows[] = {
        {1, std::string("\0xxxxx", 6)},
        {4, std::string("   \0xx", 6)},
        {6, std::string("     \0", 6)},
        {0, "xxxxxx"},    // untouched
        {-3, "xxxxxx"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char buffer[6];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(buffer, QVstrblank(buffer, rows[i].length)) << "row " << i;
        EXPECT_EQ(rows[i].bytes, std::string(buffer, sizeof buffer)) << "row " << i;
    }
}

TEST(QVfnonnull, StepsPastTheTerminator)
{
    for (const char *text : {"", "a", "abc def"}) {
        // A block of exactly the string: the sanitizer flags any read past it.
        char *block = QVstrdup(text);
        EXPECT_EQ(block + strlen(text) + 1, QVfnonnull(block)) << '"' << text << '"';
        QVfree(block);
    }
}

} // namespace
