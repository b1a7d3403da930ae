// Windows Sockets under the list exchange: session, channel, client connection and server socket.
#include "exchange/Socket_win.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>

namespace cl {
namespace {

// A connection under way: 0 once made, else why not (WSAETIMEDOUT after the silence limit).
int AwaitConnection(SOCKET socket) {
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket, &writable);
    FD_SET(socket, &failed);
    const auto limit = std::chrono::duration_cast<std::chrono::microseconds>(kSilenceLimit).count();
    timeval wait = {static_cast<long>(limit / 1'000'000), static_cast<long>(limit % 1'000'000)};
    const int ready = select(0, nullptr, &writable, &failed, &wait);
    if (ready == SOCKET_ERROR) return WSAGetLastError();
    if (ready == 0) return WSAETIMEDOUT;
    int error = 0;
    int size = sizeof(error);
    if (getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == SOCKET_ERROR)
        return WSAGetLastError();
    return FD_ISSET(socket, &failed) && error == 0 ? WSAECONNREFUSED : error;
}

}  // namespace

std::uint16_t ExchangePort() {
    const char* value = std::getenv(kExchangePortVariable);
    if (value == nullptr) return kExchangePort;
    const char* end = value + std::strlen(value);
    unsigned int port = 0;
    const auto [last, error] = std::from_chars(value, end, port);
    if (error != std::errc{} || last != end || port == 0 || port > 65535) return kExchangePort;
    return static_cast<std::uint16_t>(port);
}

// ---- Session ----

WinsockSession::WinsockSession() noexcept {
    WSADATA data = {};
    error_ = WSAStartup(MAKEWORD(2, 0), &data);
}

WinsockSession::~WinsockSession() {
    if (Started()) WSACleanup();
}

// ---- Channel ----

StreamChannel::IoResult SocketChannel::LastIoResult() {
    const int error = WSAGetLastError();
    return {error == WSAEWOULDBLOCK ? Io::WouldBlock : Io::Failed, 0, error};
}

StreamChannel::IoResult SocketChannel::SendSome(std::string_view bytes) {
    if (!socket_) return {Io::Failed, 0, WSAENOTSOCK};
    const int sent =
        send(socket_.get(), bytes.data(), static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 20)), 0);
    return sent == SOCKET_ERROR ? LastIoResult() : IoResult{Io::Moved, static_cast<std::size_t>(sent), 0};
}

StreamChannel::IoResult SocketChannel::ReceiveSome(char* out, std::size_t capacity) {
    if (!socket_) return {Io::Failed, 0, WSAENOTSOCK};
    const int received = recv(socket_.get(), out, static_cast<int>(std::min<std::size_t>(capacity, 1 << 20)), 0);
    if (received == 0) return {Io::Closed, 0, 0};
    return received == SOCKET_ERROR ? LastIoResult() : IoResult{Io::Moved, static_cast<std::size_t>(received), 0};
}

void SocketChannel::WaitReady(bool sending, std::chrono::milliseconds slice) {
    if (!socket_) return;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket_.get(), &set);
    const auto count = std::max<std::chrono::milliseconds::rep>(slice.count(), 0);
    timeval wait = {static_cast<long>(count / 1000), static_cast<long>(count % 1000 * 1000)};
    select(0, sending ? nullptr : &set, sending ? &set : nullptr, nullptr, &wait);
}

// ---- Client ----

std::unique_ptr<ByteChannel> WinsockConnector::Connect(std::string_view address, ChannelFailure& failure) {
    if (!session_) session_.emplace();
    if (!session_->Started()) {
        failure = {ChannelFailure::Kind::Error, session_->Error()};
        return nullptr;
    }
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const std::string host(address);
    const std::string port = std::to_string(port_);
    if (const int error = getaddrinfo(host.c_str(), port.c_str(), &hints, &found); error != 0 || found == nullptr) {
        // Only a name nobody knows is an unknown host; a lookup that failed for another reason says its number.
        const bool unknown = error == 0 || error == WSAHOST_NOT_FOUND || error == WSANO_DATA;
        failure = {unknown ? ChannelFailure::Kind::Unresolved : ChannelFailure::Kind::Error,
                   error != 0 ? error : WSAHOST_NOT_FOUND};
        if (found != nullptr) freeaddrinfo(found);
        return nullptr;
    }
    OwnedSocket connection(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    int error = connection ? 0 : WSAGetLastError();
    // Non-blocking, so that connecting waits at most the silence limit: an address where nothing answers would
    // otherwise hold the window for the system's own connect time-out. The channel copes with would-block.
    u_long nonBlocking = 1;
    if (error == 0 && ioctlsocket(connection.get(), FIONBIO, &nonBlocking) == SOCKET_ERROR) error = WSAGetLastError();
    if (error == 0 && connect(connection.get(), found->ai_addr, static_cast<int>(found->ai_addrlen)) == SOCKET_ERROR) {
        error = WSAGetLastError();
        if (error == WSAEWOULDBLOCK) error = AwaitConnection(connection.get());
    }
    freeaddrinfo(found);
    if (error != 0) {
        failure = {ChannelFailure::Kind::Error, error};
        return nullptr;
    }
    return std::make_unique<SocketChannel>(std::move(connection), kDialSilenceLimit);
}

// ---- Server ----

bool WinsockListener::Failed() {
    error_ = WSAGetLastError();
    return false;
}

bool WinsockListener::Initialize() {
    Abandon();
    session_.emplace();
    if (!session_->Started()) {
        error_ = session_->Error();
        return false;
    }
    listener_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    return listener_ ? true : Failed();
}

bool WinsockListener::Bind() {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(ExchangePort());
    return bind(listener_.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != SOCKET_ERROR
               ? true
               : Failed();
}

bool WinsockListener::Listen() {
    if (listen(listener_.get(), kListenBacklog) == SOCKET_ERROR) return Failed();
    if (WSAAsyncSelect(listener_.get(), window_, kExchangeSocketMessage, FD_ACCEPT) == SOCKET_ERROR) return Failed();
    listening_ = true;
    return true;
}

void WinsockListener::Abandon() {
    listening_ = false;
    listener_.reset();
    session_.reset();
}

std::unique_ptr<ByteChannel> WinsockListener::Accept() {
    OwnedSocket connection(accept(listener_.get(), nullptr, nullptr));
    if (!connection) {
        Failed();
        return nullptr;
    }
    return std::make_unique<SocketChannel>(std::move(connection), kSilenceLimit);
}

}  // namespace cl
