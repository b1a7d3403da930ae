// The Quarantine dialog without its window: the lines it lists and the removal it asks about.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/QuarantineFile.h"

namespace cl {

inline constexpr int kQuarantineListExtent = 445;  // pixels the list box scrolls sideways

// The titles in list order (the dialog's list box sorts them itself).
std::vector<std::string> QuarantineLines(const QuarantineList& quarantine);

// "Remove "<title>" From Quarantine?"
std::string QuarantineRemoveQuestion(std::string_view title);

}  // namespace cl
