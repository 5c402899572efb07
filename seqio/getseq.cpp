// The sequence body reader: keeps letters.
#include "seqio/readbody.h"
#include "seqio/seqio.h"

#include <array>

// Letters of the default locale: exactly A-Z and a-z.
static constexpr std::array<bodyclass, 256> letters = [] {
    std::array<bodyclass, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] = table[c + ('a' - 'A')] = KEEP;
    table['*'] = STAR;
    return table;
}();

static size_t packletters(const char *from, size_t blocks, char *to)
{
    return packbytes(letters.data(), from, 16 * blocks, to);
}

#ifdef SEQIO_SSSE3_PACKING
// c | 0x20 folds upper case onto lower; adding 128 - 'a' moves 'a'..'z' to
// the 26 smallest signed bytes, which one signed compare finds.
static inline unsigned lettermask(__m128i bytes)
{
    __m128i folded = _mm_or_si128(bytes, _mm_set1_epi8(0x20));
    __m128i moved = _mm_add_epi8(folded, _mm_set1_epi8(static_cast<char>(128 - 'a')));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(moved, _mm_set1_epi8(-128 + 26))));
}

__attribute__((target("ssse3,popcnt"))) static size_t packletters_ssse3(const char *from, size_t blocks, char *to)
{
    return packssse3(from, blocks, to, lettermask);
}
#endif

int getseq(FILE *in, char *buffer, int capacity)
{
    blockpacker pack = packletters;
#ifdef SEQIO_SSSE3_PACKING
    if (havessse3())
        pack = packletters_ssse3;
#endif
    return readbody(in, buffer, capacity, letters.data(), pack, "Sequence");
}
