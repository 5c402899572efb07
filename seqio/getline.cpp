// The line reader.
#include "seqio/seqio.h"

int getline(FILE *in, char *buffer, int capacity)
{
    if (capacity <= 0)
        return 0;
    const int last = capacity - 1;
    int n = 0;
    while (n < last) {
        int c = getc_unlocked(in);
        if (c == EOF) {
            // A last line without a line feed is not returned, but what was
            // read of it stays readable: the identifier search looks at it.
            buffer[n] = '\0';
            return 0;
        }
        if (c == '\n') {
            buffer[n] = '\0';
            return n + 1;
        }
        buffer[n++] = static_cast<char>(c);
    }
    // Full: the rest of the line, line feed included, stays in the stream.
    buffer[last] = '\0';
    return capacity;
}
