// The one decision taken before the program sends the user or a download to the internet: go on when the
// computer is connected; otherwise ask, try to connect on Yes, and say so when that fails.
#pragma once

#include <string_view>

#include "model/base/MessageIcon.h"
#include "model/base/Prompts.h"

namespace cl {

// What the computer says about its connection. The Windows side asks WinInet; tests plug in a fake.
class Connectivity {
  public:
    virtual ~Connectivity() = default;
    virtual bool IsConnected() = 0;
    // A dial-up attempt; true when it succeeded.
    virtual bool AttemptConnect() = 0;
    // The exclamation sound some questions are preceded by.
    virtual void Beep() = 0;
};

// The question asked when the computer is offline, and what a No means to the caller.
struct ConnectQuestion {
    std::string_view text;
    MessageIcon icon;
    bool beepFirst;
    // Commands that can be of use offline (Start Server, the e-mail link) go on after a No.
    bool goOnWhenDeclined = false;
};

inline constexpr ConnectQuestion kConnectQuestion{"Connect to the Internet?", MessageIcon::Question, true};
inline constexpr ConnectQuestion kMustConnectQuestion{
    "You Must Be Connected To The Internet To Access the IMDb; Connect?", MessageIcon::Exclamation, false};
// Start Server and the e-mail link: the same question, and a No still goes on.
inline constexpr ConnectQuestion kConnectOrGoOnQuestion{"Connect to the Internet?", MessageIcon::Question, true, true};
inline constexpr std::string_view kUnableToConnect = "Unable to Connect.";

// Whether the caller may go on. Offline: beep if the question says so, ask it (caption "CineLedger", Yes/No);
// No gives goOnWhenDeclined without a word; Yes attempts a connection, and a failure shows "Unable to Connect."
// (caption "CineLedger", stop icon) and gives false.
bool EnsureInternetConnection(Connectivity& connectivity, Prompts& prompts, const ConnectQuestion& question);

}  // namespace cl
