// Fuzzes the movie list exchange reader; the movies it keeps, saved as an import list, read back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/MovieExchangeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cl::TextReader reader(std::string(reinterpret_cast<const char*>(data), size));
    const cl::MovieExchange first = cl::ReadMovieExchange(reader);
    if ((first.stop == cl::ExchangeStop::End) == first.damage.has_value()) std::abort();
    if (first.records.empty()) return 0;
    cl::ImportList list;
    for (const cl::ExchangeRecord& r : first.records) list.Append(cl::ExchangeRecord(r));

    cl::TextReader again(cl::SerializeImportList(list));
    const cl::MovieExchange second = cl::ReadMovieExchange(again);
    if (second.stop != cl::ExchangeStop::End || second.source != first.source) std::abort();
    if (second.records.size() != first.records.size()) std::abort();
    for (std::size_t n = 0; n < first.records.size(); ++n) {
        for (std::size_t i = 0; i < cl::kBlockLines; ++i) {
            if (cl::BlockLine(second.records[n], i) != cl::BlockLine(first.records[n], i)) std::abort();
        }
    }
    return 0;
}
