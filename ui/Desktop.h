// What the commands need of the desktop around the program: the Internet connection, opening an address or a
// document with the system's shell, the warning sound, and messages that belong to no window.
#pragma once

#include <string_view>

#include "model/base/Prompts.h"

namespace cl {

class Desktop {
  public:
    virtual ~Desktop() = default;
    // Whether the computer reports a connection, and a dial-up attempt.
    virtual bool IsConnected() = 0;
    virtual bool AttemptConnect() = 0;
    // Opens a document or address with the shell's open action, maximised.
    virtual void OpenWithShell(std::string_view target) = 0;
    virtual void Beep() = 0;  // the exclamation sound
    // Message boxes without an owner window.
    virtual Prompts& OwnerlessPrompts() = 0;
};

}  // namespace cl
