// The library's storage of the residue-coding record, so that a program
// that reads entries links without defining matrix itself. It is weak and
// zero-initialised: a program that defines matrix (pirclean does) keeps its
// own, and this object is then not even taken from the archive.
#include "seqio/seqio.h"

__attribute__((weak)) residuecoding matrix;
