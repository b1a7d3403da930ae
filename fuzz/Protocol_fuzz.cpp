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
    for (const cl::ExchangeRecord& r : offered) {
        if (!r.source || r.source->size() > cl::kSourceNameMax) std::abort();
        for (std::size_t i = 0; i < cl::kBlockLines; ++i) {
            const std::optional<std::string>& line = cl::BlockLine(r, i);
            const std::size_t max = i == 0 ? cl::kFieldMax : cl::kExchangeValueMax;
            if (!line || line->size() > max || (i == 0 && cl::HasUnstorableByte(*line))) std::abort();
        }
    }
    for (const cl::MovieRecord& r : c.importedGimme) {
        if (r.title.size() > cl::kExchangeTitleMax || cl::HasUnstorableByte(r.title)) std::abort();
    }
    return 0;
}
