// A string of 256 MiB for the tests whose sizes must not wrap an int:
// seventeen of them add up past 4 GiB. It is kept in a global so that the
// leak checker sees it reachable at the fatal end the tests expect.
#ifndef TESTS_SUPPORT_HUGE_TEXT_H
#define TESTS_SUPPORT_HUGE_TEXT_H

#include <cstdlib>
#include <cstring>

inline char *huge_text;

inline char *make_huge_text()
{
    const size_t length = size_t(1) << 28;
    huge_text = static_cast<char *>(malloc(length + 1));
    memset(huge_text, 'a', length);
    huge_text[length] = '\0';
    return huge_text;
}

#endif
