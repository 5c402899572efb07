// Identifier cleaning.
#include "seqio/seqio.h"

#include <cstring>

int idclean(char *buffer, int /*capacity*/)
{
    // The text after the line's first ";" (wherever it stands, after a
    // blank too), or else after its first ">", moved to the front.
    const char *start = strchr(buffer, ';');
    if (start == nullptr)
        start = strchr(buffer, '>');
    if (start != nullptr)
        memmove(buffer, start + 1, strlen(start + 1) + 1);
    // The identifier ends at its first blank; tabs and CRs are kept.
    for (size_t i = 0, n = strlen(buffer); i < n; ++i)
        if (buffer[i] == ' ')
            buffer[i] = '\0';
    return static_cast<int>(strlen(buffer)) + 1;
}
