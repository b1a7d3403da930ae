// Fuzz target for the "Comments.dat" reader: any bytes load without overrun, and what was loaded writes
// out as a file that loads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/CommentStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cl::TextReader reader(std::string(reinterpret_cast<const char*>(data), size));
    cl::CommentStore store;
    const cl::LoadReport report = cl::ReadComments(reader, store);
    if (report.records < store.Count()) std::abort();
    const std::string bytes = cl::SerializeComments(store);
    cl::TextReader again(bytes);
    cl::CommentStore back;
    const cl::LoadReport second = cl::ReadComments(again, back);
    if (second.damage || back.Count() != store.Count() || cl::SerializeComments(back) != bytes) std::abort();
    return 0;
}
