// The benchmark's input: realistic PIR text from a fixed seed.
#ifndef BENCH_PIRGEN_H
#define BENCH_PIRGEN_H

#include <cstdint>
#include <cstdio>

// What writepir wrote.
struct pirsummary {
    long long entries;
    long long residues; // body letters, gap marks and numbers not counted
    long long bytes;
};

// Writes entries to out until at least bytes bytes are written (the last
// entry is completed). The same bytes and seed give the same text on every
// machine: only integer arithmetic is used. Every entry is one that any PIR
// reader accepts: a ">P1;" or ">F1;" identifier line of at most 19
// characters, a title line, a body of 1 to 7998 upper-case residues laid
// out in one of the common ways, and "*" at the end of its last line or
// alone on a line.
pirsummary writepir(FILE *out, long long bytes, uint64_t seed);

#endif
