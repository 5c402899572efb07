// Test helper: check the size of a block from the platform allocator.
// Under AddressSanitizer the allocator knows the exact size that was
// requested; elsewhere only a lower bound can be seen.
#ifndef TESTS_SUPPORT_BLOCK_SIZE_H
#define TESTS_SUPPORT_BLOCK_SIZE_H

#include <gtest/gtest.h>

#include <cstddef>

#include <string>

#include "support/sanitizer.h"

#ifdef PIRCLEAN_UNDER_ASAN
extern "C" size_t __sanitizer_get_allocated_size(const volatile void *block);
#else
#include <malloc.h>
#endif

// Passes when block holds exactly size bytes (under AddressSanitizer), or
// at least size bytes (elsewhere).
inline testing::AssertionResult holds_bytes(const void *block, size_t size)
{
    if (block == nullptr)
        return testing::AssertionFailure() << "null block";
    // Reading the last byte makes the sanitizer flag a block too short.
    if (size > 0) {
        volatile char last = static_cast<const char *>(block)[size - 1];
        (void)last;
    }
#ifdef PIRCLEAN_UNDER_ASAN
    // AddressSanitizer serves a request for zero bytes with one.
    size_t wanted = size == 0 ? 1 : size;
    size_t actual = __sanitizer_get_allocated_size(block);
    if (actual != wanted)
        return testing::AssertionFailure() << "block of " << actual << " bytes, not " << wanted;
#else
    size_t actual = malloc_usable_size(const_cast<void *>(block));
    if (actual < size)
        return testing::AssertionFailure() << "block of " << actual << " bytes, below " << size;
#endif
    return testing::AssertionSuccess();
}

// block holds text in a block of exactly text.size() + 1 bytes.
inline testing::AssertionResult is_exact_string(const std::string &text, const char *block)
{
    if (block == nullptr)
        return testing::AssertionFailure() << "null block";
    if (block[text.size()] != '\0' || std::string(block) != text)
        return testing::AssertionFailure() << "holds \"" << block << "\", not \"" << text << "\"";
    return holds_bytes(block, text.size() + 1);
}

#endif
