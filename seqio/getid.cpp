// The identifier search.
#include "seqio/seqio.h"

int getid(FILE *in, char *buffer, int capacity)
{
    // With room for no character the line reader would make no progress.
    if (capacity < 2)
        return 0;
    // Skipped lines are read in pieces, so a ">" at the start of any piece
    // counts as an identifier line.
    for (;;) {
        if (getline(in, buffer, capacity) <= 0) {
            // An identifier line cut off by the end of input still starts an
            // entry; gseq then finds no title and reports the lost entry.
            return buffer[0] == '>' ? idclean(buffer, capacity) : 0;
        }
        if (buffer[0] == '>')
            return idclean(buffer, capacity);
    }
}
