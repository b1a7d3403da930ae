// The network dialogs without their windows: Export Source (123), which takes the sender's name before a send,
// Networking (118), whose Dial runs the send, and Server Status (121), which serves each accepted connection.
#pragma once

#include <string>
#include <string_view>

#include "exchange/Protocol.h"
#include "ui/Workbench.h"

namespace cl {

// ---- Export Source (123) ----

struct ExportSourceResult {
    enum class Next {
        KeepOpen,       // no source typed ("You Must Supply a Source." was shown)
        RunNetworking,  // hide the dialog, run Networking (118) owned by it with `sourceLine`, then end
        End,            // no send is pending
    };
    Next next = Next::End;
    std::string sourceLine;  // formatted as typed entries are, with "*"; the Networking dialog drops it when it ends
};

// OK with the typed text (the edit takes kSourceEditLimit characters, up to kSourceReadMax are read).
ExportSourceResult ExportSourceOk(const Collection& c, const ProgramState& state, std::string_view typed,
                                  Prompts& prompts);
// Cancel in Export Source, and the close of Networking: no send stays pending.
void ClearSendFlags(ProgramState& state);

// ---- Networking (118) ----

class NetworkingUi : public ServerLog {
  public:
    // Paints the dialog at once, so that the lines logged so far show before a transfer blocks the window.
    virtual void PaintNow() = 0;
};

// Dial with the address control's text: "Connecting to %s...", the paint, then the send the pending flag names
// (none when both or neither are set). The caller stops the sockets afterwards; the dialog stays open.
void Dial(const Collection& c, const ProgramState& state, std::string_view address, std::string_view sourceLine,
          NetworkingUi& ui, Connector& connector);

// ---- Server Status (121) ----

class ServerStatusUi : public ServerLog {
  public:
    virtual void Hide() = 0;
    virtual void Show() = 0;
};

// An accepted connection, served to its end: a movie list goes into the import list and, when it offers
// anything, the Movie List Exchange dialog runs with Server Status hidden meanwhile; a Gimme list replaces the
// imported one (after the replace question when there is one, asked through `prompts`) and the main window then
// shows the Main Movie List. `prompts` are the Server Status dialog's message boxes.
void ServeConnection(Workbench& w, ByteChannel& channel, ServerStatusUi& ui, Prompts& prompts);

}  // namespace cl
