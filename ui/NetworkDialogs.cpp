// The Export Source, Networking and Server Status dialogs' logic.
#include "ui/NetworkDialogs.h"

#include "model/base/ScopeExit.h"
#include "ui/ListExchange.h"

namespace cl {

// ---- Export Source (123) ----

ExportSourceResult ExportSourceOk(const Collection& c, const ProgramState& state, std::string_view typed,
                                  Prompts& prompts) {
    std::optional<std::string> line = RequireSourceLine(typed, c, prompts);
    if (!line) return {ExportSourceResult::Next::KeepOpen, {}};
    if (!state.movieListSendPending && !state.gimmeSendPending) return {ExportSourceResult::Next::End, {}};
    return {ExportSourceResult::Next::RunNetworking, std::move(*line)};
}

void ClearSendFlags(ProgramState& state) {
    state.movieListSendPending = false;
    state.gimmeSendPending = false;
}

// ---- Networking (118) ----

void Dial(const Collection& c, const ProgramState& state, std::string_view address, std::string_view sourceLine,
          NetworkingUi& ui, Connector& connector) {
    ui.Log("Connecting to " + std::string(address) + "...");
    ui.PaintNow();
    if (state.movieListSendPending && !state.gimmeSendPending)
        SendMovieList(connector, address, ui, c.main, c.media, sourceLine);
    else if (state.gimmeSendPending && !state.movieListSendPending)
        SendGimmeList(connector, address, ui, c.internalGimme, sourceLine);
}

// ---- Server Status (121) ----

void ServeConnection(Workbench& w, ByteChannel& channel, ServerStatusUi& ui, Prompts& prompts) {
    Collection& c = w.collection;
    switch (ReceiveFirstBlock(channel, ui)) {
        case UploadKind::Failed:
            return;
        case UploadKind::MovieList:
            ReceiveMovieList(channel, ui, c, w.state.importList, prompts);
            if (w.state.importList.Count() != 0) {
                ui.Hide();
                // Shown again on every path: a hidden Server Status would leave nothing on screen to close.
                const ScopeExit show([&ui] { ui.Show(); });
                w.dialogs.MovieListExchange();
            }
            return;
        case UploadKind::GimmeList:
            if (!c.importedGimme.Empty()) {
                if (!prompts.AskQuestion("There Is Already One Gimme List Imported; Proceeding With Transfer Will "
                                         "Erase This List; Proceed?",
                                         kConfirmationCaption)) {
                    RefuseGimmeList(channel, ui);
                    return;
                }
                c.importedGimme.Clear();
            }
            ReceiveGimmeList(channel, ui, c.importedGimme, prompts);
            w.list.Show(View::Main());
            return;
    }
}

}  // namespace cl
