// The parameter-file reader over any bytes written to a file, with the
// line-buffer size (MAXtlen) taken from the input. What must hold: the file
// is read (result 1), every file-name parameter is a string without a
// separator, and a second reading of the same file from the same start
// gives the same parameters.
//
// A "PRECISION" value that is neither 1 nor a multiple of 10 ends the
// process by design, so the digits of every line that holds "PRECISION"
// are rewritten to values that are always valid, whatever piece of the line
// the value is read from: each run of digits becomes 1 or 0 followed by
// zeros (at most nine digits), and a minus sign becomes a plus.
//
// The trailer, read from the end: MAXtlen (0 to 600); the bytes before it
// are the file.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "params/params.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

const char separators[] = "\" ,\n\t";

std::string valid_precisions(std::string file)
{
    for (size_t at = file.find("PRECISION"); at != std::string::npos; at = file.find("PRECISION", at + 1)) {
        int digits = 0;
        for (size_t i = at + 9; i < file.size() && file[i] != '\n'; ++i) {
            char &c = file[i];
            if (c >= '0' && c <= '9') {
                if (digits == 0)
                    c = c == '0' ? '0' : '1';
                else
                    c = digits < 9 ? '0' : '_';
                ++digits;
            } else {
                digits = 0;
                if (c == '-')
                    c = '+';
            }
        }
    }
    return file;
}

char *const *names[] = {&matrix_file, &seq_file,  &sec_file,    &bloc_file, &fit_file,  &oseq_file,
                        &gap_file,    &look_file, &ilook_file,  &met_file,  &pred_file, &amerge_file,
                        &alps_file,   &fit2_file, &fit3_file,   &codon_file};

std::string snapshot()
{
    std::string all;
    for (char *const *name : names) {
        FUZZ_CHECK(*name != nullptr);
        FUZZ_CHECK(strpbrk(*name, separators) == nullptr);
        all += *name;
        all += '\n';
    }
    if (db_file != nullptr) {
        FUZZ_CHECK(strpbrk(db_file, separators) == nullptr);
        all += db_file;
    }
    for (int value : {MAXnseq, MAXslen, MAXilen, MAXtlen, MAXnbloc, pen, pen1, fspen, fsepen, min_score, min_len,
                      scan, output_len, precis, nran, read_pred, robsim, save_prof, epl_pen, epr_pen, ept_pen,
                      epb_pen, auto_corner, cut_corners, run_sw_min, find_repeats, save_blocfiles, fp_bit, sec_scan})
        all.append(" ").append(std::to_string(value));
    for (float value : {fk, pcut, fp_fac})
        all.append(" ").append(std::to_string(value));
    return all;
}

void reset(int line_size)
{
    MAXtlen = line_size;
    precis = 1;
}

// A temporary file for the whole run, removed at exit.
char temporary_path[] = "/tmp/pirclean-getpars-fuzz-XXXXXX";

const char *file_path()
{
    static const bool made = [] {
        int fd = mkstemp(temporary_path);
        if (fd < 0)
            abort();
        close(fd);
        atexit([] { unlink(temporary_path); });
        return true;
    }();
    (void)made;
    return temporary_path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzbytes bytes{data, size};
    const int line_size = take_number(bytes, 0, 600);
    const std::string file = valid_precisions(take_rest(bytes));

    FILE *written = fopen(file_path(), "wb");
    if (written == nullptr || fwrite(file.data(), 1, file.size(), written) != file.size() || fclose(written) != 0)
        abort();

    reset(line_size);
    FUZZ_CHECK(getpars(file_path()) == 1);
    const std::string first = snapshot();
    // The same file from the same start gives the same parameters; db_file
    // is kept from the first reading when the file names none.
    reset(line_size);
    FUZZ_CHECK(getpars(file_path()) == 1);
    FUZZ_CHECK(snapshot() == first);

    reset(500);
    MAXnseq = 1000;
    MAXslen = 8000;
    MAXilen = 20;
    return 0;
}
