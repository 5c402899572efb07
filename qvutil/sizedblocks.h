// Checked allocation by size_t, for library routines whose sizes are
// computed rather than given (internal to qvutil; not installed).
//
// The allocator takes its sizes as ints. A size too large for one is refused
// the way the allocator refuses an impossible request ("malloc error" or
// "realloc error" with the text of ENOMEM, status 1) instead of being
// wrapped into a block too small for what the caller then writes.
#ifndef QVUTIL_SIZEDBLOCKS_H
#define QVUTIL_SIZEDBLOCKS_H

#include <cstddef>

void *QVmallocsized(size_t size);
void *QVreallocsized(void *block, size_t size);

#endif
