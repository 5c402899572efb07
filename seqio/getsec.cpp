// The structure body reader: keeps every character that is not white space.
#include "seqio/readbody.h"
#include "seqio/seqio.h"

#include <array>

// White space of the default locale: blank, tab, LF, VT, FF, CR.
static constexpr std::array<bodyclass, 256> nonblank = [] {
    std::array<bodyclass, 256> table{};
    table.fill(KEEP);
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        table[c] = SKIP;
    table['*'] = STAR;
    return table;
}();

int getsec(FILE *in, char *buffer, int capacity)
{
    return readbody(in, buffer, capacity, nonblank.data(), "Structure");
}
