// seqio: sequence entries, read one at a time from a text stream and written
// back.
//
// An entry is an identifier line that begins with ">", the next line as its
// title, and a body of all following characters up to the first "*". The
// reader skips whatever stands before an identifier line, cleans the
// identifier, keeps the title line as read and keeps only what the reading
// mode asks for of the body.
//
// What always holds for a seqentry:
// - slen 0 means the record holds no buffers yet: the next read obtains
//   fresh ones. Set slen to 0 before the first read of a record.
// - After a successful read each buffer is exactly as large as its stored
//   length (characters + 1 for the NUL), and slen is at least 2: seq holds a
//   blank at position 0, so residues are numbered from 1, the body at 1 to
//   slen - 2 and a NUL at slen - 1.
// - The record owns its buffers; they come from malloc/realloc and nothing
//   here releases them (release them with free). After a failed body read
//   slen is 0 again while id, title and seq still point at the old buffers:
//   free them before reading into the record again, or they are lost.
//
// The readers take what they read from the stream's buffer in bulk and
// leave the stream exactly where reading one character at a time would:
// right behind the line feed, the "*" or the last character used. Reading
// the same stream by other means in between (getc, ungetc, ftell, fseek) is
// safe.
//
// Diagnostics go straight to stderr. A buffer that cannot be obtained is
// reported by mcheck and ends the process (status 1).
#ifndef SEQIO_SEQIO_H
#define SEQIO_SEQIO_H

#include <cstdio>

struct seqentry {
    int ilen;    // stored length of id
    char *id;    // cleaned identifier
    int tlen;    // stored length of title
    char *title; // title line without its line feed
    int slen;    // 1 leading blank + body characters + 1 NUL
    char *seq;   // " " + body + NUL
};

// Capacity limits, read afresh at every read (defaults 1000, 8000, 20, 500).
// MAXnseq bounds the record index: gseq refuses index MAXnseq - 1 or more.
// MAXslen, MAXilen and MAXtlen are the byte capacities, NUL included, of the
// sequence, identifier-line and title buffers during a read; a limit below 2
// is taken as 2.
extern int MAXnseq, MAXslen, MAXilen, MAXtlen;

// The residue-coding record. Only alphabet and asize are read here: a
// letter's code is its position in alphabet, a character missing from it
// gets asize - 2, each reduced to 0..255. While alphabet is null every
// character is coded as if the alphabet were empty.
//
// The library holds zero-initialised storage for it, which a program's own
// definition of matrix replaces; either way there is one record. To read
// with residue coding (mode 1), fill it before the read: point alphabet at
// the residue letters in code order, which must stay valid while entries
// are read, and set asize (characters missing from alphabet get asize - 2):
//     static char letters[] = "ARNDCQEGHILKMFPSTWYVBZX";
//     matrix.alphabet = letters;
//     matrix.asize = 25; // 23 letters; anything else is coded 23
struct residuecoding {
    long reserved;  // one word, not used by the reader
    char *alphabet; // residue letters in code order, NUL-terminated
    int asize;
};
extern residuecoding matrix;

// Reads the next entry into records[*index] (the index is read, never
// changed). mode 0 or less keeps every non-white-space body character, mode
// 1 keeps letters and codes them with seqtoi, 2 or more keeps letters as
// read. Returns 1 when an entry was read; 0 at the end of input, for an index
// below 0 or of MAXnseq - 1 or more, and when the input ends inside an entry
// (then "End of file before title found" when it ends inside or right after
// the identifier line, or, in the letter modes, "Zero length sequence: ID"
// inside the body, is written to stderr). A failed read leaves the
// failing step's 0 in ilen, tlen or slen.
int gseq(FILE *in, seqentry *records, int *index, int mode);

// Writes records[*index] (the index is read, never changed) as three lines:
// ">ID", the title, and the body bytes 1 to slen - 2 as held (residue codes
// after a mode 1 read) on one line closed by "*". Flushes out, so the entry
// is complete on the stream on return. Returns 1; write errors are not seen.
int pseq(FILE *out, seqentry *records, int *index);

// Skips lines until one begins with ">" and returns idclean of it, or 0 at
// the end of input. Lines are read in pieces of at most capacity - 1
// characters. A last piece that the end of input cuts off before its line
// feed counts too when it begins with ">". A capacity below 2 reads nothing
// and returns 0.
int getid(FILE *in, char *buffer, int capacity);

// Reads one line without its line feed into buffer. Returns characters + 1;
// capacity when capacity - 1 characters filled the buffer (the rest of the
// line stays in the stream); 0 at the end of input, also after a last line
// without a line feed, whose characters are then left in buffer, terminated
// ("" when there were none). Capacity 1 stores "" and returns 1; 0 or less
// returns 0. Every other byte, CR included, is stored as read.
int getline(FILE *in, char *buffer, int capacity);

// Cleans an identifier line in place: the text after the first ">", or after
// the first ";" when there is one, cut at its first blank. Returns the stored
// length. capacity is not consulted: the result is never longer than the line.
int idclean(char *buffer, int capacity);

// Reads a body up to "*" (consumed) into buffer as " " + letters + NUL and
// returns its stored length (at least 2). When the buffer fills and anything
// but "*" follows, writes "Sequence Truncated to: CAPACITY" to stderr and
// returns capacity, leaving the rest of the body unread. Returns 0 when the
// input ends first, or for a capacity below 2.
int getseq(FILE *in, char *buffer, int capacity);

// As getseq, keeping every character that is not white space; its message
// is "Structure Truncated to: CAPACITY".
int getsec(FILE *in, char *buffer, int capacity);

// Replaces positions 0 to length - 2 of buffer by their sfind codes.
void seqtoi(char *buffer, int length);

// The residue code of the low byte of c (see matrix), 0 to 255.
int sfind(int c);

#endif
