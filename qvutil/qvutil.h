// qvutil: the general utility library.
//
// Checked allocation and error reporting, the library's stream handles and
// the string buffers built on them.
//
// Ownership: every block a routine here returns comes from the platform
// allocator and belongs to the caller, who releases it with QVfree (or
// resizes it with QVrealloc, QVreallocNQ or QVstrrename). No routine keeps a
// reference to a block it has returned.
//
// Failures: a report is one line on std_err, "TEXT: " followed by the
// platform's text for the current errno. A fatal failure writes its report
// and ends the process with exit status 1 through exit(), so open streams,
// standard output included, are flushed. Sizes are plain ints handed to the
// platform allocator as they are; a negative size is a request it refuses.
//
// Single-threaded: the handles and the other process-wide state are plain
// variables without locking.
#ifndef QVUTIL_QVUTIL_H
#define QVUTIL_QVUTIL_H

#include <cstdio>

// ---- Stream handles, checked memory and error reports ----

// The library's stream handles. They refer to stderr, stdin and stdout from
// process start; a program may point them at other open streams. The library
// itself writes only to std_err (its reports follow wherever it points).
extern FILE *std_err, *std_in, *std_out;

// Points the three handles at stderr, stdin and stdout again.
void QVinitfile();

// A new block of size bytes, contents unset. On failure reports
// "malloc error" and ends the process (status 1).
void *QVmalloc(int size);

// block resized to size bytes (a null block gives a new one); it may move,
// so go on with the returned pointer. On failure reports "realloc error"
// and ends the process (status 1).
void *QVrealloc(void *block, int size);

// As QVmalloc, but on failure reports "malloc error" and returns null.
void *QVmallocNQ(int size);

// As QVrealloc, but on failure reports "realloc error" and returns null;
// the old block then stays valid, unchanged, and still belongs to the caller.
void *QVreallocNQ(void *block, int size);

// Releases a block. A null block is never handed to the platform: it is
// reported as "Attempt to free NULL pointer" and ends the process (status 1).
void QVfree(void *block);

// Writes "TEXT: " (only when text is non-null and non-empty), then the
// platform's text for the current errno and a newline, to std_err.
// Returns the result of that last write. Never ends the process.
int QVerror(const char *text);

// QVerror(text); then, when flag is non-zero, ends the process (status 1).
// With flag 0 returns what QVerror returned.
int error(const char *text, int flag);

// Does nothing for a non-null block. A null block is reported as
// "malloc/realloc error", followed by message on a line of its own (when
// message is non-empty; it names the buffer and step that failed), and
// ends the process (status 1).
void mcheck(const void *block, const char *message);

// A new copy of text in a block of exactly strlen(text) + 1 bytes; the
// caller releases it with QVfree. text must not be null.
char *QVstrdup(const char *text);

// Consumes buffer (a block from this allocator, or null for a new one):
// resizes it to strlen(text) + 1 bytes and copies text into it. The old
// pointer is no longer valid; use the returned one. text must not lie
// inside buffer.
char *QVstrrename(char *buffer, const char *text);

// A new block of size bytes whose last byte is NUL (the others are unset).
// A size below 1 is taken as 1, which gives the empty string.
char *QVstrcreate(int size);

// ---- Clock and local time ----

// Starts the process-time clock, as QV_init_times of qvutil/qvtimes.h does:
// takes the first snapshot, or does nothing while the clock runs. Ends the
// process (status 1) when the snapshots cannot be allocated.
void QV_start_clock();

// Prints the cumulative report on out ("Cum CPU Time: Parent: ..", all since
// the first snapshot) and stops the clock, as QV_show_times(out, 3) followed
// by QV_reset_times. With the clock stopped it prints nothing.
void QV_stop_clock(FILE *out);

// The current local date and time as 24 characters and a newline
// ("Wed Jun 30 21:49:08 1993\n"). The text lives in the platform library's
// storage: do not release it; the next local-time conversion overwrites it.
char *QVlocaltime();

#endif
