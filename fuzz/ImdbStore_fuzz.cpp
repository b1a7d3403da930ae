// Fuzz target for the "IMDb.dat" reader: any bytes load without overrun, what was loaded (a cut record
// included) writes out as a file that loads back to the same bytes, and the searches run over it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "imdb/ImdbStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cl::TextReader reader(std::string(reinterpret_cast<const char*>(data), size));
    cl::ImdbStore store;
    const cl::LoadReport report = cl::ReadImdb(reader, store);
    if (report.records < store.Count()) std::abort();
    const std::string bytes = cl::SerializeImdb(store);
    cl::TextReader again(bytes);
    cl::ImdbStore back;
    const cl::LoadReport second = cl::ReadImdb(again, back);
    if (second.damage || back.Count() != store.Count() || cl::SerializeImdb(back) != bytes) std::abort();
    for (const cl::ImdbRecord& r : store) {
        if (r.director && store.FindByDirector(*r.director, 5).empty() && !r.director->empty() &&
            r.director->find_first_not_of(' ') != std::string::npos) {
            std::abort();  // a director always finds its own record
        }
    }
    (void)store.FindByActor(size > 0 ? std::string(reinterpret_cast<const char*>(data), size > 40 ? 40 : size) : "", 3);
    return 0;
}
