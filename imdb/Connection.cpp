// The connection decision, in one place for every command that needs the internet.
#include "imdb/Connection.h"

namespace cl {

bool EnsureInternetConnection(Connectivity& connectivity, Prompts& prompts, const ConnectQuestion& question) {
    if (connectivity.IsConnected()) return true;
    if (question.beepFirst) connectivity.Beep();
    if (!prompts.Ask(question.text, kAppCaption, question.icon, false)) return question.goOnWhenDeclined;
    if (!connectivity.AttemptConnect()) {
        prompts.ShowMessage(kUnableToConnect, kAppCaption, MessageIcon::Stop);
        return false;
    }
    return true;
}

}  // namespace cl
