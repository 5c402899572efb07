// Inside qvtimes: the module's snapshots, and the arithmetic and layout of
// a report taken apart from the clock, so that a report can be made from
// chosen tick counts and rates. Programs use qvutil/qvtimes.h instead.
#ifndef QVUTIL_QVTIMES_FORMAT_H
#define QVUTIL_QVTIMES_FORMAT_H

#include <cstdio>
#include <ctime>
#include <sys/times.h>

// The module's state. Running exactly when t_init is non-null; then all
// three records exist. The tick values are what times() returned at the
// first snapshot, the last report and the report in progress; they keep
// their contents after a reset.
extern struct tms *t_init, *t_last, *t_new;
extern clock_t init_times, last_times, new_times;

// What one report compares: the new snapshot with the previous and the
// first one, each with the elapsed tick count times() gave with it, and the
// clock ticks per second.
struct timereport {
    const struct tms *now, *last, *first;
    clock_t now_ticks, last_ticks, first_ticks;
    long rate;
};

// Seconds in a tick difference: the difference and the rate each made
// single precision, divided in single precision, then widened.
double QVtickseconds(clock_t ticks, long rate);

// Prints the report of type (0 to 3) on out; any other type prints nothing.
void QVprinttimes(FILE *out, int type, const struct timereport *report);

// The text of the report of type (0 to 3), formatted into a new block of
// capacity bytes that grows when the text would not fit and is then shrunk
// to the text's length plus one; any other type gives the empty text. The
// caller releases it with QVfree. Ends the process (status 1) when the block
// cannot be allocated.
char *QVformattimes(int type, const struct timereport *report, int capacity);

#endif
