// The entry reader, with the capacity limits it reads, and the entry writer.
#include "seqio/seqio.h"

#include <cstdlib>

#include "qvutil/qvutil.h"

int MAXnseq = 1000;
int MAXslen = 8000;
int MAXilen = 20;
int MAXtlen = 500;

// A capacity below 2 leaves no room for a character and its NUL (or for the
// body's leading blank and NUL), and the readers could not progress.
static int capacity(int limit)
{
    return limit < 2 ? 2 : limit;
}

// Brings a buffer to size bytes before a read: a new one when the record
// holds none yet, else the record's own, resized.
static char *sizeforread(char *buffer, bool fresh, int size, const char *newtext, const char *resizetext)
{
    char *sized = static_cast<char *>(fresh ? malloc(size) : realloc(buffer, size));
    mcheck(sized, fresh ? newtext : resizetext);
    return sized;
}

// Shrinks a buffer to its stored length after a read (a full one stays).
static char *shrinktofit(char *buffer, int length, int size, const char *text)
{
    if (length == size)
        return buffer;
    char *shrunk = static_cast<char *>(realloc(buffer, length));
    mcheck(shrunk, text);
    return shrunk;
}

int gseq(FILE *in, seqentry *records, int *index, int mode)
{
    if (*index < 0 || static_cast<long>(*index) >= static_cast<long>(MAXnseq) - 1)
        return 0;
    seqentry *entry = &records[*index];
    // All three buffers are new or reused by the same test: slen 0 means the
    // record holds none.
    const bool fresh = entry->slen == 0;

    const int ilimit = capacity(MAXilen);
    entry->id = sizeforread(entry->id, fresh, ilimit, "No space for ID - gseq - (1)", "No space for ID - gseq - (2)");
    entry->ilen = getid(in, entry->id, ilimit);
    if (entry->ilen <= 0)
        return 0;
    entry->id = shrinktofit(entry->id, entry->ilen, ilimit, "No space for ID - gseq - (3)");

    const int tlimit = capacity(MAXtlen);
    entry->title = sizeforread(entry->title, fresh, tlimit, "No space for TITLE - gseq (1)",
                               "No space for TITLE - gseq - (2)");
    entry->tlen = getline(in, entry->title, tlimit);
    if (entry->tlen <= 0) {
        fputs("End of file before title found\n", stderr);
        return 0;
    }
    entry->title = shrinktofit(entry->title, entry->tlen, tlimit, "No space for TITLE - gseq - (3)");

    const int slimit = capacity(MAXslen);
    entry->seq = sizeforread(entry->seq, fresh, slimit, "No space for SEQ - gseq - (1)", "No space for SEQ - gseq - (2)");
    if (mode <= 0) {
        // A structure body cut off by the end of input is no entry either.
        entry->slen = getsec(in, entry->seq, slimit);
        if (entry->slen <= 0)
            return 0;
    } else {
        entry->slen = getseq(in, entry->seq, slimit);
        if (entry->slen <= 0) {
            fprintf(stderr, "Zero length sequence: %s\n", entry->id);
            return 0;
        }
    }
    entry->seq = shrinktofit(entry->seq, entry->slen, slimit, "No space for SEQ - gseq - (3)");

    if (mode == 1)
        seqtoi(entry->seq, entry->slen);
    return 1;
}

int pseq(FILE *out, seqentry *records, int *index)
{
    const seqentry *entry = &records[*index];
    fprintf(out, ">%s\n", entry->id);
    fprintf(out, "%s\n", entry->title);
    // The body as held, without the leading blank and the NUL: after a
    // mode 1 read these are residue codes, NUL bytes included.
    if (entry->slen > 2)
        fwrite(entry->seq + 1, 1, static_cast<size_t>(entry->slen - 2), out);
    fputs("*\n", out);
    fflush(out);
    return 1;
}
