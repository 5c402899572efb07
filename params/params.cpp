// The run-parameter block and the parameter-file reader.
#include "params/params.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "qvutil/qvutil.h"

// The capacity limits MAXnseq ... MAXtlen are defined with the entry reader
// that reads them.
int MAXnbloc = 500;
int pen = 0;
int pen1 = 0;
int fspen = 0;
int fsepen = 0;
int min_score = 0;
int min_len = 1;
int scan = 0;
int output_len = 50;
int precis = 1;
int nran = 0;
int min_sd_score = -100000;
int read_pred = 0;
int robsim = 0;
int save_prof = 0;
int epl_pen = 0;
int epr_pen = 0;
int ept_pen = 0;
int epb_pen = 0;
int auto_corner = 0;
float fk = 0.0f;
int cut_corners = 0;
float pcut = 0.1f;
int run_sw_min = 35;
int find_repeats = 0;
int quorpel = 0;
int save_blocfiles = 0;
int fp_bit = 0;
float fp_fac = 0.0f;
int sec_scan = 0;

char *matrix_file = nullptr;
char *seq_file = nullptr;
char *sec_file = nullptr;
char *db_file = nullptr;
char *bloc_file = nullptr;
char *fit_file = nullptr;
char *oseq_file = nullptr;
char *gap_file = nullptr;
char *look_file = nullptr;
char *ilook_file = nullptr;
char *met_file = nullptr;
char *pred_file = nullptr;
char *amerge_file = nullptr;
char *alps_file = nullptr;
char *fit2_file = nullptr;
char *fit3_file = nullptr;
char *codon_file = nullptr;

// The buffer size of a default name; a name set from a file gets a buffer of
// exactly its length + 1, so names are not bounded by it.
static constexpr int default_name_size = 100;

struct default_name {
    char **name;
    const char *text;
};

// In installation order. db_file has no default: it keeps what an earlier
// call gave it. alps_file has a buffer but no name, so it holds "".
static const default_name default_names[] = {
    {&matrix_file, "md.mat"},   {&seq_file, "stdin"},         {&sec_file, "test.sec"},
    {&bloc_file, "test.bloc"},  {&fit_file, "fits250_8.q"},   {&oseq_file, "test.oseq"},
    {&gap_file, "gap.file"},    {&look_file, "look.file"},    {&ilook_file, "look.file"},
    {&met_file, "met.file"},    {&pred_file, "pred.file"},    {&amerge_file, "amerge.file"},
    {&alps_file, ""},           {&fit2_file, "fit2.file"},    {&fit3_file, "quorpel.dat"},
    {&codon_file, "codon.dat"},
};

enum value_kind {
    integer_value,   // atoi, saturating
    scaled_value,    // atof times precis, truncated toward zero, saturating
    single_value,    // atof, rounded to single precision
    flag_value,      // no value token: sets 1
    precision_value, // an integer that must be 1 or a whole multiple of 10
    name_value,      // the token, in a buffer of its own length + 1
};

struct keyword {
    const char *word;
    value_kind kind;
    int *number; // integer, scaled, flag and precision
    float *real; // single
    char **name; // name
};

static constexpr keyword integer(const char *word, int *target)
{
    return {word, integer_value, target, nullptr, nullptr};
}

static constexpr keyword scaled(const char *word, int *target)
{
    return {word, scaled_value, target, nullptr, nullptr};
}

static constexpr keyword single(const char *word, float *target)
{
    return {word, single_value, nullptr, target, nullptr};
}

static constexpr keyword file_name(const char *word, char **target)
{
    return {word, name_value, nullptr, nullptr, target};
}

// Keywords are not always the variable's name in capitals: "OUTPUT_LENGTH",
// "NRANS", "SAVE_PROFILES", "CUT_CONSTANT", "FIT_FILE", "QUORPEL_FILE".
static const keyword keywords[] = {
    integer("MAX_NSEQ", &MAXnseq),
    integer("MAX_SEQ_LEN", &MAXslen),
    integer("MAX_ID_LEN", &MAXilen),
    integer("MAX_TITLE_LEN", &MAXtlen),
    integer("MAX_BLOC_SEQ", &MAXnbloc),
    scaled("PEN", &pen),
    scaled("PEN1", &pen1),
    scaled("FSPEN", &fspen),
    scaled("FSEPEN", &fsepen),
    integer("MIN_SCORE", &min_score),
    integer("MIN_LEN", &min_len),
    integer("SCAN", &scan),
    integer("OUTPUT_LENGTH", &output_len),
    {"PRECISION", precision_value, &precis, nullptr, nullptr},
    integer("NRANS", &nran),
    integer("READ_PRED", &read_pred),
    integer("ROBSIM", &robsim),
    integer("SAVE_PROFILES", &save_prof),
    integer("EPL_PEN", &epl_pen),
    integer("EPR_PEN", &epr_pen),
    integer("EPT_PEN", &ept_pen),
    integer("EPB_PEN", &epb_pen),
    integer("AUTO_CORNER", &auto_corner),
    single("CUT_CONSTANT", &fk),
    integer("CUT_CORNERS", &cut_corners),
    single("PCUT", &pcut),
    integer("RUN_SW_MIN", &run_sw_min),
    integer("FIND_REPEATS", &find_repeats),
    {"SAVE_BLOCFILES", flag_value, &save_blocfiles, nullptr, nullptr},
    integer("FP_BIT", &fp_bit),
    single("FP_FAC", &fp_fac),
    integer("SEC_SCAN", &sec_scan),
    file_name("MATRIX_FILE", &matrix_file),
    file_name("SEQ_FILE", &seq_file),
    file_name("SEC_FILE", &sec_file),
    file_name("DB_FILE", &db_file),
    file_name("OSEQ_FILE", &oseq_file),
    file_name("PRED_FILE", &pred_file),
    file_name("AMERGE_FILE", &amerge_file),
    file_name("ALPS_FILE", &alps_file),
    file_name("FIT_FILE", &fit2_file),
    file_name("QUORPEL_FILE", &fit3_file),
    file_name("CODON_FILE", &codon_file),
};

static const char delimiters[] = "\" ,\n\t";

static const keyword *find_keyword(const char *word)
{
    for (const keyword &entry : keywords)
        if (strcmp(entry.word, word) == 0)
            return &entry;
    return nullptr;
}

// As atoi, but a number beyond the int range gives the nearest int limit.
static int to_integer(const char *token)
{
    long value = strtol(token, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// A real truncated toward zero, saturating at the int limits; NaN gives 0.
static int truncate_to_integer(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

// 1 and whole multiples of 10 (0 and negative ones included).
static bool valid_precision(int value)
{
    return value / 10.0 == static_cast<double>(value / 10) || value == 1;
}

static void install_default_names()
{
    for (const default_name &entry : default_names) {
        // The module owns the old buffer; its name is replaced.
        if (*entry.name != nullptr)
            QVfree(*entry.name);
        *entry.name = static_cast<char *>(QVmalloc(default_name_size));
        strcpy(*entry.name, entry.text);
    }
}

static void store(const keyword &entry, const char *value)
{
    switch (entry.kind) {
    case integer_value:
        *entry.number = to_integer(value);
        break;
    case scaled_value:
        *entry.number = truncate_to_integer(atof(value) * static_cast<double>(precis));
        break;
    case single_value:
        *entry.real = static_cast<float>(atof(value));
        break;
    case flag_value:
        *entry.number = 1;
        break;
    case precision_value:
        *entry.number = to_integer(value);
        if (!valid_precision(*entry.number))
            error("Invalid Precision multiplier in getpars", 1);
        break;
    case name_value:
        *entry.name = QVstrrename(*entry.name, value);
        break;
    }
}

int getpars(const char *path)
{
    install_default_names();

    // The buffer is sized once, by the MAXtlen in force now; a negative size
    // is a request the allocator refuses.
    const int size = MAXtlen;
    char *line = static_cast<char *>(malloc(static_cast<size_t>(size)));
    if (line == nullptr)
        error("No Space for buff", 1);

    FILE *file = fopen(path, "r");
    if (file == nullptr) {
        fprintf(stderr, "Error opening Parameter file: %s\n", path);
        free(line);
        return 0;
    }

    for (;;) {
        // A "MAX_TITLE_LEN" line may shorten the pieces, never lengthen them
        // past the buffer. With room for no character nothing can be read,
        // which ends the reading like an empty line.
        const int bound = MAXtlen < size ? MAXtlen : size;
        if (bound < 2 || fgets(line, bound, file) == nullptr)
            break;
        // A position of its own: the platform tokenizer's hidden one would
        // be left pointing into the released buffer, and a caller's strtok
        // sequence would be lost.
        char *position = nullptr;
        const char *word = strtok_r(line, delimiters, &position);
        if (word == nullptr)
            break;
        const keyword *entry = find_keyword(word);
        if (entry == nullptr)
            continue;
        if (entry->kind == flag_value) {
            store(*entry, nullptr);
            continue;
        }
        // A keyword without its value leaves the parameter as it is.
        if (const char *value = strtok_r(nullptr, delimiters, &position))
            store(*entry, value);
    }

    fclose(file);
    free(line);
    return 1;
}
