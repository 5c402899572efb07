// A program that links only the installed libraries (seqio, qvutil) and
// defines no matrix of its own: it links, reads entries, and the library's
// residue-coding record starts zeroed and can be filled for coding.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "seqio/seqio.h"
#include "support/capture.h"

namespace {

struct Reading {
    seqentry record{};
    int index = 0;
    FILE *in = nullptr;

    explicit Reading(const std::string &input) : in(stream_of(input)) {}
    ~Reading()
    {
        free(record.id);
        free(record.title);
        free(record.seq);
        fclose(in);
    }
    int next(int mode) { return gseq(in, &record, &index, mode); }
    std::string body() const { return std::string(record.seq + 1, record.slen - 2); }
};

TEST(LibraryOnly, ReadsAndWritesEntriesWithoutTheProgram)
{
    Reading reading("C; comment\n>P1;ONE first\nTitle one\n  1 AC-gt 9\nW*\n");
    ASSERT_EQ(1, reading.next(2));
    EXPECT_STREQ("ONE", reading.record.id);
    EXPECT_STREQ("Title one", reading.record.title);
    EXPECT_EQ("ACgtW", reading.body());

    FILE *out = tmpfile();
    pseq(out, &reading.record, &reading.index);
    EXPECT_EQ(">ONE\nTitle one\nACgtW*\n", contents_of(out));
    fclose(out);
    EXPECT_EQ(0, reading.next(2));
}

TEST(LibraryOnly, ResidueCodingRecordStartsZeroedAndCanBeFilled)
{
    // Untouched, as every test here leaves it: no alphabet, size 0, so a
    // letter is missing and gets 0 - 2 in the low byte.
    EXPECT_EQ(nullptr, matrix.alphabet);
    EXPECT_EQ(0, matrix.asize);
    EXPECT_EQ(0, matrix.reserved);
    EXPECT_EQ(254, sfind('A'));

    static char letters[] = "ACGT";
    matrix.alphabet = letters;
    matrix.asize = 6;
    Reading reading(">id\ntitle\nGATXa*\n");
    ASSERT_EQ(1, reading.next(1));
    const std::string codes = {2, 0, 3, 4, 4}; // X and a are missing: 6 - 2
    EXPECT_EQ(codes, reading.body());
    matrix = residuecoding{};
}

} // namespace
