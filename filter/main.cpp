// pirclean: reads sequence entries on standard input and writes each in PIR
// form: ">P1;" + identifier, the title line, the body's letters and "*".
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "filter/filter.h"
#include "qvutil/qvutil.h"
#include "seqio/seqio.h"

int main(int argc, char **)
{
    // Larger stdio buffers than the usual 4 KB: fewer read and write calls
    // on long inputs, still a small fixed amount of memory.
    static char inbuffer[1 << 16];
    static char outbuffer[1 << 16];
    // Static, so that the record and its buffers stay reachable until exit.
    static seqentry *records;

    setvbuf(stdin, inbuffer, _IOFBF, sizeof inbuffer);
    // A terminal keeps its line buffering, so output shows entry by entry.
    if (!isatty(fileno(stdout)))
        setvbuf(stdout, outbuffer, _IOFBF, sizeof outbuffer);
    records = static_cast<seqentry *>(calloc(1, sizeof(seqentry)));
    mcheck(records, "No space for the sequence record");
    int index = 0;
    // One record for the whole run: the reader reuses its buffers.
    while (gseq(stdin, records, &index, 2) > 0) {
        seqentry *entry = &records[index];
        if (argc > 1)
            entry->id = trimtrail(entry->id);
        fputs_unlocked(">P1;", stdout);
        fputs_unlocked(entry->id, stdout);
        putc_unlocked('\n', stdout);
        fputs_unlocked(entry->title, stdout);
        putc_unlocked('\n', stdout);
        // Positions 1 to slen - 2: the letters, without the leading blank.
        fwrite_unlocked(entry->seq + 1, 1, entry->slen - 2, stdout);
        fputs_unlocked("*\n", stdout);
    }
    // Output that could not be written is data lost, not a success.
    if (fflush(stdout) != 0 || ferror(stdout)) {
        QVerror("Error writing output");
        return 1;
    }
    // The reader found an identifier line and then failed: the input ended
    // inside that entry, which is lost.
    return records[index].ilen > 0 ? 1 : 0;
}
