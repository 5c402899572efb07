// The body reader shared by getseq and getsec (internal to seqio).
#ifndef SEQIO_READBODY_H
#define SEQIO_READBODY_H

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "seqio/streamview.h"

// What the body reader does with each byte value. SKIP is 0 and KEEP 1:
// the reader adds the class of a byte to its position in the buffer.
enum bodyclass : unsigned char { SKIP = 0, KEEP = 1, STAR = 2 };

// The bytes of a 16-byte block that a body keeps, as a mask: bit i for
// byte i. Never called on a block that holds a "*".
typedef unsigned (*blockmask)(const char *block);

// Reads a body into buffer as " " + kept bytes + NUL, up to "*". classes
// and keepmask say the same of each byte, one byte or 16 at a time. kind
// names the body in the truncation message ("Sequence", "Structure").
// Inline, so that each reader gets the loop with its own classes built in.
static inline int readbody(FILE *in, char *buffer, int capacity, const bodyclass *classes, blockmask keepmask,
                           const char *kind)
{
    if (capacity < 2)
        return 0; // no room for the leading blank and the NUL
    const int last = capacity - 1;
    buffer[0] = ' ';
    int p = 1;
    streamview view;
    while (p < last) {
        if (!viewbytes(in, &view))
            return 0;
        const char *star = static_cast<const char *>(memchr(view.next, '*', view.end - view.next));
        const char *stop = star != nullptr ? star : view.end;
        const char *q = view.next;
        // Blocks of 16 bytes: each run of kept bytes is copied 16 bytes at
        // a time and p moves by the run's length. So the view must hold 16
        // bytes more than the block and the buffer room for 32.
        while (q < stop && view.end - q >= 32 && last - p >= 32) {
            unsigned keep = keepmask(q);
            ptrdiff_t step = 16;
            if (stop - q < 16) {
                step = stop - q;
                keep &= (1u << step) - 1;
            }
            while (keep != 0) {
                int start = std::countr_zero(keep);
                int length = std::countr_zero(~(keep >> start));
                memcpy(buffer + p, q + start, 16);
                p += length;
                keep &= ~0u << (start + length);
            }
            q += step;
        }
        while (q < stop && p < last) {
            // Each byte moves p by one at most, so a run of last - p bytes
            // cannot overfill the buffer. Every byte is stored, and kept
            // only when p moves past it: no branch on the byte.
            const char *runend = q + std::min<ptrdiff_t>(stop - q, last - p);
            for (; q < runend; ++q) {
                unsigned char c = static_cast<unsigned char>(*q);
                buffer[p] = static_cast<char>(c);
                p += classes[c];
            }
        }
        if (q == star) {
            takebytes(in, &view, star + 1);
            buffer[p] = '\0';
            return p + 1;
        }
        takebytes(in, &view, q);
    }
    // The buffer is full. Only a "*" right behind it ends the body cleanly;
    // anything else, the end of input included, is a truncation, and what
    // follows stays in the stream.
    int c = getc_unlocked(in);
    buffer[last] = '\0';
    if (c != '*')
        fprintf(stderr, "%s Truncated to: %d\n", kind, capacity);
    return capacity;
}

#endif
