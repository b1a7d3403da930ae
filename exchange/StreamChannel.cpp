// Exact-count transfers with continuation, waiting and the silence limit.
#include "exchange/StreamChannel.h"

#include <algorithm>
#include <cstring>

namespace cl {

bool StreamChannel::Continue(const IoResult& result, bool sending, std::chrono::steady_clock::time_point lastMove) {
    switch (result.io) {
        case Io::Closed:
            failure_ = {ChannelFailure::Kind::Closed, 0};
            return false;
        case Io::Failed:
            failure_ = {ChannelFailure::Kind::Error, result.code};
            return false;
        case Io::Moved:
        case Io::WouldBlock:
            break;
    }
    const auto silent = std::chrono::duration_cast<std::chrono::milliseconds>(Now() - lastMove);
    if (silent >= silenceLimit_) {
        failure_ = {ChannelFailure::Kind::Silence, 0, silenceLimit_};
        return false;
    }
    WaitReady(sending, std::min(kWaitSlice, silenceLimit_ - silent));
    return true;
}

bool StreamChannel::SendAll(std::string_view bytes) {
    auto lastMove = Now();
    while (!bytes.empty()) {
        const IoResult result = SendSome(bytes);
        if (result.io == Io::Moved && result.count > 0) {
            bytes.remove_prefix(std::min(result.count, bytes.size()));
            lastMove = Now();
        } else if (!Continue(result, true, lastMove)) {
            return false;
        }
    }
    return true;
}

bool StreamChannel::ReceiveExactly(std::size_t n, char* out) {
    auto lastMove = Now();
    while (n > 0) {
        if (aheadBegin_ < ahead_.size()) {
            const std::size_t take = std::min(n, ahead_.size() - aheadBegin_);
            std::memcpy(out, ahead_.data() + aheadBegin_, take);
            aheadBegin_ += take;
            out += take;
            n -= take;
            continue;
        }
        ahead_.resize(kReadAhead);
        const IoResult result = ReceiveSome(ahead_.data(), ahead_.size());
        const std::size_t got = result.io == Io::Moved ? std::min(result.count, ahead_.size()) : 0;
        ahead_.resize(got);
        aheadBegin_ = 0;
        if (got > 0) {
            lastMove = Now();
        } else if (!Continue(result, false, lastMove)) {
            return false;
        }
    }
    return true;
}

}  // namespace cl
