// Micro-benchmarks of the entry reader over in-memory streams, for profiling
// its loops without the program's input and output around them.
//
//   cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DPIRCLEAN_BENCH=ON
//   cmake --build build-bench -j2 --target reader_bench && build-bench/bench/reader_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/pirgen.h"
#include "seqio/seqio.h"

namespace {

// Generated PIR text of about bytes bytes, the benchmark program's input.
std::string generated(long long bytes)
{
    char *text = nullptr;
    size_t size = 0;
    FILE *out = open_memstream(&text, &size);
    writepir(out, bytes, 20240601);
    fclose(out);
    std::string copy(text, size);
    free(text);
    return copy;
}

FILE *reading(const std::string &text, size_t buffer)
{
    FILE *in = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
    if (in == nullptr)
        abort();
    if (buffer > 0)
        setvbuf(in, nullptr, _IOFBF, buffer);
    return in;
}

// Every entry of the text, in the program's mode (2, letters) or the
// structure mode (0), with the stream's buffer of range(1) bytes (0: the
// platform's choice).
void readall(benchmark::State &state, int mode)
{
    const std::string text = generated(state.range(0));
    seqentry records[1] = {};
    for (auto _ : state) {
        FILE *in = reading(text, static_cast<size_t>(state.range(1)));
        int index = 0;
        long entries = 0;
        while (gseq(in, records, &index, mode) > 0)
            ++entries;
        benchmark::DoNotOptimize(entries);
        fclose(in);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
    free(records[0].id);
    free(records[0].title);
    free(records[0].seq);
}

void BM_gseq_letters(benchmark::State &state)
{
    readall(state, 2);
}
void BM_gseq_structure(benchmark::State &state)
{
    // Numbered lines keep their digits here: room for them, so that no
    // body is cut.
    MAXslen = 1 << 16;
    readall(state, 0);
    MAXslen = 8000;
}
BENCHMARK(BM_gseq_letters)->Args({1 << 20, 0})->Args({16 << 20, 0})->Args({16 << 20, 1 << 16});
BENCHMARK(BM_gseq_structure)->Args({16 << 20, 1 << 16});

// The line reader alone, over title-like lines.
void BM_getline(benchmark::State &state)
{
    std::string text;
    while (text.size() < (4u << 20))
        text += "cytochrome c - human (tentative sequence) " + std::to_string(text.size()) + "\n";
    char line[500];
    for (auto _ : state) {
        FILE *in = reading(text, 1 << 16);
        long lines = 0;
        while (getline(in, line, sizeof line) > 0)
            ++lines;
        benchmark::DoNotOptimize(lines);
        fclose(in);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_getline);

} // namespace

BENCHMARK_MAIN();
