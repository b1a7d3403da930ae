// Shared text forms and CD rules of the media analysers.
#include "media/AnalysisText.h"

#include <cstdio>

namespace cl {

int CdCount(const MediaScratch& scratch) {
    const std::optional<std::string>& cds = scratch.fields.cds;
    if (!cds || cds->empty() || (*cds)[0] < '0' || (*cds)[0] > '9') return 0;
    return (*cds)[0] - '0';
}

bool FillsTextFields(const MediaScratch& scratch, int cdIndex) {
    const int cds = CdCount(scratch);
    return cds == 1 || (cds >= 2 && cdIndex == 0);
}

std::string IntText(std::uint32_t value) {
    return std::to_string(static_cast<std::int32_t>(value));
}

std::string KbitText(std::uint64_t kbit) {
    return std::to_string(kbit) + " kbit/s";
}

std::string HzText(std::uint32_t hz) {
    return IntText(hz) + " Hz";
}

std::string FpsText(double framesPerSecond) {
    char text[64];
    std::snprintf(text, sizeof text, "%2.3f fps", framesPerSecond);
    return text;
}

}  // namespace cl
