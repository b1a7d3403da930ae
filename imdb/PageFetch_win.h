// The page fetch on WinInet: each call opens its own internet session, so the retrieval worker and the user
// interface thread may fetch at the same time without sharing anything.
#pragma once

#include "imdb/PageFetch.h"
#include "model/base/Prompts.h"

namespace cl {

// Failures are told through `prompts`: the program passes message boxes without an owner, the command-line
// companion prints them. The prompts must outlive the fetcher.
class WinInetFetcher final : public PageFetcher {
  public:
    explicit WinInetFetcher(Prompts& prompts) : prompts_(prompts) {}
    void FetchUrlToFile(const std::string& outputPath, const std::string& address, FetchMode mode) override;

  private:
    Prompts& prompts_;
};

}  // namespace cl
