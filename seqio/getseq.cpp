// The sequence body reader, and the loop that both body readers share.
#include "seqio/readbody.h"
#include "seqio/seqio.h"

#include <array>

int readbody(FILE *in, char *buffer, int capacity, const bodyclass *classes, const char *kind)
{
    if (capacity < 2)
        return 0; // no room for the leading blank and the NUL
    const int last = capacity - 1;
    buffer[0] = ' ';
    int p = 1;
    while (p < last) {
        int c = getc_unlocked(in);
        if (c == EOF)
            return 0;
        bodyclass what = classes[c];
        if (what == KEEP) {
            buffer[p++] = static_cast<char>(c);
        } else if (what == STAR) {
            buffer[p] = '\0';
            return p + 1;
        }
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
