// Importing a friend's movie list: a 20,000-movie exchange file read and compared with a 100,000-movie Main Movie
// List and a 1,000-title quarantine, with Format Conversion on so that every offered title is formatted first.
#include <benchmark/benchmark.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "exchange/MovieExchangeFile.h"
#include "model/ListOperations.h"
#include "model/base/EntryFormat.h"

namespace {

constexpr std::size_t kMainMovies = 100'000;
constexpr std::size_t kQuarantined = 1'000;
constexpr std::size_t kOffered = 20'000;

// A distinct title per number, in words of mixed case as typed titles are: "the" in front of every seventh.
std::string Title(std::uint64_t n) {
    static const char* const kWords[] = {"night", "River", "STAR", "return", "Blue", "city", "Lost", "king"};
    std::string title = n % 7 == 0 ? "the " : "";
    for (std::uint64_t k = n * 2654435761u + 1; k > 8 * 8 * 8 * 8; k /= 8) title += std::string(kWords[k % 8]) + " ";
    return title + std::to_string(n);
}

struct Setup {
    cl::Collection c;
    std::string file;
    Setup() {
        c.settings.formatConversion = 1;
        for (std::uint64_t n = 0; n < kMainMovies; ++n) {
            std::string title = Title(n);
            cl::FormatEntry(title, true);
            cl::InsertMainMovie(c.main, {title, "Drama", "Present", "Home", "DVD"}, static_cast<std::int32_t>(n + 1));
        }
        for (std::uint64_t n = 0; n < kQuarantined; ++n) {
            std::string title = Title(kMainMovies + n);
            cl::FormatEntry(title, true);
            c.quarantine.Add(title);
        }
        // A quarter the user owns (typed in small letters by the friend), a twentieth quarantined, the rest new.
        file = "CineLedger v3.15\r\nAnn*\r\n";
        for (std::uint64_t n = 0; n < kOffered; ++n) {
            std::string title = n % 4 == 0    ? Title(n * 3)
                                : n % 20 == 1 ? Title(kMainMovies + n % kQuarantined)
                                              : Title(2 * kMainMovies + n);
            if (n % 4 == 0)
                for (char& ch : title) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            file += title + "\r\nDVD\r\n";
            for (int i = 0; i < 12; ++i) file += "N/A\r\n";
        }
        file += "end";
    }
};

const Setup& Data() {
    static const Setup setup;
    return setup;
}

// The comparison alone: every offered title formatted and looked up in the quarantine and the Main Movie List.
void BM_ImportComparison(benchmark::State& state) {
    const Setup& s = Data();
    cl::TextReader reader(s.file);
    const cl::MovieExchange read = cl::ReadMovieExchange(reader);
    std::size_t offered = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<cl::ExchangeRecord> records = read.records;
        cl::ImportList list;
        state.ResumeTiming();
        offered = cl::OfferNewMovies(records, s.c, list);
        benchmark::DoNotOptimize(offered);
    }
    if (read.records.size() != kOffered || offered != kOffered - kOffered / 4 - kOffered / 20) {
        state.SkipWithError(("offered " + std::to_string(offered)).c_str());
    }
}
BENCHMARK(BM_ImportComparison)->Unit(benchmark::kMillisecond);

// The whole import from the file's bytes: reading the blocks and the comparison.
void BM_ImportFromBytes(benchmark::State& state) {
    const Setup& s = Data();
    for (auto _ : state) {
        cl::TextReader reader(s.file);
        cl::MovieExchange read = cl::ReadMovieExchange(reader);
        cl::ImportList list;
        benchmark::DoNotOptimize(cl::OfferNewMovies(read.records, s.c, list));
    }
}
BENCHMARK(BM_ImportFromBytes)->Unit(benchmark::kMillisecond);

}  // namespace
