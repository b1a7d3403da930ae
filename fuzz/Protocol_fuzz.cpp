// Fuzzes the server's side of a connection: whatever arrives, the conversation ends with the separator, the
// connection closed, and only whole records within the receiver's limits kept.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "exchange/MovieExchangeFile.h"
#include "exchange/Protocol.h"

namespace {

struct Peer : cl::ByteChannel {
    bool SendAll(std::string_view) override { return !closed; }
    bool ReceiveExactly(std::size_t n, char* out) override {
        if (closed || left.size() < n) return false;
        std::memcpy(out, left.data(), n);
        left.remove_prefix(n);
        return true;
    }
    cl::ChannelFailure LastFailure() const override { return {cl::ChannelFailure::Kind::Closed, 0}; }
    void Close() override { closed = true; }
    std::string_view left;
    bool closed = false;
};

struct Quiet : cl::ServerLog, cl::Prompts {
    void Log(std::string_view line) override { last = line; }
    void ShowMessage(std::string_view, std::string_view, cl::MessageIcon) override {}
    bool Ask(std::string_view, std::string_view, cl::MessageIcon, bool) override { return true; }
    std::string last;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Peer peer;
    peer.left = std::string_view(reinterpret_cast<const char*>(data), size);
    Quiet quiet;
    cl::Collection c;
    cl::ImportList offered;
    switch (cl::ReceiveFirstBlock(peer, quiet)) {
        case cl::UploadKind::MovieList:
            cl::ReceiveMovieList(peer, quiet, c, offered, quiet);
            break;
        case cl::UploadKind::GimmeList:
            cl::ReceiveGimmeList(peer, quiet, c.importedGimme, quiet);
            break;
        case cl::UploadKind::Failed:
            break;
    }
    if (!peer.closed || quiet.last != cl::kLogSeparator) std::abort();
    // What a store line cannot hold: the main list's field bar, a line end, and a NUL that ends a list box line.
    const auto storable = [](const std::string& text, std::size_t max) {
        return text.size() <= max && text.find_first_of(std::string_view("|\r\n\0", 4)) == std::string::npos;
    };
    // Every kept record, source included, must fit the stores and an import list saved as an exchange file.
    for (const cl::ExchangeRecord& r : offered) {
        if (!r.source || !storable(*r.source, 30)) std::abort();
        for (std::size_t i = 0; i < cl::kBlockLines; ++i) {
            const std::optional<std::string>& line = cl::BlockLine(r, i);
            if (!line || (i == 0 ? !storable(*line, 101) : line->size() > 49)) std::abort();
        }
    }
    for (const cl::MovieRecord& r : c.importedGimme) {
        if (!storable(r.title, 109) || !storable(r.location.value_or(""), 30)) std::abort();
    }
    return 0;
}
