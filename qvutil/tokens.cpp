// Token lists: reading a token from a stream, splitting a string into a
// list of token copies, releasing a list and joining a range of it.
#include "qvutil/qvutil.h"
#include "qvutil/sizedblocks.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

// The next capacity of a growing array of items of item bytes. Doubling
// keeps the growth linear; it stops at the most that an int-sized block
// holds, and one more is a request that QVreallocsized refuses.
static size_t grown(size_t capacity, size_t item)
{
    const size_t most = INT_MAX / item;
    if (capacity >= most)
        return capacity + 1;
    return std::min(capacity * 2, most);
}

char *QVGetToken(FILE *in, const char *delims)
{
    size_t capacity = 16;
    size_t length = 0;
    char *token = static_cast<char *>(QVmallocsized(capacity));
    int c;
    while ((c = getc(in)) != EOF) {
        // strchr also finds the set's terminator, so NUL always delimits.
        if (strchr(delims, c) != nullptr) {
            if (length == 0)
                continue;
            token[length] = '\0';
            return static_cast<char *>(QVreallocsized(token, length + 1));
        }
        if (length + 1 == capacity) {
            capacity = grown(capacity, 1);
            token = static_cast<char *>(QVreallocsized(token, capacity));
        }
        token[length++] = static_cast<char>(c);
    }
    // A token that the end of the input cuts off is not a whole token.
    QVfree(token);
    return nullptr;
}

toklist *QVgettokens(const char *delims, char *str)
{
    // strtok would take a null string as "go on with the last one".
    if (str == nullptr)
        return nullptr;
    char *token = strtok(str, delims);
    if (token == nullptr)
        return nullptr;

    size_t capacity = 4;
    size_t count = 0;
    char **words = static_cast<char **>(QVmallocsized(capacity * sizeof(char *)));
    for (; token != nullptr; token = strtok(nullptr, delims)) {
        if (count == capacity) {
            capacity = grown(capacity, sizeof(char *));
            words = static_cast<char **>(QVreallocsized(words, capacity * sizeof(char *)));
        }
        words[count++] = QVstrdup(token);
    }

    toklist *list = static_cast<toklist *>(QVmalloc(sizeof(toklist)));
    list->nwords = static_cast<int>(count);
    // The array holds exactly nwords slots, with no closing null.
    list->words = static_cast<char **>(QVreallocsized(words, count * sizeof(char *)));
    return list;
}

void QVfreetokens(toklist *list)
{
    if (list == nullptr)
        return;
    for (int i = 0; i < list->nwords; ++i)
        QVfree(list->words[i]);
    QVfree(list->words);
    QVfree(list);
}

char *QVtoktostr(toklist *list, int sep, int first, int last)
{
    const int nwords = list == nullptr ? 0 : list->nwords;
    // An index outside the list means the whole list on its side, not the
    // nearest token: a first past the end starts at token 0.
    if (first < 0 || first >= nwords)
        first = 0;
    if (last < 0 || last >= nwords)
        last = nwords - 1;
    if (first > last) {
        char *empty = static_cast<char *>(QVmallocsized(1));
        empty[0] = '\0';
        return empty;
    }

    size_t size = 0;
    for (int i = first; i <= last; ++i) {
        size += strlen(list->words[i]) + 1;
        // Already too long for a block; stop before the sum itself can wrap.
        if (size > INT_MAX)
            break;
    }
    char *joined = static_cast<char *>(QVmallocsized(size));
    char *end = joined;
    for (int i = first; i <= last; ++i) {
        size_t length = strlen(list->words[i]);
        memcpy(end, list->words[i], length);
        end += length;
        *end++ = static_cast<char>(sep);
    }
    // The separator after the last token becomes the terminator.
    end[-1] = '\0';
    return joined;
}
