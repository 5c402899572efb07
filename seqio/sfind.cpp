// The residue code of one character.
#include "seqio/seqio.h"

#include <cstring>

int sfind(int c)
{
    // Without an alphabet, code as with an empty one: NUL finds the
    // terminator at position 0, everything else is missing.
    const char *alphabet = matrix.alphabet != nullptr ? matrix.alphabet : "";
    const char *found = strchr(alphabet, static_cast<unsigned char>(c));
    long code = found != nullptr ? found - alphabet : static_cast<long>(matrix.asize) - 2;
    return static_cast<int>(code & 0xff);
}
