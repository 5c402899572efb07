// Writes a test input described by a .gen file to standard output, so that
// inputs of many megabytes need not be stored. Each line of the file is a
// piece written in turn: TEXT, or COUNT*TEXT for COUNT copies of it. TEXT
// knows the escapes \n, \r, \t, \0, \\ and \xHH; every other byte stands for
// itself. Lines that begin with "#" are comments; an empty line writes
// nothing.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// TEXT with its escapes replaced; false when an escape is malformed.
bool unescape(const std::string &text, std::string &bytes)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case 'n': bytes += '\n'; break;
        case 'r': bytes += '\r'; break;
        case 't': bytes += '\t'; break;
        case '0': bytes += '\0'; break;
        case '\\': bytes += '\\'; break;
        case 'x': {
            if (i + 2 >= text.size())
                return false;
            int high = hex_digit(text[i + 1]);
            int low = hex_digit(text[i + 2]);
            if (high < 0 || low < 0)
                return false;
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_input FILE.gen > FILE\n");
        return 2;
    }
    FILE *description = fopen(argv[1], "r");
    if (description == nullptr) {
        perror(argv[1]);
        return 1;
    }
    char *line = nullptr;
    size_t size = 0;
    ssize_t length;
    for (int number = 1; (length = getline(&line, &size, description)) >= 0; ++number) {
        std::string text(line, static_cast<size_t>(length));
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        if (!text.empty() && text[0] == '#')
            continue;
        // A leading COUNT* repeats the rest.
        unsigned long count = 1;
        size_t digits = text.find_first_not_of("0123456789");
        if (digits != std::string::npos && digits > 0 && text[digits] == '*') {
            count = strtoul(text.c_str(), nullptr, 10);
            text.erase(0, digits + 1);
        }
        std::string bytes;
        if (!unescape(text, bytes)) {
            fprintf(stderr, "%s:%d: bad escape\n", argv[1], number);
            return 1;
        }
        for (unsigned long i = 0; i < count; ++i)
            fwrite(bytes.data(), 1, bytes.size(), stdout);
    }
    free(line);
    fclose(description);
    return fflush(stdout) == 0 && !ferror(stdout) ? 0 : 1;
}
