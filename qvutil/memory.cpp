// Checked allocation, error reports and the library's stream handles.
#include "qvutil/qvutil.h"
#include "qvutil/sizedblocks.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

FILE *std_err = stderr;
FILE *std_in = stdin;
FILE *std_out = stdout;

void QVinitfile()
{
    std_err = stderr;
    std_in = stdin;
    std_out = stdout;
}

// A fatal end is never a success: every fatal report ends with status 1,
// through exit() so that what was written to standard output is flushed.
static void fatal(const char *text)
{
    QVerror(text);
    exit(1);
}

void *QVmalloc(int size)
{
    void *block = malloc(size);
    if (block == nullptr)
        fatal("malloc error");
    return block;
}

void *QVrealloc(void *block, int size)
{
    void *moved = realloc(block, size);
    if (moved == nullptr)
        fatal("realloc error");
    return moved;
}

void *QVmallocsized(size_t size)
{
    if (size > INT_MAX) {
        errno = ENOMEM;
        fatal("malloc error");
    }
    return QVmalloc(static_cast<int>(size));
}

void *QVreallocsized(void *block, size_t size)
{
    if (size > INT_MAX) {
        errno = ENOMEM;
        fatal("realloc error");
    }
    return QVrealloc(block, static_cast<int>(size));
}

void *QVmallocNQ(int size)
{
    void *block = malloc(size);
    if (block == nullptr)
        QVerror("malloc error");
    return block;
}

void *QVreallocNQ(void *block, int size)
{
    void *moved = realloc(block, size);
    if (moved == nullptr)
        QVerror("realloc error");
    return moved;
}

void QVfree(void *block)
{
    if (block == nullptr)
        fatal("Attempt to free NULL pointer");
    free(block);
}

int QVerror(const char *text)
{
    if (text != nullptr && text[0] != '\0')
        fprintf(std_err, "%s: ", text);
    // errno is read only now: the line describes the last failing platform
    // call, whatever the write above did.
    return fprintf(std_err, "%s\n", strerror(errno));
}

int error(const char *text, int flag)
{
    int written = QVerror(text);
    if (flag != 0)
        exit(1);
    return written;
}

void mcheck(const void *block, const char *message)
{
    if (block != nullptr)
        return;
    QVerror("malloc/realloc error");
    if (message != nullptr && message[0] != '\0')
        fprintf(std_err, "%s\n", message);
    exit(1);
}

// Sized by size_t, so that a text longer than an int can hold is copied
// whole instead of wrapping the size.
char *QVstrdup(const char *text)
{
    size_t length = strlen(text);
    char *copy = static_cast<char *>(malloc(length + 1));
    if (copy == nullptr)
        fatal("malloc error");
    memcpy(copy, text, length + 1);
    return copy;
}

char *QVstrrename(char *buffer, const char *text)
{
    size_t length = strlen(text);
    char *renamed = static_cast<char *>(realloc(buffer, length + 1));
    if (renamed == nullptr)
        fatal("realloc error");
    memcpy(renamed, text, length + 1);
    return renamed;
}

char *QVstrcreate(int size)
{
    if (size < 1)
        size = 1;
    char *block = static_cast<char *>(QVmalloc(size));
    block[size - 1] = '\0';
    return block;
}
