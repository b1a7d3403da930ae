// Fuzz target for the skin script reader: any bytes must load or fail with one message, never overrun.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/SkinScript.h"

namespace {

class CountingMessages : public cl::Prompts {
  public:
    void ShowMessage(std::string_view, std::string_view, cl::MessageIcon) override { ++count; }
    bool Ask(std::string_view, std::string_view, cl::MessageIcon, bool) override { return false; }
    int count = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    cl::SkinScript skin;
    CountingMessages messages;
    const cl::SkinLoadResult result = cl::LoadSkinScript(bytes, skin, messages);
    if (result) {
        // A script that loads writes out as one that loads to the same numbers.
        if (messages.count != 0 || skin.name.size() > cl::kSkinNameLimit || skin.email.size() > cl::kSkinTextLimit) {
            std::abort();
        }
        cl::SkinScript again;
        if (!cl::LoadSkinScript(cl::SerializeSkinScript(skin), again, messages)) std::abort();
        if (again.buttons != skin.buttons || again.listBox != skin.listBox || again.status != skin.status) std::abort();
    } else if (messages.count != 1 || skin.HasStrings()) {
        std::abort();
    }
    return 0;
}
