// Fuzz-target helpers: take small numbers from the end of the fuzzer's bytes
// (so that a real sequence file used as a seed still starts where the file
// starts), catch what the libraries write to stderr, and end the run loudly
// when a property does not hold.
#ifndef TESTS_FUZZ_FUZZ_INPUT_H
#define TESTS_FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define PIRCLEAN_FUZZ_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PIRCLEAN_FUZZ_ASAN 1
#endif
#endif

#ifdef PIRCLEAN_FUZZ_ASAN
extern "C" size_t __sanitizer_get_allocated_size(const volatile void *block);
#endif

// The fuzzer's bytes, consumed from both ends.
struct fuzzbytes {
    const uint8_t *data;
    size_t size;
};

// A number from lowest to highest (both included), taken from the last one
// or two bytes; lowest when the bytes are used up.
inline int take_number(fuzzbytes &bytes, int lowest, int highest)
{
    const unsigned long range = static_cast<unsigned long>(static_cast<long>(highest) - lowest) + 1;
    unsigned long value = 0;
    for (unsigned long seen = 1; seen < range && bytes.size > 0; seen <<= 8) {
        value = (value << 8) | bytes.data[bytes.size - 1];
        --bytes.size;
    }
    return static_cast<int>(lowest + static_cast<long>(value % range));
}

// Up to most bytes from the front, the count taken from the end.
inline std::string take_text(fuzzbytes &bytes, int most)
{
    size_t length = static_cast<size_t>(take_number(bytes, 0, most));
    if (length > bytes.size)
        length = bytes.size;
    std::string text(reinterpret_cast<const char *>(bytes.data), length);
    bytes.data += length;
    bytes.size -= length;
    return text;
}

// Everything not yet taken.
inline std::string take_rest(fuzzbytes &bytes)
{
    std::string rest(reinterpret_cast<const char *>(bytes.data), bytes.size);
    bytes.data += bytes.size;
    bytes.size = 0;
    return rest;
}

// A property that does not hold: say which, and abort so that the fuzzer
// keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                                                         \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            fprintf(fuzz_report_stream(), "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition);     \
            abort();                                                                                                   \
        }                                                                                                              \
    } while (0)

// Where failed properties are reported: the process's real stderr, even
// while stderr is redirected by catch_stderr.
inline FILE *&fuzz_report_stream()
{
    static FILE *stream = stderr;
    return stream;
}

// Redirects stderr into an in-memory stream while it lives, so that the
// readers' messages can be checked and do not flood the fuzzer's log.
struct caught_stderr {
    char *text = nullptr;
    size_t size = 0;
    FILE *saved = nullptr;
    FILE *sink = nullptr;
};

inline void catch_stderr(caught_stderr &caught)
{
    caught.sink = open_memstream(&caught.text, &caught.size);
    if (caught.sink == nullptr)
        abort();
    caught.saved = stderr;
    fuzz_report_stream() = caught.saved;
    stderr = caught.sink;
}

// Puts stderr back and returns what was written meanwhile.
inline std::string release_stderr(caught_stderr &caught)
{
    stderr = caught.saved;
    fclose(caught.sink);
    std::string text(caught.text, caught.size);
    free(caught.text);
    caught = caught_stderr{};
    return text;
}

// True when block holds exactly size bytes; without AddressSanitizer the
// size of a block cannot be seen and any block passes.
inline bool holds_exactly(const void *block, size_t size)
{
    if (block == nullptr)
        return false;
#ifdef PIRCLEAN_FUZZ_ASAN
    return __sanitizer_get_allocated_size(block) == (size == 0 ? 1 : size);
#else
    (void)size;
    return true;
#endif
}

// A read-only stream over bytes (which may hold NULs). The caller closes it
// with fclose; bytes must outlive it.
inline FILE *stream_over(const std::string &bytes)
{
    FILE *stream = fmemopen(const_cast<char *>(bytes.data()), bytes.size(), "r");
    if (stream == nullptr)
        abort();
    return stream;
}

#endif
