// The index heap sort over keys taken four bytes at a time from the input:
// the index must be a permutation of 1..n that orders the keys, the keys
// must stay as they were, element 0 of both arrays must stay untouched, and
// sorting the same keys again must give the same index (equal keys included).
#include <cstdlib>
#include <cstring>
#include <vector>

#include "qvutil/qvutil.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const int n = static_cast<int>(size / sizeof(int));
    // Exactly n + 1 elements each, so that a write past the end is caught.
    int *key = static_cast<int *>(malloc((static_cast<size_t>(n) + 1) * sizeof(int)));
    int *index = static_cast<int *>(malloc((static_cast<size_t>(n) + 1) * sizeof(int)));
    key[0] = index[0] = 0x5a5a5a5a;
    if (n > 0)
        memcpy(key + 1, data, static_cast<size_t>(n) * sizeof(int));
    const std::vector<int> keys(key, key + n + 1);

    QVindexx(key, n, index);

    FUZZ_CHECK(key[0] == 0x5a5a5a5a && index[0] == 0x5a5a5a5a);
    FUZZ_CHECK(std::vector<int>(key, key + n + 1) == keys);
    std::vector<bool> seen(static_cast<size_t>(n) + 1, false);
    for (int i = 1; i <= n; ++i) {
        FUZZ_CHECK(index[i] >= 1 && index[i] <= n && !seen[static_cast<size_t>(index[i])]);
        seen[static_cast<size_t>(index[i])] = true;
        if (i > 1)
            FUZZ_CHECK(key[index[i - 1]] <= key[index[i]]);
    }
    std::vector<int> again(static_cast<size_t>(n) + 1, 0x5a5a5a5a);
    QVindexx(key, n, again.data());
    FUZZ_CHECK(again == std::vector<int>(index, index + n + 1));
    free(key);
    free(index);
    return 0;
}
