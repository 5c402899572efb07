// Whether the tests are built with AddressSanitizer (g++ and clang++ say it
// differently).
#ifndef TESTS_SUPPORT_SANITIZER_H
#define TESTS_SUPPORT_SANITIZER_H

#if defined(__SANITIZE_ADDRESS__)
#define PIRCLEAN_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PIRCLEAN_UNDER_ASAN 1
#endif
#endif

#endif
