// The erotic-category lock's decisions.
#include "ui/PasswordDialogs.h"

#include "model/MainListFile.h"
#include "model/base/Title.h"

namespace cl {

bool EnterPassword(Collection& c, MainList& list, std::string_view typed) {
    if (typed.substr(0, kPasswordMax) != c.password) {
        c.eroticVisible = false;
        c.settings.viewMode = 0;
        return false;
    }
    c.eroticVisible = true;
    c.settings.viewMode = 1;
    // With the lock open, the by-category view shows the erotic movies and clears the four list marks.
    list.Show(View::OfCategory(kEroticCategory));
    return true;
}

bool AsksCurrentPassword(const Collection& c) {
    return !SameTitle(c.password, kNoPassword);
}

PasswordChangeOutcome ChangePassword(Collection& c, std::string_view current, std::string_view newPassword,
                                     std::string_view confirmation) {
    current = current.substr(0, kPasswordMax);
    newPassword = newPassword.substr(0, kPasswordMax);
    confirmation = confirmation.substr(0, kPasswordMax);
    if (current == c.password && newPassword == confirmation && !newPassword.empty()) {
        c.password = std::string(newPassword);
        return PasswordChangeOutcome::Changed;
    }
    if (c.password == kNoPassword && newPassword == confirmation) {
        c.password = std::string(newPassword);
        return PasswordChangeOutcome::FirstSet;
    }
    return PasswordChangeOutcome::Mismatch;
}

PasswordField MismatchFocus(const Collection& c) {
    return c.password == kNoPassword ? PasswordField::New : PasswordField::Current;
}

}  // namespace cl
