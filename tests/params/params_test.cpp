#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "params/params.h"
#include "seqio/seqio.h"
#include "support/capture.h"
#include "support/report.h"

using testing::ExitedWithCode;
using testing::StrEq;

namespace {

int *const integers[] = {
    &MAXnseq,    &MAXslen,    &MAXilen,      &MAXtlen,        &MAXnbloc,     &pen,         &pen1,
    &fspen,      &fsepen,     &min_score,    &min_len,        &scan,         &output_len,  &precis,
    &nran,       &min_sd_score, &read_pred,  &robsim,         &save_prof,    &epl_pen,     &epr_pen,
    &ept_pen,    &epb_pen,    &auto_corner,  &cut_corners,    &run_sw_min,   &find_repeats, &quorpel,
    &save_blocfiles, &fp_bit, &sec_scan,
};
float *const singles[] = {&fk, &pcut, &fp_fac};

struct named {
    char **name;
    const char *installed; // by every call; null: none
};
const named names[] = {
    {&matrix_file, "md.mat"},  {&seq_file, "stdin"},        {&sec_file, "test.sec"},     {&db_file, nullptr},
    {&bloc_file, "test.bloc"}, {&fit_file, "fits250_8.q"},  {&oseq_file, "test.oseq"},   {&gap_file, "gap.file"},
    {&look_file, "look.file"}, {&ilook_file, "look.file"},  {&met_file, "met.file"},     {&pred_file, "pred.file"},
    {&amerge_file, "amerge.file"}, {&alps_file, ""},        {&fit2_file, "fit2.file"},   {&fit3_file, "quorpel.dat"},
    {&codon_file, "codon.dat"},
};

// A parameter file's text and the value it must leave in target.
struct IntegerRow {
    std::string text;
    int *target;
    int expected;
};

struct numbers {
    std::vector<int> integer;
    std::vector<float> single;
};

numbers current_numbers()
{
    numbers now;
    for (int *p : integers)
        now.integer.push_back(*p);
    for (float *p : singles)
        now.single.push_back(*p);
    return now;
}

// The parameters are process-wide: every test leaves them as it found them,
// and the names null as at program start.
class Getpars : public testing::Test {
protected:
    void SetUp() override { saved = current_numbers(); }

    void TearDown() override
    {
        restore();
        for (const std::string &path : paths)
            remove(path.c_str());
    }

    void restore()
    {
        for (size_t i = 0; i < std::size(integers); ++i)
            *integers[i] = saved.integer[i];
        for (size_t i = 0; i < std::size(singles); ++i)
            *singles[i] = saved.single[i];
        for (const named &entry : names) {
            free(*entry.name);
            *entry.name = nullptr;
        }
    }

    // A parameter file holding text; removed when the test ends.
    std::string file_with(const std::string &text)
    {
        char path[] = "/tmp/params-XXXXXX";
        int fd = mkstemp(path);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(static_cast<ssize_t>(text.size()), write(fd, text.data(), text.size()));
        close(fd);
        paths.push_back(path);
        return path;
    }

    int read_params(const std::string &text) { return getpars(file_with(text).c_str()); }

    // Every integer but target, and every single but real, as saved.
    void expect_other_numbers_saved(const int *target, const float *real, size_t row)
    {
        for (size_t i = 0; i < std::size(integers); ++i) {
            if (integers[i] != target) {
                EXPECT_EQ(saved.integer[i], *integers[i]) << "row " << row << ", integer " << i;
            }
        }
        for (size_t i = 0; i < std::size(singles); ++i) {
            if (singles[i] != real) {
                EXPECT_EQ(saved.single[i], *singles[i]) << "row " << row << ", single " << i;
            }
        }
    }

    // Every name but target as a call installs it.
    void expect_other_names_installed(char *const *target, size_t row)
    {
        for (size_t i = 0; i < std::size(names); ++i) {
            if (names[i].name == target)
                continue;
            if (names[i].installed == nullptr) {
                EXPECT_EQ(nullptr, *names[i].name) << "row " << row << ", name " << i;
            } else {
                EXPECT_STREQ(names[i].installed, *names[i].name) << "row " << row << ", name " << i;
            }
        }
    }

    // Reads each row's file on the saved parameters and checks its target.
    template <size_t N> void expect_integer_rows(const IntegerRow (&rows)[N])
    {
        for (size_t i = 0; i < N; ++i) {
            EXPECT_EQ(1, read_params(rows[i].text)) << "row " << i;
            EXPECT_EQ(rows[i].expected, *rows[i].target) << "row " << i;
            restore();
        }
    }

    numbers saved;
    std::vector<std::string> paths;
};

TEST_F(Getpars, CompiledInDefaultsBeforeAnyCall)
{
    const int expected[] = {1000, 8000, 20, 500, 500, 0, 0, 0, 0, 0, 1, 0, 50, 1, 0, -100000,
                            0,    0,    0,  0,   0,   0, 0, 0, 0, 35, 0, 0, 0, 0, 0};
    ASSERT_EQ(std::size(expected), std::size(integers));
    for (size_t i = 0; i < std::size(integers); ++i)
        EXPECT_EQ(expected[i], *integers[i]) << "integer " << i;
    EXPECT_EQ(0.0f, fk);
    EXPECT_EQ(0.1f, pcut);
    EXPECT_EQ(0.0f, fp_fac);
    for (size_t i = 0; i < std::size(names); ++i)
        EXPECT_EQ(nullptr, *names[i].name) << "name " << i;
}

TEST_F(Getpars, EmptyFileInstallsDefaultNamesInBuffersOfTheirOwn)
{
    EXPECT_EQ(1, read_params(""));
    expect_other_names_installed(nullptr, 0);
    expect_other_numbers_saved(nullptr, nullptr, 0);
    EXPECT_NE(look_file, ilook_file);
    // Each default name has room for 99 characters (the sanitizer build
    // catches a smaller buffer).
    for (const named &entry : names) {
        if (*entry.name != nullptr) {
            memset(*entry.name, 'n', 99);
            (*entry.name)[99] = '\0';
        }
    }
}

TEST_F(Getpars, MissingFileIsReportedAndDefaultNamesInstalled)
{
    const std::string path = "/tmp/params-no-such-dir/params.txt";
    testing::internal::CaptureStderr();
    EXPECT_EQ(0, getpars(path.c_str()));
    EXPECT_EQ("Error opening Parameter file: " + path + "\n", testing::internal::GetCapturedStderr());
    expect_other_names_installed(nullptr, 0);
    expect_other_numbers_saved(nullptr, nullptr, 0);
}

TEST_F(Getpars, EveryNumericKeywordSetsItsOwnParameter)
{
    const IntegerRow rows[] = {
        {"MAX_NSEQ 7\n", &MAXnseq, 7},          {"MAX_SEQ_LEN 7\n", &MAXslen, 7},
        {"MAX_ID_LEN 7\n", &MAXilen, 7},        {"MAX_TITLE_LEN 70\n", &MAXtlen, 70},
        {"MAX_BLOC_SEQ 7\n", &MAXnbloc, 7},     {"PEN 7\n", &pen, 7},
        {"PEN1 7\n", &pen1, 7},                 {"FSPEN 7\n", &fspen, 7},
        {"FSEPEN 7\n", &fsepen, 7},             {"MIN_SCORE 7\n", &min_score, 7},
        {"MIN_LEN 7\n", &min_len, 7},           {"SCAN 7\n", &scan, 7},
        {"OUTPUT_LENGTH 7\n", &output_len, 7},  {"PRECISION 70\n", &precis, 70},
        {"NRANS 7\n", &nran, 7},                {"READ_PRED 7\n", &read_pred, 7},
        {"ROBSIM 7\n", &robsim, 7},             {"SAVE_PROFILES 7\n", &save_prof, 7},
        {"EPL_PEN 7\n", &epl_pen, 7},           {"EPR_PEN 7\n", &epr_pen, 7},
        {"EPT_PEN 7\n", &ept_pen, 7},           {"EPB_PEN 7\n", &epb_pen, 7},
        {"AUTO_CORNER 7\n", &auto_corner, 7},   {"CUT_CORNERS 7\n", &cut_corners, 7},
        {"RUN_SW_MIN 7\n", &run_sw_min, 7},     {"FIND_REPEATS 7\n", &find_repeats, 7},
        {"SAVE_BLOCFILES\n", &save_blocfiles, 1}, {"FP_BIT 7\n", &fp_bit, 7},
        {"SEC_SCAN 7\n", &sec_scan, 7},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(1, read_params(rows[i].text)) << "row " << i;
        EXPECT_EQ(rows[i].expected, *rows[i].target) << "row " << i;
        expect_other_numbers_saved(rows[i].target, nullptr, i);
        expect_other_names_installed(nullptr, i);
        restore();
    }
}

TEST_F(Getpars, SingleKeywordsRoundToNearestSingle)
{
    struct Row {
        std::string text;
        float *target;
        float expected;
    };
    const Row rows[] = {
        {"CUT_CONSTANT 2.5\n", &fk, 2.5f},
        {"PCUT 0.3\n", &pcut, 0.3f},
        {"FP_FAC -1.25e2\n", &fp_fac, -125.0f},
        {"PCUT junk\n", &pcut, 0.0f},
        {"FP_FAC 1.7abc\n", &fp_fac, 1.7f},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(1, read_params(rows[i].text)) << "row " << i;
        EXPECT_EQ(rows[i].expected, *rows[i].target) << "row " << i;
        expect_other_numbers_saved(nullptr, rows[i].target, i);
        restore();
    }
}

TEST_F(Getpars, EveryNameKeywordSetsItsOwnParameter)
{
    struct Row {
        std::string text;
        char **target;
        const char *expected;
    };
    const Row rows[] = {
        {"MATRIX_FILE m.mat\n", &matrix_file, "m.mat"},
        {"SEQ_FILE \"my.seq\"\n", &seq_file, "my.seq"},
        {"SEC_FILE s.sec\n", &sec_file, "s.sec"},
        {"DB_FILE /data/db.fa\n", &db_file, "/data/db.fa"},
        {"OSEQ_FILE o\n", &oseq_file, "o"},
        {"PRED_FILE p.pred\n", &pred_file, "p.pred"},
        {"AMERGE_FILE a.m\n", &amerge_file, "a.m"},
        {"ALPS_FILE alps.out\n", &alps_file, "alps.out"},
        {"FIT_FILE f2\n", &fit2_file, "f2"},       // not fit_file
        {"QUORPEL_FILE q.dat\n", &fit3_file, "q.dat"}, // not quorpel
        {"CODON_FILE c.dat\n", &codon_file, "c.dat"},
        {"SEQ_FILE \"two words\"\n", &seq_file, "two"},
        {"SEQ_FILE " + std::string(150, 'L') + "\n", &seq_file, nullptr}, // checked below
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(1, read_params(rows[i].text)) << "row " << i;
        const std::string expected = rows[i].expected ? rows[i].expected : std::string(150, 'L');
        ASSERT_NE(nullptr, *rows[i].target) << "row " << i;
        EXPECT_EQ(expected, *rows[i].target) << "row " << i;
        expect_other_names_installed(rows[i].target, i);
        expect_other_numbers_saved(nullptr, nullptr, i);
        restore();
    }
}

TEST_F(Getpars, LinesThatSetNothing)
{
    const std::string rows[] = {
        "PEN=7\n",           // one token, no keyword
        "pen 7\n",           // letter case counts
        "MIN_SD_SCORE 5\n",  // no keyword
        "QUORPEL 5\n",       // no keyword
        "BLOC_FILE b\n",     // no keyword
        "FIT2_FILE f\n",     // no keyword
        "MIN_LEN\n",         // no value: left as it is
        "MIN_LEN \"\" ,\n",  // only delimiters after it
        "PRECISION\n",       // no value, and no report
        "SEQ_FILE\n",
        "DB_FILE\n",
        "PEN\t\n",
        "# MIN_LEN 5\n",
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(1, read_params(rows[i])) << "row " << i;
        expect_other_numbers_saved(nullptr, nullptr, i);
        expect_other_names_installed(nullptr, i);
        restore();
    }
}

TEST_F(Getpars, DelimitersAndQuotesAroundTokens)
{
    const IntegerRow rows[] = {
        {"PEN 7\n", &pen, 7},
        {"PEN,7\n", &pen, 7},
        {"PEN\t7\n", &pen, 7},
        {"PEN \"7\"\n", &pen, 7},
        {"   PEN 7\n", &pen, 7},
        {", \t\"PEN\",,\t 7 8 junk\n", &pen, 7},
        {"PEN 7", &pen, 7}, // a last line without a newline
        {"SAVE_BLOCFILES 0\n", &save_blocfiles, 1},
        {"MIN_LEN 5\nMIN_LEN 6\n", &min_len, 6}, // the later line wins
    };
    expect_integer_rows(rows);
}

TEST_F(Getpars, IntegersConvertAsAtoiAndSaturate)
{
    const IntegerRow rows[] = {
        {"MIN_LEN 12abc\n", &min_len, 12},
        {"MIN_LEN 2.9\n", &min_len, 2},
        {"MIN_LEN abc\n", &min_len, 0},
        {"MIN_LEN -3\n", &min_len, -3},
        {"MIN_LEN +4\n", &min_len, 4},
        {"MIN_LEN 0x10\n", &min_len, 0},
        {"MIN_LEN 2147483647\n", &min_len, INT_MAX},
        {"MIN_LEN 2147483648\n", &min_len, INT_MAX},
        {"MIN_LEN 99999999999999999999999\n", &min_len, INT_MAX},
        {"MIN_LEN -2147483649\n", &min_len, INT_MIN},
    };
    expect_integer_rows(rows);
}

TEST_F(Getpars, ScaledValuesUseThePrecisionInForce)
{
    const IntegerRow rows[] = {
        {"PRECISION 10\nPEN 2.57\n", &pen, 25},
        {"PRECISION 10\nPEN1 -2.5\n", &pen1, -25},
        {"PRECISION 100\nFSPEN 0.29\n", &fspen, 28}, // 28.999...: truncated
        {"FSEPEN 0.29\nPRECISION 100\n", &fsepen, 0},
        {"FSEPEN 0.29\nPRECISION 100\n", &precis, 100},
        {"PRECISION 100\nPEN 3\nPRECISION 10\nPEN1 3\n", &pen, 300},
        {"PRECISION 100\nPEN 3\nPRECISION 10\nPEN1 3\n", &pen1, 30},
        {"PRECISION 0\nPEN 5\n", &pen, 0},
        {"PRECISION -20\nPEN 1.5\n", &pen, -30},
        {"PEN 1e10\n", &pen, INT_MAX},
        {"PRECISION 1000\nPEN 3000000\n", &pen, INT_MAX},
        {"PEN -1e300\n", &pen, INT_MIN},
        {"PRECISION -10\nPEN 1e300\n", &pen, INT_MIN},
        {"PEN inf\n", &pen, INT_MAX},
        {"PEN nan\n", &pen, 0},
        {"PEN x\n", &pen, 0},
    };
    expect_integer_rows(rows);
}

TEST_F(Getpars, AcceptedPrecisions)
{
    const IntegerRow rows[] = {
        {"PRECISION 1\n", &precis, 1},     {"PRECISION 10\n", &precis, 10},
        {"PRECISION 0\n", &precis, 0},     {"PRECISION -20\n", &precis, -20},
        {"PRECISION 1000\n", &precis, 1000}, {"PRECISION none\n", &precis, 0},
        {"PRECISION 30abc\n", &precis, 30},
    };
    expect_integer_rows(rows);
}

TEST_F(Getpars, InvalidPrecisionEndsWithStatusOne)
{
    const std::string report = std::string("Invalid Precision multiplier in getpars: ") + strerror(EDOM) + "\n";
    const char *values[] = {"5", "15", "2", "11", "-1", "-5", "105", "2.5"};
    for (const char *value : values) {
        const std::string path = file_with(std::string("MIN_LEN 3\nPRECISION ") + value + "\n");
        EXPECT_EXIT(
            {
                errno = EDOM;
                getpars(path.c_str());
            },
            ExitedWithCode(1), StrEq(report))
            << "PRECISION " << value;
    }
}

TEST_F(Getpars, LineBufferThatCannotBeObtainedEndsWithStatusOne)
{
    const std::string path = file_with("MIN_LEN 3\n");
    EXPECT_EXIT(
        {
            MAXtlen = -1;
            getpars(path.c_str());
        },
        ExitedWithCode(1), ReportIs(std::string("No Space for buff: ") + strerror(ENOMEM) + "\n"));
}

TEST_F(Getpars, FirstLineWithoutTokenEndsTheReading)
{
    const std::string separators[] = {"\n", "   \n", ",,\n", "\t\n", "\"\"\n", " ,\t\"\n"};
    for (size_t i = 0; i < std::size(separators); ++i) {
        EXPECT_EQ(1, read_params("MIN_LEN 5\n" + separators[i] + "SCAN 3\n")) << "row " << i;
        EXPECT_EQ(5, min_len) << "row " << i;
        EXPECT_EQ(0, scan) << "row " << i;
        restore();
    }
}

// Lines are read in pieces of at most MAXtlen - 1 characters, each a line
// of its own.
TEST_F(Getpars, LongLinesAreReadInPieces)
{
    const std::string piece = "MIN_LEN 5" + std::string(499 - 9, ' '); // 499 characters
    const IntegerRow rows[] = {
        // 600 characters: the second piece begins with its own keyword.
        {piece + "SCAN 3" + std::string(95, ' ') + "\n", &scan, 3},
        {piece + "SCAN 3" + std::string(95, ' ') + "\n", &min_len, 5},
        // 499 characters: the newline is a piece of its own, an empty line.
        {piece + "\nSCAN 3\n", &scan, 0},
        {piece + "\nSCAN 3\n", &min_len, 5},
        // A shorter piece size takes effect at the next line.
        // "MIN_SCORE 123456789" is 19 characters.
        {"MAX_TITLE_LEN 20\nMIN_SCORE 1234567890123456789\nSCAN 3\n", &min_score, 123456789},
        {"MAX_TITLE_LEN 20\nMIN_SCORE 1234567890123456789\nSCAN 3\n", &scan, 3},
        // A larger one never outgrows the buffer of the call's start.
        {"MAX_TITLE_LEN 5000\n" + piece + "SCAN 3\n", &scan, 3},
        {"MAX_TITLE_LEN 5000\n" + piece + "SCAN 3\n", &MAXtlen, 5000},
    };
    expect_integer_rows(rows);
}

TEST_F(Getpars, PieceSizeComesFromMaxTitleLenAtCallStart)
{
    MAXtlen = 20;
    EXPECT_EQ(1, read_params("MAX_TITLE_LEN 5000\nSEQ_FILE abcdefghijklmnopqrstuvwxyz\nSCAN 3\n"));
    EXPECT_EQ(5000, MAXtlen);
    EXPECT_STREQ("abcdefghij", seq_file); // "SEQ_FILE abcdefghij" is 19 characters
    EXPECT_EQ(3, scan);
}

TEST_F(Getpars, MaxTitleLenBelowTwoReadsNothing)
{
    const int limits[] = {0, 1};
    for (int limit : limits) {
        MAXtlen = limit;
        EXPECT_EQ(1, read_params("MIN_LEN 5\n")) << "MAXtlen " << limit;
        EXPECT_EQ(1, min_len) << "MAXtlen " << limit;
        EXPECT_STREQ("stdin", seq_file) << "MAXtlen " << limit;
        restore();
    }
    EXPECT_EQ(1, read_params("MIN_LEN 5\nMAX_TITLE_LEN 1\nSCAN 3\n"));
    EXPECT_EQ(5, min_len);
    EXPECT_EQ(0, scan);
}

TEST_F(Getpars, CarriageReturnIsNoDelimiter)
{
    EXPECT_EQ(1, read_params("SEQ_FILE my.seq\r\nSAVE_BLOCFILES\r\nMIN_LEN 5\r\n\r\nSCAN 3\r\n"));
    EXPECT_STREQ("my.seq\r", seq_file);
    EXPECT_EQ(0, save_blocfiles); // "SAVE_BLOCFILES\r" is no keyword
    EXPECT_EQ(5, min_len);        // conversion stops at the CR
    EXPECT_EQ(3, scan);           // a line of a CR alone holds a token
}

TEST_F(Getpars, LaterCallReinstallsDefaultNamesAndKeepsTheRest)
{
    ASSERT_EQ(1, read_params("SEQ_FILE a.seq\nALPS_FILE alps\nDB_FILE db1\nDB_FILE db2\nMIN_LEN 5\n"));
    EXPECT_STREQ("a.seq", seq_file);
    EXPECT_STREQ("alps", alps_file);
    EXPECT_STREQ("db2", db_file); // the later line replaces the earlier

    ASSERT_EQ(1, read_params(""));
    EXPECT_STREQ("stdin", seq_file);
    EXPECT_STREQ("", alps_file);
    EXPECT_STREQ("db2", db_file); // no default: kept
    EXPECT_EQ(5, min_len);        // numbers are never reset

    ASSERT_EQ(1, read_params("DB_FILE a-much-longer-database-name.fa\n"));
    EXPECT_STREQ("a-much-longer-database-name.fa", db_file);
}

TEST_F(Getpars, LeavesCallerStrtokSequenceAlone)
{
    char text[] = "one two three";
    ASSERT_STREQ("one", strtok(text, " "));
    ASSERT_EQ(1, read_params("MIN_LEN 5 x\nSCAN 3\n"));
    EXPECT_STREQ("two", strtok(nullptr, " "));
    EXPECT_STREQ("three", strtok(nullptr, " "));
    EXPECT_EQ(5, min_len);
}

TEST_F(Getpars, MaxSeqLenBoundsTheEntryReader)
{
    const std::string entry = ">a\nt\nABCDEFG*\n";
    seqentry record{};
    int index = 0;

    FILE *in = stream_of(entry);
    ASSERT_EQ(1, gseq(in, &record, &index, 2));
    EXPECT_STREQ(" ABCDEFG", record.seq);
    fclose(in);

    ASSERT_EQ(1, read_params("MAX_SEQ_LEN 6\n"));
    in = stream_of(entry);
    testing::internal::CaptureStderr();
    ASSERT_EQ(1, gseq(in, &record, &index, 2));
    EXPECT_EQ("Sequence Truncated to: 6\n", testing::internal::GetCapturedStderr());
    EXPECT_STREQ(" ABCD", record.seq);
    EXPECT_EQ(6, record.slen);
    fclose(in);
    free(record.id);
    free(record.title);
    free(record.seq);
}

} // namespace
