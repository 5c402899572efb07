// The line reader.
#include "seqio/seqio.h"

#include <algorithm>
#include <cstring>

#include "seqio/streamview.h"

int getline(FILE *in, char *buffer, int capacity)
{
    if (capacity <= 0)
        return 0;
    const int last = capacity - 1;
    int n = 0;
    streamview view;
    while (n < last) {
        if (!viewbytes(in, &view)) {
            // A last line without a line feed is not returned, but what was
            // read of it stays readable: the identifier search looks at it.
            buffer[n] = '\0';
            return 0;
        }
        size_t span = std::min<size_t>(view.end - view.next, last - n);
        const char *linefeed = static_cast<const char *>(memchr(view.next, '\n', span));
        size_t length = linefeed != nullptr ? linefeed - view.next : span;
        memcpy(buffer + n, view.next, length);
        n += static_cast<int>(length);
        if (linefeed != nullptr) {
            takebytes(in, &view, linefeed + 1);
            buffer[n] = '\0';
            return n + 1;
        }
        takebytes(in, &view, view.next + span);
    }
    // Full: the rest of the line, line feed included, stays in the stream.
    buffer[last] = '\0';
    return capacity;
}
