// The list exchange's wire format and its two conversations, on the sending and on the receiving side.
#include "exchange/Protocol.h"

#include <algorithm>
#include <utility>

#include "exchange/MovieExchangeFile.h"

namespace cl {
namespace {

using Field = std::optional<std::string> MediaFields::*;
// The media details of a frame, fields 3 to 14, in wire order.
constexpr std::array<Field, kWireFields - 2> kWireMedia = {
    &MediaFields::cds,          &MediaFields::format,       &MediaFields::width,     &MediaFields::height,
    &MediaFields::length,       &MediaFields::videoBitRate, &MediaFields::frameRate, &MediaFields::codec,
    &MediaFields::audioBitRate, &MediaFields::audioCodec,   &MediaFields::channels,  &MediaFields::samples};

constexpr std::string_view kDataCorrupted = "Data Corrupted";
constexpr std::string_view kClientDisconnected = "Client Disconnected";
constexpr std::string_view kIncompatibleVersion = "Incompatible Version; Disconnecting.";
constexpr std::string_view kReceiveSuccessful = "Receive Successful";
constexpr std::string_view kSendSuccessful = "Send Successful";

void LogEnd(ServerLog& log, std::string_view line) {
    log.Log(line);
    log.Log(kLogSeparator);
}

// The receiver's ends of a conversation; each closes the connection.
void Disconnect(ByteChannel& channel, ServerLog& log, std::string_view line = {}) {
    if (!line.empty()) log.Log(line);
    LogEnd(log, kClientDisconnected);
    channel.Close();
}

void ReceiveFailed(ByteChannel& channel, ServerLog& log) {
    Disconnect(channel, log, "Receive Error: " + FailureDetail(channel.LastFailure()));
}

// One text block's text; nothing after logging the failure and closing. A block without a "^" is corrupt data.
std::optional<std::string> ReceiveText(ByteChannel& channel, ServerLog& log, std::size_t filled = kTextFill) {
    TextBlock block;
    if (!channel.ReceiveExactly(block.size(), block.data())) {
        ReceiveFailed(channel, log);
        return std::nullopt;
    }
    const std::optional<std::string_view> text = BlockText({block.data(), block.size()}, filled);
    if (!text) {
        Disconnect(channel, log, kDataCorrupted);
        return std::nullopt;
    }
    return std::string(*text);
}

// The sender's name from its block: it must end in "*" and hold no byte the stores cannot keep (see
// HasUnstorableByte); kept without the "*", at most kSourceNameMax characters.
std::optional<std::string> SourceName(std::string text) {
    if (!text.ends_with(kSourceMark) || HasUnstorableByte(text)) return std::nullopt;
    text.pop_back();
    if (text.size() > kSourceNameMax) text.resize(kSourceNameMax);
    return text;
}

// A medium or media detail as kept: no store takes it (the Upcoming Movie List keeps title and sender only, Movie
// Import Info shows it), but an import list saved to a file must read back, so it is cut to a file line's limit.
std::string_view ExchangeValue(std::string_view value) {
    return value.substr(0, kExchangeValueMax);
}

std::optional<std::string> ReceiveSource(ByteChannel& channel, ServerLog& log, Prompts& prompts, std::size_t filled,
                                         std::string_view corruptMessage) {
    std::optional<std::string> text = ReceiveText(channel, log, filled);
    if (!text) return std::nullopt;
    std::optional<std::string> name = SourceName(std::move(*text));
    if (!name) {
        prompts.ShowMessage(corruptMessage, {}, MessageIcon::Stop);
        Disconnect(channel, log, kDataCorrupted);
    }
    return name;
}

void PutLength(char* at, std::size_t length) {
    at[0] = static_cast<char>(length & 0xFF);
    at[1] = static_cast<char>((length >> 8) & 0xFF);
}

std::size_t GetLength(const char* at) {
    return static_cast<unsigned char>(at[0]) | (static_cast<std::size_t>(static_cast<unsigned char>(at[1])) << 8);
}

// The frame goes straight onto the end of `out`, so that a batch of frames is built in one buffer.
void AppendFrame(std::string& out, const std::array<std::string_view, kWireFields>& fields) {
    const std::size_t header = out.size();
    out.resize(header + kHeaderSize);
    // A field over its limit, or a record over its own, would make the receiver drop the whole upload: each text
    // is cut to what still fits, the title first.
    std::size_t room = kPayloadMax;
    for (std::size_t i = 0; i < kWireFields; ++i) {
        const std::string_view text = fields[i].substr(0, std::min(kFieldMax, room));
        room -= text.size();
        PutLength(&out[header + 2 * i], text.size());
        out += text;
    }
}

// The movie's media record, its fields asked into the cache for the frame that is written a little later.
const MediaRecord* FindMediaAhead(const MediaStore& media, std::string_view title) {
    const MediaRecord* found = media.Find(title);
    if (found != nullptr) {
        for (const Field field : kWireMedia) __builtin_prefetch(&(found->fields.*field));
    }
    return found;
}

// The sender's end after a failed send.
SendOutcome SendFailed(ByteChannel& channel, ServerLog& log) {
    LogEnd(log, "Send Error: " + FailureDetail(channel.LastFailure()));
    channel.Close();
    return SendOutcome::Failed;
}

bool SendBlock(ByteChannel& channel, ServerLog& log, const TextBlock& block) {
    if (channel.SendAll({block.data(), block.size()})) return true;
    SendFailed(channel, log);
    return false;
}

std::unique_ptr<ByteChannel> ConnectLogged(Connector& connector, std::string_view address, ServerLog& log) {
    ChannelFailure failure;
    std::unique_ptr<ByteChannel> channel = connector.Connect(address, failure);
    if (!channel) {
        LogEnd(log, "Error: " + FailureDetail(failure));
        return nullptr;
    }
    LogEnd(log, "Connected");
    return channel;
}

SendOutcome Finish(ByteChannel& channel, ServerLog& log) {
    log.Log(kSendSuccessful);
    LogEnd(log, "Disconnecting");
    channel.Close();
    return SendOutcome::Sent;
}

}  // namespace

TextBlock MakeTextBlock(std::string_view text) {
    TextBlock block{};
    text = text.substr(0, kTextFill - 1);
    std::fill(std::copy(text.begin(), text.end(), block.begin()), block.begin() + kTextFill, kBlockFill);
    return block;
}

TextBlock MakeSourceBlock(std::string_view sourceLine) {
    TextBlock block{};
    sourceLine = sourceLine.substr(0, kSourceFill - 1);
    std::fill(std::copy(sourceLine.begin(), sourceLine.end(), block.begin()), block.begin() + kSourceFill, kBlockFill);
    return block;
}

std::optional<std::string_view> BlockText(std::string_view block, std::size_t filled) {
    const std::size_t end = block.substr(0, filled).find(kBlockFill);
    if (end == std::string_view::npos) return std::nullopt;
    return block.substr(0, end);
}

void AppendMovieRecord(std::string& out, std::string_view title, std::string_view medium, const MediaRecord* media) {
    std::array<std::string_view, kWireFields> fields{title, medium};
    if (media != nullptr) {
        for (std::size_t i = 0; i < kWireMedia.size(); ++i) {
            const std::optional<std::string>& value = media->fields.*kWireMedia[i];
            if (value) fields[i + 2] = *value;
        }
    }
    AppendFrame(out, fields);
}

void AppendEndRecord(std::string& out) {
    AppendFrame(out, {kEndRecordTitle});
}

std::string EncodeMovieRecord(std::string_view title, std::string_view medium, const MediaRecord* media) {
    std::string frame;
    AppendMovieRecord(frame, title, medium, media);
    return frame;
}

std::string EncodeEndRecord() {
    std::string frame;
    AppendEndRecord(frame);
    return frame;
}

std::optional<std::size_t> PayloadLength(const RecordHeader& header) {
    std::size_t sum = 0;
    for (std::size_t i = 0; i < kWireFields; ++i) {
        const std::size_t length = GetLength(&header[2 * i]);
        if (length > kFieldMax) return std::nullopt;
        sum += length;
    }
    if (sum > kPayloadMax) return std::nullopt;
    return sum;
}

std::string FailureDetail(const ChannelFailure& failure) {
    switch (failure.kind) {
        case ChannelFailure::Kind::Closed:
            return "Connection Closed";
        case ChannelFailure::Kind::Silence:
            return "No Progress for " + std::to_string(failure.silence.count() / 1000) + " Seconds";
        case ChannelFailure::Kind::Unresolved:
            return "Unknown Host";
        case ChannelFailure::Kind::Error:
            break;
    }
    return std::to_string(failure.code);
}

// ---- Server ----

bool StartServer(ListenerSteps& steps, ServerLog& log) {
    struct Step {
        bool (ListenerSteps::*run)();
        std::string_view failed;
        std::string_view done;
    };
    static constexpr Step kSteps[] = {
        {&ListenerSteps::Initialize, "Initialization Error: ", "Socket Initialized"},
        {&ListenerSteps::Bind, "Bind Error: ", "Socket Bound"},
        {&ListenerSteps::Listen, "Listen Error: ", "Listening"},
    };
    for (const Step& step : kSteps) {
        if (!(steps.*step.run)()) {
            LogEnd(log, std::string(step.failed) + std::to_string(steps.LastError()));
            steps.Abandon();
            return false;
        }
        log.Log(step.done);
    }
    return true;
}

void LogAcceptError(ServerLog& log, int code) {
    LogEnd(log, "Accept Error: " + std::to_string(code));
}

UploadKind ReceiveFirstBlock(ByteChannel& channel, ServerLog& log) {
    log.Log("Connection Accepted");
    const std::optional<std::string> text = ReceiveText(channel, log);
    if (!text) return UploadKind::Failed;
    return *text == kUploadCommand ? UploadKind::MovieList : UploadKind::GimmeList;
}

std::size_t ReceiveMovieList(ByteChannel& channel, ServerLog& log, const Collection& c, ImportList& offered,
                             Prompts& prompts, std::size_t recordMax) {
    const std::optional<std::string> version = ReceiveText(channel, log);
    if (!version) return 0;
    const bool compatible = *version == kExchangeVersion;
    if (!channel.SendAll(
            std::string_view(MakeTextBlock(compatible ? kVersionAccepted : kVersionRefused).data(), kTextBlockSize))) {
        Disconnect(channel, log, "Send Error: " + FailureDetail(channel.LastFailure()));
        return 0;
    }
    if (!compatible) {
        Disconnect(channel, log, kIncompatibleVersion);
        return 0;
    }
    const std::optional<std::string> source =
        ReceiveSource(channel, log, prompts, kSourceFill, "Can Not Identify Source; Data Is Corrupt.");
    if (!source) return 0;

    std::size_t count = 0;
    RecordHeader header;
    std::array<char, kPayloadMax> payload;
    for (std::size_t received = 0;; ++received) {
        if (!channel.ReceiveExactly(header.size(), header.data())) {
            ReceiveFailed(channel, log);
            return count;
        }
        const std::optional<std::size_t> length = PayloadLength(header);
        if (!length) {
            Disconnect(channel, log, kDataCorrupted);
            return count;
        }
        if (!channel.ReceiveExactly(*length, payload.data())) {
            ReceiveFailed(channel, log);
            return count;
        }
        std::array<std::string_view, kWireFields> fields;
        for (std::size_t i = 0, at = 0; i < kWireFields; at += fields[i].size(), ++i)
            fields[i] = std::string_view(payload.data() + at, GetLength(&header[2 * i]));
        if (fields[0] == kEndRecordTitle) {
            log.Log(kReceiveSuccessful);
            Disconnect(channel, log);
            if (count == 0) prompts.ShowMessage(kNoNewMoviesMessage, kTrackingResultsCaption, MessageIcon::Information);
            return count;
        }
        // A title the stores cannot keep ends the upload, as it ends the reading of an exchange file; so does a
        // record past the conversation's limit.
        if (received == recordMax || HasUnstorableByte(fields[0])) {
            Disconnect(channel, log, kDataCorrupted);
            return count;
        }
        std::string title(fields[0]);
        if (IsTitleKnown(title, c)) continue;
        // The texts are built where they are kept, each copied once: a temporary and its move would copy each
        // twice, and every copy is a call into the C library, which under Wine is slow for short texts. Each value
        // is cut to what an exchange file holds, so that a saved import list reads back whole.
        ExchangeRecord& record = offered.AppendTitled(std::move(title));
        record.medium.emplace(ExchangeValue(fields[1]));
        for (std::size_t i = 0; i < kWireMedia.size(); ++i)
            (record.fields.*kWireMedia[i]).emplace(ExchangeValue(fields[i + 2]));
        record.source = *source;
        record.categoryMark.emplace(kCategoryMark);
        ++count;
    }
}

bool ReceiveGimmeList(ByteChannel& channel, ServerLog& log, MovieList& imported, Prompts& prompts,
                      std::size_t recordMax) {
    const std::optional<std::string> source =
        ReceiveSource(channel, log, prompts, kTextFill, "Can Not Identify Source; Data is Corrupt.");
    if (!source) return false;
    for (std::size_t received = 0;; ++received) {
        std::optional<std::string> title = ReceiveText(channel, log);
        if (!title) return false;
        if (*title == kGimmeEndText) {
            log.Log(kReceiveSuccessful);
            log.Log("Gimme List Imported");
            Disconnect(channel, log);
            return true;
        }
        // The stores and the Gimme file take no longer title and none holding a byte they cannot keep; a title past
        // the conversation's limit ends it too.
        if (received == recordMax || title->size() > kExchangeTitleMax || HasUnstorableByte(*title)) {
            Disconnect(channel, log, kDataCorrupted);
            return false;
        }
        MovieRecord record;
        record.title = std::move(*title);
        record.location = *source;
        imported.PushFront(std::move(record));
    }
}

void RefuseGimmeList(ByteChannel& channel, ServerLog& log) {
    Disconnect(channel, log);
}

// ---- Client ----

SendOutcome SendMovieList(Connector& connector, std::string_view address, ServerLog& log, const MovieList& main,
                          const MediaStore& media, std::string_view sourceLine) {
    const std::unique_ptr<ByteChannel> channel = ConnectLogged(connector, address, log);
    if (!channel) return SendOutcome::NotConnected;
    if (!SendBlock(*channel, log, MakeTextBlock(kUploadCommand)) ||
        !SendBlock(*channel, log, MakeTextBlock(kExchangeVersion)))
        return SendOutcome::Failed;
    TextBlock answer;
    if (!channel->ReceiveExactly(answer.size(), answer.data())) {
        LogEnd(log, "Receive Error: " + FailureDetail(channel->LastFailure()));
        channel->Close();
        return SendOutcome::Failed;
    }
    if (BlockText({answer.data(), answer.size()}) != kVersionAccepted) {
        LogEnd(log, kIncompatibleVersion);
        channel->Close();
        return SendOutcome::Refused;
    }
    if (!SendBlock(*channel, log, MakeSourceBlock(sourceLine))) return SendOutcome::Failed;
    // The frames leave in batches of about 64 KB, the end record with the last: the bytes on the wire are the same,
    // and a call into the sockets library per movie would cost more than the transfer (docs/PERFORMANCE.md).
    // Each frame is written into the batch itself, which keeps its storage from one batch to the next.
    constexpr std::size_t kSendBatch = 64 * 1024;
    std::string batch;
    batch.reserve(kSendBatch + kHeaderSize + kPayloadMax);
    // The media records of a few movies are looked up before their frames are written. Each lookup waits on
    // memory (a hash probe, then a record of its own elsewhere); this way the lookups of neighbouring movies wait
    // together instead of one after another, which took most of the sender's time.
    constexpr std::size_t kLookAhead = 32;
    std::array<std::pair<const MovieRecord*, const MediaRecord*>, kLookAhead> ahead;
    for (auto next = main.begin(); next != main.end();) {
        std::size_t count = 0;
        for (; count < kLookAhead && next != main.end(); ++next)
            ahead[count++] = {&*next, FindMediaAhead(media, next->title)};
        for (std::size_t i = 0; i < count; ++i) {
            const auto [movie, found] = ahead[i];
            const std::string_view medium = movie->medium ? std::string_view(*movie->medium) : std::string_view();
            AppendMovieRecord(batch, movie->title, medium, found);
            if (batch.size() < kSendBatch) continue;
            if (!channel->SendAll(batch)) return SendFailed(*channel, log);
            batch.clear();
        }
    }
    AppendEndRecord(batch);
    if (!channel->SendAll(batch)) return SendFailed(*channel, log);
    return Finish(*channel, log);
}

SendOutcome SendGimmeList(Connector& connector, std::string_view address, ServerLog& log, const MovieList& gimme,
                          std::string_view sourceLine) {
    const std::unique_ptr<ByteChannel> channel = ConnectLogged(connector, address, log);
    if (!channel) return SendOutcome::NotConnected;
    if (!SendBlock(*channel, log, MakeTextBlock(kGimmeCommand)) || !SendBlock(*channel, log, MakeTextBlock(sourceLine)))
        return SendOutcome::Failed;
    for (const MovieRecord& movie : gimme) {
        if (!SendBlock(*channel, log, MakeTextBlock(movie.title))) return SendOutcome::Failed;
    }
    if (!SendBlock(*channel, log, MakeTextBlock(kGimmeEndText))) return SendOutcome::Failed;
    return Finish(*channel, log);
}

}  // namespace cl
