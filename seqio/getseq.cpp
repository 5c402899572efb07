// The sequence body reader: keeps letters.
#include "seqio/readbody.h"
#include "seqio/seqio.h"

#include <array>

#if defined(__SSE2__) && !defined(SEQIO_PORTABLE_MASKS)
#define SEQIO_SSE2_MASKS 1
#include <emmintrin.h>
#endif

// Letters of the default locale: exactly A-Z and a-z.
static constexpr std::array<bodyclass, 256> letters = [] {
    std::array<bodyclass, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] = table[c + ('a' - 'A')] = KEEP;
    table['*'] = STAR;
    return table;
}();

static unsigned lettermask(const char *block)
{
#ifdef SEQIO_SSE2_MASKS
    // c | 0x20 folds upper case onto lower; adding 128 - 'a' moves 'a'..'z'
    // to the 26 smallest signed bytes, which one signed compare finds.
    __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(block));
    __m128i folded = _mm_or_si128(bytes, _mm_set1_epi8(0x20));
    __m128i moved = _mm_add_epi8(folded, _mm_set1_epi8(static_cast<char>(128 - 'a')));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(moved, _mm_set1_epi8(-128 + 26))));
#else
    unsigned mask = 0;
    for (int i = 0; i < 16; ++i)
        mask |= static_cast<unsigned>(letters[static_cast<unsigned char>(block[i])]) << i;
    return mask;
#endif
}

int getseq(FILE *in, char *buffer, int capacity)
{
    return readbody(in, buffer, capacity, letters.data(), lettermask, "Sequence");
}
