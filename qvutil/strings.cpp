// String editing: case conversion, removal and substitution of a byte,
// appending, joining, search, a tokenizer with one cursor, blank filling.
#include "qvutil/qvutil.h"
#include "qvutil/sizedblocks.h"

#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

static char *new_block(size_t size)
{
    return static_cast<char *>(QVmallocsized(size));
}

static char *resize_block(char *block, size_t size)
{
    return static_cast<char *>(QVreallocsized(block, size));
}

// Case mapping of the default locale, which the program never changes: only
// the ASCII letters move.
static char *map_case(char *buffer, int (*map)(int))
{
    for (char *at = buffer; *at != '\0'; ++at)
        *at = static_cast<char>(map(static_cast<unsigned char>(*at)));
    return buffer;
}

char *QVstoupper(const char *text)
{
    return map_case(QVstrdup(text), toupper);
}

char *QVstolower(const char *text)
{
    return map_case(QVstrdup(text), tolower);
}

char *QVstoup(char *buffer)
{
    return map_case(buffer, toupper);
}

char *QVstolo(char *buffer)
{
    return map_case(buffer, tolower);
}

// Comparing as char after reducing c to its low byte is the same as
// comparing unsigned bytes.
char *QVremovechar(char *block, int c)
{
    const char target = static_cast<char>(c);
    if (target == '\0')
        return block;
    size_t length = 0;
    size_t found = 0;
    for (; block[length] != '\0'; ++length)
        if (block[length] == target)
            ++found;
    if (found == 0)
        return block;

    char *kept = new_block(length - found + 1);
    char *end = kept;
    for (size_t i = 0; i < length; ++i)
        if (block[i] != target)
            *end++ = block[i];
    *end = '\0';
    QVfree(block);
    return kept;
}

char *QVremovechar2(char *buffer, int c)
{
    const char target = static_cast<char>(c);
    // Removing NUL would drop the terminator itself.
    if (target == '\0')
        return buffer;
    size_t length = strlen(buffer);
    char *kept = new_block(length + 1);
    char *end = kept;
    for (size_t i = 0; i <= length; ++i)
        if (buffer[i] != target)
            *end++ = buffer[i];
    // Only the kept bytes and their terminator go back; the tail of the
    // buffer keeps its old bytes.
    memcpy(buffer, kept, static_cast<size_t>(end - kept));
    QVfree(kept);
    return buffer;
}

char *QVsubchar(char *buffer, int replacement, int replaced)
{
    const char to = static_cast<char>(replacement);
    const char from = static_cast<char>(replaced);
    if (from == '\0')
        return buffer;
    // The length is fixed first: a NUL replacement must not cut the walk
    // short, so every match is replaced.
    size_t length = strlen(buffer);
    for (size_t i = 0; i < length; ++i)
        if (buffer[i] == from)
            buffer[i] = to;
    return buffer;
}

char *QVstrappend(char *block, const char *text)
{
    block = QVremovechar(block, '\n');
    size_t first = strlen(block);
    size_t added = strlen(text);
    block = resize_block(block, first + added + 1);
    memcpy(block + first, text, added + 1);
    return block;
}

char *QVcat(int count, ...)
{
    va_list args;
    va_start(args, count);
    va_list again;
    va_copy(again, args);

    size_t total = 0;
    for (int i = 0; i < count; ++i) {
        total += strlen(va_arg(args, const char *));
        // Already too long for a block; stop before the sum itself can wrap.
        if (total >= INT_MAX)
            break;
    }
    va_end(args);

    char *joined = new_block(total + 1);
    char *end = joined;
    for (int i = 0; i < count; ++i) {
        const char *text = va_arg(again, const char *);
        size_t length = strlen(text);
        memcpy(end, text, length);
        end += length;
    }
    va_end(again);
    *end = '\0';
    return joined;
}

char *QVstrlocate(char *text, const char *pattern)
{
    if (text[0] == '\0' || pattern[0] == '\0')
        return nullptr;
    return strstr(text, pattern);
}

// The cursor of QVstrtok: where the string being tokenized goes on, or null
// before the first string of the process.
static char *work = nullptr;

// The terminator is never a delimiter, although strchr would find it in
// every set.
static bool is_delimiter(char c, const char *delims)
{
    return c != '\0' && strchr(delims, c) != nullptr;
}

char *QVstrtok(char *text, const char *delims)
{
    if (text != nullptr)
        work = text;
    if (work == nullptr)
        return nullptr;

    while (is_delimiter(*work, delims))
        ++work;
    if (*work == '\0')
        return nullptr;

    char *token = work;
    while (*work != '\0' && !is_delimiter(*work, delims))
        ++work;
    if (*work != '\0') {
        *work++ = '\0';
        // The run after a token is skipped now, with this call's set.
        while (is_delimiter(*work, delims))
            ++work;
    }
    return token;
}

char *QVstrblank(char *buffer, int length)
{
    if (length < 1)
        return buffer;
    memset(buffer, ' ', static_cast<size_t>(length - 1));
    buffer[length - 1] = '\0';
    return buffer;
}

char *QVfnonnull(char *text)
{
    return text + strlen(text) + 1;
}
