// The erotic-category lock's decisions.
#include "ui/PasswordDialogs.h"

#include "model/MainListFile.h"
#include "model/base/Title.h"

namespace cl {

bool EnterPassword(MainShell& shell, std::string_view typed) {
    Collection& c = shell.Data();
    if (typed.substr(0, kPasswordReadMax) != c.password) {
        c.eroticVisible = false;
        c.settings.viewMode = 0;
        return false;
    }
    c.eroticVisible = true;
    c.settings.viewMode = 1;
    // With the lock open, the by-category view shows the erotic movies and clears the four list marks.
    shell.ShowByCategory("Erotic");
    return true;
}

bool AsksCurrentPassword(const Collection& c) {
    return !SameTitle(c.password, kNoPassword);
}

PasswordChangeOutcome ChangePassword(Collection& c, std::string_view current, std::string_view newPassword,
                                     std::string_view confirmation) {
    current = current.substr(0, kPasswordReadMax);
    newPassword = newPassword.substr(0, kPasswordReadMax);
    confirmation = confirmation.substr(0, kPasswordReadMax);
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
