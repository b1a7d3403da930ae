// The three failure messages of a page fetch.
#include "imdb/FetchFailure.h"

namespace cl {

std::string FetchFailureMessage(FetchFailure step, std::uint32_t lastError) {
    const char* prefix = "Unable To Process Internet Request; Connect Error: ";
    if (step == FetchFailure::Initialization) prefix = "Unable To Process Internet Request; Initialization Error: ";
    if (step == FetchFailure::Options) prefix = "Options Error: ";
    return prefix + std::to_string(static_cast<std::int32_t>(lastError));
}

void ReportFetchFailure(Prompts& prompts, FetchFailure step, std::uint32_t lastError) {
    prompts.ShowMessage(FetchFailureMessage(step, lastError), "", MessageIcon::None);
}

}  // namespace cl
