// What the user is told when a page fetch fails before anything was written: which step failed, with the system's
// error number. The text is made here so that the program's message box and the companion's error line agree.
#pragma once

#include <cstdint>
#include <string>

#include "model/base/Prompts.h"

namespace cl {

// The steps of a fetch that can fail before the output file is touched, in the order they run.
enum class FetchFailure {
    Initialization,  // opening the internet session
    Options,         // setting its connect time-out
    Connect,         // opening the address
};

// The message for a failed step. The error number is shown as a signed decimal, as Windows' own formatting of a
// last-error value would show it: a code with the high bit set reads as negative.
std::string FetchFailureMessage(FetchFailure step, std::uint32_t lastError);

// Shows that message with no caption of its own and no icon (the program's message box then reads "Error").
void ReportFetchFailure(Prompts& prompts, FetchFailure step, std::uint32_t lastError);

}  // namespace cl
