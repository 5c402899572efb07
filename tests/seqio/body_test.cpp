// The body readers and residue coding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "seqio/seqio.h"
#include "support/capture.h"

using namespace std::string_literals;

namespace {

struct Body {
    int result;
    std::string stored;  // the buffer up to result - 1, when result > 0
    std::string message; // what went to stderr
    std::string rest;    // what the stream still holds
};

Body read_body(int (*reader)(FILE *, char *, int), const std::string &input, int capacity)
{
    FILE *in = stream_of(input);
    std::vector<char> buffer(capacity > 0 ? capacity : 1, 'x');
    testing::internal::CaptureStderr();
    int result = reader(in, buffer.data(), capacity);
    Body body{result, "", testing::internal::GetCapturedStderr(), ""};
    if (result > 0) {
        EXPECT_EQ('\0', buffer[result - 1]);
        body.stored.assign(buffer.data(), result - 1);
    }
    for (int c; (c = getc(in)) != EOF;)
        body.rest += static_cast<char>(c);
    fclose(in);
    return body;
}

struct Row {
    std::string input;
    int capacity;
    Body expected;
};

void check(int (*reader)(FILE *, char *, int), const std::vector<Row> &rows)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        Body got = read_body(reader, rows[i].input, rows[i].capacity);
        const Body &want = rows[i].expected;
        EXPECT_EQ(want.result, got.result) << "row " << i;
        if (want.result > 0) {
            EXPECT_EQ(want.stored, got.stored) << "row " << i;
        }
        EXPECT_EQ(want.message, got.message) << "row " << i;
        EXPECT_EQ(want.rest, got.rest) << "row " << i;
    }
}

TEST(Getseq, KeepsLettersUpToStar)
{
    check(getseq, {
        {"AC DE 12\nfg-h.*rest\n", 100, {9, " ACDEfgh", "", "rest\n"}},
        {"*", 100, {2, " ", "", ""}},
        {"\xc3\xa9" "A\r\nB\0C*"s, 100, {5, " ABC", "", ""}},
        // The input ends before "*": nothing is returned.
        {"ACGT\n", 100, {0, "", "", ""}},
        {"", 100, {0, "", "", ""}},
        // Exactly capacity - 2 letters closed by "*": no message.
        {"ABC*x", 5, {5, " ABC", "", "x"}},
        // The same letters, then a line break and "*": the test on the first
        // character after the buffer filled truncates although nothing is lost.
        {"ABC\n*x", 5, {5, " ABC", "Sequence Truncated to: 5\n", "*x"}},
        {"ABCDEF*\n", 5, {5, " ABC", "Sequence Truncated to: 5\n", "EF*\n"}},
        {"ABC", 5, {5, " ABC", "Sequence Truncated to: 5\n", ""}},
        {"A*", 2, {2, " ", "Sequence Truncated to: 2\n", "*"}},
        {"*", 2, {2, " ", "", ""}},
        // No room for the blank and the NUL: nothing is read.
        {"A*", 1, {0, "", "", "A*"}},
        {"A*", 0, {0, "", "", "A*"}},
    });
}

TEST(Getsec, KeepsEverythingButWhiteSpace)
{
    check(getsec, {
        {"H-E 12\tc.\r\v\f\nx*after", 100, {10, " H-E12c.x", "", "after"}},
        {"\xff\x01" "A*"s, 100, {5, " \xff\x01" "A", "", ""}},
        {"ab", 100, {0, "", "", ""}},
        {"abcdef*", 4, {4, " ab", "Structure Truncated to: 4\n", "def*"}},
        {"ab*", 4, {4, " ab", "", ""}},
    });
}

TEST(Sfind, CodesByPositionInAlphabet)
{
    residuecoding saved = matrix;
    char alphabet[] = "ARNDC ";
    matrix.alphabet = alphabet;
    matrix.asize = 23;
    struct Row {
        int c;
        int code;
    };
    const Row rows[] = {
        {'A', 0}, {'N', 2}, {'C', 4}, {' ', 5},
        {'Z', 21},                        // missing: asize - 2
        {'a', 21},                        // case matters
        {'\0', 6},                        // NUL finds the terminator
        {'A' + 256, 0},                   // only the low byte counts
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].code, sfind(rows[i].c)) << "row " << i;

    matrix.asize = 0;
    EXPECT_EQ(254, sfind('Z')); // wraps to the low 8 bits
    matrix.asize = 1000;
    EXPECT_EQ(998 & 0xff, sfind('Z'));
    matrix = saved;
}

TEST(Sfind, NoAlphabetCodesAsEmptyAlphabet)
{
    residuecoding saved = matrix;
    matrix.alphabet = nullptr;
    matrix.asize = 25;
    EXPECT_EQ(23, sfind('A'));
    EXPECT_EQ(23, sfind(' '));
    EXPECT_EQ(0, sfind('\0'));
    matrix = saved;
}

TEST(Seqtoi, CodesLeadingBlankAndBodyButNotNul)
{
    residuecoding saved = matrix;
    char alphabet[] = "ACGT";
    matrix.alphabet = alphabet;
    matrix.asize = 6;
    char buffer[] = " GATTACA";
    seqtoi(buffer, sizeof buffer);
    const char expected[] = {4, 2, 0, 3, 3, 0, 1, 0, '\0'};
    EXPECT_EQ(0, memcmp(expected, buffer, sizeof buffer));

    char untouched[] = "AC";
    seqtoi(untouched, 1);
    seqtoi(untouched, 0);
    EXPECT_STREQ("AC", untouched);
    matrix = saved;
}

} // namespace
