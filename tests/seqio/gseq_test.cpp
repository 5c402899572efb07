// The entry reader: modes, limits, failures and the record's invariants.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "seqio/seqio.h"
#include "support/capture.h"
#include "support/memory_limit.h"
#include "support/report.h"

namespace {

class Gseq : public testing::Test {
protected:
    void SetUp() override
    {
        saved_matrix = matrix;
        records[0] = records[1] = records[2] = seqentry{};
    }
    void TearDown() override
    {
        MAXnseq = 1000;
        MAXslen = 8000;
        MAXilen = 20;
        MAXtlen = 500;
        matrix = saved_matrix;
        for (seqentry &entry : records) {
            if (entry.id != nullptr) {
                free(entry.id);
                free(entry.title);
                free(entry.seq);
            }
        }
        if (in != nullptr)
            fclose(in);
    }

    // Reads from input into records[index] and keeps what went to stderr.
    int read(const std::string &input, int index, int mode)
    {
        if (in == nullptr)
            in = stream_of(input);
        testing::internal::CaptureStderr();
        int result = gseq(in, records, &index, mode);
        messages = testing::internal::GetCapturedStderr();
        return result;
    }
    int next(int index, int mode) { return read("", index, mode); }

    std::string body(int index = 0) const
    {
        const seqentry &entry = records[index];
        EXPECT_EQ(' ', entry.seq[0]);
        EXPECT_EQ('\0', entry.seq[entry.slen - 1]);
        return std::string(entry.seq + 1, entry.slen - 2);
    }

    seqentry records[3];
    FILE *in = nullptr;
    std::string messages;
    residuecoding saved_matrix;
};

TEST_F(Gseq, ReadsEntriesOneAfterAnother)
{
    const std::string input = "skipped\n>P1;ONE first\nTitle one\nAC 10 DE\nfg-*text after\n"
                              ">two\n\n*\n";
    ASSERT_EQ(1, read(input, 0, 2));
    EXPECT_STREQ("ONE", records[0].id);
    EXPECT_EQ(4, records[0].ilen);
    EXPECT_STREQ("Title one", records[0].title);
    EXPECT_EQ(10, records[0].tlen);
    EXPECT_EQ("ACDEfg", body());
    EXPECT_EQ(8, records[0].slen);

    ASSERT_EQ(1, next(0, 2));
    EXPECT_STREQ("two", records[0].id);
    EXPECT_STREQ("", records[0].title);
    EXPECT_EQ(2, records[0].slen);
    EXPECT_EQ("", body());

    EXPECT_EQ(0, next(0, 2));
    EXPECT_EQ(0, records[0].ilen);
    EXPECT_EQ("", messages);
}

TEST_F(Gseq, ModesChooseBodyReaderAndCoding)
{
    char alphabet[] = "ACGT";
    matrix.alphabet = alphabet;
    matrix.asize = 7;
    const std::string input = ">s\nt\nG-a 1c*\n";
    struct Row {
        int mode;
        std::string body;
    };
    const Row rows[] = {
        {-4, "G-a1c"},
        {0, "G-a1c"},
        {2, "Gac"},
        {9, "Gac"},
    };
    for (const Row &row : rows) {
        FILE *stream = stream_of(input);
        int index = 1;
        ASSERT_EQ(1, gseq(stream, records, &index, row.mode)) << "mode " << row.mode;
        EXPECT_EQ(1, index);
        EXPECT_EQ(row.body, body(1)) << "mode " << row.mode;
        fclose(stream);
    }
    // Mode 1 codes the leading blank and every letter; the NUL stays.
    ASSERT_EQ(1, read(input, 2, 1));
    const char coded[] = {5, 2, 5, 5, '\0'}; // lower case is missing
    EXPECT_EQ(5, records[2].slen);
    EXPECT_EQ(0, memcmp(coded, records[2].seq, sizeof coded));
}

TEST_F(Gseq, IndexOutsideBoundReadsNothing)
{
    MAXnseq = 3;
    EXPECT_EQ(0, read(">a\nt\n*\n", 2, 2));
    EXPECT_EQ(0, next(-1, 2));
    EXPECT_EQ(nullptr, records[2].id);
    ASSERT_EQ(1, next(1, 2));
    EXPECT_STREQ("a", records[1].id);
}

TEST_F(Gseq, InputEndingInsideEntry)
{
    struct Row {
        std::string input;
        int mode;
        std::string messages;
        int ilen, tlen, slen;
    };
    const Row rows[] = {
        {">id\n", 2, "End of file before title found\n", 3, 0, -1},
        {">id\ntitle without line feed", 2, "End of file before title found\n", 3, 0, -1},
        {">id\ntitle\nACGT", 2, "Zero length sequence: id\n", 3, 6, 0},
        {">id\ntitle\nACGT", 1, "Zero length sequence: id\n", 3, 6, 0},
        // The structure reader gives no message, but no success either.
        {">id\ntitle\nACGT", 0, "", 3, 6, 0},
        {"only junk\n", 2, "", 0, -1, -1},
        // A cut-off identifier line starts an entry that has no title.
        {">unterminated", 2, "End of file before title found\n", 13, 0, -1},
        {"junk\n>id at end", 0, "End of file before title found\n", 3, 0, -1},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row &row = rows[i];
        seqentry &entry = records[0];
        entry.tlen = -1;
        entry.slen = 0;
        FILE *stream = stream_of(row.input);
        int index = 0;
        testing::internal::CaptureStderr();
        EXPECT_EQ(0, gseq(stream, records, &index, row.mode)) << "row " << i;
        EXPECT_EQ(row.messages, testing::internal::GetCapturedStderr()) << "row " << i;
        EXPECT_EQ(row.ilen, entry.ilen) << "row " << i;
        if (row.tlen >= 0) {
            EXPECT_EQ(row.tlen, entry.tlen) << "row " << i;
        }
        if (row.slen >= 0) {
            EXPECT_EQ(row.slen, entry.slen) << "row " << i;
        }
        fclose(stream);
        free(entry.id);
        free(entry.title);
        free(entry.seq);
        entry = seqentry{};
    }
}

TEST_F(Gseq, OverlongIdentifierLineSpillsIntoTitleAndBody)
{
    ASSERT_EQ(1, read(">abcdefghijklmnopqrstuvwxyz\nReal Title\nMK*\n", 0, 2));
    EXPECT_STREQ("abcdefghijklmnopqr", records[0].id); // 19 characters, ">" included
    EXPECT_EQ(19, records[0].ilen);
    EXPECT_STREQ("stuvwxyz", records[0].title);
    EXPECT_EQ("RealTitleMK", body());
}

TEST_F(Gseq, FullBuffersAreTakenWhole)
{
    // An identifier line of 19 characters leaves its line feed: the title
    // is empty and the real title line joins the body.
    ASSERT_EQ(1, read(">abcdefghijklmnopqr\nT1\nAB*\n", 0, 2));
    EXPECT_EQ(19, records[0].ilen);
    EXPECT_STREQ("", records[0].title);
    EXPECT_EQ("TAB", body());

    // A title of 499 characters is taken whole; its line feed is skipped.
    const std::string title(499, 't');
    fclose(in);
    in = nullptr;
    ASSERT_EQ(1, read(">id\n" + title + "\nAB*\n", 0, 2));
    EXPECT_EQ(500, records[0].tlen);
    EXPECT_EQ(title, records[0].title);
    EXPECT_EQ("AB", body());
}

TEST_F(Gseq, TruncatedBodyIsReturnedAndRestSkipped)
{
    MAXslen = 6;
    ASSERT_EQ(1, read(">long\nt\nABCDEFGH\nIJ*\n>next\nt2\nXY*\n", 0, 2));
    EXPECT_EQ("Sequence Truncated to: 6\n", messages);
    EXPECT_EQ("ABCD", body());
    EXPECT_EQ(6, records[0].slen);
    ASSERT_EQ(1, next(0, 2));
    EXPECT_STREQ("next", records[0].id);
    EXPECT_EQ("XY", body());
    EXPECT_EQ("", messages);
}

TEST_F(Gseq, LimitsAreReadAtEveryRead)
{
    ASSERT_EQ(1, read(">first\nt\nABCDEF*\n>second\nt\nABCDEF*\n", 0, 2));
    EXPECT_EQ("ABCDEF", body());
    MAXslen = 5;
    MAXilen = 4;
    ASSERT_EQ(1, next(0, 2));
    EXPECT_STREQ("se", records[0].id);
    EXPECT_STREQ("cond", records[0].title);
    EXPECT_EQ("tAB", body());
    EXPECT_EQ("Sequence Truncated to: 5\n", messages);
}

TEST_F(Gseq, LimitsBelowTwoAreTakenAsTwo)
{
    MAXilen = 1;
    MAXtlen = 0;
    MAXslen = -7;
    // Lines are read one character at a time: ">" alone is an empty
    // identifier, the title is one character and every body is cut at once.
    ASSERT_EQ(1, read(">ab\nAC*\n", 0, 2));
    EXPECT_STREQ("", records[0].id);
    EXPECT_STREQ("a", records[0].title);
    EXPECT_EQ(2, records[0].slen);
    EXPECT_EQ("Sequence Truncated to: 2\n", messages);
    while (next(0, 2) == 1) {
    }
    EXPECT_EQ(0, records[0].ilen);
}

TEST_F(Gseq, BufferThatCannotBeObtainedEndsProcess)
{
    struct Row {
        bool reused; // the record already holds buffers
        int *limit;
        const char *message;
    };
    const Row rows[] = {
        {false, &MAXilen, "No space for ID - gseq - (1)"},
        {true, &MAXilen, "No space for ID - gseq - (2)"},
        {false, &MAXtlen, "No space for TITLE - gseq (1)"},
        {true, &MAXtlen, "No space for TITLE - gseq - (2)"},
        {false, &MAXslen, "No space for SEQ - gseq - (1)"},
        {true, &MAXslen, "No space for SEQ - gseq - (2)"},
    };
    const std::string enomem = strerror(ENOMEM);
    for (const Row &row : rows) {
        EXPECT_EXIT(
            {
                in = stream_of(">id\ntitle\nAC*\n>id2\ntitle\nAC*\n");
                int index = 0;
                if (row.reused)
                    gseq(in, records, &index, 2);
                refuse_large_allocations();
                *row.limit = INT_MAX;
                gseq(in, records, &index, 2);
            },
            testing::ExitedWithCode(1),
            ReportIs("malloc/realloc error: " + enomem + "\n" + row.message + "\n"))
            << row.message;
    }
}

} // namespace
