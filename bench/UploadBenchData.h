// What the movie list upload benchmarks share, natively and under Wine: the sender's collection, a channel that
// records what the sender sends and one that plays it back to the receiver from memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/Protocol.h"
#include "model/ListOperations.h"

namespace cl::bench {

// The sender's collection: distinct titles, every movie with the media details an analysed AVI file gives.
struct SenderLists {
    MovieList main;
    MediaStore media;
};
inline SenderLists MakeSenderLists(int count) {
    static const char* const kWords[] = {"Alien", "Blue", "City",  "Dark",  "Eagle", "Fire",   "Ghost", "House",
                                         "Lost",  "Moon", "Night", "Ocean", "River", "Storm",  "Tiger", "Winter",
                                         "of",    "the",  "Last",  "Road",  "Heart", "Shadow", "Point", "Days"};
    SenderLists c;
    MediaFields fields;
    for (auto [field, value] : {std::pair{&MediaFields::format, "MPEG-4"},
                                {&MediaFields::cds, "2"},
                                {&MediaFields::width, "640"},
                                {&MediaFields::height, "272"},
                                {&MediaFields::length, "118 min."},
                                {&MediaFields::frameRate, "23.976 fps"},
                                {&MediaFields::videoBitRate, "1180 kbit/s"},
                                {&MediaFields::codec, "DivX 5"},
                                {&MediaFields::audioBitRate, "128 kbit/s"},
                                {&MediaFields::audioCodec, "MPEG Layer-3"},
                                {&MediaFields::channels, "2"},
                                {&MediaFields::samples, "48000 Hz"}})
        fields.*field = value;
    for (int i = 0; i < count; ++i) {
        const std::size_t n = static_cast<std::size_t>(i) * 7919;
        const std::string title = std::string(kWords[n % 16]) + " " + kWords[(n / 16) % 24] + " " +
                                  kWords[(n / 384) % 24] + " " + std::to_string(i + 1);
        InsertMainMovie(c.main, {title, "Drama", "Present", "Default", "DivX"}, static_cast<std::int32_t>(i + 1));
        c.media.AddOrReplace(title, fields);
    }
    return c;
}

// Records what the client sends, call by call, and answers its version with "OK".
class RecordingChannel final : public ByteChannel {
  public:
    explicit RecordingChannel(std::vector<std::string>& pieces) : pieces_(pieces) {}
    bool SendAll(std::string_view bytes) override {
        pieces_.emplace_back(bytes);
        return true;
    }
    bool ReceiveExactly(std::size_t n, char* out) override {
        const TextBlock ok = MakeTextBlock(kVersionAccepted);
        std::memcpy(out, ok.data(), std::min(n, ok.size()));
        return true;
    }
    ChannelFailure LastFailure() const override { return {}; }
    void Close() override {}

  private:
    std::vector<std::string>& pieces_;
};

class RecordingConnector final : public Connector {
  public:
    std::unique_ptr<ByteChannel> Connect(std::string_view, ChannelFailure&) override {
        return std::make_unique<RecordingChannel>(pieces);
    }
    std::vector<std::string> pieces;
};

struct NoLog final : ServerLog {
    void Log(std::string_view) override {}
};
struct NoPrompts final : Prompts {
    void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
    bool Ask(std::string_view, std::string_view, MessageIcon, bool) override { return false; }
};

// What the client sends, in the pieces it sends them (the server's answer comes after the second).
inline std::vector<std::string> UploadPieces(const SenderLists& c) {
    RecordingConnector connector;
    NoLog log;
    SendMovieList(connector, "", log, c.main, c.media, "Bench*");
    return connector.pieces;
}

// The upload after its first block (which the server reads before it knows the kind), for the receiver.
inline std::string BytesAfterFirstBlock(const std::vector<std::string>& pieces) {
    std::string bytes;
    for (std::size_t i = 1; i < pieces.size(); ++i) bytes += pieces[i];
    return bytes;
}

// Plays bytes back to the receiver; the end of them is a closed connection.
class MemoryChannel final : public ByteChannel {
  public:
    explicit MemoryChannel(std::string_view bytes) : bytes_(bytes) {}
    bool SendAll(std::string_view) override { return true; }
    bool ReceiveExactly(std::size_t n, char* out) override {
        if (bytes_.size() - at_ < n) return false;
        std::memcpy(out, bytes_.data() + at_, n);
        at_ += n;
        return true;
    }
    ChannelFailure LastFailure() const override { return {ChannelFailure::Kind::Closed}; }
    void Close() override {}

  private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

}  // namespace cl::bench
