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

// ---- String editing ----
//
// Bytes are compared as unsigned chars; a character passed as an int is
// reduced to its low byte. A routine either returns a new block (the
// caller's, released with QVfree), edits the caller's buffer in place and
// returns it (the buffer need not come from this allocator), or consumes a
// block from this allocator and returns its replacement. Every allocation
// here is checked: a failure reports "malloc error" or "realloc error" and
// ends the process (status 1).

// A new upper-case (lower-case) copy of text, in a block of strlen(text) + 1
// bytes; released with QVfree. Only the ASCII letters change; text is
// unchanged.
char *QVstoupper(const char *text);
char *QVstolower(const char *text);

// Converts buffer to upper (lower) case in place and returns it.
char *QVstoup(char *buffer);
char *QVstolo(char *buffer);

// Consumes block: removes every occurrence of c. When c does not occur (or
// is NUL) the same block comes back untouched; otherwise the result is a new
// block of exactly the new length + 1 bytes and block has been released.
// The old pointer is no longer valid; use the returned one.
char *QVremovechar(char *block, int c);

// Removes every occurrence of c from buffer in place, moving the rest up,
// and returns buffer. Bytes after the new terminator keep their old values.
// A NUL c leaves buffer untouched.
char *QVremovechar2(char *buffer, int c);

// Replaces, in place, every byte before the terminator that equals replaced
// by replacement, and returns buffer. A NUL replaced matches nothing; a NUL
// replacement ends the string at the first replaced byte and leaves the
// bytes after it in the buffer.
char *QVsubchar(char *buffer, int replacement, int replaced);

// Consumes block: drops its newlines, resizes it to exactly
// strlen(rest) + strlen(text) + 1 bytes and appends text (whose newlines
// stay). The old pointer is no longer valid; use the returned one. text
// must not lie inside block.
char *QVstrappend(char *block, const char *text);

// A new string holding the count strings that follow (each a const char *)
// one after the other, in a block of exactly their total length + 1 bytes;
// released with QVfree. A count of 0 or less gives a new empty string.
char *QVcat(int count, ...);

// The address of the leftmost occurrence of pattern in text, or null when
// either is empty or pattern does not occur. Neither string is changed.
char *QVstrlocate(char *text, const char *pattern);

// The next token of text: a maximal run of bytes not in delims, ended in
// place by a NUL written over the delimiter after it. Pass the string on the
// first call and null to go on with it; returns null when no token is left
// (and when the first call of the process passes null). One process-wide
// cursor: starting a new string abandons the previous one, and the string
// must stay alive and unmoved meanwhile.
char *QVstrtok(char *text, const char *delims);

// Fills buffer with length - 1 blanks and a NUL at index length - 1, and
// returns it. A length below 1 leaves buffer untouched.
char *QVstrblank(char *buffer, int length);

// The address just past the NUL that ends text: text + strlen(text) + 1.
char *QVfnonnull(char *text);

// ---- Token lists ----
//
// A toklist made by QVgettokens holds nwords >= 1 tokens in a words array of
// exactly nwords slots; each slot is its own copy of a non-empty token in a
// block of exactly its length + 1 bytes. The list refers to nothing else;
// the caller owns it and releases it with QVfreetokens. Allocations are
// checked as above.
struct toklist {
    int nwords;
    char **words;
};

// The next token read from in: delimiters (the bytes of delims, and NUL
// always) before it are skipped, and the delimiter that ends it is consumed.
// Returns a block of exactly the token's length + 1 bytes, released with
// QVfree, or null at the end of the input; a token that the end of the input
// cuts off before a delimiter is discarded.
char *QVGetToken(FILE *in, const char *delims);

// Splits str in place with strtok (runs of delimiters count as one; str then
// reads as its first token) and returns a new list of copies of its tokens,
// released with QVfreetokens; null when str holds no token or is null. This
// restarts the process-wide position of strtok, so a caller's own strtok
// sequence does not survive it.
toklist *QVgettokens(const char *delims, char *str);

// Releases every token, the words array and the list itself. A null list
// does nothing.
void QVfreetokens(toklist *list);

// A new string of the tokens first to last (0-based, inclusive) joined by
// the byte sep; released with QVfree. An index that is negative or not less
// than nwords falls back to the whole list: first to 0, last to nwords - 1
// (so a first past the end starts at the first token). A range that is still
// empty (first > last, or a null or empty list) gives a new empty string.
char *QVtoktostr(toklist *list, int sep, int first, int last);
// ---- File records ----

// Opens path with mode, which is handed to fopen as it is. Returns the
// stream, or null on failure (a null path or mode fails with EINVAL). With
// flag 1 a failure is reported as "Cannot Open File: PATH" and ends the
// process (status 1); any other flag returns null quietly.
FILE *QVfopen(const char *path, const char *mode, int flag);

// Closes stream and returns fclose's result: 0, or non-zero on failure (a
// null stream fails with EINVAL). Either way the stream is gone afterwards.
// With flag 1 a failure is reported as "Error closing File" and ends the
// process (status 1); any other flag returns the result quietly.
int QVfclose(FILE *stream, int flag);

// A file's name together with its open stream. The record owns name (a
// QVstrdup copy); stream is null when the record has none. The caller owns
// the record and releases it with QVfree; no routine here releases it.
//
// Life of a record: made (QVfilemake); open (QVfileopen); closed
// (QVfileclose: stream still holds the closed stream, and only QVfileopen
// may follow); cleaned (QVfileclean: no stream, name released and null,
// only QVfree of the record may follow). QVfilerename may be applied while
// made or open.
//
// Where a flag is taken, 1 means a failure is reported on std_err as
// "TEXT: " with errno's text, then the record's name on a line of its own
// (empty for a null record or name), and ends the process with status -1
// (seen by a parent as 255); any other flag returns quietly and leaves the
// caller to look at the record. The record routines return the record they
// were given, null for a null record.
struct filerec {
    char *name;
    FILE *stream;
};

// A new record holding a copy of name (a null name gives a record without
// one). With flag 1 the stream is opened at once with mode, quietly: a
// failed open leaves it null. Any other flag leaves the record without a
// stream. Only a failed allocation ends the process (status 1).
filerec *QVfilemake(const char *name, const char *mode, int flag);

// Opens the record's name with mode and stores the stream, null on
// failure. A stream already in the record is overwritten without being
// closed, so the record must not hold an open one. Fatal with flag 1:
// "Error opening File".
filerec *QVfileopen(filerec *record, const char *mode, int flag);

// Closes the record's stream; the stream field still refers to it
// afterwards, so only QVfileopen or the release of the name and record may
// follow. Fatal with flag 1: "Error closing File".
filerec *QVfileclose(filerec *record, int flag);

// Gives the record a copy of newname in place of its name (a record
// without a name stays without one; a null newname leaves it without one),
// then closes its stream quietly and leaves the record without a stream.
// Nothing is reopened and the file on disk keeps its name. Never reports a
// stream failure.
filerec *QVfilerename(filerec *record, const char *newname);

// Closes the record's stream. On success the stream becomes null and the
// name is released with QVfree and set to null; the record itself is left
// for the caller to release with QVfree. When the close fails and flag is
// not 1, the record comes back unchanged: a non-null stream tells the
// failure, and that stream is closed all the same, so only the release of
// the name and the record may follow. Fatal with flag 1: "Error closing
// File".
filerec *QVfileclean(filerec *record, int flag);

// ---- Arrays, index sort and range ----

// A table of n row pointers, each row a separate block of m bytes with
// contents unset. The caller releases table and rows together with
// ucharfree. When any request fails it is reported once as "malloc error",
// what was obtained is released, and null comes back; never ends the
// process. A row count of 0 gives whatever the allocator gives for 0 bytes.
unsigned char **uchararr(int n, int m);

// As uchararr, with rows of plain characters.
char **chararr(int n, int m);

// Releases rows 0 to n - 1 with QVfree, then the table. A null row or a
// null table ends the process as QVfree does (status 1).
void ucharfree(unsigned char **table, int n);
void ucharfree(char **table, int n);

// Sets every byte of the n x m table to the low byte of value. Does nothing
// for n or m below 1 or a null table; null rows are passed over.
void QVUCinit(unsigned char **table, int n, int m, int value);

// As QVUCinit, for a table from chararr; the stored bytes are the same.
void QVCinit(char **table, int n, int m, int value);

// Sets array[0] to array[n - 1] to value; nothing for n below 1.
void QVIinit(int *array, int n, int value);

// Fills index[1..n] with a permutation of 1..n such that key[index[1]] <=
// key[index[2]] <= ... <= key[index[n]], by an in-place heap sort. Both
// arrays are 1-based: element 0 is never read or written. Not stable, but
// the order it leaves equal keys in is always the same for the same keys,
// and callers may rely on it. The keys are not changed. Nothing happens
// for n below 1 or a null array.
void QVindexx(const int *key, int n, int *index);

// A new block of two ints, {minimum, maximum} of array[0] to array[n - 1];
// the caller releases it with QVfree. Null for n below 1 or a null array.
// A failed allocation ends the process as QVmalloc does (status 1).
int *irange(const int *array, int n);
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

// ---- Text output ----
//
// Both write bytes as they are, those above 127 included; write errors of
// the stream are not detected.

// Writes the low byte of c count times, then a newline (a count of 0 or
// less gives the newline alone).
void QVpline(FILE *out, int c, int count);

// Writes text in a field of exactly width characters (none when width is 0
// or less): cut at width, or followed by blanks up to it. No newline.
// text must be a terminated string.
void QVpstring(FILE *out, const char *text, int width);

#endif
