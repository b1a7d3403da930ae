// The one way the program's logic tells the user something or asks a Yes/No question: the Windows side shows a
// message box over the window the user is looking at, the command-line companion prints, the tests record.
#pragma once

#include <string_view>

#include "model/base/MessageIcon.h"

namespace cl {

inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kConfirmationCaption = "Confirmation";
inline constexpr std::string_view kAppCaption = "CineLedger";

class Prompts {
  public:
    virtual ~Prompts() = default;
    // An empty caption means none of its own (the system then shows "Error").
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // A Yes/No question; true for Yes. `noByDefault` makes No the initially focused button.
    virtual bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) = 0;

    // The usual question: the question icon, Yes focused.
    bool AskQuestion(std::string_view text, std::string_view caption) {
        return Ask(text, caption, MessageIcon::Question, false);
    }
    // A question in a plain box: no icon, Yes focused.
    bool AskPlain(std::string_view text, std::string_view caption) {
        return Ask(text, caption, MessageIcon::None, false);
    }
};

}  // namespace cl
