// Makes allocations of a gigabyte or more fail, inside a death test's child.
#ifndef TESTS_SUPPORT_MEMORY_LIMIT_H
#define TESTS_SUPPORT_MEMORY_LIMIT_H

#include <sys/resource.h>

#include "support/sanitizer.h"

inline void refuse_large_allocations()
{
#ifndef PIRCLEAN_UNDER_ASAN
    // The sanitizer's allocator refuses them by its own option instead
    // (tests/support/sanitizer_options.cpp): it cannot run under RLIMIT_AS.
    struct rlimit limit = {1ul << 30, 1ul << 30};
    setrlimit(RLIMIT_AS, &limit);
#endif
}

#endif
