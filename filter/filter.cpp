// trimtrail, and the program's own storage of the residue-coding record the
// entry reader reads (it takes the place of the library's weak one). The
// filter reads letters as they are and never fills it.
#include "filter/filter.h"

#include <cstring>

#include "seqio/seqio.h"

residuecoding matrix;

char *trimtrail(char *text)
{
    for (size_t i = strlen(text); i-- > 1;) {
        if (text[i] != ' ') {
            text[i + 1] = '\0';
            return text;
        }
    }
    return text;
}
