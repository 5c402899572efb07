// Copies sequence entries from standard input to standard output: each one
// is read with gseq and written back with pseq as ">ID", the title line and
// the body's letters closed by "*". Exits 1 when the input ends inside an
// entry or the output cannot be written.
#include <cstdio>
#include <cstdlib>

#include "seqio/seqio.h"

int main()
{
    seqentry entry{}; // slen 0: gseq obtains the buffers on the first read
    int index = 0;    // one record, reused for every entry
    while (gseq(stdin, &entry, &index, 2) > 0)
        pseq(stdout, &entry, &index);
    // gseq stopped either at the end of input (nothing of an identifier read)
    // or inside an entry, which it reported on standard error.
    const bool cut_off = entry.ilen > 0;
    free(entry.id);
    free(entry.title);
    free(entry.seq);
    if (fflush(stdout) != 0 || ferror(stdout)) {
        perror("Error writing output");
        return 1;
    }
    return cut_off ? 1 : 0;
}
