// Residue coding in place.
#include "seqio/seqio.h"

void seqtoi(char *buffer, int length)
{
    // The leading blank at position 0 is coded too; the NUL is not.
    for (int i = 0; i < length - 1; ++i)
        buffer[i] = static_cast<char>(sfind(static_cast<unsigned char>(buffer[i])));
}
