// Fuzzes the Gimme list exchange reader; the list it builds, written with its sender, reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/GimmeExchangeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cl::TextReader reader(std::string(reinterpret_cast<const char*>(data), size));
    const cl::GimmeExchange first = cl::ReadGimmeExchange(reader);
    if ((first.stop == cl::GimmeExchangeStop::End) == first.damage.has_value()) std::abort();
    if (first.stop == cl::GimmeExchangeStop::NoSource) return 0;
    cl::MovieList list;
    for (const std::string& title : first.titles) list.InsertOrderedWith(title, [](cl::MovieRecord&) {});

    cl::TextReader again(cl::SerializeGimmeExchange(list, first.sender + "*"));
    const cl::GimmeExchange second = cl::ReadGimmeExchange(again);
    if (second.stop != cl::GimmeExchangeStop::End || second.sender != first.sender) std::abort();
    if (second.titles.size() != list.Count()) std::abort();
    auto it = list.begin();
    for (const std::string& title : second.titles) {
        if (title != (it++)->title) std::abort();
    }
    return 0;
}
