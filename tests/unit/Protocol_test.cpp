// The network exchange: both uploads end to end over memory, cut or failing at every byte, delivered a byte at a
// time, hostile peers, and the Export Source, Networking and Server Status logic.
#include <gtest/gtest.h>

#include <cstring>

#include "exchange/MovieExchangeFile.h"
#include "exchange/StreamChannel.h"
#include "model/GimmeFile.h"
#include "tests/unit/ShellFakes.h"
#include "ui/NetworkDialogs.h"

namespace cl::test {
namespace {

using Lines = std::vector<std::string>;
const std::string kSep(kLogSeparator);
const Lines kServed = {"Connection Accepted", "Receive Successful", "Client Disconnected", kSep};
const Lines kSent = {"Connected", kSep, "Send Successful", "Disconnecting", kSep};

// A peer in memory: hands out `input` (then reports the connection closed) and keeps what is sent, refusing any
// send past `sendBudget` bytes.
struct MemoryChannel : ByteChannel {
    bool SendAll(std::string_view bytes) override {
        if (closed || sent.size() + bytes.size() > sendBudget) return false;
        sent += bytes;
        return true;
    }
    bool ReceiveExactly(std::size_t n, char* out) override {
        if (closed || input.size() - at < n) return false;
        std::memcpy(out, input.data() + at, n);
        at += n;
        return true;
    }
    ChannelFailure LastFailure() const override { return {ChannelFailure::Kind::Error, 10054}; }
    void Close() override { closed = true; }

    std::string input, sent;
    std::size_t at = 0, sendBudget = std::string::npos;
    bool closed = false;
};

struct DialLog : NetworkingUi {
    void Log(std::string_view line) override { lines.emplace_back(line); }
    void PaintNow() override { lines.emplace_back("<paint>"); }
    Lines lines;
};

struct StatusUi : ServerStatusUi {
    void Log(std::string_view line) override { lines.emplace_back(line); }
    void Hide() override { lines.emplace_back("<hide>"); }
    void Show() override { lines.emplace_back("<show>"); }
    Lines lines;
};

struct Forward : ByteChannel {
    explicit Forward(MemoryChannel& to) : to(to) {}
    bool SendAll(std::string_view bytes) override { return to.SendAll(bytes); }
    bool ReceiveExactly(std::size_t n, char* out) override { return to.ReceiveExactly(n, out); }
    ChannelFailure LastFailure() const override { return to.LastFailure(); }
    void Close() override { to.Close(); }
    MemoryChannel& to;
};

struct FakeConnector : Connector {
    std::unique_ptr<ByteChannel> Connect(std::string_view, ChannelFailure& failure) override {
        failure = refusal;
        return refuse ? nullptr : std::make_unique<Forward>(peer);
    }
    MemoryChannel peer;
    bool refuse = false;
    ChannelFailure refusal;
};

std::string Block(std::string_view text) {
    return std::string(MakeTextBlock(text).data(), kTextBlockSize);
}

class ProtocolTest : public ::testing::Test, public ShellFixture {
  protected:
    ProtocolTest() {
        for (const char* title : {"Up^Down", "Rope"}) {
            AddGimmeTitleWithLocation(sender.internalGimme, title, "G");
            InsertMainMovie(sender.main, {title, "Drama", "Present", "Home", "DVD"}, 1);
        }
        sender.media.AddOrReplace("Rope", kAlienMedia);
    }
    // The sender's side, the receiver answering `reply`, failing any send past `budget` bytes; the bytes it sent.
    std::string Send(bool gimme, std::string_view reply = "OK", std::size_t budget = std::string::npos) {
        connector.peer = {};
        connector.peer.input = Block(reply);
        connector.peer.sendBudget = budget;
        sent.lines.clear();
        if (gimme)
            SendGimmeList(connector, "1.2.3.4", sent, sender.internalGimme, "Ann*");
        else
            SendMovieList(connector, "1.2.3.4", sent, sender.main, sender.media, "Ann*");
        return connector.peer.sent;
    }
    // The receiver's side of a connection bringing `wire`.
    Lines Serve(std::string wire) {
        server = {};
        server.input = std::move(wire);
        StatusUi status;
        ServeConnection(W(), server, status, Prompts());
        EXPECT_TRUE(server.closed);
        return status.lines;
    }
    Lines OfferedTitles() {
        Lines titles;
        for (const ExchangeRecord& r : W().state.importList) titles.push_back(*r.fields.title);
        return titles;
    }
    Lines ImportedGimme() {
        Lines titles;
        for (const MovieRecord& r : c.importedGimme) titles.push_back(r.title + "@" + r.location.value_or(""));
        return titles;
    }

    Collection sender;
    FakeConnector connector;
    MemoryChannel server;
    DialLog sent;
};

TEST_F(ProtocolTest, FramesCarryLittleEndianLengthsInWireOrderWithinTheReceiversLimits) {
    MediaRecord media{kAlienMedia};
    const std::string frame = EncodeMovieRecord("Alien", "DVD", &media);
    const std::string payload = "AlienDVD1MPEG-4640272117 min.900 kbit/s25.000 fpsXviD128 kbit/sMP3248000 Hz";
    ASSERT_EQ(frame.size(), kHeaderSize + payload.size());
    EXPECT_EQ(frame.substr(kHeaderSize), payload);
    EXPECT_EQ(frame.substr(0, 8), std::string("\5\0\3\0\1\0\6\0", 8));
    EXPECT_EQ(EncodeMovieRecord("Alien", "", nullptr), std::string("\5", 1) + std::string(27, '\0') + "Alien");
    EXPECT_EQ(EncodeEndRecord(), std::string("\5", 1) + std::string(27, '\0') + "*end*");
    // A long title is clipped to a field, long details to the record, so the receiver takes the movie.
    media.fields.codec = std::string(200, 'c');
    RecordHeader header;
    std::memcpy(header.data(), EncodeMovieRecord(std::string(120, 't'), "DVD", &media).data(), kHeaderSize);
    EXPECT_EQ(header[0], char(kFieldMax));
    EXPECT_EQ(PayloadLength(header), kPayloadMax);
    header[0] = char(kFieldMax + 1);
    EXPECT_EQ(PayloadLength(header), std::nullopt);

    const TextBlock source = MakeSourceBlock("Ann*");
    EXPECT_EQ(std::string(source.data(), kSourceFill + 1), "Ann*" + std::string(97, '^') + '\0');
    EXPECT_EQ(Block("OK"), "OK" + std::string(263, '^') + '\0');
    EXPECT_EQ(BlockText(std::string(266, 'x')), std::nullopt);
}

TEST_F(ProtocolTest, MovieListsArriveWithMediaEmptyDetailsAndCaretsOrTrackingResults) {
    EXPECT_EQ(Serve(Send(false)),
              (Lines{"Connection Accepted", "Receive Successful", "Client Disconnected", kSep, "<hide>", "<show>"}));
    EXPECT_EQ(sent.lines, kSent);
    EXPECT_EQ(server.sent, Block("OK"));
    EXPECT_EQ(dialogs.opened, std::vector<int>{208});
    ASSERT_EQ(OfferedTitles(), (Lines{"Rope", "Up^Down"}));
    // The details arrive as the exchange file carries them; a movie without any has empty ones, not "N/A".
    TextReader file(SerializeMainListExchange(sender.main, sender.media, "Ann*"));
    const std::vector<ExchangeRecord> fromFile = ReadMovieExchange(file).records;
    for (std::size_t i = 0; i < kBlockLines; ++i) {
        EXPECT_EQ(BlockLine(*W().state.importList.begin(), i), BlockLine(fromFile[0], i)) << i;
        EXPECT_EQ(BlockLine(*std::next(W().state.importList.begin()), i), i == 0 ? "Up^Down" : i == 1 ? "DVD" : "");
    }
    EXPECT_EQ(W().state.importList.begin()->source, "Ann");

    W().state.importList.FreeAll();
    Add("Rope");
    c.quarantine.Add("Up^down");
    EXPECT_EQ(Serve(Send(false)), kServed);
    EXPECT_EQ(Prompts().messages,
              (std::vector<Box>{{std::string(kNoNewMoviesMessage), "Tracking Results", MessageIcon::Information}}));
    EXPECT_EQ(dialogs.opened.size(), 1u);
}

TEST_F(ProtocolTest, ALongListLeavesWholeAndInOrderAcrossBatchesAndLookups) {
    for (int i = 0; i < 800; ++i) {
        const std::string title = "Movie " + std::to_string(1000 + i);
        InsertMainMovie(sender.main, {title, "Drama", "Present", "Home", "DVD"}, 1);
        if (i % 3 != 0) sender.media.AddOrReplace(title, kAlienMedia);
    }
    std::string frames;
    for (const MovieRecord& m : sender.main) AppendMovieRecord(frames, m.title, "DVD", sender.media.Find(m.title));
    AppendEndRecord(frames);
    ASSERT_GT(frames.size(), 64u * 1024);
    EXPECT_EQ(Send(false).substr(3 * kTextBlockSize), frames);
}

TEST_F(ProtocolTest, VersionsMustMatchExactly) {
    Send(false, "NOT OK");
    EXPECT_EQ(sent.lines, (Lines{"Connected", kSep, "Incompatible Version; Disconnecting.", kSep}));
    EXPECT_EQ(connector.peer.sent, Block("UPLOAD") + Block(kExchangeVersion));
    EXPECT_EQ(Serve(Block("UPLOAD") + Block("CineLedger v3.14")),
              (Lines{"Connection Accepted", "Incompatible Version; Disconnecting.", "Client Disconnected", kSep}));
    EXPECT_EQ(server.sent, Block("NOT OK"));
}

TEST_F(ProtocolTest, GimmeListsReplaceTheImportedOneOnlyWhenTheUserAgrees) {
    const std::string wire = Send(true);
    EXPECT_EQ(sent.lines, kSent);
    const Lines gimmeServed = {"Connection Accepted", "Receive Successful", "Gimme List Imported",
                               "Client Disconnected", kSep};
    EXPECT_EQ(Serve(wire), gimmeServed);
    EXPECT_EQ(ImportedGimme(), (Lines{"Up@Ann", "Rope@Ann"}));  // each title put first, a "^" ending it
    EXPECT_EQ(ui.mark, ViewMark::Main);

    AddGimmeTitleWithLocation(c.importedGimme, "Old", "Bob");
    ui.mark = ViewMark::ImportedGimme;
    EXPECT_EQ(Serve(wire), (Lines{"Connection Accepted", "Client Disconnected", kSep}));
    EXPECT_EQ(Prompts().questions.back().text,
              "There Is Already One Gimme List Imported; Proceeding With Transfer Will Erase This List; Proceed?");
    EXPECT_EQ(ImportedGimme(), (Lines{"Old@Bob", "Up@Ann", "Rope@Ann"}));
    EXPECT_EQ(ui.mark, ViewMark::ImportedGimme);
    Prompts().answers = {true};
    EXPECT_EQ(Serve(wire), gimmeServed);
    EXPECT_EQ(ImportedGimme(), (Lines{"Up@Ann", "Rope@Ann"}));
}

// Every prefix of each upload, and every send budget of each sender: the conversation ends with a failure line and
// the separator, and keeps exactly the whole records before the cut.
TEST_F(ProtocolTest, ConversationsCutAtEveryByteEndCleanlyKeepingWholeRecords) {
    for (const bool gimme : {false, true}) {
        const std::string wire = Send(gimme);
        Serve(wire);
        const Lines full = gimme ? ImportedGimme() : OfferedTitles();
        for (std::size_t cut = 0; cut < wire.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << "gimme " << gimme << " cut " << cut);
            c.importedGimme.Clear();
            W().state.importList.FreeAll();
            Lines log = Serve(wire.substr(0, cut));
            if (log.back() == "<show>") log.resize(log.size() - 2);
            ASSERT_GE(log.size(), 3u);
            EXPECT_EQ(Lines(log.end() - 2, log.end()), (Lines{"Client Disconnected", kSep}));
            EXPECT_EQ(log[log.size() - 3], "Receive Error: 10054");
            const Lines kept = gimme ? ImportedGimme() : OfferedTitles();
            EXPECT_TRUE(gimme ? std::equal(kept.begin(), kept.end(), full.end() - kept.size())
                              : std::equal(kept.begin(), kept.end(), full.begin()));

            Send(gimme, "OK", cut);
            EXPECT_EQ(Lines(sent.lines.end() - 2, sent.lines.end()), (Lines{"Send Error: 10054", kSep}));
            EXPECT_TRUE(connector.peer.closed);
        }
    }
}

// Hostile peers end the conversation at the first thing wrong, without reading past what the limits allow.
TEST_F(ProtocolTest, HostilePeersAreDisconnected) {
    const std::string upload = Block("UPLOAD") + Block(kExchangeVersion);
    const std::string source(MakeSourceBlock("Ann*").data(), kTextBlockSize);
    const auto header = [](std::initializer_list<int> lengths) {
        std::string h(kHeaderSize, '\0');
        int i = 0;
        for (const int length : lengths) h[2 * i++] = char(length), h[2 * i - 1] = char(length >> 8);
        return h;
    };
    const std::string name31(31, 'n'), name30(30, 'n');
    const struct {
        const char* name;
        std::string wire;
        std::string failure;
        std::string message;
        Lines gimme;  // title@location
        std::size_t offered = 0;
    } cases[] = {
        {"nothing", "", "Receive Error: 10054", ""},
        {"closed mid-block", Block("UPLOAD").substr(0, 100), "Receive Error: 10054", ""},
        {"block without a caret", std::string(kTextBlockSize, 'x'), "Data Corrupted", ""},
        {"payload over 268", upload + source + header({101, 101, 67}) + std::string(300, 'x'), "Data Corrupted", ""},
        {"field over 101", upload + source + header({102}) + std::string(300, 'x'), "Data Corrupted", ""},
        {"title with a bar", upload + source + header({3}) + "a|b", "Data Corrupted", ""},
        {"title with a line feed after a movie whose source and medium are cut to what the files hold",
         upload + Block(name31 + "*") + EncodeMovieRecord("R", std::string(101, 'm'), nullptr) + header({3}) + "a\nb",
         "Data Corrupted", "", Lines{}, 1},
        {"gimme title with a CR", Block("GIMME") + Block(name31 + "*") + Block("Rope") + Block("a\rb"),
         "Data Corrupted", "", Lines{"Rope@" + name30}},
        {"source without a star", upload + Block("Ann"), "Data Corrupted", "Can Not Identify Source; Data Is Corrupt."},
        {"gimme source without a star", Block("GIMME") + Block("Ann"), "Data Corrupted",
         "Can Not Identify Source; Data is Corrupt."},
        {"gimme title over 109", Block("GIMME") + Block("Ann*") + Block(std::string(110, 't')), "Data Corrupted", ""},
        {"garbage", "GET / HTTP/1.0\r\n\r\n^^^" + std::string(300, '\xff'), "Receive Error: 10054", ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        Prompts().messages.clear();
        Lines log = Serve(test.wire);
        if (log.back() == "<show>") log.resize(log.size() - 2);  // the offers were shown
        EXPECT_EQ(log, (Lines{"Connection Accepted", test.failure, "Client Disconnected", kSep}));
        EXPECT_EQ(Prompts().MessageTexts(), test.message.empty() ? Lines{} : Lines{test.message});
        EXPECT_EQ(ImportedGimme(), test.gimme);
        TextReader saved(SerializeImportList(W().state.importList));  // a saved import list reads back whole
        EXPECT_EQ(ReadMovieExchange(saved).records.size(), test.offered);
        c.importedGimme.Clear(), W().state.importList.FreeAll();
    }
}

// A socket delivering one byte per call with would-blocks between them, or nothing at all, or failing.
struct TrickleChannel : StreamChannel {
    using StreamChannel::Io;
    IoResult SendSome(std::string_view bytes) override { return {Io::Moved, std::min<std::size_t>(bytes.size(), 1)}; }
    IoResult ReceiveSome(char* out, std::size_t) override {
        if (at == input.size()) return {end, 0, 10060};
        if ((blocked = !blocked)) return {Io::WouldBlock};
        *out = input[at++];
        return {Io::Moved, 1};
    }
    void WaitReady(bool, std::chrono::milliseconds slice) override {
        EXPECT_LE(slice, kWaitSlice);
        now += slice;
    }
    std::chrono::steady_clock::time_point Now() const override { return now; }
    void Close() override {}

    std::string input;
    std::size_t at = 0;
    bool blocked = false;
    Io end = Io::WouldBlock;
    std::chrono::steady_clock::time_point now;
};

TEST_F(ProtocolTest, ByteStreamsDeliveringOneByteAtATimeOrNothingAreBounded) {
    TrickleChannel trickle;
    trickle.input = Send(false);
    StatusUi status;
    ServeConnection(W(), trickle, status, Prompts());
    EXPECT_EQ(OfferedTitles(), (Lines{"Rope", "Up^Down"}));
    EXPECT_EQ(Lines(status.lines.begin(), status.lines.begin() + 4), kServed);

    const struct {
        TrickleChannel::Io end;
        std::string failure;
        std::chrono::milliseconds waited;
    } cases[] = {
        {TrickleChannel::Io::WouldBlock, "Receive Error: No Progress for 5 Seconds", kSilenceLimit},
        {TrickleChannel::Io::Closed, "Receive Error: Connection Closed", {}},
        {TrickleChannel::Io::Failed, "Receive Error: 10060", {}},
    };
    for (const auto& test : cases) {
        TrickleChannel silent;
        silent.input = "UPL";
        silent.end = test.end;
        status.lines.clear();
        ServeConnection(W(), silent, status, Prompts());
        EXPECT_EQ(status.lines, (Lines{"Connection Accepted", test.failure, "Client Disconnected", kSep}));
        EXPECT_EQ(silent.now.time_since_epoch(), test.waited + 3 * StreamChannel::kWaitSlice);
    }
}

TEST_F(ProtocolTest, AConversationEndsAtTheRecordPastItsLimit) {
    StatusUi status;
    server.input = Send(false).substr(kTextBlockSize);  // after the first block
    EXPECT_EQ(ReceiveMovieList(server, status, c, W().state.importList, Prompts(), 1), 1u);
    server = {};
    server.input = Send(true).substr(kTextBlockSize);
    ReceiveGimmeList(server, status, c.importedGimme, Prompts(), 1);
    EXPECT_EQ(ImportedGimme(), Lines{"Rope@Ann"});
}

TEST_F(ProtocolTest, ServerStartLogsEachStepOrTheOneThatFailed) {
    struct Steps : ListenerSteps {
        bool Initialize() override { return ++done != failAt; }
        bool Bind() override { return ++done != failAt; }
        bool Listen() override { return ++done != failAt; }
        int LastError() const override { return 10048; }
        void Abandon() override { abandoned = true; }
        int done = 0, failAt = 0;
        bool abandoned = false;
    };
    const Lines all = {"Socket Initialized", "Socket Bound", "Listening"};
    const std::string failures[] = {"Initialization Error: 10048", "Bind Error: 10048", "Listen Error: 10048"};
    for (int failAt = 0; failAt <= 3; ++failAt) {
        Steps steps;
        steps.failAt = failAt;
        DialLog log;
        EXPECT_EQ(StartServer(steps, log), failAt == 0);
        Lines expected = failAt == 0 ? all : Lines(all.begin(), all.begin() + failAt - 1);
        if (failAt != 0) expected.insert(expected.end(), {failures[failAt - 1], kSep});
        EXPECT_EQ(log.lines, expected);
        EXPECT_EQ(steps.abandoned, failAt != 0);
    }
}

TEST_F(ProtocolTest, ExportSourceAndDialSendWhatIsPendingWithTheFormattedSource) {
    EXPECT_EQ(ExportSourceOk(c, W().state, "", Prompts()).next, ExportSourceResult::Next::KeepOpen);
    EXPECT_EQ(Prompts().MessageTexts(), Lines{"You Must Supply a Source."});
    c.settings.formatConversion = 1;
    EXPECT_EQ(ExportSourceOk(c, W().state, "the gang", Prompts()).next, ExportSourceResult::Next::End);
    W().state.gimmeSendPending = true;
    const ExportSourceResult result = ExportSourceOk(c, W().state, "the gang", Prompts());
    EXPECT_EQ(result.next, ExportSourceResult::Next::RunNetworking);
    EXPECT_EQ(result.sourceLine, "Gang, The*");

    AddGimmeTitleWithLocation(c.internalGimme, "Rope", "G");
    const struct {
        bool movies, gimme, refuse;
        ChannelFailure refusal;
        Lines log;
        std::string wire;
    } cases[] = {
        {false,
         true,
         false,
         {},
         {"Connected", kSep, "Send Successful", "Disconnecting", kSep},
         Block("GIMME") + Block("Ann*") + Block("Rope") + Block("end")},
        {true, true, false, {}, {}, ""},
        {true, false, true, {ChannelFailure::Kind::Error, 10061}, {"Error: 10061", kSep}, ""},
        {true, false, true, {ChannelFailure::Kind::Unresolved, 11001}, {"Error: Unknown Host", kSep}, ""},
    };
    for (const auto& test : cases) {
        W().state.movieListSendPending = test.movies;
        W().state.gimmeSendPending = test.gimme;
        connector.peer = {};
        connector.refuse = test.refuse;
        connector.refusal = test.refusal;
        sent.lines.clear();
        Dial(c, W().state, "10.0.0.2", "Ann*", sent, connector);
        Lines expected = {"Connecting to 10.0.0.2...", "<paint>"};
        expected.insert(expected.end(), test.log.begin(), test.log.end());
        EXPECT_EQ(sent.lines, expected);
        EXPECT_EQ(connector.peer.sent, test.wire);
    }
}

}  // namespace
}  // namespace cl::test
