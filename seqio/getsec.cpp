// The structure body reader: keeps every character that is not white space.
#include "seqio/readbody.h"
#include "seqio/seqio.h"

#include <array>

#if defined(__SSE2__) && !defined(SEQIO_PORTABLE_MASKS)
#define SEQIO_SSE2_MASKS 1
#include <emmintrin.h>
#endif

// White space of the default locale: blank, tab, LF, VT, FF, CR.
static constexpr std::array<bodyclass, 256> nonblank = [] {
    std::array<bodyclass, 256> table{};
    table.fill(KEEP);
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        table[c] = SKIP;
    table['*'] = STAR;
    return table;
}();

static unsigned nonblankmask(const char *block)
{
#ifdef SEQIO_SSE2_MASKS
    // Tab to CR are 9 to 13: adding 128 - 9 moves them to the 5 smallest
    // signed bytes.
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(block));
    __m128i blank = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '));
    __m128i moved = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(128 - 9)));
    __m128i control = _mm_cmplt_epi8(moved, _mm_set1_epi8(-128 + 5));
    return ~static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(blank, control))) & 0xffffu;
#else
    unsigned mask = 0;
    for (int i = 0; i < 16; ++i)
        mask |= static_cast<unsigned>(nonblank[static_cast<unsigned char>(block[i])]) << i;
    return mask;
#endif
}

int getsec(FILE *in, char *buffer, int capacity)
{
    return readbody(in, buffer, capacity, nonblank.data(), nonblankmask, "Structure");
}
