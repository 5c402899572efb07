// The entry reader over any bytes, in every mode, with capacity limits,
// index bound and residue alphabet taken from the input (tiny and negative
// limits included). Every entry read must keep the record's invariants and
// every message must be the one its failure calls for. A mode 1 read is
// checked against a mode 2 read of the same bytes, coded by hand.
//
// The trailer, read from the end: mode, MAXilen, MAXtlen, MAXslen, MAXnseq,
// index, alphabet choice, asize; the bytes before it are the stream.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "seqio/seqio.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr int record_count = 4;

const char *const alphabets[] = {nullptr, "", "ARNDCQEGHILKMFPSTWYVBZX*", "acgtACGT -"};

// The capacity gseq uses for a limit.
int capacity(int limit)
{
    return limit < 2 ? 2 : limit;
}

struct reader {
    FILE *in;
    seqentry records[record_count];
};

void release(seqentry &entry)
{
    free(entry.id);
    free(entry.title);
    free(entry.seq);
    entry = seqentry{};
}

// One gseq call with its messages caught.
int read_entry(reader &from, int index, int mode, std::string &messages)
{
    caught_stderr caught;
    catch_stderr(caught);
    int result = gseq(from.in, from.records, &index, mode);
    messages = release_stderr(caught);
    return result;
}

// What must hold of an entry read in mode (any mode: the body is checked by
// the caller).
void check_entry(const seqentry &entry, const std::string &messages, int mode)
{
    const int ilimit = capacity(MAXilen);
    const int tlimit = capacity(MAXtlen);
    const int slimit = capacity(MAXslen);

    FUZZ_CHECK(entry.ilen >= 1 && entry.ilen <= ilimit);
    FUZZ_CHECK(holds_exactly(entry.id, static_cast<size_t>(entry.ilen)));
    FUZZ_CHECK(strlen(entry.id) == static_cast<size_t>(entry.ilen - 1));
    FUZZ_CHECK(strchr(entry.id, ' ') == nullptr);

    FUZZ_CHECK(entry.tlen >= 1 && entry.tlen <= tlimit);
    FUZZ_CHECK(holds_exactly(entry.title, static_cast<size_t>(entry.tlen)));
    FUZZ_CHECK(entry.title[entry.tlen - 1] == '\0');
    FUZZ_CHECK(memchr(entry.title, '\n', static_cast<size_t>(entry.tlen)) == nullptr);

    FUZZ_CHECK(entry.slen >= 2 && entry.slen <= slimit);
    FUZZ_CHECK(holds_exactly(entry.seq, static_cast<size_t>(entry.slen)));
    FUZZ_CHECK(entry.seq[entry.slen - 1] == '\0');

    // Only a full body may be reported as truncated.
    const std::string truncated =
        std::string(mode <= 0 ? "Structure" : "Sequence") + " Truncated to: " + std::to_string(slimit) + "\n";
    FUZZ_CHECK(messages.empty() || (messages == truncated && entry.slen == slimit));
}

void check_body(const seqentry &entry, int mode)
{
    if (mode == 1)
        return; // coded: checked against the plain read
    FUZZ_CHECK(entry.seq[0] == ' ');
    for (int i = 1; i < entry.slen - 1; ++i) {
        const unsigned char c = static_cast<unsigned char>(entry.seq[i]);
        if (mode <= 0)
            FUZZ_CHECK(c != '*' && !isspace(c));
        else
            FUZZ_CHECK(isalpha(c));
    }
}

// What a read that returned 0 may have written, given the step that failed.
void check_failure(const seqentry &entry, const std::string &messages, int mode)
{
    if (entry.ilen <= 0) {
        FUZZ_CHECK(messages.empty());
    } else if (entry.tlen <= 0) {
        FUZZ_CHECK(messages == "End of file before title found\n");
    } else {
        FUZZ_CHECK(entry.slen == 0);
        if (mode <= 0)
            FUZZ_CHECK(messages.empty());
        else
            FUZZ_CHECK(messages == "Zero length sequence: " + std::string(entry.id) + "\n");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzbytes bytes{data, size};
    const int mode = take_number(bytes, -1, 3);
    MAXilen = take_number(bytes, -2, 40);
    MAXtlen = take_number(bytes, -2, 300);
    MAXslen = take_number(bytes, -2, 9000);
    MAXnseq = take_number(bytes, -1, record_count + 1);
    const int index = take_number(bytes, -1, record_count - 1);
    matrix.alphabet = const_cast<char *>(alphabets[take_number(bytes, 0, 3)]);
    matrix.asize = take_number(bytes, -300, 300);
    const std::string input = take_rest(bytes);

    reader coded{stream_over(input), {}};
    reader plain{stream_over(input), {}};
    const bool refused = index < 0 || index >= MAXnseq - 1;
    for (int entries = 0;; ++entries) {
        std::string messages;
        const int result = read_entry(coded, index, mode, messages);
        if (refused) {
            FUZZ_CHECK(result == 0 && messages.empty() && ftell(coded.in) == 0);
            break;
        }
        // Letters only: read the same bytes in mode 2 alongside.
        std::string plain_messages;
        const int plain_result = mode == 1 ? read_entry(plain, index, 2, plain_messages) : 0;
        const seqentry &entry = coded.records[index];
        if (result == 0) {
            check_failure(entry, messages, mode);
            if (mode == 1)
                FUZZ_CHECK(plain_result == 0 && plain_messages == messages);
            break;
        }
        FUZZ_CHECK(result == 1);
        check_entry(entry, messages, mode);
        check_body(entry, mode);
        if (mode == 1) {
            const seqentry &letters = plain.records[index];
            FUZZ_CHECK(plain_result == 1 && plain_messages == messages);
            FUZZ_CHECK(strcmp(letters.id, entry.id) == 0 && letters.slen == entry.slen);
            FUZZ_CHECK(letters.tlen == entry.tlen && memcmp(letters.title, entry.title, entry.tlen) == 0);
            // Position 0, the leading blank, is coded too.
            for (int i = 0; i < entry.slen - 1; ++i)
                FUZZ_CHECK(entry.seq[i] == static_cast<char>(sfind(static_cast<unsigned char>(letters.seq[i]))));
        }
        // The other records are never touched.
        for (int other = 0; other < record_count; ++other)
            if (other != index)
                FUZZ_CHECK(coded.records[other].id == nullptr && coded.records[other].slen == 0);
    }

    for (seqentry &entry : coded.records)
        release(entry);
    for (seqentry &entry : plain.records)
        release(entry);
    fclose(coded.in);
    fclose(plain.in);
    MAXnseq = 1000;
    MAXslen = 8000;
    MAXilen = 20;
    MAXtlen = 500;
    matrix = residuecoding{};
    return 0;
}
