// Fuzzes the "Settings.dat" reader; the flags it reads must be written and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cl::AppSettings first;
    cl::TextReader reader(std::string(reinterpret_cast<const char*>(data), size));
    cl::ReadSettings(reader, first);
    for (std::int16_t v : {first.viewMode, first.formatConversion, first.autoSave, first.autoBackup, first.autoImdb,
                           first.titleCorrection}) {
        if (v < 0 || v > 9) std::abort();
    }
    cl::AppSettings second;
    cl::TextReader again(cl::SerializeSettings(first));
    cl::LoadReport report = cl::ReadSettings(again, second);
    if (report.damage || report.records != 6 || !(second == first)) std::abort();
    return 0;
}
