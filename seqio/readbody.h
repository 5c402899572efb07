// The body reader shared by getseq and getsec (internal to seqio).
#ifndef SEQIO_READBODY_H
#define SEQIO_READBODY_H

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "seqio/streamview.h"

// What the body reader does with each byte value. SKIP is 0 and KEEP 1:
// the reader adds the class of a byte to its position in the buffer.
enum bodyclass : unsigned char { SKIP = 0, KEEP = 1, STAR = 2 };

// Copies the kept bytes of blocks blocks of 16 bytes, none of them "*",
// from from to to, in order, and returns how many it kept. It writes no
// more than 16 * blocks bytes, though past the last byte kept.
typedef size_t (*blockpacker)(const char *from, size_t blocks, char *to);

// Copies the kept bytes of length bytes by the table, one at a time: every
// byte is stored and kept only when the count moves past it, so there is
// no branch on the byte. Writes length bytes at most.
static inline size_t packbytes(const bodyclass *classes, const char *from, size_t length, char *to)
{
    size_t kept = 0;
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(from[i]);
        to[kept] = static_cast<char>(c);
        kept += classes[c];
    }
    return kept;
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__)) && !defined(SEQIO_PORTABLE_MASKS)
#define SEQIO_SSSE3_PACKING 1
#include <immintrin.h>

// Byte j of packorder[m] is the position of the j-th set bit of m: a
// shuffle that moves the kept bytes of 8 to the front, in order.
inline constexpr std::array<uint64_t, 256> packorder = [] {
    std::array<uint64_t, 256> table{};
    for (unsigned mask = 0; mask < 256; ++mask) {
        unsigned j = 0;
        for (unsigned bit = 0; bit < 8; ++bit)
            if (mask & (1u << bit))
                table[mask] |= static_cast<uint64_t>(bit) << (8 * j++);
    }
    return table;
}();

// Whether the processor has what packssse3 needs; asked once per process.
static inline bool havessse3()
{
    static int known = -1; // a plain variable: the library is single-threaded
    if (known < 0) {
        __builtin_cpu_init();
        known = __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("popcnt");
    }
    return known != 0;
}

// A blockpacker on SSSE3: keepmask gives the kept bytes of a block as a
// 16-bit mask, and one shuffle per block moves them to the front of each
// half. No branch on the bytes. The output of a block starts at most 16
// bytes after the previous one's and takes two stores of 8 bytes: no
// write goes past 16 * blocks bytes.
__attribute__((target("ssse3,popcnt"))) static inline size_t packssse3(const char *from, size_t blocks, char *to,
                                                                         unsigned (*keepmask)(__m128i))
{
    char *start = to;
    for (size_t i = 0; i < blocks; ++i, from += 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from));
        unsigned keep = keepmask(bytes);
        unsigned low = keep & 0xffu, high = keep >> 8;
        __m128i order = _mm_set_epi64x(static_cast<long long>(packorder[high] + 0x0808080808080808ull),
                                       static_cast<long long>(packorder[low]));
        __m128i packed = _mm_shuffle_epi8(bytes, order);
        _mm_storel_epi64(reinterpret_cast<__m128i *>(to), packed);
        to += _mm_popcnt_u32(low);
        _mm_storel_epi64(reinterpret_cast<__m128i *>(to), _mm_unpackhi_epi64(packed, packed));
        to += _mm_popcnt_u32(high);
    }
    return static_cast<size_t>(to - start);
}
#endif

// Reads a body into buffer as " " + kept bytes + NUL, up to "*". classes
// says what to do with each byte; pack does the same for whole blocks.
// kind names the body in the truncation message ("Sequence", "Structure").
static inline int readbody(FILE *in, char *buffer, int capacity, const bodyclass *classes, blockpacker pack,
                           const char *kind)
{
    if (capacity < 2)
        return 0; // no room for the leading blank and the NUL
    const int last = capacity - 1;
    buffer[0] = ' ';
    int p = 1;
    streamview view;
    while (p < last) {
        if (!viewbytes(in, &view))
            return 0;
        const char *star = static_cast<const char *>(memchr(view.next, '*', view.end - view.next));
        const char *stop = star != nullptr ? star : view.end;
        const char *q = view.next;
        // Whole blocks first, as many as there are before the "*" and as
        // the buffer has room for.
        ptrdiff_t room = last - p;
        if (room >= 16 && stop - q >= 16) {
            size_t blocks = static_cast<size_t>(std::min(stop - q, room) / 16);
            p += static_cast<int>(pack(q, blocks, buffer + p));
            q += 16 * blocks;
        }
        // Each byte moves p by one at most, so a run of last - p bytes
        // cannot overfill the buffer.
        while (q < stop && p < last) {
            ptrdiff_t run = std::min<ptrdiff_t>(stop - q, last - p);
            p += static_cast<int>(packbytes(classes, q, static_cast<size_t>(run), buffer + p));
            q += run;
        }
        if (q == star) {
            takebytes(in, &view, star + 1);
            buffer[p] = '\0';
            return p + 1;
        }
        takebytes(in, &view, q);
    }
    // The buffer is full. Only a "*" right behind it ends the body cleanly;
    // anything else, the end of input included, is a truncation, and what
    // follows stays in the stream.
    int c = getc_unlocked(in);
    buffer[last] = '\0';
    if (c != '*')
        fprintf(stderr, "%s Truncated to: %d\n", kind, capacity);
    return capacity;
}

#endif
