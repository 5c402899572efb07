// The filter driver's support: what main uses besides the entry reader.
#ifndef FILTER_FILTER_H
#define FILTER_FILTER_H

// Removes trailing blanks (spaces only) from text in place and returns text.
// Position 0 is never examined, so "" and "x" stay as they are, and so does
// one non-blank character followed only by blanks.
char *trimtrail(char *text);

#endif
