// The long-lived owners a command works with, bundled so that a command or dialog takes one argument.
#pragma once

#include <string>

#include "model/Collection.h"
#include "model/base/Date.h"
#include "model/base/Prompts.h"
#include "ui/Desktop.h"
#include "ui/Dialogs.h"
#include "ui/MainList.h"
#include "ui/ProgramState.h"

namespace cl {

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
