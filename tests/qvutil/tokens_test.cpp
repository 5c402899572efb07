#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "qvutil/qvutil.h"
#include "support/block_size.h"
#include "support/capture.h"
#include "support/huge_text.h"

using testing::ExitedWithCode;
using testing::StrEq;

namespace {

TEST(QVGetToken, ReadsTokensUpToTheEnd)
{
    struct Row {
        std::string input;
        const char *delims;
        std::vector<std::string> tokens;   // then null
    };
    const Row rows[] = {
        {"  abc def\n", " \n", {"abc", "def"}},
        {"abc xyz", " ", {"abc"}},   // xyz is cut off by the end
        {"xyz", " ", {}},
        {"", " ", {}},
        {" \n \n", " \n", {}},
        {std::string("ab\0cd\0", 6), "", {"ab", "cd"}},   // NUL always delimits
        {std::string("\0ab\0\0cd ", 8), " ", {"ab", "cd"}},
        {"a,b;c,", ",;", {"a", "b", "c"}},
        {"\xff" "a\xff", "\xff", {"a"}},
        {std::string(10000, 'q') + "\n", "\n", {std::string(10000, 'q')}},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        FILE *in = stream_of(rows[i].input);
        for (const std::string &expected : rows[i].tokens) {
            char *token = QVGetToken(in, rows[i].delims);
            EXPECT_TRUE(is_exact_string(expected, token)) << "row " << i;
            if (token != nullptr)
                QVfree(token);
        }
        EXPECT_EQ(nullptr, QVGetToken(in, rows[i].delims)) << "row " << i;
        EXPECT_EQ(nullptr, QVGetToken(in, rows[i].delims)) << "row " << i;
        fclose(in);
    }
}

TEST(QVGetToken, ConsumesTheEndingDelimiterOnly)
{
    FILE *in = stream_of("abc,,rest");
    char *token = QVGetToken(in, ",");
    EXPECT_STREQ("abc", token);
    QVfree(token);
    EXPECT_EQ(',', fgetc(in));
    EXPECT_EQ('r', fgetc(in));
    fclose(in);
}

TEST(QVgettokens, ListOfExactCopies)
{
    struct Row {
        const char *text;
        const char *delims;
        std::vector<std::string> tokens;
        const char *after;   // the split string, read from its start
    };
    const Row rows[] = {
        {"a,,b c", ", ", {"a", "b", "c"}, "a"},
        {"  one", " ", {"one"}, "  one"},
        {"a b", "", {"a b"}, "a b"},
        {",x,", ",", {"x"}, ",x"},
        {"p\tq\nr s", "\t\n", {"p", "q", "r s"}, "p"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char text[32];
        strcpy(text, rows[i].text);
        toklist *list = QVgettokens(rows[i].delims, text);
        ASSERT_NE(nullptr, list) << "row " << i;
        ASSERT_EQ(static_cast<int>(rows[i].tokens.size()), list->nwords) << "row " << i;
        EXPECT_TRUE(holds_bytes(list->words, rows[i].tokens.size() * sizeof(char *))) << "row " << i;
        for (int w = 0; w < list->nwords; ++w) {
            EXPECT_TRUE(is_exact_string(rows[i].tokens[w], list->words[w])) << "row " << i << " word " << w;
            // Copies, not pointers into the split string.
            EXPECT_FALSE(list->words[w] >= text && list->words[w] < text + sizeof text) << "row " << i;
        }
        // Split in place: the string now ends with its first token.
        EXPECT_STREQ(rows[i].after, text) << "row " << i;
        QVfreetokens(list);
    }
}

TEST(QVgettokens, ManyTokensKeepTheirOrder)
{
    std::string text;
    std::vector<std::string> expected;
    for (int i = 0; i < 1000; ++i) {
        expected.push_back(std::string("t").append(std::to_string(i)));
        text += expected.back() + " ";
    }
    toklist *list = QVgettokens(" ", text.data());
    ASSERT_NE(nullptr, list);
    ASSERT_EQ(1000, list->nwords);
    EXPECT_TRUE(holds_bytes(list->words, 1000 * sizeof(char *)));
    for (int w = 0; w < list->nwords; ++w)
        EXPECT_STREQ(expected[w].c_str(), list->words[w]) << "word " << w;
    QVfreetokens(list);
}

TEST(QVgettokens, NoTokenGivesNull)
{
    const char *texts[] = {"", ",", ", ,, "};
    for (const char *text : texts) {
        char buffer[8];
        strcpy(buffer, text);
        EXPECT_EQ(nullptr, QVgettokens(", ", buffer)) << '"' << text << '"';
    }
    // A null string is not taken as "go on with strtok's last string".
    char other[] = "left over";
    strtok(other, " ");
    EXPECT_EQ(nullptr, QVgettokens(" ", nullptr));
}

TEST(QVfreetokens, NullListDoesNothing)
{
    std::string written = capture_std_err([] { QVfreetokens(nullptr); });
    EXPECT_EQ("", written);
}

toklist *list_of(const char *text)
{
    static char buffer[64];
    strcpy(buffer, text);
    return QVgettokens(" ", buffer);
}

TEST(QVtoktostr, RangeFallsBackToTheWholeList)
{
    struct Row {
        int first;
        int last;
        const char *expected;
    };
    const Row rows[] = {
        {-1, -1, "a-b-c"}, {1, 1, "b"},   {0, 99, "a-b-c"}, {7, 1, "a-b"},
        {2, 2, "c"},       {0, 2, "a-b-c"}, {3, 3, "a-b-c"}, {-5, 1, "a-b"},
        {1, -1, "b-c"},    {1, 3, "b-c"},
        {2, 0, ""},        {2, 1, ""},    // still empty after the fall-back
    };
    toklist *list = list_of("a b c");
    ASSERT_NE(nullptr, list);
    for (size_t i = 0; i < std::size(rows); ++i) {
        char *joined = QVtoktostr(list, '-', rows[i].first, rows[i].last);
        EXPECT_TRUE(is_exact_string(rows[i].expected, joined)) << "row " << i;
        QVfree(joined);
    }
    // The list is left as it was.
    ASSERT_EQ(3, list->nwords);
    EXPECT_STREQ("c", list->words[2]);
    QVfreetokens(list);
}

TEST(QVtoktostr, LongerTokensAndSeparators)
{
    toklist *list = list_of("ab cde f");
    ASSERT_NE(nullptr, list);
    struct Row {
        int sep;
        int first;
        int last;
        const char *expected;
    };
    const Row rows[] = {
        {' ', 0, 2, "ab cde f"},
        {',' + 256, 0, 1, "ab,cde"},   // only the low byte counts
        {'\xff', 1, 2, "cde\xff" "f"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        char *joined = QVtoktostr(list, rows[i].sep, rows[i].first, rows[i].last);
        EXPECT_TRUE(is_exact_string(rows[i].expected, joined)) << "row " << i;
        QVfree(joined);
    }
    QVfreetokens(list);
}

TEST(QVtoktostr, OneTokenGivesItsCopyWhateverTheIndices)
{
    toklist *list = list_of("only");
    ASSERT_NE(nullptr, list);
    const int indices[][2] = {{0, 0}, {-1, -1}, {5, 9}, {0, -3}, {4, 0}};
    for (const auto &range : indices) {
        char *joined = QVtoktostr(list, '-', range[0], range[1]);
        EXPECT_NE(list->words[0], joined);
        EXPECT_TRUE(is_exact_string("only", joined)) << range[0] << ".." << range[1];
        QVfree(joined);
    }
    QVfreetokens(list);
}

TEST(QVtoktostr, NullOrEmptyListGivesNewEmptyString)
{
    toklist empty = {0, nullptr};
    char *joined = QVtoktostr(&empty, '-', 0, 0);
    EXPECT_TRUE(is_exact_string("", joined));
    QVfree(joined);
    joined = QVtoktostr(nullptr, '-', -1, -1);
    EXPECT_TRUE(is_exact_string("", joined));
    QVfree(joined);
}

// Seventeen slots of one huge token wrap an int total to a small size,
// which must not become a small block.
void join_seventeen_huge_tokens()
{
    char *token = make_huge_text();
    char *slots[17];
    for (char *&slot : slots)
        slot = token;
    toklist list = {17, slots};
    QVtoktostr(&list, ' ', 0, 16);
}

TEST(QVtoktostr, TooLongForAnIntSizeIsFatal)
{
    EXPECT_EXIT(join_seventeen_huge_tokens(), ExitedWithCode(1),
                StrEq(std::string("malloc error: ") + strerror(ENOMEM) + "\n"));
}

} // namespace
