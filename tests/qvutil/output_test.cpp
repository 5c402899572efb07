#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "qvutil/qvutil.h"
#include "support/capture.h"

namespace {

// What body wrote to a fresh stream.
template <class Body> std::string written_by(Body body)
{
    FILE *out = tmpfile();
    body(out);
    std::string text = contents_of(out);
    fclose(out);
    return text;
}

TEST(QVpline, WritesRunOfOneByteThenNewline)
{
    struct Row {
        int c;
        int count;
        std::string expected;
    };
    const Row rows[] = {
        {'-', 5, "-----\n"},
        {'=', 1, "=\n"},
        {'x', 0, "\n"},
        {'x', -3, "\n"},
        {0xe9, 3, "\xe9\xe9\xe9\n"},
        {-23, 2, "\xe9\xe9\n"},  // a signed char's value: its byte is written
        {0x141, 2, "AA\n"},       // only the low byte counts
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].expected, written_by([&](FILE *out) { QVpline(out, rows[i].c, rows[i].count); }))
            << "row " << i;
}

TEST(QVpstring, FillsOrCutsToExactWidth)
{
    struct Row {
        const char *text;
        int width;
        std::string expected;
    };
    const Row rows[] = {
        {"abc", 5, "abc  "},
        {"abcdef", 3, "abc"},
        {"abc", 3, "abc"},
        {"", 2, "  "},
        {"abc", 0, ""},
        {"abc", -4, ""},
        {"", 0, ""},
        {"", -1, ""},
        {"\xe9t\xff", 4, "\xe9t\xff "},
        {"\xe9\xff", 1, "\xe9"},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].expected, written_by([&](FILE *out) { QVpstring(out, rows[i].text, rows[i].width); }))
            << "row " << i;
}

TEST(QVpstring, FieldsFollowEachOtherWithoutSeparator)
{
    std::string text = written_by([](FILE *out) {
        QVpstring(out, "id", 4);
        QVpstring(out, "longname", 4);
        QVpline(out, '-', 2);
    });
    EXPECT_EQ("id  long--\n", text);
}

} // namespace
