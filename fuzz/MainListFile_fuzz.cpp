// Fuzzes the "CineLedger.dat" reader; whatever it keeps must be written and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/MainListFile.h"

namespace {

struct Stores {
    cl::MovieList main;
    cl::MovieList upcoming;
    cl::KnownValueList categories, locations, upcomingLocations, media;
    cl::FreeNumberPool pool;
    std::string password, version;

    cl::LoadReport Load(std::string bytes) {
        cl::TextReader reader(std::move(bytes));
        return cl::ReadMainList(
            reader, {main, upcoming, categories, locations, upcomingLocations, media, pool, password, version},
            [](const std::string&) {});
    }
    std::string Save() const { return cl::SerializeMainList(main, upcoming, pool, password); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Stores first;
    first.Load(std::string(reinterpret_cast<const char*>(data), size));
    if (!first.main.IsOrdered() || !first.upcoming.IsOrdered()) std::abort();
    std::string bytes = first.Save();

    Stores second;
    cl::LoadReport report = second.Load(bytes);
    if (report.damage) std::abort();
    if (second.Save() != bytes) std::abort();
    return 0;
}
