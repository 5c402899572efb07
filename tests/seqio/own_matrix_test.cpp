// A program that defines matrix itself, as pirclean does, keeps its own
// storage: the library codes residues by what this definition holds from
// the start, and there is a single record.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "seqio/seqio.h"
#include "support/capture.h"

static char own_letters[] = "TGCA";
residuecoding matrix = {7, own_letters, 10};

namespace {

TEST(OwnMatrix, LibraryReadsTheProgramsDefinition)
{
    EXPECT_EQ(3, sfind('A'));
    EXPECT_EQ(0, sfind('T'));
    EXPECT_EQ(8, sfind('N')); // missing: 10 - 2

    FILE *in = stream_of(">id\ntitle\nGATN*\n");
    seqentry record{};
    int index = 0;
    ASSERT_EQ(1, gseq(in, &record, &index, 1));
    const std::string codes = {1, 3, 0, 8};
    EXPECT_EQ(codes, std::string(record.seq + 1, record.slen - 2));

    // A change made here is what the library sees next.
    matrix.asize = 4;
    EXPECT_EQ(2, sfind('N'));
    matrix.asize = 10;

    free(record.id);
    free(record.title);
    free(record.seq);
    fclose(in);
}

} // namespace
