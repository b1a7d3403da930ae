// The icon of a message box, for portable code that decides what the user is told: the Windows side maps it to
// MB_ICON*, the command-line companion and the tests just record it.
#pragma once

namespace cl {

enum class MessageIcon {
    None,         // a plain box
    Stop,         // errors
    Exclamation,  // warnings and refusals
    Question,     // Yes/No questions
    Information,  // results worth knowing
};

}  // namespace cl
