// The list exchange between two running copies over a byte stream: the wire format (text blocks, record frames),
// both conversations on both sides, and every line they write to the log. The sockets live behind ByteChannel,
// Connector and ListenerSteps (Windows Sockets in exchange/Socket_win.h, the command line's POSIX sockets in
// tools/cli/Socket_posix.cpp, both over exchange/StreamChannel.h); everything that decides lives here, where tests
// reach it.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/ExchangeRecord.h"
#include "model/Collection.h"
#include "model/base/Prompts.h"

namespace cl {

// ---- Wire format ----

inline constexpr std::uint16_t kExchangePort = 2000;
inline constexpr int kListenBacklog = 1;

// A text block: the text, "^" up to 265 characters, a NUL. The receiver's text is what precedes the first "^".
inline constexpr std::size_t kTextBlockSize = 266;
inline constexpr std::size_t kTextFill = 265;
// The source block of a movie list upload is filled only to 101 characters (its NUL is byte 101); the rest of its
// 266 bytes carries nothing.
inline constexpr std::size_t kSourceFill = 101;
inline constexpr char kBlockFill = '^';
using TextBlock = std::array<char, kTextBlockSize>;

// A record frame: 14 little-endian 16-bit lengths, then the 14 texts back to back in that order.
inline constexpr std::size_t kWireFields = 14;
inline constexpr std::size_t kHeaderSize = 2 * kWireFields;
inline constexpr std::size_t kFieldMax = 101;    // the receiver's limit per field
inline constexpr std::size_t kPayloadMax = 268;  // and per record
using RecordHeader = std::array<char, kHeaderSize>;

inline constexpr std::string_view kUploadCommand = "UPLOAD";
inline constexpr std::string_view kGimmeCommand = "GIMME";
inline constexpr std::string_view kVersionAccepted = "OK";
inline constexpr std::string_view kVersionRefused = "NOT OK";
inline constexpr std::string_view kEndRecordTitle = "*end*";
inline constexpr std::string_view kGimmeEndText = "end";

// A peer that sends nothing for this long ends the conversation as a receive failure (and one that takes nothing
// for this long, as a send failure): a whole conversation runs inside one window-procedure call, so the program
// would not answer while it waits. The server keeps to it against any peer.
inline constexpr std::chrono::milliseconds kSilenceLimit{5000};
// The sender's limit (the user's own Dial): its receiver may stop reading for as long as its user takes to answer
// the Gimme list's replace question, or to go through the offers of an earlier upload before this one is accepted.
inline constexpr std::chrono::milliseconds kDialSilenceLimit{30000};
// The most records (movies, or Gimme titles) one conversation brings, far above any real collection: a peer that
// keeps sending valid records would otherwise hold the program and grow its lists for as long as it likes.
inline constexpr std::size_t kConversationRecordMax = 250'000;

// A text over 264 characters is cut there, a source line over 100 in its block, so that a "^" ends it.
TextBlock MakeTextBlock(std::string_view text);
TextBlock MakeSourceBlock(std::string_view sourceLine);
// The text before the first "^" among the block's first `filled` bytes; nothing when there is no "^" there.
std::optional<std::string_view> BlockText(std::string_view block, std::size_t filled = kTextFill);

// One movie's frame (header and payload): title, medium, then the media details in wire order (number of CDs,
// format, width, height, length, video bit rate, frame rate, video codec, audio bit rate, audio codec, channels,
// samples), or no details when `media` is null. Texts are clipped so that the receiver's limits hold. The Append
// forms add the frame to the end of `out`, as the sender builds its batches.
void AppendMovieRecord(std::string& out, std::string_view title, std::string_view medium, const MediaRecord* media);
void AppendEndRecord(std::string& out);
std::string EncodeMovieRecord(std::string_view title, std::string_view medium, const MediaRecord* media);
std::string EncodeEndRecord();
// The payload length the header announces; nothing when a field exceeds kFieldMax or the sum kPayloadMax.
std::optional<std::size_t> PayloadLength(const RecordHeader& header);

// ---- Seams ----

// Why a transfer stopped.
struct ChannelFailure {
    enum class Kind {
        Error,       // the sockets library failed with `code`
        Closed,      // the peer closed the connection
        Silence,     // nothing moved for `silence`
        Unresolved,  // (connecting only) the address text names no host
    };
    Kind kind = Kind::Error;
    int code = 0;
    std::chrono::milliseconds silence = kSilenceLimit;  // the limit that ran out (Silence)
};

// A connected stream socket. Transfers move exactly the bytes asked for or fail; a failed channel is not used again.
class ByteChannel {
  public:
    virtual ~ByteChannel() = default;
    virtual bool SendAll(std::string_view bytes) = 0;
    virtual bool ReceiveExactly(std::size_t n, char* out) = 0;
    virtual ChannelFailure LastFailure() const = 0;
    // Ends the connection; later calls fail. The conversations close where the exchange says so.
    virtual void Close() = 0;
};

// The status lines of a conversation: list box 1087 of the Server Status dialog, 1073 of the Networking dialog.
class ServerLog {
  public:
    virtual ~ServerLog() = default;
    virtual void Log(std::string_view line) = 0;
};

// The client's way to a server: start the sockets, resolve the address text, connect to the server's port
// (kExchangePort, unless CINELEDGER_EXCHANGE_PORT names another: ExchangePort() in exchange/Socket_win.h; the
// command line takes one with the address). Nothing, with `failure` set, when any of it fails.
class Connector {
  public:
    virtual ~Connector() = default;
    virtual std::unique_ptr<ByteChannel> Connect(std::string_view address, ChannelFailure& failure) = 0;
};

// The server's start, step by step; each step false with LastError() set on failure.
class ListenerSteps {
  public:
    virtual ~ListenerSteps() = default;
    virtual bool Initialize() = 0;  // start the sockets, create the TCP socket
    virtual bool Bind() = 0;        // any local address, the exchange port
    virtual bool Listen() = 0;      // backlog 1, then the accept notification (message 1025) and no other
    virtual int LastError() const = 0;
    virtual void Abandon() = 0;  // close the socket, stop the sockets
};

// ---- Log lines ----

inline constexpr std::string_view kLogSeparator =
    "--------------------------------------------------------------------";
static_assert(kLogSeparator.size() == 68);

// The text after "Receive Error: " or "Send Error: ": the library's number, or what the peer did.
std::string FailureDetail(const ChannelFailure& failure);

// ---- Server ----

// Starts listening, logging "Socket Initialized", "Socket Bound", "Listening" or the failed step's error and the
// separator (the steps abandoned then). True when listening.
bool StartServer(ListenerSteps& steps, ServerLog& log);
// An accept that failed: "Accept Error: %i" and the separator.
void LogAcceptError(ServerLog& log, int code);

enum class UploadKind { MovieList, GimmeList, Failed };
// A connection just accepted: logs "Connection Accepted" and reads the first block. "UPLOAD" is a movie list, any
// other text a Gimme list; on Failed the connection is closed and the failure logged.
UploadKind ReceiveFirstBlock(ByteChannel& channel, ServerLog& log);

// The rest of a movie list upload: the version answered, the source checked ("Can Not Identify Source; Data Is
// Corrupt." through `prompts`), the records the user lacks appended to `offered` (those before a failure stay),
// "Tracking Results" when a complete upload brought none. A record past `recordMax` is corrupt data. The
// connection is closed on return. The number appended.
std::size_t ReceiveMovieList(ByteChannel& channel, ServerLog& log, const Collection& c, ImportList& offered,
                             Prompts& prompts, std::size_t recordMax = kConversationRecordMax);
// The rest of a Gimme list upload: each title put first in `imported` with the sender as its location; a title
// past `recordMax` is corrupt data. The connection is closed on return. False when it ended before "end".
bool ReceiveGimmeList(ByteChannel& channel, ServerLog& log, MovieList& imported, Prompts& prompts,
                      std::size_t recordMax = kConversationRecordMax);
// The user kept the imported Gimme list: "Client Disconnected", the separator, the connection closed.
void RefuseGimmeList(ByteChannel& channel, ServerLog& log);

// ---- Client ----

enum class SendOutcome { Sent, NotConnected, Refused, Failed };

// The movie list upload of the Main Movie List (every movie, in list order) with each movie's media record of
// exactly its title. `sourceLine` is the formatted source with its "*".
SendOutcome SendMovieList(Connector& connector, std::string_view address, ServerLog& log, const MovieList& main,
                          const MediaStore& media, std::string_view sourceLine);
// The Gimme list upload of the internal Gimme list.
SendOutcome SendGimmeList(Connector& connector, std::string_view address, ServerLog& log, const MovieList& gimme,
                          std::string_view sourceLine);

}  // namespace cl
