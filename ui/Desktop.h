// What the commands need of the desktop around the program: the Internet connection, opening an address or a
// document with the system's shell, the warning sound, and messages that belong to no window.
#pragma once

#include <string>
#include <string_view>

#include "model/Collection.h"
#include "model/base/Date.h"
#include "model/base/Prompts.h"
#include "ui/Dialogs.h"
#include "ui/MainList.h"
#include "ui/ProgramState.h"

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

// Everything the list commands and the main window's commands work with, each with one owner (MainShell and the
// window); none of it carries a command's input or output.
struct Workbench {
    Collection& collection;
    MainList& list;
    ProgramState& state;
    Dialogs& dialogs;
    Prompts& prompts;  // message boxes over the main window
    Desktop& desktop;
    Clock& clock;
    std::string dataDirectory;  // ends in a path separator
};

}  // namespace cl
