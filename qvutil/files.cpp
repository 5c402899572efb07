// Stream wrappers and file records: a file's name kept with its stream, so
// that reports can name the file.
#include "qvutil/qvutil.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

FILE *QVfopen(const char *path, const char *mode, int flag)
{
    FILE *stream = nullptr;
    if (path == nullptr || mode == nullptr)
        errno = EINVAL;
    else
        stream = fopen(path, mode);
    if (stream != nullptr || flag != 1)
        return stream;

    // The report names the path, so it is built in a buffer of its own;
    // errno is kept across that allocation so the report tells why the
    // open failed.
    int saved = errno;
    const char *lead = "Cannot Open File: ";
    const char *shown = path != nullptr ? path : "";
    size_t lead_length = strlen(lead);
    size_t shown_length = strlen(shown);
    char *text = static_cast<char *>(QVmalloc(static_cast<int>(lead_length + shown_length + 1)));
    memcpy(text, lead, lead_length);
    memcpy(text + lead_length, shown, shown_length + 1);
    errno = saved;
    QVerror(text);
    QVfree(text);
    exit(1);
}

int QVfclose(FILE *stream, int flag)
{
    int result = EOF;
    if (stream == nullptr)
        errno = EINVAL;
    else
        result = fclose(stream);
    if (result != 0 && flag == 1) {
        QVerror("Error closing File");
        exit(1);
    }
    return result;
}

// The record routines end with -1 (seen by a parent as 255) after a report
// line and the file's name on the next one; a record without a name gives
// an empty name line.
static void record_fatal(const char *text, const filerec *record)
{
    QVerror(text);
    const char *name = record != nullptr && record->name != nullptr ? record->name : "";
    fprintf(std_err, "%s\n", name);
    exit(-1);
}

filerec *QVfilemake(const char *name, const char *mode, int flag)
{
    filerec *record = static_cast<filerec *>(QVmalloc(sizeof(filerec)));
    record->name = name != nullptr ? QVstrdup(name) : nullptr;
    record->stream = nullptr;
    if (flag == 1)
        record->stream = QVfopen(record->name, mode, 0);
    return record;
}

filerec *QVfileopen(filerec *record, const char *mode, int flag)
{
    FILE *stream = nullptr;
    if (record == nullptr)
        errno = EINVAL;
    else
        stream = record->stream = QVfopen(record->name, mode, 0);
    if (stream == nullptr && flag == 1)
        record_fatal("Error opening File", record);
    return record;
}

filerec *QVfileclose(filerec *record, int flag)
{
    int result = QVfclose(record != nullptr ? record->stream : nullptr, 0);
    // The stream field keeps the closed stream: a reopen overwrites it.
    if (result != 0 && flag == 1)
        record_fatal("Error closing File", record);
    return record;
}

filerec *QVfilerename(filerec *record, const char *newname)
{
    if (record == nullptr)
        return nullptr;
    if (record->name != nullptr) {
        // Copied before the old name goes, so a record can be given its own
        // name back.
        char *copy = newname != nullptr ? QVstrdup(newname) : nullptr;
        QVfree(record->name);
        record->name = copy;
    }
    if (record->stream != nullptr) {
        QVfclose(record->stream, 0);
        record->stream = nullptr;
    }
    return record;
}

filerec *QVfileclean(filerec *record, int flag)
{
    int result = QVfclose(record != nullptr ? record->stream : nullptr, 0);
    if (result == 0) {
        record->stream = nullptr;
        if (record->name != nullptr)
            QVfree(record->name);
        record->name = nullptr;
    } else if (flag == 1) {
        record_fatal("Error closing File", record);
    }
    return record;
}
