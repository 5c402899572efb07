// Test helpers: capture what the library writes to std_err, and turn bytes
// into a readable stream.
#ifndef TESTS_SUPPORT_CAPTURE_H
#define TESTS_SUPPORT_CAPTURE_H

#include <cstdio>
#include <string>

#include "qvutil/qvutil.h"

// Everything written to stream from its start.
inline std::string contents_of(FILE *stream)
{
    fflush(stream);
    rewind(stream);
    std::string text;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, stream)) > 0)
        text.append(chunk, n);
    return text;
}

// Runs body with std_err pointing at a temporary stream and returns what
// it wrote there; std_err is restored afterwards.
template <class Body> std::string capture_std_err(Body body)
{
    FILE *saved = std_err;
    FILE *sink = tmpfile();
    std_err = sink;
    body();
    std_err = saved;
    std::string text = contents_of(sink);
    fclose(sink);
    return text;
}

// A stream positioned at the start of bytes (which may hold NULs); the
// caller closes it with fclose.
inline FILE *stream_of(const std::string &bytes)
{
    FILE *stream = tmpfile();
    fwrite(bytes.data(), 1, bytes.size(), stream);
    rewind(stream);
    return stream;
}

#endif
