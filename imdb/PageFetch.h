// The one way the database retrieval reaches the internet: one address downloaded, unchanged, into one file.
// The scanners never work on memory; they reopen the file this wrote. The Windows implementation is WinInet
// (imdb/PageFetch_win); tests and the command-line companion on other systems plug in their own.
#pragma once

#include <string>

namespace cl {

// Text mode stops each 1024-byte chunk at a zero byte, as the pages have always been saved; binary mode keeps
// every byte (covers).
enum class FetchMode { Text, Binary };

class PageFetcher {
  public:
    virtual ~PageFetcher() = default;
    // Downloads what `address` returns into `outputPath` (narrow bytes, as NativeFromPath gives them). Every failure
    // has already been shown to the user when this returns; the caller learns of success only by what it finds in
    // the file. A failure before the address opened leaves an earlier file of that name exactly as it was.
    virtual void FetchUrlToFile(const std::string& outputPath, const std::string& address, FetchMode mode) = 0;
};

}  // namespace cl
