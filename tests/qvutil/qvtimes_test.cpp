#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <malloc.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "qvutil/qvtimes.h"
#include "qvutil/qvtimes_format.h"
#include "qvutil/qvutil.h"
#include "support/capture.h"

namespace {

// ---- Reports made from chosen tick counts ----

// A report at 100 ticks per second whose values are known in advance.
// Since last: user 150, sys 30, child user 30, child sys 15, elapsed 600
// ticks; since first: user 250, sys 80, child user 40, child sys 20,
// elapsed 1100 ticks. 15 and 45 ticks are 0.15 and 0.45 s, which single
// precision rounds to 0.2 and 0.4 (double precision would give 0.1, 0.5).
const struct tms known_first = {0, 0, 0, 0};
const struct tms known_last = {100, 50, 10, 5};
const struct tms known_now = {250, 80, 40, 20};
const timereport known = {&known_now, &known_last, &known_first, 2100, 1500, 1000, 100};

std::string printed(int type, const timereport &report)
{
    FILE *out = tmpfile();
    QVprinttimes(out, type, &report);
    std::string text = contents_of(out);
    fclose(out);
    return text;
}

std::string formatted(int type, const timereport &report, int capacity = 200)
{
    char *text = QVformattimes(type, &report, capacity);
    std::string copy = text;
    QVfree(text);
    return copy;
}

const char *const known_header = "            user:    sys:  total| c user:  c sys: ctotal:el/tcpu:    cum\n";
const char *const known_master = "Master  :    1.5:    0.3:    1.8|    2.5:    0.8:    3.3|    6.0:   11.0\n";
const char *const known_children = "Children:    0.3:    0.2:    0.4|    0.4:    0.2:    0.6|    2.2:    3.9\n";

TEST(QVprinttimes, EachTypePrintsItsLines)
{
    struct Row {
        int type;
        std::string expected;
    };
    const Row rows[] = {
        {0, "Elapsed time:   6.00\n"},
        {1, "CPU(P    1.8    3.3)(C    0.4    0.6)(T    2.2    3.9)(E    6.0   11.0)\n"},
        {2, std::string(known_header) + known_master + known_children},
        {3, "Cum CPU Time: Parent:     3.3 Child:     0.6 Total:     3.9 Elapsed:    11.0\n"},
        {4, ""},
        {-1, ""},
        {99, ""},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].expected, printed(rows[i].type, known)) << "row " << i;
}

TEST(QVformattimes, EachTypeGivesItsFields)
{
    struct Row {
        int type;
        const char *expected;
    };
    const Row rows[] = {
        {0, "    6.0"},
        {1, "    1.8     3.3     6.0    11.0"},
        {2, "    1.5     0.3     1.8     2.5     0.8     3.3     6.0    11.0"
            "     0.3     0.2     0.4     0.4     0.2     0.6     2.2     3.9"},
        {3, "    3.3     0.6     3.9    11.0"},
        {4, ""},
        {-1, ""},
        {99, ""},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].expected, formatted(rows[i].type, known)) << "row " << i;
}

// Seconds are a single-precision quotient, widened only for formatting.
TEST(QVformattimes, TicksBecomeSecondsInSinglePrecision)
{
    struct Row {
        clock_t ticks;
        long rate;
        const char *text;  // as returned (type 0)
        const char *line;  // as printed (type 0)
    };
    const Row rows[] = {
        {0, 100, "    0.0", "Elapsed time:   0.00\n"},
        {4, 100, "    0.0", "Elapsed time:   0.04\n"},
        {15, 100, "    0.2", "Elapsed time:   0.15\n"},
        {45, 100, "    0.4", "Elapsed time:   0.45\n"},
        {150, 100, "    1.5", "Elapsed time:   1.50\n"},
        {1500, 1000, "    1.5", "Elapsed time:   1.50\n"},
        {123456789, 100, "1234567.9", "Elapsed time: 1234567.88\n"},
    };
    const struct tms zero = {0, 0, 0, 0};
    for (size_t i = 0; i < std::size(rows); ++i) {
        const timereport report = {&zero, &zero, &zero, 5000 + rows[i].ticks, 5000, 5000, rows[i].rate};
        EXPECT_EQ(rows[i].text, formatted(0, report)) << "row " << i;
        EXPECT_EQ(rows[i].line, printed(0, report)) << "row " << i;
    }
}

// Counts are summed in ticks before the division: 15 + 15 ticks of user and
// system time are 0.3 s of process time, not 0.2 + 0.2.
TEST(QVformattimes, SumsAreTakenInTicks)
{
    const struct tms zero = {0, 0, 0, 0};
    const struct tms now = {15, 15, 15, 15};
    const timereport report = {&now, &zero, &zero, 0, 0, 0, 100};
    EXPECT_EQ("    0.2     0.2     0.3     0.2     0.2     0.3     0.0     0.0"
              "     0.2     0.2     0.3     0.2     0.2     0.3     0.6     0.6",
              formatted(2, report));
}

// The labels of the header sit right-aligned in the same seven-character
// columns as the numbers, for narrow and for full-width numbers alike.
TEST(QVprinttimes, TypeTwoColumnsLineUp)
{
    const struct tms zero = {0, 0, 0, 0};
    const struct tms wide = {1234567, 1234567, 1234567, 1234567};
    const timereport wide_report = {&wide, &zero, &zero, 1234567, 0, 0, 100};
    const timereport *reports[] = {&known, &wide_report};
    for (size_t r = 0; r < std::size(reports); ++r) {
        std::vector<std::string> lines;
        std::istringstream text(printed(2, *reports[r]));
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        ASSERT_EQ(3u, lines.size()) << "report " << r;
        const char *const leads[] = {"         ", "Master  :", "Children:"};
        const char *const separators[] = {"::|::::", "::|::|:", "::|::|:"};
        for (size_t l = 0; l < 3; ++l) {
            const std::string &line = lines[l];
            ASSERT_EQ(9u + 8 * 8 - 1, line.size()) << "report " << r << " line " << l;
            EXPECT_EQ(leads[l], line.substr(0, 9)) << "report " << r << " line " << l;
            for (size_t column = 0; column < 8; ++column) {
                std::string field = line.substr(9 + 8 * column, 7);
                EXPECT_NE(' ', field.back()) << "report " << r << " line " << l << " column " << column;
                if (column < 7) {
                    EXPECT_EQ(separators[l][column], line[9 + 8 * column + 7])
                        << "report " << r << " line " << l << " column " << column;
                }
            }
        }
    }
}

// A field wider than usual makes a text longer than the block it is first
// formatted into: the block grows and the text comes back whole.
TEST(QVformattimes, LongTextGrowsTheBlock)
{
    const int capacities[] = {1, 8, 31, 32, 200};
    for (int capacity : capacities)
        EXPECT_EQ("    1.8     3.3     6.0    11.0", formatted(1, known, capacity)) << "capacity " << capacity;

    const clock_t huge = 1000000000000000;
    const struct tms zero = {0, 0, 0, 0};
    const struct tms now = {huge, huge, huge, huge};
    const timereport report = {&now, &zero, &zero, huge, 0, 0, 1};
    const std::string one = "999999986991104.0", two = "1999999973982208.0", four = "3999999947964416.0";
    const std::string row_start = one + " " + one + " " + two + " " + one + " " + one + " " + two + " ";
    const std::string expected =
        row_start + one + " " + one + " " + row_start + four + " " + four;
    char *text = QVformattimes(2, &report, 200);
    EXPECT_EQ(expected, text);
    EXPECT_GE(malloc_usable_size(text), expected.size() + 1);
    QVfree(text);
}

TEST(QVformattimes, TextIsShrunkToItsLength)
{
    char *text = QVformattimes(0, &known, 200);
    EXPECT_STREQ("    6.0", text);
    // The allocator may round a block up, but not to the 200 it started at.
    EXPECT_GE(malloc_usable_size(text), 8u);
    EXPECT_LT(malloc_usable_size(text), 200u);
    QVfree(text);
}

TEST(CopyTms, CopiesAllFourCounts)
{
    const struct tms from = {1, 2, 3, 4};
    struct tms to = {9, 9, 9, 9};
    copy_tms(&to, &from);
    EXPECT_EQ(1, to.tms_utime);
    EXPECT_EQ(2, to.tms_stime);
    EXPECT_EQ(3, to.tms_cutime);
    EXPECT_EQ(4, to.tms_cstime);
}

// ---- The real clock ----

// Spends seconds of this process's CPU time (not wall time, so that a busy
// machine only makes it take longer).
void burn_cpu(double seconds)
{
    timespec start, now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
    volatile unsigned long sink = 0;
    do {
        for (int i = 0; i < 100000; ++i)
            sink = sink + i;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    } while ((now.tv_sec - start.tv_sec) + (now.tv_nsec - start.tv_nsec) / 1e9 < seconds);
}

// The fields of a returned text, as numbers.
std::vector<double> fields(char *text)
{
    std::vector<double> values;
    std::istringstream in(text);
    for (double value; in >> value;)
        values.push_back(value);
    QVfree(text);
    return values;
}

// The fields of returned texts as strings, so that equal values compare
// exactly as printed.
std::vector<std::string> words(char *text)
{
    std::vector<std::string> values;
    std::istringstream in(text);
    for (std::string value; in >> value;)
        values.push_back(value);
    QVfree(text);
    return values;
}

// What a burn of 0.2 s shows at least, and what no burn shows at most, in
// one-decimal seconds.
const double burnt = 0.15;
const double idle = 0.05;

// Every test starts and ends with the module stopped.
class Clock : public testing::Test {
protected:
    void SetUp() override { QV_reset_times(); }
    void TearDown() override { QV_reset_times(); }
};

TEST_F(Clock, FirstReportHasEqualSinceLastAndSinceFirst)
{
    QV_init_times();
    burn_cpu(0.2);
    std::vector<std::string> v = words(QV_get_times(2));
    ASSERT_EQ(16u, v.size());
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(v[column], v[column + 3]) << "process column " << column;
        EXPECT_EQ(v[8 + column], v[8 + column + 3]) << "children column " << column;
    }
    EXPECT_EQ(v[6], v[7]);    // elapsed
    EXPECT_EQ(v[14], v[15]);  // total CPU
    EXPECT_GE(atof(v[5].c_str()), burnt);
}

TEST_F(Clock, SecondReportCountsOnlyFromTheFirst)
{
    QV_init_times();
    burn_cpu(0.2);
    std::vector<double> first = fields(QV_get_times(1));
    std::vector<double> second = fields(QV_get_times(1));
    ASSERT_EQ(4u, first.size());
    ASSERT_EQ(4u, second.size());
    EXPECT_GE(first[0], burnt);
    EXPECT_LT(second[0], idle);         // process CPU since last
    EXPECT_GE(second[1], first[1]);     // process CPU since first
    EXPECT_GE(second[3], first[3]);     // elapsed since first
}

// Whatever a report shows, even nothing, its snapshot is the base of the
// next report's since-last values.
TEST_F(Clock, EveryReportMovesTheSinceLastBase)
{
    struct Row {
        const char *name;
        std::function<std::string()> report;
        bool shows_text;
    };
    auto show = [](int type) {
        FILE *out = tmpfile();
        QV_show_times(out, type);
        std::string text = contents_of(out);
        fclose(out);
        return text;
    };
    auto get = [](int type) {
        char *text = QV_get_times(type);
        std::string copy = text;
        QVfree(text);
        return copy;
    };
    const Row rows[] = {
        {"show 0", [&] { return show(0); }, true},
        {"show 2", [&] { return show(2); }, true},
        {"show 3", [&] { return show(3); }, true},
        {"show 4", [&] { return show(4); }, false},
        {"show -1", [&] { return show(-1); }, false},
        {"get 0", [&] { return get(0); }, true},
        {"get 3", [&] { return get(3); }, true},
        {"get 4", [&] { return get(4); }, false},
        {"get -1", [&] { return get(-1); }, false},
    };
    for (const Row &row : rows) {
        QV_reset_times();
        QV_init_times();
        burn_cpu(0.2);
        std::string text = row.report();
        EXPECT_EQ(row.shows_text, !text.empty()) << row.name;
        std::vector<double> next = fields(QV_get_times(1));
        ASSERT_EQ(4u, next.size()) << row.name;
        EXPECT_LT(next[0], idle) << row.name;
        EXPECT_GE(next[1], burnt) << row.name;
    }
}

TEST_F(Clock, SecondStartWhileRunningChangesNothing)
{
    struct Row {
        const char *name;
        void (*start)();
    };
    const Row rows[] = {{"QV_init_times", QV_init_times}, {"QV_start_clock", QV_start_clock}};
    for (const Row &row : rows) {
        QV_reset_times();
        QV_init_times();
        struct tms *first = t_init;
        clock_t first_ticks = init_times;
        burn_cpu(0.2);
        row.start();
        EXPECT_EQ(first, t_init) << row.name;
        EXPECT_EQ(first_ticks, init_times) << row.name;
        std::vector<double> v = fields(QV_get_times(3));
        ASSERT_EQ(4u, v.size()) << row.name;
        EXPECT_GE(v[0], burnt) << row.name;  // process CPU since the first start
    }
}

TEST_F(Clock, ResetReleasesRecordsAndKeepsTicks)
{
    QV_init_times();
    ASSERT_NE(nullptr, t_init);
    ASSERT_NE(nullptr, t_last);
    ASSERT_NE(nullptr, t_new);
    clock_t first_ticks = init_times;
    QVfree(QV_get_times(0));
    clock_t report_ticks = new_times;
    QV_reset_times();
    EXPECT_EQ(nullptr, t_init);
    EXPECT_EQ(nullptr, t_last);
    EXPECT_EQ(nullptr, t_new);
    EXPECT_EQ(first_ticks, init_times);
    EXPECT_EQ(report_ticks, new_times);
    EXPECT_EQ(report_ticks, last_times);
}

TEST_F(Clock, ResetWhileStoppedIsQuiet)
{
    std::string written = capture_std_err([] {
        QV_reset_times();
        QV_reset_times();
    });
    EXPECT_EQ("", written);
    EXPECT_EQ(nullptr, t_init);
}

// A stopped module has measured nothing: reports are empty and do not
// start it.
TEST_F(Clock, ReportsWhileStoppedShowNothing)
{
    FILE *out = tmpfile();
    std::string written = capture_std_err([&] {
        for (int type = -1; type <= 4; ++type) {
            QV_show_times(out, type);
            char *text = QV_get_times(type);
            EXPECT_STREQ("", text) << "type " << type;
            QVfree(text);
        }
        QV_stop_clock(out);
    });
    EXPECT_EQ("", contents_of(out));
    EXPECT_EQ("", written);
    EXPECT_EQ(nullptr, t_init);
    fclose(out);
}

TEST_F(Clock, StopPrintsCumulativeLineThenStartBeginsAfresh)
{
    QV_start_clock();
    burn_cpu(0.2);
    FILE *out = tmpfile();
    QV_stop_clock(out);
    std::string line = contents_of(out);
    fclose(out);
    EXPECT_THAT(line, testing::MatchesRegex("Cum CPU Time: Parent: +[0-9]+\\.[0-9] Child: +[0-9]+\\.[0-9] "
                                            "Total: +[0-9]+\\.[0-9] Elapsed: +[0-9]+\\.[0-9]\n"));
    double parent = 0;
    ASSERT_EQ(1, sscanf(line.c_str(), "Cum CPU Time: Parent: %lf", &parent));
    EXPECT_GE(parent, burnt);
    EXPECT_EQ(nullptr, t_init);

    QV_start_clock();
    std::vector<double> v = fields(QV_get_times(3));
    ASSERT_EQ(4u, v.size());
    EXPECT_LT(v[0], idle);  // process CPU since the new start
}

TEST_F(Clock, ShortElapsedTextIsSevenCharactersInEightBytes)
{
    QV_init_times();
    char *text = QV_get_times(0);
    EXPECT_STREQ("    0.0", text);
    EXPECT_GE(malloc_usable_size(text), 8u);
    EXPECT_LT(malloc_usable_size(text), 200u);
    QVfree(text);
}

TEST_F(Clock, ChildrenAreZeroWithoutChildren)
{
    QV_init_times();
    burn_cpu(0.2);
    std::vector<std::string> v = words(QV_get_times(2));
    ASSERT_EQ(16u, v.size());
    for (int column = 8; column < 14; ++column)
        EXPECT_EQ("0.0", v[column]) << "column " << column;
    EXPECT_EQ(v[2], v[14]);  // total CPU is the process's own
    EXPECT_EQ(v[5], v[15]);
}

TEST_F(Clock, ChildrenCountAChildThatBurnsCpu)
{
    QV_init_times();
    pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
        burn_cpu(0.3);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    std::vector<double> v = fields(QV_get_times(3));
    ASSERT_EQ(4u, v.size());
    EXPECT_LT(v[0], idle);         // parent
    EXPECT_GE(v[1], 0.25);         // child
    EXPECT_NEAR(v[0] + v[1], v[2], 0.1);  // total
}

TEST(QVlocaltime, IsTwentyFourCharactersAndNewline)
{
    auto expected_at = [](time_t when) {
        char text[64];
        strftime(text, sizeof text, "%a %b %e %H:%M:%S %Y\n", localtime(&when));
        return std::string(text);
    };
    time_t before = time(nullptr);
    std::string text = QVlocaltime();
    time_t after = time(nullptr);
    ASSERT_EQ(25u, text.size());
    EXPECT_EQ('\n', text[24]);
    EXPECT_THAT(text, testing::AnyOf(expected_at(before), expected_at(after)));
}

}  // namespace
