// Importing a friend's movie list: a 20,000-movie exchange file read and compared with a 100,000-movie Main Movie
// List and a 1,000-title quarantine, with Format Conversion on so that every offered title is formatted first.
// And the 20,000-movie upload over the network, each side's work over memory, with its heap allocations per movie
// (the heap under Wine is slow enough for them to be most of the cost).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "bench/UploadBenchData.h"
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

std::atomic<std::size_t> gAllocations{0};

constexpr int kUploaded = 20'000;

const cl::bench::SenderLists& Sender() {
    static const cl::bench::SenderLists lists = cl::bench::MakeSenderLists(kUploaded);
    return lists;
}

// The sender: every frame encoded and gathered into the pieces it sends.
void BM_UploadSend(benchmark::State& state) {
    const cl::bench::SenderLists& c = Sender();
    std::size_t allocations = 0;
    for (auto _ : state) {
        const std::size_t before = gAllocations;
        const std::vector<std::string> pieces = cl::bench::UploadPieces(c);
        allocations = gAllocations - before;
        benchmark::DoNotOptimize(pieces.data());
    }
    state.counters["allocs/movie"] = static_cast<double>(allocations) / kUploaded;
}
BENCHMARK(BM_UploadSend)->Unit(benchmark::kMillisecond);

// The receiver: the frames read, compared with an empty collection and kept as offers.
void BM_UploadReceive(benchmark::State& state) {
    const std::string bytes = cl::bench::BytesAfterFirstBlock(cl::bench::UploadPieces(Sender()));
    const cl::Collection empty;
    std::size_t allocations = 0;
    for (auto _ : state) {
        cl::bench::MemoryChannel channel(bytes);
        cl::ImportList offered;
        cl::bench::NoLog log;
        cl::bench::NoPrompts prompts;
        const std::size_t before = gAllocations;
        if (cl::ReceiveMovieList(channel, log, empty, offered, prompts) != kUploaded)
            state.SkipWithError("not every movie offered");
        allocations = gAllocations - before;
        state.PauseTiming();  // the offers' release is not the receiver's work
        offered.FreeAll();
        state.ResumeTiming();
    }
    state.counters["allocs/movie"] = static_cast<double>(allocations) / kUploaded;
}
BENCHMARK(BM_UploadReceive)->Unit(benchmark::kMillisecond);

}  // namespace

// Every heap allocation of the benchmark counted.
void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
