// The exchange over the network between two running copies on 127.0.0.1, each in its own data folder: lists sent
// through Export Source (123) and Networking (118), served by Server Status (121), whose log (list box 1087) is
// compared; and a peer of the test's own that sends what no copy would, after which the server still serves.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "exchange/MovieExchangeFile.h"
#include "exchange/Socket_win.h"
#include "res/ExchangeDialogIds.h"
#include "res/NetworkDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

const std::string kSep(kLogSeparator);
const Lines kListening = {"Socket Initialized", "Socket Bound", "Listening"};

std::string Bytes(const TextBlock& block) {
    return std::string(block.data(), block.size());
}

// A peer of the test's own, speaking the wire format through the program's socket layer.
struct Peer {
    WinsockConnector connector;
    std::unique_ptr<ByteChannel> channel;

    bool Connect() {
        ChannelFailure failure;
        channel = connector.Connect("127.0.0.1", failure);
        return channel != nullptr;
    }
    bool Send(std::string_view bytes) { return channel->SendAll(bytes); }
    std::string ReceiveBlock() {
        std::string block(kTextBlockSize, '\0');
        if (!channel->ReceiveExactly(block.size(), block.data())) return "<nothing>";
        return std::string(BlockText(block).value_or("<no fill>"));
    }
};

// The start of a movie list upload, before the server's answer to the version.
std::string UploadStart(std::string_view version = kExchangeVersion) {
    return Bytes(MakeTextBlock(kUploadCommand)) + Bytes(MakeTextBlock(version));
}

class NetworkTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // A port of this test process's own, so that tests run side by side do not meet; the copies inherit it.
        const std::string port = std::to_string(20000 + GetCurrentProcessId() % 20000);
        SetEnvironmentVariableA(kExchangePortVariable, port.c_str());
        _putenv_s(kExchangePortVariable, port.c_str());
        senderData.InstallSkins();
    }
    void TearDown() override {
        if (HasFailure()) senderData.Keep();
        ProgramTest::TearDown();
    }

    // The receiving copy with its server listening; the receiver's main window shows `view` first.
    void StartServer(int view = IDM_MAIN_LIST, std::string_view caption = "Main Movie List") {
        UseSample("receiver");
        ASSERT_TRUE(StartOn(view, caption));
        server = OpenDialog(IDM_START_SERVER, "Server Status");
        ASSERT_NE(server, nullptr);
        ASSERT_TRUE(LogGrows(kListening, Lines{}));
    }
    Lines ServerLog() const { return ListBoxItems(Control(server, IDC_SERVER_LOG)); }
    // Waits until the server's log is `before` followed by `added`.
    testing::AssertionResult LogGrows(const Lines& added, Lines before) const {
        before.insert(before.end(), added.begin(), added.end());
        if (WaitUntil([&] { return ServerLog() == before; })) return testing::AssertionSuccess();
        testing::AssertionResult failure = testing::AssertionFailure() << "the server's log reads:";
        for (const std::string& line : ServerLog()) failure << "\n  " << line;
        return failure;
    }

    // The sending copy, a send command, the source typed and OK: the Networking dialog, the address set.
    HWND OpenNetworking(int command) {
        sender = Program::Start(senderData);
        HWND senderMain = sender.WaitForMainWindow();
        HWND source =
            senderMain && PostCommand(senderMain, command) ? WaitForDialog(sender.Id(), "Export Source...") : nullptr;
        if (!source || !Type(source, {{IDC_EXPORT_SOURCE_EDIT, "jim"}})) return nullptr;
        if (command == IDM_SEND_MAIN_LIST) {
            EXPECT_EQ(Screenshot(source, "ExportSource"), "");
        }
        HWND networking =
            PressButton(source, IDC_EXPORT_SOURCE_OK) ? WaitForDialog(sender.Id(), "Networking...") : nullptr;
        if (networking)
            SendMessageA(Control(networking, IDC_NETWORKING_ADDRESS), IPM_SETADDRESS, 0, MAKEIPADDRESS(127, 0, 0, 1));
        return networking;
    }
    // The sender's log after a Dial that sent its list whole.
    static Lines SentLog(int dials) {
        Lines log;
        for (int i = 0; i < dials; ++i)
            log.insert(log.end(),
                       {"Connecting to 127.0.0.1...", "Connected", kSep, "Send Successful", "Disconnecting", kSep});
        return log;
    }

    TempDataDir senderData{testing::UnitTest::GetInstance()->current_test_info()->name() + std::string("-sender")};
    Program sender;
    HWND server = nullptr;
};

const Lines kReceived = {"Connection Accepted", "Receive Successful", "Client Disconnected", kSep};
const Lines kGimmeImported = {"Connection Accepted", "Receive Successful", "Gimme List Imported", "Client Disconnected",
                              kSep};

Lines operator+(Lines first, const Lines& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

TEST_F(NetworkTest, AMovieListArrivesWithItsMediaDetailsAndTwiceInARow) {
    senderData.WriteFile("CineLedger.dat",
                         "CineLedger v3.15\r\nAlien|Default|Horror|Present|DVD|1\r\n"
                         "Brazil|Default|Drama|Present|VHS|2\r\nUp^Side|Default|Drama|Present|DivX|3\r\n"
                         "Zulu|Default|War|Present|DVD|4\r\nend|nolockx\r\nend|\r\nend");
    senderData.WriteFile("Media.dat",
                         "Brazil\r\nMPEG-2\r\n1\r\n720\r\n576\r\n142 min.\r\n25.000 fps\r\n6000 kbit/s\r\n"
                         "mpg2\r\n448 kbit/s\r\nAC3\r\n5.1\r\n48000 Hz\r\n");
    StartServer();
    HWND networking = OpenNetworking(IDM_SEND_MAIN_LIST);
    ASSERT_NE(networking, nullptr);
    ASSERT_TRUE(PressButton(networking, IDC_NETWORKING_DIAL));

    // The receiver owns Alien; the others are offered while Server Status is hidden.
    HWND exchange = WaitForDialog(program.Id(), "Movie List Exchange...");
    ASSERT_NE(exchange, nullptr);
    EXPECT_FALSE(IsWindowVisible(server));
    HWND box = Control(exchange, IDC_EXCHANGE_LIST);
    EXPECT_EQ(ListBoxItems(box), (Lines{"Brazil", "Up^Side", "Zulu"}));
    for (auto [line, format, cds, codec, channels] :
         {std::tuple{0, "MPEG-2", "1", "AC3", "5.1"}, {2, "", "", "", ""}}) {
        ASSERT_TRUE(ClickLine(box, line));
        PostMessageA(box, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
        HWND info = WaitForDialog(program.Id(), "Movie Import Info...");
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(ControlText(info, IDC_IMPORT_FORMAT), format);
        EXPECT_EQ(ControlText(info, IDC_IMPORT_CDS), cds);
        EXPECT_EQ(ControlText(info, IDC_IMPORT_AUDIO_CODEC), codec);
        EXPECT_EQ(ControlText(info, IDC_IMPORT_CHANNELS), channels);
        ASSERT_TRUE(PressButton(info, IDOK) && WaitForWindowGone(info));
    }
    // A list that arrives while the offers are shown waits in the backlog until their dialog has closed.
    Peer waiting;
    ASSERT_TRUE(waiting.Connect());
    waiting.Send(Bytes(MakeTextBlock(kGimmeCommand)) + Bytes(MakeTextBlock("Other*")) +
                 Bytes(MakeTextBlock(kGimmeEndText)));
    ASSERT_TRUE(RunListCommand(box, 0, program.Id(), IDM_EXCHANGE_QUARANTINE_ALL));
    ASSERT_TRUE(Answer("Add All Movies To Quarantine?", "Confirmation", IDYES));
    PostCommand(exchange, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(server) != FALSE; }));
    ASSERT_TRUE(LogGrows(kReceived + kGimmeImported, kListening));
    EXPECT_EQ(ListBoxItems(Control(networking, IDC_NETWORKING_LOG)), SentLog(1));

    // The same list again: every movie is known now.
    ASSERT_TRUE(PressButton(networking, IDC_NETWORKING_DIAL));
    ASSERT_TRUE(Answer("There Are No New Movies To Add To Your Upcoming List.", "Tracking Results"));
    ASSERT_TRUE(LogGrows(kReceived, kListening + kReceived + kGimmeImported));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxItems(Control(networking, IDC_NETWORKING_LOG)) == SentLog(2); }));
    EXPECT_EQ(Screenshot(networking, "Networking"), "");
    EXPECT_EQ(Screenshot(server, "ServerStatus"), "");
}

TEST_F(NetworkTest, AGimmeListReplacesTheImportedOneOnlyWhenTheUserAgrees) {
    senderData.WriteFile("CineLedger.dat", "CineLedger v3.15\r\nend|nolockx\r\nend|\r\nend");
    senderData.WriteFile("Gimme.dat", "Casablanca\r\nUp^Side\r\nend");
    // Nobody listens yet.
    HWND networking = OpenNetworking(IDM_SEND_GIMME);
    ASSERT_NE(networking, nullptr);
    ASSERT_TRUE(PressButton(networking, IDC_NETWORKING_DIAL));
    const Lines refused = {"Connecting to 127.0.0.1...", "Error: " + std::to_string(WSAECONNREFUSED), kSep};
    EXPECT_TRUE(WaitUntil([&] { return ListBoxItems(Control(networking, IDC_NETWORKING_LOG)) == refused; }));

    StartServer(IDM_UPCOMING_LIST, "Upcoming Movie List");
    ASSERT_TRUE(PressButton(networking, IDC_NETWORKING_DIAL));
    ASSERT_TRUE(LogGrows(kGimmeImported, kListening));
    EXPECT_TRUE(WaitUntil([&] { return ViewCaption() == "Main Movie List"; }));
    ASSERT_TRUE(ShowView(IDM_IMPORTED_GIMME, "Gimme Import-> Jim"));
    const Lines titles = {"Casablanca", "Up"};  // a "^" ends a text block's text
    EXPECT_EQ(Listed(), titles);

    // Another list while that one is imported: the user keeps the old one.
    Peer peer;
    ASSERT_TRUE(peer.Connect());
    peer.Send(Bytes(MakeTextBlock(kGimmeCommand)) + Bytes(MakeTextBlock("Other*")) + Bytes(MakeTextBlock("Heat")) +
              Bytes(MakeTextBlock(kGimmeEndText)));
    ASSERT_TRUE(
        Answer("There Is Already One Gimme List Imported; Proceeding With Transfer Will Erase This List; "
               "Proceed?",
               "Confirmation", IDNO, server));
    ASSERT_TRUE(LogGrows({"Connection Accepted", "Client Disconnected", kSep}, kListening + kGimmeImported));
    EXPECT_EQ(ViewCaption(), "Gimme Import-> Jim");
    EXPECT_EQ(Listed(), titles);
}

// A connection the server ends: "Connection Accepted", then the reason (if any), "Client Disconnected" and the
// separator.
Lines Ended(std::string_view reason) {
    Lines log = {"Connection Accepted"};
    if (!reason.empty()) log.emplace_back(reason);
    log.insert(log.end(), {"Client Disconnected", kSep});
    return log;
}

std::string Header(std::initializer_list<unsigned> lengths) {
    std::string header(kHeaderSize, '\0');
    std::size_t at = 0;
    for (unsigned length : lengths) {
        header[at++] = static_cast<char>(length & 0xFF);
        header[at++] = static_cast<char>(length >> 8);
    }
    return header;
}

TEST_F(NetworkTest, TheServerOutlivesPeersThatBreakTheRulesAndServesTheNextUpload) {
    StartServer();
    const std::string upload = UploadStart() + Bytes(MakeSourceBlock("Hostile*"));
    const std::string noFill(kTextBlockSize, 'x');
    const std::string closed = "Receive Error: " + FailureDetail({ChannelFailure::Kind::Closed});
    const std::string silent = "Receive Error: " + FailureDetail({ChannelFailure::Kind::Silence});
    const struct {
        const char* name;
        std::string bytes;
        bool close;  // the peer closes once its bytes are sent, else the server must end the connection
        Lines log;
    } cases[] = {
        {"a payload over 268 bytes", upload + Header({101, 101, 67}), false, Ended("Data Corrupted")},
        {"a field over 101 bytes", upload + Header({102}), false, Ended("Data Corrupted")},
        {"a block without fill", noFill, false, Ended("Data Corrupted")},
        {"a close inside a block", UploadStart().substr(0, 300), true, Ended(closed)},
        {"a close right after connecting", "", true, Ended(closed)},
        {"garbage taken for a Gimme list", Bytes(MakeTextBlock("\x01\xFFGET /")) + noFill, false,
         Ended("Data Corrupted")},
        {"silence", "", false, Ended(silent)},
        {"a byte slower than the silence limit", "U", false, Ended(silent)},
    };
    Lines log = kListening;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Peer peer;
        ASSERT_TRUE(peer.Connect());
        if (!c.bytes.empty()) peer.Send(c.bytes);
        if (c.close) peer.channel->Close();
        ASSERT_TRUE(LogGrows(c.log, log));
        log = ServerLog();
    }

    Peer unnamed;
    ASSERT_TRUE(unnamed.Connect() && unnamed.Send(UploadStart() + Bytes(MakeSourceBlock("Hostile"))));
    ASSERT_TRUE(Answer("Can Not Identify Source; Data Is Corrupt.", "Error", IDOK, server));
    ASSERT_TRUE(LogGrows(Ended("Data Corrupted"), log));
    log = ServerLog();

    Peer older;
    ASSERT_TRUE(older.Connect() && older.Send(UploadStart("CineLedger v3.14")));
    EXPECT_EQ(older.ReceiveBlock(), "NOT OK");
    ASSERT_TRUE(LogGrows(Ended("Incompatible Version; Disconnecting."), log));
    log = ServerLog();

    Peer good;
    ASSERT_TRUE(good.Connect() && good.Send(UploadStart()));
    EXPECT_EQ(good.ReceiveBlock(), "OK");
    good.Send(Bytes(MakeSourceBlock("Friend*")) + EncodeMovieRecord("Kagemusha", "DVD", nullptr) + EncodeEndRecord());
    HWND exchange = WaitForDialog(program.Id(), "Movie List Exchange...");
    ASSERT_NE(exchange, nullptr);
    EXPECT_EQ(ListBoxItems(Control(exchange, IDC_EXCHANGE_LIST)), Lines{"Kagemusha"});
    PostCommand(exchange, IDCANCEL);
    EXPECT_TRUE(LogGrows(kReceived, log));

    // Escape ends the server with its dialog: nobody listens any more.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(server) != FALSE; }));
    ASSERT_TRUE(PostCommand(server, IDCANCEL) && WaitForWindowGone(server));
    EXPECT_FALSE(Peer().Connect());
}

}  // namespace
}  // namespace cl::e2e
