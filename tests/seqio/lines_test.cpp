// The line reader, the identifier search and identifier cleaning.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "seqio/seqio.h"
#include "support/capture.h"

namespace {

// What a run of reads returns: each result and the text stored with it.
struct Read {
    int result;
    std::string text; // compared only when result > 0
};

std::vector<Read> read_lines(const std::string &input, int capacity, int calls)
{
    FILE *in = stream_of(input);
    std::vector<Read> reads;
    std::vector<char> buffer(capacity > 0 ? capacity : 1, 'x');
    for (int i = 0; i < calls; ++i) {
        int result = getline(in, buffer.data(), capacity);
        reads.push_back({result, result > 0 ? std::string(buffer.data(), result - 1) : ""});
    }
    fclose(in);
    return reads;
}

TEST(Getline, ReadsLinesPiecesAndEnd)
{
    struct Row {
        std::string input;
        int capacity;
        std::vector<Read> expected;
    };
    const std::vector<Row> rows = {
        {"abc\ndef\n", 10, {{4, "abc"}, {4, "def"}, {0, ""}}},
        {"\n\n", 10, {{1, ""}, {1, ""}, {0, ""}}},
        // A full buffer leaves the rest of the line, line feed included.
        {"abcdefg\n", 4, {{4, "abc"}, {4, "def"}, {2, "g"}, {0, ""}}},
        {"abc\nx\n", 4, {{4, "abc"}, {1, ""}, {2, "x"}}},
        // A last line without a line feed is not returned.
        {"abc\nlast", 10, {{4, "abc"}, {0, ""}}},
        {"", 10, {{0, ""}}},
        // CR, tabs, NUL and high bytes are stored as read.
        {std::string("a\r\tb\0\xff\n", 7), 10, {{7, std::string("a\r\tb\0\xff", 6)}}},
        {"abc\n", 1, {{1, ""}, {1, ""}}},
        {"abc\n", 0, {{0, ""}}},
        {"abc\n", -5, {{0, ""}}},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        std::vector<Read> reads = read_lines(row.input, row.capacity, static_cast<int>(row.expected.size()));
        for (size_t k = 0; k < reads.size(); ++k) {
            EXPECT_EQ(row.expected[k].result, reads[k].result) << "row " << i << " read " << k;
            EXPECT_EQ(row.expected[k].text, reads[k].text) << "row " << i << " read " << k;
        }
    }
}

TEST(Getline, CapacityOneStoresEmptyStringWithoutReading)
{
    FILE *in = stream_of("z\n");
    char buffer[1] = {'x'};
    EXPECT_EQ(1, getline(in, buffer, 1));
    EXPECT_EQ('\0', buffer[0]);
    EXPECT_EQ('z', getc(in));
    fclose(in);
}

TEST(Idclean, CutsIdentifierOutOfLine)
{
    struct Row {
        const char *line;
        const char *id;
    };
    const Row rows[] = {
        {">P1;CCHU", "CCHU"},
        {">name more words", "name"},
        {">", ""},
        {"> after blank", ""},
        {">name;after", "after"},
        // A ";" after a blank still wins.
        {">a b;c d", "c"},
        {">x;y;z", "y;z"},
        {">tab\there x", "tab\there"},
        {">cr\r", "cr\r"},
        {"no mark", "no"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char buffer[64];
        strcpy(buffer, rows[i].line);
        int length = idclean(buffer, sizeof buffer);
        EXPECT_STREQ(rows[i].id, buffer) << "row " << i;
        EXPECT_EQ(static_cast<int>(strlen(rows[i].id)) + 1, length) << "row " << i;
    }
}

TEST(Getline, LeavesCutOffLastLineInBuffer)
{
    struct Row {
        std::string input;
        int capacity;
        std::string left; // the buffer after the read that returned 0
    };
    const Row rows[] = {
        {"last", 10, "last"},
        {"", 10, ""},
        {std::string("a\0b", 3), 10, "a"},
        // The full pieces are returned first; the cut-off rest is left.
        {"abcdefg", 4, "g"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row &row = rows[i];
        FILE *in = stream_of(row.input);
        std::vector<char> buffer(row.capacity, 'x');
        int result;
        while ((result = getline(in, buffer.data(), row.capacity)) > 0) {
        }
        EXPECT_EQ(0, result) << "row " << i;
        EXPECT_STREQ(row.left.c_str(), buffer.data()) << "row " << i;
        fclose(in);
    }
}

TEST(Idclean, EveryBlankBecomesNul)
{
    char buffer[] = ">ab cd ef";
    idclean(buffer, sizeof buffer);
    EXPECT_EQ(0, memcmp("ab\0cd\0ef", buffer, 9));
}

TEST(Getid, SkipsToIdentifierLine)
{
    struct Row {
        std::string input;
        int capacity;
        int result;
        std::string id;
        std::string rest; // what the stream still holds
    };
    const std::vector<Row> rows = {
        {"junk\n\nmore junk\n>id title\nT\n", 20, 3, "id", "T\n"},
        {"", 20, 0, "", ""},
        {"no identifier\nhere\n", 20, 0, "", ""},
        // An identifier line cut off by the end of input still counts, so
        // that the entry it starts is reported as lost; other cut-off lines
        // do not.
        {">last", 20, 5, "last", ""},
        {"junk\n>P1;cut off", 20, 4, "cut", ""},
        {"junk\nno mark", 20, 0, "", ""},
        {"abcd>ef", 5, 3, "ef", ""},
        // Skipped lines are read in pieces: a ">" at the start of a piece
        // counts, here at position 4 with a capacity of 5.
        {"abcd>efgh\nT\n", 5, 4, "efg", "h\nT\n"},
        // An identifier line of exactly capacity - 1 characters leaves its
        // line feed behind.
        {">abcdefghijklmnopqr\nT\n", 20, 19, "abcdefghijklmnopqr", "\nT\n"},
        {">id\n", 1, 0, "", ">id\n"},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        FILE *in = stream_of(row.input);
        std::vector<char> buffer(row.capacity + 1, 'x');
        int result = getid(in, buffer.data(), row.capacity);
        EXPECT_EQ(row.result, result) << "row " << i;
        if (result > 0) {
            EXPECT_STREQ(row.id.c_str(), buffer.data()) << "row " << i;
        }
        std::string rest;
        for (int c; (c = getc(in)) != EOF;)
            rest += static_cast<char>(c);
        EXPECT_EQ(row.rest, rest) << "row " << i;
        fclose(in);
    }
}

} // namespace
