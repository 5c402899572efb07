// qvtimes: where a program's time goes.
//
// QV_init_times takes a first snapshot of the process times. Each later
// report takes a new snapshot and compares it with two earlier ones: the
// snapshot of the previous report ("since last") and the first snapshot
// ("since first"). Until the first report, the previous snapshot is the
// first one, so the first report shows equal values both ways. Every report,
// of any type, becomes the previous snapshot of the next one.
//
// Values are seconds: the user and system CPU time of the process, the CPU
// time of its waited-for child processes, their sums, and elapsed real time.
// A difference of clock ticks is divided by the tick rate of the moment in
// single precision, then printed with one decimal (two for a printed type 0).
//
// The module is stopped at process start, running after QV_init_times and
// stopped again after QV_reset_times. While stopped, a report is taken as
// "nothing measured": it prints nothing and returns the empty text, takes no
// snapshot and leaves the module stopped.
//
// Texts returned here belong to the caller, who releases them with QVfree.
// The snapshots are process-wide and unguarded: call from one thread only.
#ifndef QVUTIL_QVTIMES_H
#define QVUTIL_QVTIMES_H

#include <cstdio>
#include <sys/times.h>

// Takes the first snapshot and starts the module. While the module is
// running it does nothing: reports go on counting from the first call.
// Ends the process (status 1) when the snapshots cannot be allocated.
void QV_init_times();

// Takes a snapshot and prints a report on out:
//   0  "Elapsed time: %6.2f\n"  elapsed since last;
//   1  "CPU(P..)(C..)(T..)(E..)\n"  process, children, total CPU and
//      elapsed, each since last then since first;
//   2  a header and the rows "Master  :" and "Children:", each with user,
//      sys, total since last | the same since first | elapsed (Master) or
//      total CPU (Children) since last and since first;
//   3  "Cum CPU Time: Parent: .. Child: .. Total: .. Elapsed: ..\n", all
//      since first.
// Any other type prints nothing; the snapshot still becomes the previous one.
void QV_show_times(FILE *out, int type);

// Takes a snapshot and returns its report as a new text without labels or
// newline, fields "%7.1f" joined by one blank:
//   0  elapsed since last;
//   1  process CPU since last and since first, elapsed since last and since
//      first;
//   2  the sixteen values of the printed type 2 rows, Master then Children;
//   3  process, children and total CPU and elapsed, all since first.
// Any other type, or a stopped module, gives the empty text. The text is in
// a block of exactly its length plus one; release it with QVfree. Ends the
// process (status 1) when the text cannot be allocated.
char *QV_get_times(int type);

// Releases the snapshots and stops the module; a later QV_init_times takes a
// fresh first snapshot. Does nothing when the module is stopped.
void QV_reset_times();

// Copies the four tick counts of from into to.
void copy_tms(struct tms *to, const struct tms *from);

#endif
