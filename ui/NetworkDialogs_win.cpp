// The network exchange dialogs: Export Source (123), Networking (118), whose Dial runs a send, and Server Status
// (121), which listens while it is open. The procedures read the controls and hand them to ui/NetworkDialogs.
#include "exchange/Socket_win.h"
#include "model/base/ScopeExit.h"
#include "res/NetworkDialogIds.h"
#include "ui/Dialogs_win.h"
#include "ui/ListExchange.h"
#include "ui/NetworkDialogs.h"

namespace cl {
namespace {

// The longest address text the Networking dialog reads from its address control.
constexpr std::size_t kAddressReadMax = 255;
// Server Status asks itself to accept a connection that arrived while it was busy with another.
constexpr UINT kAcceptDeferred = WM_APP + 0x33;

// A log list box: each line added at the end and scrolled to the top of the box, so the newest is in view.
// The line is added and scrolled to with drawing off, then the box is drawn once: a full log box otherwise
// repaints for each of the two steps, which under Wine costs milliseconds a line in the middle of a transfer.
void AppendLogLine(HWND box, std::string_view line) {
    const std::string text(line);
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    const LRESULT index = SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) SendMessageA(box, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
}

// ---- Networking (118) ----

class NetworkingDialog final : public NetworkingUi {
  public:
    NetworkingDialog(Workbench& w, std::string_view sourceLine) : w_(w), sourceLine_(sourceLine) {}

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                dialog_ = dialog;
                return TRUE;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDOK:  // Enter, should the default button have lost its mark
                    case IDC_NETWORKING_DIAL:
                        Dial(w_.collection, w_.state, ControlText(dialog, IDC_NETWORKING_ADDRESS, kAddressReadMax),
                             sourceLine_, *this, connector_);
                        connector_.Stop();
                        return TRUE;
                    case IDCANCEL:
                        ClearSendFlags(w_.state);
                        EndDialog(dialog, 0);
                        return TRUE;
                    default:
                        return FALSE;
                }
            default:
                return FALSE;
        }
    }

    void Log(std::string_view line) override { AppendLogLine(GetDlgItem(dialog_, IDC_NETWORKING_LOG), line); }
    void PaintNow() override { RedrawWindow(dialog_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

  private:
    Workbench& w_;
    std::string sourceLine_;  // dropped with the dialog
    WinsockConnector connector_;
    HWND dialog_ = nullptr;
};

// ---- Export Source (123) ----

class ExportSourceDialog {
  public:
    ExportSourceDialog(HINSTANCE instance, Workbench& w) : instance_(instance), w_(w) {}

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                prompts_.SetOwner(dialog);
                SendDlgItemMessageA(dialog, IDC_EXPORT_SOURCE_EDIT, EM_LIMITTEXT, kSourceEditLimit, 0);
                return TRUE;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDOK:
                    case IDC_EXPORT_SOURCE_OK:
                        Ok(dialog);
                        return TRUE;
                    case IDCANCEL:
                    case IDC_EXPORT_SOURCE_CANCEL:
                        ClearSendFlags(w_.state);
                        EndDialog(dialog, 0);
                        return TRUE;
                    default:
                        return FALSE;
                }
            default:
                return FALSE;
        }
    }

  private:
    void Ok(HWND dialog) {
        const ExportSourceResult result = ExportSourceOk(
            w_.collection, w_.state, ControlText(dialog, IDC_EXPORT_SOURCE_EDIT, kSourceReadMax), prompts_);
        if (result.next == ExportSourceResult::Next::KeepOpen) return;
        // Ended on every path, a failure included: a hidden modal dialog that never ends would leave the main
        // window disabled with nothing on screen to close.
        const ScopeExit end([dialog] { EndDialog(dialog, 0); });
        if (result.next == ExportSourceResult::Next::RunNetworking) {
            ShowWindow(dialog, SW_HIDE);
            NetworkingDialog networking(w_, result.sourceLine);
            RunModal(instance_, IDD_NETWORKING, dialog, networking);
        }
    }

    HINSTANCE instance_;
    Workbench& w_;
    WindowPrompts prompts_;
};

// ---- Server Status (121) ----

class ServerStatusDialog final : public ServerStatusUi {
  public:
    explicit ServerStatusDialog(Workbench& w) : w_(w) {}

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG:
                dialog_ = dialog;
                prompts_.SetOwner(dialog);
                listener_.emplace(dialog);
                StartServer(*listener_, *this);
                return TRUE;
            case kExchangeSocketMessage:
                // 1025 is also the dialog manager's DM_SETDEFID, which nothing sends this dialog without buttons:
                // only an accept event is served.
                if (WSAGETSELECTEVENT(lParam) == FD_ACCEPT) Accept(false);
                return TRUE;
            case kAcceptDeferred:
                Accept(true);
                return TRUE;
            case WM_COMMAND:
                if (LOWORD(wParam) != IDCANCEL) return FALSE;
                listener_.reset();  // the listening socket closes, then the sockets stop
                EndDialog(dialog, 0);
                return TRUE;
            default:
                return FALSE;
        }
    }

    void Log(std::string_view line) override { AppendLogLine(GetDlgItem(dialog_, IDC_SERVER_LOG), line); }
    void Hide() override { ShowWindow(dialog_, SW_HIDE); }
    void Show() override { ShowWindow(dialog_, SW_SHOW); }

  private:
    // One conversation at a time. The Movie List Exchange dialog that a received list opens runs its own message
    // loop, which would hand this dialog the next connection's notification: that connection waits in the backlog
    // until the first one's dialog has closed. A deferred accept that finds nobody waiting says nothing.
    void Accept(bool deferred) {
        if (!listener_ || !listener_->Listening()) return;
        if (serving_) {
            acceptWaiting_ = true;
            return;
        }
        struct Serving {
            ServerStatusDialog& self;
            ~Serving() {
                self.serving_ = false;
                if (std::exchange(self.acceptWaiting_, false)) PostMessageA(self.dialog_, kAcceptDeferred, 0, 0);
            }
        } serving{*this};
        serving_ = true;
        // The beep announces the connection before it is taken; a deferred notification may find nobody any more,
        // so it beeps once it knows.
        if (!deferred) MessageBeep(MB_ICONEXCLAMATION);
        std::unique_ptr<ByteChannel> channel = listener_->Accept();
        if (!channel && deferred && listener_->LastError() == WSAEWOULDBLOCK) return;
        if (deferred) MessageBeep(MB_ICONEXCLAMATION);
        if (channel)
            ServeConnection(w_, *channel, *this, prompts_);
        else
            LogAcceptError(*this, listener_->LastError());
    }

    Workbench& w_;
    WindowPrompts prompts_;
    std::optional<WinsockListener> listener_;
    HWND dialog_ = nullptr;
    bool serving_ = false;
    bool acceptWaiting_ = false;
};

}  // namespace

void RunExportSourceDialog(HINSTANCE instance, HWND owner, Workbench& w) {
    ExportSourceDialog dialog(instance, w);
    RunModal(instance, IDD_EXPORT_SOURCE, owner, dialog);
    // Also when a dialog could not be created: a flag left set would make the next send of the other kind send
    // both or neither.
    ClearSendFlags(w.state);
}

void RunServerStatusDialog(HINSTANCE instance, HWND owner, Workbench& w) {
    ServerStatusDialog dialog(w);
    RunModal(instance, IDD_SERVER_STATUS, owner, dialog);
}

}  // namespace cl
