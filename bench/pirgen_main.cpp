// pirgen: writes realistic PIR input of a chosen size to standard output.
//
//   pirgen BYTES [SEED]
//
// The same arguments give the same bytes. A summary line, "ENTRIES entries
// RESIDUES residues BYTES bytes", goes to standard error.
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "bench/pirgen.h"

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        fputs("usage: pirgen BYTES [SEED]\n", stderr);
        return 2;
    }
    char *end;
    errno = 0;
    long long bytes = strtoll(argv[1], &end, 10);
    if (errno != 0 || *end != '\0' || bytes < 0) {
        fprintf(stderr, "pirgen: not a size in bytes: %s\n", argv[1]);
        return 2;
    }
    uint64_t seed = 20240601;
    if (argc == 3) {
        seed = strtoull(argv[2], &end, 10);
        if (errno != 0 || *end != '\0') {
            fprintf(stderr, "pirgen: not a seed: %s\n", argv[2]);
            return 2;
        }
    }
    pirsummary summary = writepir(stdout, bytes, seed);
    if (fflush(stdout) != 0 || ferror(stdout)) {
        perror("pirgen: writing output");
        return 1;
    }
    fprintf(stderr, "%lld entries %lld residues %lld bytes\n", summary.entries, summary.residues, summary.bytes);
    return 0;
}
