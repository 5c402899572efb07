// The body reader shared by getseq and getsec (internal to seqio).
#ifndef SEQIO_READBODY_H
#define SEQIO_READBODY_H

#include <cstdio>

// What the body reader does with each byte value. SKIP is 0 and KEEP 1:
// the reader adds the class of a byte to its position in the buffer.
enum bodyclass : unsigned char { SKIP = 0, KEEP = 1, STAR = 2 };

// Reads a body into buffer as " " + kept bytes + NUL, up to "*". kind names
// the body in the truncation message ("Sequence", "Structure").
int readbody(FILE *in, char *buffer, int capacity, const bodyclass *classes, const char *kind);

#endif
