// The filter's read-write loop over any bytes, as the program runs it: one
// record, index 0, mode 2, the default limits, three lines per entry and
// status 1 when the input ended inside an entry. What must hold:
// - every output entry is three lines: ">P1;" and the identifier, the title,
//   and only letters closed by "*";
// - the messages are the readers' own, and the status is 1 exactly when the
//   last one says that the input ended inside an entry;
// - trimming trailing blanks changes no identifier;
// - the output read again gives the same output, no message and status 0,
//   whenever every identifier fits the identifier line behind ">P1;" (at
//   most 14 characters; titles and bodies always fit, being cut on reading).
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "filter/filter.h"
#include "seqio/seqio.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

struct run {
    std::string output;
    std::string messages;
    int status = 0;
    bool within_limits = true; // every identifier at most 14 characters
};

run filter(const std::string &input)
{
    run result;
    FILE *in = stream_over(input);
    char *written = nullptr;
    size_t written_size = 0;
    FILE *out = open_memstream(&written, &written_size);
    if (out == nullptr)
        abort();

    caught_stderr caught;
    catch_stderr(caught);
    seqentry *records = static_cast<seqentry *>(calloc(1, sizeof(seqentry)));
    int index = 0;
    while (gseq(in, records, &index, 2) > 0) {
        seqentry *entry = &records[index];
        FUZZ_CHECK(strcmp(trimtrail(entry->id), entry->id) == 0);
        if (strlen(entry->id) > 14)
            result.within_limits = false;
        fputs(">P1;", out);
        fputs(entry->id, out);
        putc('\n', out);
        fputs(entry->title, out);
        putc('\n', out);
        fwrite(entry->seq + 1, 1, static_cast<size_t>(entry->slen - 2), out);
        fputs("*\n", out);
    }
    result.status = records[index].ilen > 0 ? 1 : 0;
    result.messages = release_stderr(caught);

    free(records->id);
    free(records->title);
    free(records->seq);
    free(records);
    fclose(in);
    fclose(out);
    result.output.assign(written, written_size);
    free(written);
    return result;
}

bool all_letters(const std::string &text)
{
    for (unsigned char c : text)
        if (!isalpha(c))
            return false;
    return true;
}

void check_output(const std::string &output)
{
    FUZZ_CHECK(output.find('\0') == std::string::npos);
    FUZZ_CHECK(output.empty() || output.back() == '\n');
    size_t at = 0;
    for (int line = 0; at < output.size(); ++line) {
        const size_t end = output.find('\n', at);
        const std::string text = output.substr(at, end - at);
        switch (line % 3) {
        case 0:
            FUZZ_CHECK(text.compare(0, 4, ">P1;") == 0);
            FUZZ_CHECK(text.find(' ') == std::string::npos);
            break;
        case 2:
            FUZZ_CHECK(!text.empty() && text.back() == '*' && all_letters(text.substr(0, text.size() - 1)));
            break;
        }
        at = end + 1;
        if (at == output.size())
            FUZZ_CHECK(line % 3 == 2);
    }
}

bool ends_inside_entry(const std::string &message)
{
    return message == "End of file before title found" || message.compare(0, 22, "Zero length sequence: ") == 0;
}

// Truncation messages, then at most one saying that the input ended inside
// an entry, which is there exactly when the status is 1.
void check_messages(const std::string &messages, int status)
{
    std::string last;
    size_t at = 0;
    while (at < messages.size()) {
        FUZZ_CHECK(last.empty() || last == "Sequence Truncated to: 8000");
        const size_t end = messages.find('\n', at);
        FUZZ_CHECK(end != std::string::npos);
        last = messages.substr(at, end - at);
        FUZZ_CHECK(last == "Sequence Truncated to: 8000" || ends_inside_entry(last));
        at = end + 1;
    }
    FUZZ_CHECK(ends_inside_entry(last) == (status == 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const run first = filter(std::string(reinterpret_cast<const char *>(data), size));
    check_output(first.output);
    check_messages(first.messages, first.status);
    if (first.within_limits) {
        const run again = filter(first.output);
        FUZZ_CHECK(again.output == first.output);
        FUZZ_CHECK(again.messages.empty());
        FUZZ_CHECK(again.status == 0);
    }
    return 0;
}
