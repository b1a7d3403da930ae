// Fuzz target: the MPEG analyser over arbitrary bytes, for the first CD of two and a later CD.
#include <cstddef>
#include <cstdint>

#include "media/MpegAnalyzer.h"

namespace {
class SilentReporter final : public cl::Prompts {
  public:
    void ShowMessage(std::string_view, std::string_view, cl::MessageIcon) override {}
    bool Ask(std::string_view, std::string_view, cl::MessageIcon, bool) override { return false; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SilentReporter reporter;
    cl::MpegAudioState audio;
    for (int cd = 0; cd < 2; ++cd) {
        cl::MemorySource in({data, size});
        cl::MediaScratch scratch;
        scratch.fields.cds = "2";
        cl::AnalyseMpeg(in, scratch, cd, audio, reporter);
    }
    return 0;
}
