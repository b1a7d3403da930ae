// Downloads one address into one file through WinInet, in 1024-byte chunks straight to disk.
#include "imdb/PageFetch_win.h"

#include <cstdio>
#include <memory>

#include "imdb/FetchFailure.h"
#include "model/base/Handle_win.h"
#include "model/base/NativePath.h"

namespace cl {
namespace {

constexpr char kAgent[] = "CineLedger";
constexpr DWORD kConnectTimeoutMs = 60000;
constexpr DWORD kChunk = 1024;

struct FileCloser {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};

}  // namespace

void WinInetFetcher::FetchUrlToFile(const std::string& outputPath, const std::string& address, FetchMode mode) {
    // Access type 0 takes the system's proxy settings, as the browser would.
    OwnedInternet session(InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return ReportFetchFailure(prompts_, FetchFailure::Initialization, GetLastError());

    DWORD timeout = kConnectTimeoutMs;
    if (InternetSetOptionA(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout) != TRUE) {
        return ReportFetchFailure(prompts_, FetchFailure::Options, GetLastError());
    }

    // The connection is kept: a retrieval fetches the search, the summary and the cover one after another.
    OwnedInternet url(InternetOpenUrlA(session.get(), address.c_str(), nullptr, 0, INTERNET_FLAG_KEEP_CONNECTION, 0));
    if (!url) return ReportFetchFailure(prompts_, FetchFailure::Connect, GetLastError());

    // Only now is an earlier file of that name replaced: a search that could not connect leaves the last page in
    // place. Text mode writes line ends as the system's text files have them.
    const bool binary = mode == FetchMode::Binary;
    std::unique_ptr<std::FILE, FileCloser> file(OpenStdFile(PathFromNative(outputPath), binary ? "wb" : "w"));
    if (!file) return;  // nowhere to write (a missing folder, a read-only file): the caller finds no new file

    char buffer[kChunk + 1] = {};
    for (;;) {
        DWORD delivered = 0;
        // A read that fails reports no bytes and ends the transfer like the end of the data; what arrived stays.
        InternetReadFile(url.get(), buffer, kChunk, &delivered);
        if (delivered == 0) break;
        if (binary) {
            std::fwrite(buffer, 1, delivered, file.get());
        } else {
            // A page is text: a zero byte ends what is kept of its chunk.
            buffer[delivered] = '\0';
            std::fputs(buffer, file.get());
        }
    }
    // The file closes first, then the address and the session (declared in the opposite order).
}

}  // namespace cl
