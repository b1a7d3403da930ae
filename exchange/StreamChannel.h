// Exact-count transfers over a non-blocking stream socket, whatever the sockets library under it: partial
// transfers are continued, a would-block waits for the socket in short slices instead of spinning, and a peer that
// moves nothing for the silence limit ends the transfer. A socket layer supplies the four single steps.
#pragma once

#include <chrono>
#include <cstddef>
#include <string_view>
#include <vector>

#include "exchange/Protocol.h"

namespace cl {

class StreamChannel : public ByteChannel {
  public:
    // kSilenceLimit for a server's connection, kDialSilenceLimit for a sender's.
    explicit StreamChannel(std::chrono::milliseconds silenceLimit = kSilenceLimit) : silenceLimit_(silenceLimit) {}
    bool SendAll(std::string_view bytes) override;
    // Reads ahead up to kReadAhead bytes, so that a record's header and payload usually cost one library call.
    bool ReceiveExactly(std::size_t n, char* out) override;
    ChannelFailure LastFailure() const override { return failure_; }

    static constexpr std::size_t kReadAhead = 64 * 1024;
    static constexpr std::chrono::milliseconds kWaitSlice{100};

  protected:
    enum class Io { Moved, WouldBlock, Closed, Failed };
    struct IoResult {
        Io io = Io::Failed;
        std::size_t count = 0;  // bytes moved (Moved)
        int code = 0;           // the library's error number (Failed)
    };
    virtual IoResult SendSome(std::string_view bytes) = 0;
    virtual IoResult ReceiveSome(char* out, std::size_t capacity) = 0;
    // Returns when the socket is ready in that direction, or after `slice` at the latest.
    virtual void WaitReady(bool sending, std::chrono::milliseconds slice) = 0;
    virtual std::chrono::steady_clock::time_point Now() const { return std::chrono::steady_clock::now(); }

  private:
    // After a step that moved nothing: false with failure_ set when the transfer is over; true after waiting.
    bool Continue(const IoResult& result, bool sending, std::chrono::steady_clock::time_point lastMove);

    std::chrono::milliseconds silenceLimit_;
    ChannelFailure failure_;
    std::vector<char> ahead_;
    std::size_t aheadBegin_ = 0;
};

}  // namespace cl
