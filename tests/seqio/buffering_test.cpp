// The readers take bytes from the stream's buffer in bulk: what they return
// and where they leave the stream must not depend on how the stream is
// buffered, where its buffer ends, or on bytes pushed back into it.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "seqio/seqio.h"
#include "support/capture.h"

namespace {

// Everything one run of gseq calls over an input gives, in one string.
std::string read_all(const std::string &input, int mode, int buffering, size_t size)
{
    FILE *in = stream_of(input);
    std::vector<char> storage(size > 0 ? size : 1);
    setvbuf(in, buffering == _IONBF ? nullptr : storage.data(), buffering, size);
    seqentry records[1] = {};
    int index = 0;
    std::string log;
    testing::internal::CaptureStderr();
    for (;;) {
        int result = gseq(in, records, &index, mode);
        const seqentry &entry = records[0];
        log += std::to_string(result) + " at " + std::to_string(ftell(in)) + "\n";
        if (result != 1)
            break;
        log += std::to_string(entry.ilen) + ":" + std::string(entry.id, entry.ilen) + "\n";
        log += std::to_string(entry.tlen) + ":" + std::string(entry.title, entry.tlen) + "\n";
        log += std::to_string(entry.slen) + ":" + std::string(entry.seq, entry.slen) + "\n";
    }
    log += "stderr: " + testing::internal::GetCapturedStderr();
    std::string rest;
    for (int c; (c = getc(in)) != EOF;)
        rest += static_cast<char>(c);
    log += "rest: " + rest;
    fclose(in);
    free(records[0].id);
    free(records[0].title);
    free(records[0].seq);
    return log;
}

// Entries of every kind the readers meet, with bodies long and short, in
// many layouts: runs of letters of every length around 16 and 32, gap
// marks, digits, CRs, NULs, high bytes, overlong identifier and title
// lines, bodies over capacity, "*" at every offset. Fixed seed.
std::string mixed_input()
{
    uint64_t state = 12345;
    auto below = [&state](int bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((state >> 33) % static_cast<uint64_t>(bound));
    };
    const std::string fillers[] = {" ", "\n", "\r\n", "-", "..", "  123 ", "\t", std::string(1, '\0')};
    std::string text = "leading junk line\n";
    for (int entry = 0; entry < 300; ++entry) {
        switch (below(6)) {
        case 0: text.append(">").append(below(40), 'i').append(" x\n"); break;
        case 1: text.append(">P1;E").append(std::to_string(entry)).append("\n"); break;
        default: text.append(">F1;ID").append(std::to_string(entry)).append(" words; more\n"); break;
        }
        text += below(10) == 0 ? std::string(490 + below(30), 't') + "\n" : "title " + std::to_string(entry) + "\n";
        int pieces = below(4) == 0 ? 400 : below(40);
        for (int i = 0; i < pieces; ++i) {
            int run = below(3) == 0 ? 14 + below(36) : below(12);
            for (int k = 0; k < run; ++k)
                text += static_cast<char>(below(2) ? 'A' + below(26) : 'a' + below(26));
            if (below(8) == 0)
                text += static_cast<char>(0x80 + below(128));
            text += fillers[below(8)];
        }
        text += below(5) == 0 ? "\n*\n" : "*";
        if (below(3) == 0)
            text += "text after the star\n";
    }
    return text;
}

struct Limits {
    int slen, ilen, tlen;
};

TEST(Buffering, ResultsAndPositionsIndependentOfStreamBuffer)
{
    const std::string input = mixed_input();
    const Limits limits[] = {{8000, 20, 500}, {40, 20, 500}, {33, 6, 9}, {35, 20, 17}, {200, 3, 40}};
    const size_t sizes[] = {1, 2, 3, 7, 15, 16, 17, 31, 32, 33, 48, 100, 4096};
    for (const Limits &limit : limits) {
        MAXslen = limit.slen;
        MAXilen = limit.ilen;
        MAXtlen = limit.tlen;
        for (int mode : {0, 2}) {
            const std::string expected = read_all(input, mode, _IONBF, 0);
            size_t entries = 0;
            for (size_t at = 0; (at = expected.find("\n1 at ", at)) != std::string::npos; ++at)
                ++entries;
            ASSERT_GT(entries, 100u) << "mode " << mode << ", MAXslen " << limit.slen;
            for (size_t size : sizes)
                EXPECT_EQ(expected, read_all(input, mode, _IOFBF, size))
                    << "buffer " << size << ", mode " << mode << ", MAXslen " << limit.slen;
        }
    }
    MAXslen = 8000;
    MAXilen = 20;
    MAXtlen = 500;
}

TEST(Buffering, EveryByteValueClassifiedAsInDefaultLocale)
{
    // All 255 byte values other than "*", at every offset of a block.
    std::string body;
    for (int shift = 0; shift < 17; ++shift)
        for (int c = 1; c < 256; ++c)
            if (c != '*')
                body += static_cast<char>((c + shift) % 256 == '*' ? 'q' : (c + shift) % 256);
    std::string letters = " ", nonwhite = " ";
    for (char c : body) {
        if (isalpha(static_cast<unsigned char>(c)))
            letters += c;
        if (!isspace(static_cast<unsigned char>(c)))
            nonwhite += c;
    }
    const struct {
        int (*reader)(FILE *, char *, int);
        const std::string &expected;
    } rows[] = {{getseq, letters}, {getsec, nonwhite}};
    for (const auto &row : rows) {
        FILE *in = stream_of(body + "*rest");
        std::vector<char> buffer(8000);
        int result = row.reader(in, buffer.data(), 8000);
        ASSERT_EQ(static_cast<int>(row.expected.size()) + 1, result);
        EXPECT_EQ(row.expected, std::string(buffer.data(), result - 1));
        EXPECT_EQ('r', getc(in));
        fclose(in);
    }
}

TEST(Buffering, PushedBackByteIsRead)
{
    // "x" is read and ">" pushed back in its place: the stream now holds
    // the byte outside its buffer, and the readers must see it first.
    FILE *in = stream_of("xid\nTitle\nAC*D*");
    ASSERT_EQ('x', getc(in));
    ASSERT_EQ('>', ungetc('>', in));
    char line[20];
    ASSERT_EQ(3, getid(in, line, sizeof line));
    EXPECT_STREQ("id", line);
    ASSERT_EQ(6, getline(in, line, sizeof line));
    EXPECT_STREQ("Title", line);
    ASSERT_EQ('A', getc(in));
    ASSERT_EQ('G', ungetc('G', in));
    ASSERT_EQ(4, getseq(in, line, sizeof line));
    EXPECT_STREQ(" GC", line);
    EXPECT_EQ('D', getc(in));
    fclose(in);
}

} // namespace
