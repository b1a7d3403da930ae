// Windows Sockets under the list exchange: the library's start and stop, the server's listening socket with its
// accept notification, the client's connection, and the byte channel a conversation runs over. Thin: what the
// exchange decides lives in exchange/Protocol.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "exchange/Protocol.h"
#include "model/base/Handle_win.h"

namespace cl {

// The message the listening socket posts to its window when a connection waits (the first user message plus one).
inline constexpr UINT kExchangeSocketMessage = WM_USER + 1;
// Two copies on one machine, or a test's own peer, may use another port than kExchangePort; unset or not a port
// number means kExchangePort.
inline constexpr const char* kExchangePortVariable = "CINELEDGER_EXCHANGE_PORT";
std::uint16_t ExchangePort();

// Windows Sockets 2.0, started by the constructor and stopped by the destructor when the start succeeded. Sockets
// must be closed before their session ends: declare the session first.
class WinsockSession {
  public:
    WinsockSession() noexcept;
    ~WinsockSession();
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    bool Started() const noexcept { return error_ == 0; }
    int Error() const noexcept { return error_; }

  private:
    int error_;
};

// A conversation's bytes over a connected socket, blocking or not. A receive waits in short select() slices, so a
// silent peer costs no processor time, and fails once no byte has come for kSilenceLimit; a send waits the same way
// for room. Received bytes are read ahead into a fixed buffer: a 20,000-movie upload is 40,000 small reads, and a
// system call for each would cost more than the transfer.
class SocketChannel final : public ByteChannel {
  public:
    explicit SocketChannel(OwnedSocket socket) : socket_(std::move(socket)) {}

    bool SendAll(std::string_view bytes) override;
    bool ReceiveExactly(std::size_t n, char* out) override;
    ChannelFailure LastFailure() const override { return failure_; }
    void Close() override { socket_.reset(); }

  private:
    // Waits until the socket can be read (or written); false with the failure set when nothing has moved since
    // `lastMove` for the silence limit.
    bool Wait(bool forWriting, std::chrono::steady_clock::time_point lastMove);
    bool Fail(ChannelFailure::Kind kind, int code = 0);

    OwnedSocket socket_;
    ChannelFailure failure_;
    std::vector<char> buffer_ = std::vector<char>(64 * 1024);
    std::size_t begin_ = 0;  // the unread bytes of buffer_ are [begin_, end_)
    std::size_t end_ = 0;
};

// The client's connection for one Dial: the sockets started on the first Connect and stopped by Stop (the
// Networking dialog's, after each Dial) or when the connector goes. A dotted IPv4 address or a host name.
class WinsockConnector final : public Connector {
  public:
    std::unique_ptr<ByteChannel> Connect(std::string_view address, ChannelFailure& failure) override;
    void Stop() noexcept { session_.reset(); }

  private:
    std::optional<WinsockSession> session_;
};

// The server of the Server Status dialog: listens on the exchange port of every local address with a backlog of
// one, and posts kExchangeSocketMessage to the window for the accept event only. Abandon closes the listening
// socket, then stops the sockets.
class WinsockListener final : public ListenerSteps {
  public:
    explicit WinsockListener(HWND window) : window_(window) {}
    ~WinsockListener() override { Abandon(); }
    WinsockListener(const WinsockListener&) = delete;
    WinsockListener& operator=(const WinsockListener&) = delete;

    bool Initialize() override;
    bool Bind() override;
    bool Listen() override;
    int LastError() const override { return error_; }
    void Abandon() override;

    bool Listening() const noexcept { return listening_; }
    // The waiting connection (non-blocking, as the listening socket is); nothing with LastError() set on failure.
    std::unique_ptr<ByteChannel> Accept();

  private:
    bool Failed();

    HWND window_;
    std::optional<WinsockSession> session_;
    OwnedSocket listener_;
    int error_ = 0;
    bool listening_ = false;
};

}  // namespace cl
