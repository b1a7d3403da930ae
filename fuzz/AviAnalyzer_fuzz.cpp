// Fuzz target: the AVI analyser over arbitrary bytes, for the first CD of two and a later CD.
#include <cstddef>
#include <cstdint>

#include "media/AviAnalyzer.h"

namespace {
class SilentReporter final : public cl::Prompts {
  public:
    void ShowMessage(std::string_view, std::string_view, cl::MessageIcon) override {}
    bool Ask(std::string_view, std::string_view, cl::MessageIcon, bool) override { return false; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SilentReporter reporter;
    cl::AviAudioState audio;
    for (int cd = 0; cd < 2; ++cd) {
        cl::MemorySource in({data, size});
        cl::MediaScratch scratch;
        scratch.fields.cds = "2";
        cl::AnalyseAvi(in, scratch, cd, audio, reporter);
        // Every search step moves on by at least 8 bytes, so the work stays linear in the input even
        // where chunks step backwards over bytes already read.
        if (in.BytesRead() > 4 * size + 4096) __builtin_trap();
    }
    return 0;
}
