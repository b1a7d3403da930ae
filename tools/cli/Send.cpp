// cineledger-cli send and send-bytes: a data directory's Main Movie List or internal Gimme list sent to a running
// server as Dial sends it, with the log lines printed; and a file's bytes sent as they are, for trying a server
// with broken peers and for timing the transfer of the same bytes without the protocol.
#include <charconv>
#include <fstream>
#include <sstream>

#include "exchange/Protocol.h"
#include "model/Settings.h"
#include "model/base/Date.h"
#include "model/base/NativePath.h"
#include "tools/cli/Commands.h"
#include "ui/ListExchange.h"

namespace cl::cli {
namespace {

struct PrintingLog : ServerLog {
    explicit PrintingLog(std::ostream& to) : out(to) {}
    void Log(std::string_view line) override { out << line << "\n"; }
    std::ostream& out;
};

// "ADDRESS[:PORT]" into the address text and a connector for the port (kExchangePort when none is given); nothing,
// after saying why on `err`, for a port that is no number from 1 to 65535 or a build without sockets.
std::unique_ptr<Connector> ConnectorFor(std::string& address, std::ostream& err) {
    std::uint16_t port = kExchangePort;
    if (const std::size_t colon = address.rfind(':'); colon != std::string::npos) {
        const char* end = address.data() + address.size();
        const auto [last, error] = std::from_chars(address.data() + colon + 1, end, port);
        if (error != std::errc{} || last != end || port == 0) {
            err << "cineledger-cli: no port number (1 to 65535) after the \":\" in " << address << "\n";
            PrintUsage(err);
            return nullptr;
        }
        address.resize(colon);
    }
    std::unique_ptr<Connector> connector = MakeSocketConnector(port);
    if (!connector) err << "cineledger-cli: sending needs sockets, which this build does not have yet\n";
    return connector;
}

}  // namespace

int RunSend(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 4 || (args[1] != "main" && args[1] != "gimme")) {
        PrintUsage(err);
        return 2;
    }
    std::string address = args[2];
    const std::unique_ptr<Connector> connector = ConnectorFor(address, err);
    if (!connector) return 2;
    Collection c;
    LoadStores(c, PathFromNative(args[0]), SystemClock().Today());
    LoadSettingsFile(PathFromNative(args[0]) / "Settings.dat", c.settings);
    const std::optional<std::string> source = SourceLine(args[3], c.settings.formatConversion != 0);
    if (!source) {
        PrintUsage(err);
        return 2;
    }
    PrintingLog log(out);
    const SendOutcome outcome = args[1] == "main" ? SendMovieList(*connector, address, log, c.main, c.media, *source)
                                                  : SendGimmeList(*connector, address, log, c.internalGimme, *source);
    return outcome == SendOutcome::Sent ? 0 : 1;
}

int RunSendBytes(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        PrintUsage(err);
        return 2;
    }
    std::string address = args[0];
    const std::unique_ptr<Connector> connector = ConnectorFor(address, err);
    if (!connector) return 2;
    std::ifstream file(PathFromNative(args[1]), std::ios::binary);
    if (!file) {
        err << "cineledger-cli: cannot read " << args[1] << "\n";
        return 1;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    ChannelFailure failure;
    const std::unique_ptr<ByteChannel> channel = connector->Connect(address, failure);
    if (!channel) {
        out << "Error: " << FailureDetail(failure) << "\n";
        return 1;
    }
    const bool sent = channel->SendAll(bytes.str());
    if (!sent) out << "Send Error: " << FailureDetail(channel->LastFailure()) << "\n";
    // What the server answers, until it ends the connection (or goes silent).
    std::size_t received = 0;
    for (char byte = 0; channel->ReceiveExactly(1, &byte);) ++received;
    out << "received " << received << " bytes, then: " << FailureDetail(channel->LastFailure()) << "\n";
    return sent ? 0 : 1;
}

}  // namespace cl::cli
