#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "qvutil/qvutil.h"
#include "support/block_size.h"
#include "support/capture.h"

using testing::ExitedWithCode;
using testing::StrEq;

namespace {

const std::string out_of_memory = std::string("malloc error: ") + strerror(ENOMEM) + "\n";

// Builds, checks and releases a table through either element type.
template <class Element>
void check_table(Element **(*make)(int, int), const char *kind)
{
    struct Row {
        int n, m;
    };
    const Row rows[] = {{1, 1}, {3, 5}, {2, 0}, {7, 300}};
    for (const Row &row : rows) {
        Element **table = nullptr;
        std::string written = capture_std_err([&] { table = make(row.n, row.m); });
        ASSERT_NE(nullptr, table) << kind << " " << row.n << "x" << row.m;
        EXPECT_EQ("", written);
        EXPECT_TRUE(holds_bytes(table, row.n * sizeof(Element *))) << kind << " " << row.n << "x" << row.m;
        for (int i = 0; i < row.n; ++i) {
            EXPECT_TRUE(holds_bytes(table[i], row.m)) << kind << " row " << i;
            for (int j = 0; j < i; ++j)
                EXPECT_NE(table[j], table[i]) << kind << " rows " << j << " and " << i;
            // Every byte of the row can be written.
            memset(table[i], 'r', row.m);
        }
        ucharfree(table, row.n);
    }
}

TEST(Uchararr, GivesNRowsOfMBytes)
{
    check_table<unsigned char>(uchararr, "uchararr");
}

TEST(Chararr, GivesNRowsOfMChars)
{
    check_table<char>(chararr, "chararr");
}

// Each failure is reported once by the allocator and nothing comes back;
// the leak checker of the sanitizer build sees that a refused row count or
// row size leaves nothing behind.
TEST(Uchararr, RefusedRequestReportsOnceAndReturnsNull)
{
    struct Row {
        int n, m;
    };
    const Row rows[] = {
        {-1, 4},      // the table itself is refused
        {3, -1},      // the first row is refused: the table is released
        {INT_MAX, 1}, // more row pointers than one request can hold
    };
    for (const Row &row : rows) {
        void *table = &table;
        void *other = &other;
        std::string written = capture_std_err([&] {
            table = uchararr(row.n, row.m);
            other = chararr(row.n, row.m);
        });
        EXPECT_EQ(nullptr, table) << row.n << "x" << row.m;
        EXPECT_EQ(nullptr, other) << row.n << "x" << row.m;
        EXPECT_EQ(out_of_memory + out_of_memory, written) << row.n << "x" << row.m;
    }
}

// Rows of 16 MiB under an address-space limit that leaves room for two of
// them: the third row fails, and the rows obtained before it must have
// been released, since two more such blocks fit again afterwards.
template <class Element> int build_past_the_limit(Element **(*make)(int, int))
{
    const int row_size = 16 << 20;
    long pages = 0;
    FILE *statm = fopen("/proc/self/statm", "r");
    if (statm == nullptr || fscanf(statm, "%ld", &pages) != 1)
        return 3;
    fclose(statm);
    rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + 2 * row_size + (8 << 20);
    struct rlimit bound = {limit, limit};
    if (setrlimit(RLIMIT_AS, &bound) != 0)
        return 4;
    if (make(8, row_size) != nullptr)
        return 5;
    void *first = malloc(row_size);
    void *second = malloc(row_size);
    if (first == nullptr || second == nullptr)
        return 6; // the rows built before the failure were kept
    return 0;
}

TEST(Uchararr, FailedRowReleasesTheRowsBeforeIt)
{
#ifdef PIRCLEAN_UNDER_ASAN
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit leaves";
#endif
    EXPECT_EXIT(
        {
            errno = 0;
            exit(build_past_the_limit<unsigned char>(uchararr));
        },
        ExitedWithCode(0), StrEq(out_of_memory));
    EXPECT_EXIT(
        {
            errno = 0;
            exit(build_past_the_limit<char>(chararr));
        },
        ExitedWithCode(0), StrEq(out_of_memory));
}

TEST(Ucharfree, NullTableOrRowEndsAsQVfreeDoes)
{
    const std::string expected = std::string("Attempt to free NULL pointer: ") + strerror(EINVAL) + "\n";
    EXPECT_EXIT(
        {
            errno = EINVAL;
            ucharfree(static_cast<unsigned char **>(nullptr), 3);
        },
        ExitedWithCode(1), StrEq(expected));
    EXPECT_EXIT(
        {
            char **table = chararr(3, 2);
            QVfree(table[1]);
            table[1] = nullptr;
            errno = EINVAL;
            ucharfree(table, 3);
        },
        ExitedWithCode(1), StrEq(expected));
}

TEST(QVUCinit, StoresTheLowByteOfValue)
{
    struct Row {
        int value;
        unsigned char stored;
    };
    const Row rows[] = {{0, 0}, {'A', 65}, {321, 65}, {-1, 255}, {255, 255}, {256, 0}};
    for (const Row &row : rows) {
        unsigned char **bytes = uchararr(3, 4);
        char **chars = chararr(3, 4);
        QVUCinit(bytes, 3, 4, row.value);
        QVCinit(chars, 3, 4, row.value);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j) {
                EXPECT_EQ(row.stored, bytes[i][j]) << "value " << row.value;
                EXPECT_EQ(row.stored, static_cast<unsigned char>(chars[i][j])) << "value " << row.value;
            }
        ucharfree(bytes, 3);
        ucharfree(chars, 3);
    }
}

TEST(QVUCinit, FillsOnlyTheGivenRowsAndBytes)
{
    struct Row {
        int n, m;
    };
    const Row rows[] = {{2, 3}, {3, 4}, {0, 4}, {3, 0}, {-1, 4}, {3, -1}};
    for (const Row &row : rows) {
        unsigned char **bytes = uchararr(3, 4);
        char **chars = chararr(3, 4);
        QVUCinit(bytes, 3, 4, 'x');
        QVCinit(chars, 3, 4, 'x');
        QVUCinit(bytes, row.n, row.m, 'y');
        QVCinit(chars, row.n, row.m, 'y');
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j) {
                unsigned char expected = i < row.n && j < row.m ? 'y' : 'x';
                EXPECT_EQ(expected, bytes[i][j]) << row.n << "x" << row.m << " at " << i << "," << j;
                EXPECT_EQ(expected, static_cast<unsigned char>(chars[i][j]))
                    << row.n << "x" << row.m << " at " << i << "," << j;
            }
        ucharfree(bytes, 3);
        ucharfree(chars, 3);
    }
}

TEST(QVIinit, SetsElementsZeroToNMinusOne)
{
    struct Row {
        int n;
        std::vector<int> expected;
    };
    const Row rows[] = {
        {3, {9, 9, 9, -5}},
        {1, {9, -5, -5, -5}},
        {0, {-5, -5, -5, -5}},
        {-2, {-5, -5, -5, -5}},
    };
    for (const Row &row : rows) {
        std::vector<int> array(4, -5);
        QVIinit(array.data(), row.n, 9);
        EXPECT_EQ(row.expected, array) << "n " << row.n;
    }
}

// Sentinel for the elements the sort must not touch.
const int untouched = -777;

// Runs the sort on keys (given from element 1) and returns index[1..n];
// checks that element 0 and the element past n of the index stay
// untouched and that the keys are not changed.
std::vector<int> sorted_index(const std::vector<int> &keys)
{
    int n = static_cast<int>(keys.size());
    std::vector<int> key(n + 1, untouched);
    std::copy(keys.begin(), keys.end(), key.begin() + 1);
    const std::vector<int> key_before = key;
    std::vector<int> index(n + 2, untouched);
    QVindexx(key.data(), n, index.data());
    EXPECT_EQ(untouched, index[0]);
    EXPECT_EQ(untouched, index[n + 1]);
    EXPECT_EQ(key_before, key);
    return std::vector<int>(index.begin() + 1, index.begin() + n + 1);
}

// The exact order, equal keys included, worked out step by step from the
// sort: building the heap and taking from it never swap equal keys past
// each other, so all-equal keys end as 2, 3, ..., n, 1.
TEST(QVindexx, ExactOrderOfSmallCases)
{
    struct Row {
        std::vector<int> keys;
        std::vector<int> index;
    };
    const Row rows[] = {
        {{42}, {1}},
        {{5, 3}, {2, 1}},
        {{3, 5}, {1, 2}},
        {{3, 2, 1}, {3, 2, 1}},
        {{7, 7, 7}, {2, 3, 1}},
        {{7, 7, 7, 7}, {2, 3, 4, 1}},
        {{7, 7, 7, 7, 7}, {2, 3, 4, 5, 1}},
        {{7, 7, 7, 7, 7, 7}, {2, 3, 4, 5, 6, 1}},
        {{1, 2, 1}, {1, 3, 2}},
        {{5, 3, 5, 3}, {2, 4, 3, 1}},
        {{2, 1, 2, 1, 2}, {2, 4, 3, 5, 1}},
        {{2, 2, 1, 1, 2, 2}, {3, 4, 6, 5, 2, 1}},
        {{INT_MAX, INT_MIN, 0, -1}, {2, 4, 3, 1}},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].index, sorted_index(rows[i].keys)) << "row " << i;
}

TEST(QVindexx, NBelowOneWritesNothing)
{
    const int ns[] = {0, -1, INT_MIN};
    for (int n : ns) {
        int key[3] = {untouched, 1, 2};
        int index[3] = {untouched, untouched, untouched};
        QVindexx(key, n, index);
        for (int value : index)
            EXPECT_EQ(untouched, value) << "n " << n;
    }
}

TEST(QVindexx, OrdersRandomKeysByAPermutation)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 600; ++round) {
        int n = std::uniform_int_distribution<int>(1, 300)(random);
        // Narrow ranges force many equal keys; the widest one reaches the
        // ends of the integer range.
        const int spans[] = {1, 3, 50, INT_MAX};
        int span = spans[round % 4];
        std::uniform_int_distribution<int> pick(span == INT_MAX ? INT_MIN : -span, span);
        std::vector<int> keys(n);
        for (int &key : keys)
            key = pick(random);

        std::vector<int> index = sorted_index(keys);
        std::vector<int> sorted_positions = index;
        std::sort(sorted_positions.begin(), sorted_positions.end());
        for (int j = 0; j < n; ++j)
            ASSERT_EQ(j + 1, sorted_positions[j]) << "round " << round << ": not a permutation of 1..n";
        for (int j = 1; j < n; ++j)
            ASSERT_LE(keys[index[j - 1] - 1], keys[index[j] - 1]) << "round " << round << " at " << j;
    }
}

TEST(Irange, GivesMinimumThenMaximum)
{
    struct Row {
        std::vector<int> array;
        int minimum, maximum;
    };
    const Row rows[] = {
        {{4, -2, 9, 0}, -2, 9},
        {{17}, 17, 17},
        {{-3}, -3, -3},
        {{5, 4, 3, 2, 1}, 1, 5},
        {{6, 6, 6}, 6, 6},
        {{INT_MAX, 0, INT_MIN}, INT_MIN, INT_MAX},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        int *range = irange(rows[i].array.data(), static_cast<int>(rows[i].array.size()));
        ASSERT_NE(nullptr, range) << "row " << i;
        EXPECT_TRUE(holds_bytes(range, 2 * sizeof(int))) << "row " << i;
        EXPECT_EQ(rows[i].minimum, range[0]) << "row " << i;
        EXPECT_EQ(rows[i].maximum, range[1]) << "row " << i;
        QVfree(range);
    }
}

TEST(Irange, OnlyElementsBeforeNCount)
{
    const int array[] = {3, 1, 100, -100};
    int *range = irange(array, 2);
    EXPECT_EQ(1, range[0]);
    EXPECT_EQ(3, range[1]);
    QVfree(range);
}

TEST(Irange, NoElementsGiveNull)
{
    const int array[] = {1};
    std::string written = capture_std_err([&] {
        EXPECT_EQ(nullptr, irange(array, 0));
        EXPECT_EQ(nullptr, irange(array, -4));
        EXPECT_EQ(nullptr, irange(nullptr, 3));
    });
    EXPECT_EQ("", written);
}

} // namespace
