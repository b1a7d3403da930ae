// What the commands need of the desktop around the program: the Internet connection, opening an address or a
// document with the system's shell, the warning sound, and messages that belong to no window.
#pragma once

#include <string_view>

#include "imdb/Connection.h"
#include "model/base/Prompts.h"

namespace cl {

// The connection, its dial-up attempt and the warning sound come from Connectivity.
class Desktop : public Connectivity {
  public:
    // Opens a document or address with the shell's open action, maximised.
    virtual void OpenWithShell(std::string_view target) = 0;
    // Message boxes without an owner window.
    virtual Prompts& OwnerlessPrompts() = 0;
};

}  // namespace cl
