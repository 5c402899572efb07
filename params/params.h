// params: the process-wide run parameters and the reader of keyword
// parameter files that sets them.
//
// Every numeric parameter holds its compiled-in default from program start
// and changes only when a parameter file names it. Every file-name parameter
// is null until the first getpars call installs the default names; the
// names sit in heap buffers that this module owns. A name read from a
// parameter is valid until the next getpars call, which releases the old
// buffers: copy it to keep it. Do not free or resize them yourself.
//
// A parameter file is read line by line. The first token of a line is the
// keyword, matched exactly (letter case included); the next token, if the
// keyword takes one, is its value, and the rest of the line is ignored.
// Tokens are separated by runs of double quote, space, comma, newline and
// tab ("\" ,\n\t"); a carriage return is no separator. A line with an
// unknown keyword, or a keyword without its value, is ignored. The first
// line with no token at all (empty, or separators only) ends the reading.
//
// Single-threaded: plain variables without locking.
#ifndef PARAMS_PARAMS_H
#define PARAMS_PARAMS_H

#include "seqio/seqio.h" // the capacity limits MAXnseq, MAXslen, MAXilen, MAXtlen

// Numeric parameters: default, then "KEYWORD". Integers are converted as by
// atoi, saturating at the 32-bit limits; singles as by atof, rounded to
// single precision. The capacity limits of seqio.h are set by "MAX_NSEQ",
// "MAX_SEQ_LEN", "MAX_ID_LEN" and "MAX_TITLE_LEN".
//
// MAXnbloc      500      "MAX_BLOC_SEQ"
// pen           0        "PEN"     scaled: the value times the precis in
// pen1          0        "PEN1"    force when the line is read, truncated
// fspen         0        "FSPEN"   toward zero (saturating); a "PRECISION"
// fsepen        0        "FSEPEN"  line affects only the lines after it
// min_score     0        "MIN_SCORE"
// min_len       1        "MIN_LEN"
// scan          0        "SCAN"
// output_len    50       "OUTPUT_LENGTH"
// precis        1        "PRECISION" (1 or a whole multiple of 10, 0 and
//                        negative ones included; any other value is fatal)
// nran          0        "NRANS"
// min_sd_score  -100000  no keyword
// read_pred     0        "READ_PRED"
// robsim        0        "ROBSIM"
// save_prof     0        "SAVE_PROFILES"
// epl_pen       0        "EPL_PEN"
// epr_pen       0        "EPR_PEN"
// ept_pen       0        "EPT_PEN"
// epb_pen       0        "EPB_PEN"
// auto_corner   0        "AUTO_CORNER"
// cut_corners   0        "CUT_CORNERS"
// run_sw_min    35       "RUN_SW_MIN"
// find_repeats  0        "FIND_REPEATS"
// save_blocfiles 0       "SAVE_BLOCFILES" (takes no value: the line sets 1)
// fp_bit        0        "FP_BIT"
// sec_scan      0        "SEC_SCAN"
extern int MAXnbloc, pen, pen1, fspen, fsepen, min_score, min_len, scan, output_len, precis, nran, min_sd_score,
    read_pred, robsim, save_prof, epl_pen, epr_pen, ept_pen, epb_pen, auto_corner, cut_corners, run_sw_min,
    find_repeats, save_blocfiles, fp_bit, sec_scan;

// fk 0.0 "CUT_CONSTANT"; pcut 0.1 (the nearest single) "PCUT"; fp_fac 0.0
// "FP_FAC".
extern float fk, pcut, fp_fac;

// A 32-bit word that starts at 0; nothing sets or reads it ("QUORPEL_FILE"
// sets fit3_file, not this).
extern int quorpel;

// File-name parameters: the default name that every getpars call installs,
// then "KEYWORD". A name holds no separator; quotes around it fall away.
//
// matrix_file  "md.mat"       "MATRIX_FILE"
// seq_file     "stdin"        "SEQ_FILE"
// sec_file     "test.sec"     "SEC_FILE"
// db_file      none: null until a "DB_FILE" line sets it, then kept by
//              later calls until another "DB_FILE" line replaces it
// bloc_file    "test.bloc"    no keyword
// fit_file     "fits250_8.q"  no keyword
// oseq_file    "test.oseq"    "OSEQ_FILE"
// gap_file     "gap.file"     no keyword
// look_file    "look.file"    no keyword
// ilook_file   "look.file"    no keyword (a buffer of its own)
// met_file     "met.file"     no keyword
// pred_file    "pred.file"    "PRED_FILE"
// amerge_file  "amerge.file"  "AMERGE_FILE"
// alps_file    ""             "ALPS_FILE"
// fit2_file    "fit2.file"    "FIT_FILE"
// fit3_file    "quorpel.dat"  "QUORPEL_FILE"
// codon_file   "codon.dat"    "CODON_FILE"
extern char *matrix_file, *seq_file, *sec_file, *db_file, *bloc_file, *fit_file, *oseq_file, *gap_file, *look_file,
    *ilook_file, *met_file, *pred_file, *amerge_file, *alps_file, *fit2_file, *fit3_file, *codon_file;

// Installs the default names (db_file excepted), then reads the parameter
// file at path and sets the parameters its lines name, in file order.
// Lines are read in pieces of at most MAXtlen - 1 characters, each handled
// as a line of its own; a "MAX_TITLE_LEN" line shortens the pieces that
// follow it but never lengthens them past the MAXtlen of the call's start
// (a MAXtlen of 0 or 1 reads nothing). Numeric parameters the file does not
// name keep their values. Returns 1 when the file was read, 0 when it
// cannot be opened ("Error opening Parameter file: PATH" on stderr).
// Ends the process (status 1) when the line buffer cannot be obtained ("No
// Space for buff") or on an invalid "PRECISION" value ("Invalid Precision
// multiplier in getpars"), and when a name buffer cannot be obtained. A
// strtok sequence of the caller's in progress is left as it was.
int getpars(const char *path);

#endif
