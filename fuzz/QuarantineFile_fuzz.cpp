// Fuzzes the quarantine reader in both end-line modes (".dat" and ".bak"); what it keeps must round-trip.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/QuarantineFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the file kind.
    cl::EndMarker marker = (data[0] & 1) != 0 ? cl::EndMarker::SameTitle : cl::EndMarker::Exact;
    cl::QuarantineList first;
    cl::TextReader reader(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    cl::ReadQuarantine(reader, marker, first);
    if (!first.Titles().IsOrdered()) std::abort();
    std::string bytes = cl::SerializeQuarantine(first);

    cl::QuarantineList second;
    cl::TextReader again(bytes);
    cl::LoadReport report = cl::ReadQuarantine(again, marker, second);
    if (report.damage || report.records != first.Count()) std::abort();
    if (cl::SerializeQuarantine(second) != bytes) std::abort();
    return 0;
}
