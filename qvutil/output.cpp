// Text output helpers: character runs and fixed-width fields.
#include "qvutil/qvutil.h"

#include <cstring>

void QVpline(FILE *out, int c, int count)
{
    const int byte = static_cast<unsigned char>(c);
    for (int i = 0; i < count; ++i)
        putc(byte, out);
    putc('\n', out);
}

void QVpstring(FILE *out, const char *text, int width)
{
    if (width <= 0)
        return;
    const size_t field = static_cast<size_t>(width);
    const size_t length = strlen(text);
    fwrite(text, 1, length < field ? length : field, out);
    for (size_t i = length; i < field; ++i)
        putc(' ', out);
}
