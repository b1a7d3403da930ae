// Fuzz target for the "History.dat" reader: any bytes load without overrun or endless loop, and what was
// loaded writes out as a file that loads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/HistoryStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cl::TextReader reader(std::string(reinterpret_cast<const char*>(data), size));
    cl::HistoryStore store;
    const cl::LoadReport report = cl::ReadHistory(reader, store);
    if (report.records < store.Count()) std::abort();
    const std::string bytes = cl::SerializeHistory(store);
    cl::TextReader again(bytes);
    cl::HistoryStore back;
    const cl::LoadReport second = cl::ReadHistory(again, back);
    if (second.damage || back.Count() != store.Count() || cl::SerializeHistory(back) != bytes) std::abort();
    return 0;
}
