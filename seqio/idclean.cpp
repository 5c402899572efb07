// Identifier cleaning.
#include "seqio/seqio.h"

#include <cstring>

#include "qvutil/qvutil.h"

int idclean(char *buffer, int /*capacity*/)
{
    char *line = QVstrdup(buffer);
    if (const char *mark = strchr(line, '>'))
        strcpy(buffer, mark + 1);
    // A ";" anywhere in the line, after a blank too, wins over the ">".
    if (const char *mark = strchr(line, ';'))
        strcpy(buffer, mark + 1);
    // The identifier ends at its first blank; tabs and CRs are kept.
    for (size_t i = 0, n = strlen(buffer); i < n; ++i)
        if (buffer[i] == ' ')
            buffer[i] = '\0';
    QVfree(line);
    return static_cast<int>(strlen(buffer)) + 1;
}
