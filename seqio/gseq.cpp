// The entry reader, with the capacity limits it reads, and the entry writer.
#include "seqio/seqio.h"

#include <cstdlib>
#include <cstring>

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

// The readers work in buffers of full capacity that the process keeps from
// entry to entry; a record then takes a copy of exactly what was stored.
// A record's buffer is resized only when its length changes, instead of
// growing to capacity and shrinking back for every entry.
struct workbuffer {
    char *bytes;
    int size;
};
static workbuffer idwork, titlework, seqwork;

// Brings a work buffer to size bytes before a read. A failure is reported
// as that of a new buffer when the record holds none yet.
static char *sizeforread(workbuffer *work, bool fresh, int size, const char *newtext, const char *resizetext)
{
    if (work->size != size) {
        char *sized = static_cast<char *>(realloc(work->bytes, size));
        mcheck(sized, fresh ? newtext : resizetext);
        work->bytes = sized;
        work->size = size;
    }
    return work->bytes;
}

// The record's copy of the length bytes a read stored: a new buffer when
// the record holds none or its own (oldlength bytes) is not the right size.
// The old text is replaced, so a new buffer is not worth a resize that
// would copy it.
static char *keepcopy(char *buffer, bool fresh, int oldlength, const char *stored, int length, const char *newtext,
                      const char *resizetext)
{
    if (fresh || length != oldlength) {
        if (!fresh)
            free(buffer);
        buffer = static_cast<char *>(malloc(length));
        if (buffer == nullptr)
            mcheck(buffer, fresh ? newtext : resizetext); // reports and ends the process
    }
    memcpy(buffer, stored, length);
    return buffer;
}

int gseq(FILE *in, seqentry *records, int *index, int mode)
{
    if (*index < 0 || static_cast<long>(*index) >= static_cast<long>(MAXnseq) - 1)
        return 0;
    seqentry *entry = &records[*index];
    // All three buffers are new or reused by the same test: slen 0 means the
    // record holds none.
    const bool fresh = entry->slen == 0;

    // The sizes of the record's buffers, when it holds any. A failed step
    // leaves its 0 in ilen or tlen, which never matches a stored length, so
    // the buffer behind it is replaced at the next read.
    const int oldilen = fresh ? 0 : entry->ilen;
    const int oldtlen = fresh ? 0 : entry->tlen;
    const int oldslen = entry->slen;

    const int ilimit = capacity(MAXilen);
    char *line = sizeforread(&idwork, fresh, ilimit, "No space for ID - gseq - (1)", "No space for ID - gseq - (2)");
    entry->ilen = getid(in, line, ilimit);
    if (entry->ilen <= 0)
        return 0;
    entry->id = keepcopy(entry->id, fresh, oldilen, line, entry->ilen, "No space for ID - gseq - (1)",
                         "No space for ID - gseq - (3)");

    const int tlimit = capacity(MAXtlen);
    char *title = sizeforread(&titlework, fresh, tlimit, "No space for TITLE - gseq (1)",
                              "No space for TITLE - gseq - (2)");
    entry->tlen = getline(in, title, tlimit);
    if (entry->tlen <= 0) {
        fputs("End of file before title found\n", stderr);
        return 0;
    }
    entry->title = keepcopy(entry->title, fresh, oldtlen, title, entry->tlen, "No space for TITLE - gseq (1)",
                            "No space for TITLE - gseq - (3)");

    const int slimit = capacity(MAXslen);
    char *body = sizeforread(&seqwork, fresh, slimit, "No space for SEQ - gseq - (1)", "No space for SEQ - gseq - (2)");
    if (mode <= 0) {
        // A structure body cut off by the end of input is no entry either.
        entry->slen = getsec(in, body, slimit);
        if (entry->slen <= 0)
            return 0;
    } else {
        entry->slen = getseq(in, body, slimit);
        if (entry->slen <= 0) {
            fprintf(stderr, "Zero length sequence: %s\n", entry->id);
            return 0;
        }
    }
    entry->seq = keepcopy(entry->seq, fresh, oldslen, body, entry->slen, "No space for SEQ - gseq - (1)",
                          "No space for SEQ - gseq - (3)");

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
