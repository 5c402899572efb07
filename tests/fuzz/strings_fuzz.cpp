// The string and token routines over any bytes, each checked against a
// plain reference computation: QVstrtok, QVgettokens with QVtoktostr,
// QVstrlocate, QVremovechar, QVstrappend and QVGetToken.
//
// The trailer, read from the end: the delimiter set (up to 4 bytes, from the
// front), the join separator and range, the byte to remove, and the pattern
// (a piece of the text, or bytes from the front). The rest is the text.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "qvutil/qvutil.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// The string as C routines see it: up to its first NUL.
std::string as_string(const std::string &bytes)
{
    return bytes.substr(0, bytes.find('\0'));
}

// Maximal runs of bytes outside delims (the terminator is no delimiter).
std::vector<std::string> reference_tokens(const std::string &text, const std::string &delims)
{
    std::vector<std::string> tokens;
    std::string token;
    for (char c : text) {
        if (delims.find(c) != std::string::npos) {
            if (!token.empty())
                tokens.push_back(token);
            token.clear();
        } else {
            token += c;
        }
    }
    if (!token.empty())
        tokens.push_back(token);
    return tokens;
}

// A new copy of text in a block from the checked allocator.
char *block_of(const std::string &text)
{
    return QVstrdup(text.c_str());
}

void check_strtok(const std::string &text, const std::string &delims)
{
    char *buffer = block_of(text);
    std::vector<std::string> found;
    for (char *token = QVstrtok(buffer, delims.c_str()); token != nullptr; token = QVstrtok(nullptr, delims.c_str())) {
        FUZZ_CHECK(token >= buffer && token < buffer + text.size());
        found.push_back(token);
    }
    FUZZ_CHECK(found == reference_tokens(text, delims));
    // Once done, it stays done.
    FUZZ_CHECK(QVstrtok(nullptr, delims.c_str()) == nullptr);
    QVfree(buffer);
}

void check_tokens(const std::string &text, const std::string &delims, int sep, int first, int last)
{
    const std::vector<std::string> expected = reference_tokens(text, delims);
    char *buffer = block_of(text);
    toklist *list = QVgettokens(delims.c_str(), buffer);
    QVfree(buffer);
    if (expected.empty()) {
        FUZZ_CHECK(list == nullptr);
        return;
    }
    FUZZ_CHECK(list != nullptr && list->nwords == static_cast<int>(expected.size()));
    FUZZ_CHECK(holds_exactly(list->words, expected.size() * sizeof(char *)));
    for (size_t i = 0; i < expected.size(); ++i) {
        FUZZ_CHECK(list->words[i] == expected[i]);
        FUZZ_CHECK(holds_exactly(list->words[i], expected[i].size() + 1));
    }

    // An index outside the list falls back to the whole list on its side.
    const int n = list->nwords;
    const int from = first < 0 || first >= n ? 0 : first;
    const int to = last < 0 || last >= n ? n - 1 : last;
    std::string joined;
    for (int i = from; i <= to; ++i) {
        if (i > from)
            joined += static_cast<char>(sep);
        joined += expected[static_cast<size_t>(i)];
    }
    char *result = QVtoktostr(list, sep, first, last);
    // A NUL separator ends the string early, so compare the bytes, once the
    // block is known to hold them.
    FUZZ_CHECK(holds_exactly(result, joined.size() + 1));
    FUZZ_CHECK(memcmp(result, joined.c_str(), joined.size() + 1) == 0);
    QVfree(result);
    QVfreetokens(list);
}

void check_locate(const std::string &text, const std::string &pattern)
{
    char *buffer = block_of(text);
    char *found = QVstrlocate(buffer, pattern.c_str());
    const size_t at = text.find(pattern);
    if (text.empty() || pattern.empty() || at == std::string::npos)
        FUZZ_CHECK(found == nullptr);
    else
        FUZZ_CHECK(found == buffer + at);
    FUZZ_CHECK(buffer == text);
    QVfree(buffer);
}

void check_removechar(const std::string &text, int c)
{
    const char target = static_cast<char>(c);
    std::string expected;
    for (char byte : text)
        if (byte != target)
            expected += byte;
    char *block = block_of(text);
    char *result = QVremovechar(block, c);
    FUZZ_CHECK(result == expected);
    // Nothing removed: the very same block comes back.
    FUZZ_CHECK((expected.size() == text.size()) == (result == block));
    FUZZ_CHECK(holds_exactly(result, (result == block ? text.size() : expected.size()) + 1));
    QVfree(result);
}

void check_append(const std::string &text, const std::string &added)
{
    std::string expected;
    for (char byte : text)
        if (byte != '\n')
            expected += byte;
    expected += added;
    char *result = QVstrappend(block_of(text), added.c_str());
    FUZZ_CHECK(result == expected);
    FUZZ_CHECK(holds_exactly(result, expected.size() + 1));
    QVfree(result);
}

// Tokens of a stream: NUL always delimits, and a token the end cuts off
// before a delimiter is not one.
void check_get_token(const std::string &bytes, const std::string &delims)
{
    std::vector<std::string> expected;
    std::string token;
    for (char c : bytes) {
        if (c == '\0' || delims.find(c) != std::string::npos) {
            if (!token.empty())
                expected.push_back(token);
            token.clear();
        } else {
            token += c;
        }
    }
    FILE *in = stream_over(bytes);
    std::vector<std::string> found;
    while (char *next = QVGetToken(in, delims.c_str())) {
        FUZZ_CHECK(holds_exactly(next, strlen(next) + 1));
        found.push_back(next);
        QVfree(next);
    }
    fclose(in);
    FUZZ_CHECK(found == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzbytes bytes{data, size};
    const std::string delims = as_string(take_text(bytes, 4));
    const int sep = take_number(bytes, 0, 255);
    const int first = take_number(bytes, -2, 10);
    const int last = take_number(bytes, -2, 10);
    const int removed = take_number(bytes, 0, 255);
    const bool pattern_from_text = take_number(bytes, 0, 1) == 1;
    const int pattern_start = take_number(bytes, 0, 255);
    const int pattern_length = take_number(bytes, 0, 8);
    const std::string raw = take_rest(bytes);
    const std::string text = as_string(raw);
    const std::string pattern = pattern_from_text
                                    ? text.substr(std::min(text.size(), static_cast<size_t>(pattern_start)), pattern_length)
                                    : as_string(raw.substr(0, pattern_length));

    check_strtok(text, delims);
    check_tokens(text, delims, sep, first, last);
    check_locate(text, pattern);
    check_removechar(text, removed);
    check_append(text, pattern);
    check_get_token(raw, delims);
    return 0;
}
