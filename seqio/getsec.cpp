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

static size_t packnonblank(const char *from, size_t blocks, char *to)
{
    return packbytes(nonblank.data(), from, 16 * blocks, to);
}

#ifdef SEQIO_SSSE3_PACKING
// Tab to CR are 9 to 13: adding 128 - 9 moves them to the 5 smallest
// signed bytes.
static inline unsigned nonblankmask(__m128i bytes)
{
    __m128i blank = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '));
    __m128i moved = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(128 - 9)));
    __m128i control = _mm_cmplt_epi8(moved, _mm_set1_epi8(-128 + 5));
    return ~static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(blank, control))) & 0xffffu;
}

__attribute__((target("ssse3,popcnt"))) static size_t packnonblank_ssse3(const char *from, size_t blocks, char *to)
{
    return packssse3(from, blocks, to, nonblankmask);
}
#endif

int getsec(FILE *in, char *buffer, int capacity)
{
    blockpacker pack = packnonblank;
#ifdef SEQIO_SSSE3_PACKING
    if (havessse3())
        pack = packnonblank_ssse3;
#endif
    return readbody(in, buffer, capacity, nonblank.data(), pack, "Structure");
}
