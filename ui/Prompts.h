// Message boxes and Yes/No questions as the dialogs' and list commands' logic asks for them; the Windows side shows
// them over the window the user is looking at, the tests record them.
#pragma once

#include <string_view>

#include "model/base/MessageIcon.h"

namespace cl {

class Prompts {
  public:
    virtual ~Prompts() = default;
    // An empty caption means none of its own (the system then shows "Error").
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // A Yes/No question; true for Yes. `noByDefault` makes No the initially focused button.
    virtual bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) = 0;
};

}  // namespace cl
