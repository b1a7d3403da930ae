// The Quarantine dialog's texts.
#include "ui/QuarantineDialog.h"

namespace cl {

std::vector<std::string> QuarantineLines(const QuarantineList& quarantine) {
    std::vector<std::string> lines;
    lines.reserve(quarantine.Count());
    for (const MovieRecord& record : quarantine.Titles()) lines.push_back(record.title);
    return lines;
}

std::string QuarantineRemoveQuestion(std::string_view title) {
    return "Remove \"" + std::string(title) + "\" From Quarantine?";
}

}  // namespace cl
