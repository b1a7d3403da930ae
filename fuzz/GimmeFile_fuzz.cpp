// Fuzzes the "Gimme.dat" reader; what it keeps must round-trip.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/GimmeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cl::MovieList first;
    cl::TextReader reader(std::string(reinterpret_cast<const char*>(data), size));
    cl::ReadGimme(reader, first);
    if (!first.IsOrdered()) std::abort();
    for (const cl::MovieRecord& r : first) {
        if (r.category != "G" || r.location != "G") std::abort();
    }
    std::string bytes = cl::SerializeGimme(first);

    cl::MovieList second;
    cl::TextReader again(bytes);
    cl::LoadReport report = cl::ReadGimme(again, second);
    if (report.damage || second.Count() != first.Count()) std::abort();
    if (cl::SerializeGimme(second) != bytes) std::abort();
    return 0;
}
