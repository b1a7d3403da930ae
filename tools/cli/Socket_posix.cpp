// The exchange's client socket outside Windows: a non-blocking TCP connection over the POSIX sockets.
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "exchange/StreamChannel.h"
#include "tools/cli/Commands.h"

namespace cl::cli {
namespace {

class PosixChannel : public StreamChannel {
  public:
    explicit PosixChannel(int fd) : StreamChannel(kDialSilenceLimit), fd_(fd) {}
    ~PosixChannel() override { Close(); }
    PosixChannel(const PosixChannel&) = delete;
    PosixChannel& operator=(const PosixChannel&) = delete;
    void Close() override {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

  protected:
    IoResult SendSome(std::string_view bytes) override {
        return Result(::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL));
    }
    IoResult ReceiveSome(char* out, std::size_t capacity) override {
        const ssize_t n = ::recv(fd_, out, capacity, 0);
        return n == 0 ? IoResult{Io::Closed} : Result(n);
    }
    void WaitReady(bool sending, std::chrono::milliseconds slice) override {
        pollfd ready{fd_, static_cast<short>(sending ? POLLOUT : POLLIN), 0};
        ::poll(&ready, 1, static_cast<int>(slice.count()));
    }

  private:
    static IoResult Result(ssize_t n) {
        if (n >= 0) return {Io::Moved, static_cast<std::size_t>(n)};
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return {Io::WouldBlock};
        return {Io::Failed, 0, errno};
    }
    int fd_;
};

// A non-blocking connection under way: 0 once made, else why not (ETIMEDOUT after the silence limit, as the
// Winsock connector does, rather than the system's own time-out of minutes).
int AwaitConnection(int fd) {
    pollfd ready{fd, POLLOUT, 0};
    const int polled = ::poll(&ready, 1, static_cast<int>(kSilenceLimit.count()));
    if (polled < 0) return errno;
    if (polled == 0) return ETIMEDOUT;
    int error = 0;
    socklen_t size = sizeof(error);
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 ? errno : error;
}

class PosixConnector : public Connector {
  public:
    explicit PosixConnector(std::uint16_t port) : port_(std::to_string(port)) {}
    std::unique_ptr<ByteChannel> Connect(std::string_view address, ChannelFailure& failure) override {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (const int code = ::getaddrinfo(std::string(address).c_str(), port_.c_str(), &hints, &found); code != 0) {
            failure = {ChannelFailure::Kind::Unresolved, code};
            return nullptr;
        }
        const int fd = ::socket(found->ai_family, found->ai_socktype, found->ai_protocol);
        int error = fd < 0 ? errno : 0;
        auto channel = std::make_unique<PosixChannel>(fd);  // closes the socket on every way out
        if (error == 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK) != 0) error = errno;
        if (error == 0 && ::connect(fd, found->ai_addr, found->ai_addrlen) != 0)
            error = errno == EINPROGRESS ? AwaitConnection(fd) : errno;
        ::freeaddrinfo(found);
        if (error == 0) return channel;
        failure = {ChannelFailure::Kind::Error, error};
        return nullptr;
    }

  private:
    std::string port_;
};

}  // namespace

std::unique_ptr<Connector> MakeSocketConnector(std::uint16_t port) {
    return std::make_unique<PosixConnector>(port);
}

}  // namespace cl::cli
