// The generator of benchmark input.
#include "bench/pirgen.h"

#include <array>
#include <string>

// splitmix64: small, fast and the same everywhere.
static uint64_t nextrandom(uint64_t *state)
{
    uint64_t z = (*state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

// A number from 0 to bound - 1.
static int below(uint64_t *state, int bound)
{
    return static_cast<int>(nextrandom(state) % static_cast<uint64_t>(bound));
}

// A number from low to high, both included.
static int between(uint64_t *state, int low, int high)
{
    return low + below(state, high - low + 1);
}

// Residues drawn with the frequencies of proteins at large (per 1000).
static const std::array<char, 1000> residuetable = [] {
    struct share {
        char residue;
        int count;
    };
    const share shares[] = {{'A', 83}, {'R', 55}, {'N', 41}, {'D', 55}, {'C', 14}, {'Q', 39}, {'E', 67},
                            {'G', 71}, {'H', 23}, {'I', 59}, {'L', 97}, {'K', 58}, {'M', 24}, {'F', 39},
                            {'P', 47}, {'S', 66}, {'T', 53}, {'W', 11}, {'Y', 29}, {'V', 69}};
    std::array<char, 1000> table{};
    size_t at = 0;
    for (const share &s : shares)
        for (int i = 0; i < s.count; ++i)
            table[at++] = s.residue;
    return table;
}();

static char residue(uint64_t *state)
{
    return residuetable[below(state, 1000)];
}

static const char *const proteins[] = {
    "cytochrome c",         "hemoglobin alpha chain", "hemoglobin beta chain", "myoglobin",
    "ferredoxin",           "lysozyme C precursor",   "insulin",               "alpha crystallin B chain",
    "DNA polymerase III",   "ATP synthase subunit",   "elongation factor Tu",  "ribosomal protein L2",
    "hypothetical protein", "histone H4",             "ubiquitin",             "HLA class I antigen",
    "serine protease",      "kinesin heavy chain",    "collagen alpha 1(I)",   "titin fragment"};
static const char *const organisms[] = {"human",     "mouse",      "rat",        "chicken",    "bovine",
                                        "yeast",     "E. coli",    "Drosophila", "zebrafish",  "Arabidopsis",
                                        "bullfrog",  "chimpanzee", "horse",      "Bacillus subtilis"};

template <class List> static const char *pick(uint64_t *state, const List &list)
{
    return list[below(state, static_cast<int>(std::size(list)))];
}

// Appends n residues, and the "*", in one of the layouts real files use.
static void appendbody(std::string *text, uint64_t *state, int n)
{
    int layout = below(state, 10);
    // 7998 letters and then a line break would be a truncation: that "*"
    // always follows the last letter.
    bool starapart = below(state, 10) < 3 && n < 7998;
    if (layout < 4) {
        // Numbered lines of 50 residues in blocks of 10.
        for (int i = 0; i < n; ++i) {
            if (i % 50 == 0) {
                std::string number = std::to_string(i + 1);
                if (i > 0)
                    *text += '\n';
                text->append(7 - number.size(), ' ');
                *text += number;
                *text += ' ';
            } else if (i % 10 == 0) {
                *text += ' ';
            }
            *text += residue(state);
        }
    } else if (layout < 8) {
        // Plain lines of 60 characters, residues and gap marks.
        int column = 0;
        for (int i = 0; i < n;) {
            char c;
            if (below(state, 100) < 6) {
                c = below(state, 4) == 0 ? '.' : '-';
            } else {
                c = residue(state);
                ++i;
            }
            if (column == 60) {
                *text += '\n';
                column = 0;
            }
            *text += c;
            ++column;
        }
    } else {
        // Blocks of 10, five to a line, behind a blank.
        for (int i = 0; i < n; ++i) {
            if (i % 50 == 0)
                *text += i == 0 ? " " : "\n ";
            else if (i % 10 == 0)
                *text += ' ';
            *text += residue(state);
        }
    }
    *text += starapart ? "\n*\n" : "*\n";
}

pirsummary writepir(FILE *out, long long bytes, uint64_t seed)
{
    uint64_t state = seed;
    pirsummary summary{0, 0, 0};
    std::string text;
    while (summary.bytes < bytes) {
        text.clear();
        // Identifier: a form accepted everywhere, at most 19 characters.
        text += below(&state, 5) == 0 ? ">F1;" : ">P1;";
        for (int i = between(&state, 1, 4); i > 0; --i)
            text += static_cast<char>('A' + below(&state, 26));
        std::string number = std::to_string(summary.entries % 1000000);
        text.append(6 - number.size(), '0');
        text += number;
        text += '\n';

        // Title: what the protein is, from what, sometimes a fragment.
        text += pick(&state, proteins);
        text += " - ";
        text += pick(&state, organisms);
        if (below(&state, 8) == 0)
            text += " (fragment)";
        text += '\n';

        // Lengths: mostly a few hundred, some thousands, none over 7998.
        int kind = below(&state, 100);
        int n = kind < 45 ? between(&state, 30, 400)
              : kind < 85 ? between(&state, 400, 1000)
              : kind < 97 ? between(&state, 1000, 3000)
                          : between(&state, 3000, 7998);
        appendbody(&text, &state, n);
        if (below(&state, 4) == 0)
            text += '\n'; // some files part their entries by an empty line

        fwrite(text.data(), 1, text.size(), out);
        ++summary.entries;
        summary.residues += n;
        summary.bytes += static_cast<long long>(text.size());
    }
    return summary;
}
