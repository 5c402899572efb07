// Bulk access to what an input stream has read ahead (internal to seqio).
//
// The readers look at the bytes the stream holds in its buffer and take as
// many as they use in one step, so the stream stands exactly where reading
// one character at a time would have left it: ftell, getc and every other
// reader of the stream go on from there. On glibc the view is the stream's
// own read buffer; elsewhere it is one character, read with getc and put
// back with ungetc when it is not taken.
//
// Every viewbytes that returns true must be followed by a takebytes before
// the stream is used in any other way.
#ifndef SEQIO_STREAMVIEW_H
#define SEQIO_STREAMVIEW_H

#include <cstdio>

#if defined(__GLIBC__) && !defined(__UCLIBC__) && !defined(SEQIO_PORTABLE_STREAM)
#define SEQIO_GLIBC_STREAM 1
#endif

struct streamview {
    const char *next; // first byte not yet taken
    const char *end;  // one past the last byte in view
#ifndef SEQIO_GLIBC_STREAM
    char byte; // the one byte of the portable view
#endif
};

// Puts the stream's buffered bytes in view, reading more when it holds
// none. Returns false at the end of input or on a read error (nothing in
// view, nothing to take).
inline bool viewbytes(FILE *in, streamview *view)
{
#ifdef SEQIO_GLIBC_STREAM
    if (in->_IO_read_ptr >= in->_IO_read_end) {
        // getc refills the buffer; ungetc steps back over the byte it took,
        // which stays in the buffer.
        int c = getc_unlocked(in);
        if (c == EOF)
            return false;
        ungetc(c, in);
    }
    view->next = in->_IO_read_ptr;
    view->end = in->_IO_read_end;
#else
    int c = getc(in);
    if (c == EOF)
        return false;
    view->byte = static_cast<char>(c);
    view->next = &view->byte;
    view->end = view->next + 1;
#endif
    return true;
}

// Takes the bytes from view->next up to (not including) upto out of the
// stream; the next read starts at upto.
inline void takebytes(FILE *in, streamview *view, const char *upto)
{
#ifdef SEQIO_GLIBC_STREAM
    (void)view;
    in->_IO_read_ptr = const_cast<char *>(upto);
#else
    if (upto == view->next)
        ungetc(static_cast<unsigned char>(view->byte), in);
#endif
}

#endif
