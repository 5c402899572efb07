#include <gtest/gtest.h>

#include <cstring>

#include "filter/filter.h"

namespace {

TEST(Trimtrail, RemovesTrailingBlanksFromPositionOneOn)
{
    struct Row {
        const char *text;
        const char *trimmed;
    };
    const Row rows[] = {
        {"abc  ", "abc"},
        {"abc", "abc"},
        {"a b ", "a b"},
        {"", ""},
        {"x", "x"},
        {" ", " "},
        // Position 0 is never examined: one character and blanks stay.
        {"x   ", "x   "},
        {"    ", "    "},
        {"ab \t", "ab \t"}, // only the space character is a blank
        {"ab\t  ", "ab\t"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char buffer[16];
        strcpy(buffer, rows[i].text);
        EXPECT_EQ(buffer, trimtrail(buffer)) << "row " << i;
        EXPECT_STREQ(rows[i].trimmed, buffer) << "row " << i;
    }
}

} // namespace
