// Test helper: check the size of a block from the platform allocator.
// Under AddressSanitizer the allocator knows the exact size that was
// requested; elsewhere only a lower bound can be seen.
#ifndef TESTS_SUPPORT_BLOCK_SIZE_H
#define TESTS_SUPPORT_BLOCK_SIZE_H

#include <gtest/gtest.h>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define PIRCLEAN_HAS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PIRCLEAN_HAS_ASAN 1
#endif
#endif

#ifdef PIRCLEAN_HAS_ASAN
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
#ifdef PIRCLEAN_HAS_ASAN
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

#endif
