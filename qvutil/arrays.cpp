// Byte tables, array fills, the index heap sort and the range of an array.
#include "qvutil/qvutil.h"

#include <cerrno>
#include <climits>
#include <cstring>

// Builds a table of n rows of m bytes for either element type. A failed
// request has been reported by QVmallocNQ; what was obtained before it is
// released, so the caller gets either a whole table or nothing.
template <class Element> static Element **make_table(int n, int m)
{
    long long table_size = static_cast<long long>(n) * static_cast<long long>(sizeof(Element *));
    if (table_size > INT_MAX) {
        // Too many rows for one request: refused before the size would wrap
        // to a smaller block than the rows need.
        errno = ENOMEM;
        QVerror("malloc error");
        return nullptr;
    }
    Element **table = static_cast<Element **>(QVmallocNQ(static_cast<int>(table_size)));
    if (table == nullptr)
        return nullptr;
    for (int row = 0; row < n; ++row) {
        table[row] = static_cast<Element *>(QVmallocNQ(m));
        if (table[row] == nullptr) {
            for (int kept = 0; kept < row; ++kept)
                QVfree(table[kept]);
            QVfree(table);
            return nullptr;
        }
    }
    return table;
}

unsigned char **uchararr(int n, int m)
{
    return make_table<unsigned char>(n, m);
}

char **chararr(int n, int m)
{
    return make_table<char>(n, m);
}

// A null table is handed to QVfree as it is, which reports it and ends the
// process, before any row is looked at.
template <class Element> static void free_table(Element **table, int n)
{
    if (table != nullptr)
        for (int row = 0; row < n; ++row)
            QVfree(table[row]);
    QVfree(table);
}

void ucharfree(unsigned char **table, int n)
{
    free_table(table, n);
}

void ucharfree(char **table, int n)
{
    free_table(table, n);
}

template <class Element> static void fill_table(Element **table, int n, int m, int value)
{
    if (table == nullptr || n < 1 || m < 1)
        return;
    for (int row = 0; row < n; ++row)
        if (table[row] != nullptr)
            memset(table[row], static_cast<unsigned char>(value), static_cast<size_t>(m));
}

void QVUCinit(unsigned char **table, int n, int m, int value)
{
    fill_table(table, n, m, value);
}

void QVCinit(char **table, int n, int m, int value)
{
    fill_table(table, n, m, value);
}

void QVIinit(int *array, int n, int value)
{
    if (array == nullptr)
        return;
    for (int i = 0; i < n; ++i)
        array[i] = value;
}

// A heap sort that moves indexes, not keys. Callers may rely on the exact
// order it leaves equal keys in, so every comparison is a strict less-than:
// of two equal children the left one is taken, and an entry equal to the
// larger child stops the sift.
void QVindexx(const int *key, int n, int *index)
{
    if (key == nullptr || index == nullptr || n < 1)
        return;
    for (int j = 1; j <= n; ++j)
        index[j] = j;
    if (n == 1)
        return;

    int bound = n / 2 + 1; // the part still being built into a heap ends here
    int end = n;           // the heap's last element
    for (;;) {
        int placed;
        if (bound > 1) {
            --bound;
            placed = index[bound];
        } else {
            placed = index[end];
            index[end] = index[1];
            if (--end == 1) {
                index[1] = placed;
                return;
            }
        }
        // Wide, so that doubling a child's position cannot overflow.
        long long i = bound;
        long long j = 2LL * bound;
        while (j <= end) {
            if (j < end && key[index[j]] < key[index[j + 1]])
                ++j;
            if (key[placed] < key[index[j]]) {
                index[i] = index[j];
                i = j;
                j *= 2;
            } else {
                j = end + 1;
            }
        }
        index[i] = placed;
    }
}

int *irange(const int *array, int n)
{
    if (array == nullptr || n < 1)
        return nullptr;
    int minimum = array[0];
    int maximum = array[0];
    for (int i = 1; i < n; ++i) {
        if (array[i] > maximum)
            maximum = array[i];
        if (array[i] < minimum)
            minimum = array[i];
    }
    int *range = static_cast<int *>(QVmalloc(2 * sizeof(int)));
    range[0] = minimum;
    range[1] = maximum;
    return range;
}
