// The sequence body reader, and the loop that both body readers share.
#include "seqio/readbody.h"
#include "seqio/seqio.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "seqio/streamview.h"

int readbody(FILE *in, char *buffer, int capacity, const bodyclass *classes, const char *kind)
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

// Letters of the default locale: exactly A-Z and a-z.
static constexpr std::array<bodyclass, 256> letters = [] {
    std::array<bodyclass, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] = table[c + ('a' - 'A')] = KEEP;
    table['*'] = STAR;
    return table;
}();

int getseq(FILE *in, char *buffer, int capacity)
{
    return readbody(in, buffer, capacity, letters.data(), "Sequence");
}
