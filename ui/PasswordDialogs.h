// The erotic-category lock's two dialogs without their windows: Password Entry opens (or closes) the lock,
// Password Change sets the first password or replaces the current one.
#pragma once

#include <string_view>

#include "model/MainListFile.h"
#include "ui/MainList.h"

namespace cl {

inline constexpr std::size_t kPasswordEditLimit = 8;  // characters each password edit takes
inline constexpr std::string_view kInvalidPasswordMessage = "Invalid Password.";
inline constexpr std::string_view kPasswordMismatchMessage = "Password Mismatch.";
inline constexpr std::string_view kPasswordErrorCaption = "Error";

// Password Entry's OK. The typed text is compared with the lock password byte for byte. Right: the lock opens,
// the view mode becomes Rated-X and the main window shows the category "Erotic" with no list marked; true.
// Wrong: the lock closes and the view mode becomes PG-13 (the list shown stays as it is); false, and the caller
// shows kInvalidPasswordMessage.
bool EnterPassword(Collection& c, MainList& list, std::string_view typed);

// Whether Password Change asks for the current password: not while none has been set ("nolockx", in any letter
// case, as the Ctrl+X command tests it).
bool AsksCurrentPassword(const Collection& c);

enum class PasswordChangeOutcome {
    Changed,   // a password replaced the previous one
    FirstSet,  // the first password was set; the main list gets the focus
    Mismatch,  // show kPasswordMismatchMessage, empty the edits, focus as MismatchFocus says
};

// Password Change's OK with the three edits' texts. Changing needs the current password and a new one that is
// not empty and typed twice alike; a first password (while the password is exactly "nolockx") needs only the
// two alike and may be empty. Neither opens the lock.
PasswordChangeOutcome ChangePassword(Collection& c, std::string_view current, std::string_view newPassword,
                                     std::string_view confirmation);

// After a mismatch the focus goes to the current-password edit, or to the new-password edit while no password
// has been set (exactly "nolockx").
enum class PasswordField { Current, New };
PasswordField MismatchFocus(const Collection& c);

}  // namespace cl
