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

#include "exchange/Protocol.h"
#include "exchange/StreamChannel.h"
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

// A conversation's bytes over a connected non-blocking socket: the single library calls under StreamChannel, which
// continues partial transfers, waits for would-blocks and bounds the silence.
class SocketChannel final : public StreamChannel {
  public:
    SocketChannel(OwnedSocket socket, std::chrono::milliseconds silenceLimit)
        : StreamChannel(silenceLimit), socket_(std::move(socket)) {}
    void Close() override { socket_.reset(); }

  protected:
    IoResult SendSome(std::string_view bytes) override;
    IoResult ReceiveSome(char* out, std::size_t capacity) override;
    // select() on the socket for at most the slice: a silent peer costs no processor time.
    void WaitReady(bool sending, std::chrono::milliseconds slice) override;

  private:
    // What the call that just failed means for the transfer.
    static IoResult LastIoResult();

    OwnedSocket socket_;
};

// The client's connection for one Dial: the sockets started on the first Connect and stopped by Stop (the
// Networking dialog's, after each Dial) or when the connector goes. A dotted IPv4 address or a host name; the
// exchange port unless another is given (the command-line companion's). Its channels keep kDialSilenceLimit.
class WinsockConnector final : public Connector {
  public:
    explicit WinsockConnector(std::uint16_t port = ExchangePort()) : port_(port) {}
    std::unique_ptr<ByteChannel> Connect(std::string_view address, ChannelFailure& failure) override;
    void Stop() noexcept { session_.reset(); }

  private:
    std::uint16_t port_;
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
