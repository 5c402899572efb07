#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "seqio/seqio.h"
#include "support/capture.h"

namespace {

// A record over the caller's strings; seq holds the leading blank and the
// body, and slen counts its NUL.
seqentry record_of(std::string &id, std::string &title, std::string &seq)
{
    return {static_cast<int>(id.size()) + 1, id.data(), static_cast<int>(title.size()) + 1, title.data(),
            static_cast<int>(seq.size()) + 1, seq.data()};
}

std::string pseq_output(seqentry *records, int index)
{
    FILE *out = tmpfile();
    int result = pseq(out, records, &index);
    EXPECT_EQ(1, result);
    std::string text = contents_of(out);
    fclose(out);
    return text;
}

void release(seqentry &entry)
{
    free(entry.id);
    free(entry.title);
    free(entry.seq);
}

TEST(Pseq, WritesIdTitleBodyAndStar)
{
    struct Row {
        std::string id, title, seq;
        std::string expected;
    };
    Row rows[] = {
        {"abc", "a title", " ACDE", ">abc\na title\nACDE*\n"},
        {"x", "t", " ", ">x\nt\n*\n"},   // empty body: slen 2
        {"", "", " ", ">\n\n*\n"},
        {"id", "t\r", " aBc", ">id\nt\r\naBc*\n"},
        // Residue codes as a mode 1 read leaves them: every byte as held.
        {"coded", "t", std::string(" \x00\x05\xff", 4), ">coded\nt\n" + std::string("\x00\x05\xff", 3) + "*\n"},
        {"long", "t", " " + std::string(10000, 'W'), ">long\nt\n" + std::string(10000, 'W') + "*\n"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        seqentry entry = record_of(rows[i].id, rows[i].title, rows[i].seq);
        EXPECT_EQ(rows[i].expected, pseq_output(&entry, 0)) << "row " << i;
    }
}

TEST(Pseq, ReadsIndexWithoutChangingIt)
{
    std::string id0 = "first", title0 = "t0", seq0 = " AA";
    std::string id1 = "second", title1 = "t1", seq1 = " CC";
    seqentry records[] = {record_of(id0, title0, seq0), record_of(id1, title1, seq1)};
    FILE *out = tmpfile();
    int index = 1;
    pseq(out, records, &index);
    pseq(out, records, &index);
    EXPECT_EQ(1, index);
    EXPECT_EQ(">second\nt1\nCC*\n>second\nt1\nCC*\n", contents_of(out));
    fclose(out);
}

TEST(Pseq, EntryIsOnTheFileWhenItReturns)
{
    char path[] = "/tmp/pseq-flush-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    FILE *out = fopen(path, "w");
    ASSERT_NE(nullptr, out);
    // A buffer far larger than the entry: only a flush puts it on the file.
    setvbuf(out, nullptr, _IOFBF, 1 << 16);
    std::string id = "abc", title = "title", seq = " ACGT";
    seqentry entry = record_of(id, title, seq);
    int index = 0;
    pseq(out, &entry, &index);

    FILE *in = fopen(path, "r");
    ASSERT_NE(nullptr, in);
    EXPECT_EQ(">abc\ntitle\nACGT*\n", contents_of(in));
    fclose(in);
    fclose(out);
    remove(path);
}

// Reads every entry of text in mode 2, writes each with pseq and reads the
// written stream back: the same identifiers, titles and residues return.
TEST(Pseq, RoundTripThroughTheReader)
{
    const std::string longest_id(MAXilen - 3, 'i'); // the longest that returns whole
    const std::string full_body(MAXslen - 2, 'K');  // the reader's capacity, "*" right behind
    const std::string text = "junk before\n"
                             ">abc first entry\ntitle one\nAC DE\n12 fg-hi\n*\n"
                             ">\n\n*\n"
                             ">P1;named\ntitle \xe9\xff with high bytes\nmM*\n"
                             ">cr\ntitle with CR\r\nA\r\nB*\r\n"
                             ">" + longest_id + "\nt\nW*\n"
                             ">big\nt\n" + full_body + "*\n";
    struct Entry {
        std::string id, title, seq;
    };
    const Entry expected[] = {
        {"abc", "title one", " ACDEfghi"},
        {"", "", " "},
        {"named", "title \xe9\xff with high bytes", " mM"},
        {"cr", "title with CR\r", " AB"},
        {longest_id, "t", " W"},
        {"big", "t", " " + full_body},
    };

    FILE *in = stream_of(text);
    FILE *written = tmpfile();
    seqentry first{};
    int index = 0;
    size_t count = 0;
    testing::internal::CaptureStderr();
    while (gseq(in, &first, &index, 2) == 1) {
        pseq(written, &first, &index);
        ++count;
    }
    EXPECT_EQ(std::size(expected), count);
    rewind(written);

    seqentry again{};
    for (size_t i = 0; i < std::size(expected); ++i) {
        ASSERT_EQ(1, gseq(written, &again, &index, 2)) << "entry " << i;
        EXPECT_EQ(expected[i].id, again.id) << "entry " << i;
        EXPECT_EQ(expected[i].title, again.title) << "entry " << i;
        EXPECT_EQ(expected[i].seq, again.seq) << "entry " << i;
        EXPECT_EQ(static_cast<int>(expected[i].seq.size()) + 1, again.slen) << "entry " << i;
    }
    EXPECT_EQ(0, gseq(written, &again, &index, 2));
    EXPECT_EQ("", testing::internal::GetCapturedStderr());
    release(first);
    release(again);
    fclose(in);
    fclose(written);
}

// The writer's identifier line is read back through identifier cleaning: a
// ";" in the identifier cuts it again.
TEST(Pseq, IdentifierWithSemicolonComesBackCut)
{
    FILE *in = stream_of(">x;a;b c\nt\nQ*\n");
    FILE *written = tmpfile();
    seqentry entry{};
    int index = 0;
    ASSERT_EQ(1, gseq(in, &entry, &index, 2));
    EXPECT_STREQ("a;b", entry.id);
    pseq(written, &entry, &index);
    rewind(written);
    ASSERT_EQ(1, gseq(written, &entry, &index, 2));
    EXPECT_STREQ("b", entry.id);
    EXPECT_STREQ(" Q", entry.seq);
    release(entry);
    fclose(in);
    fclose(written);
}

} // namespace
