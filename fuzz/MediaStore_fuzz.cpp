// Fuzz target for the "Media.dat" reader: any bytes load without overrun, and what was loaded writes out
// as a file that loads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "media/MediaStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cl::TextReader reader(std::string(reinterpret_cast<const char*>(data), size));
    cl::MediaStore store;
    const cl::LoadReport report = cl::ReadMedia(reader, store);
    if (report.records < store.Count()) std::abort();
    const std::string bytes = cl::SerializeMedia(store);
    cl::TextReader again(bytes);
    cl::MediaStore back;
    const cl::LoadReport second = cl::ReadMedia(again, back);
    if (second.damage || back.Count() != store.Count() || cl::SerializeMedia(back) != bytes) std::abort();
    return 0;
}
