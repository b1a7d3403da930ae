// The Quarantine dialog (114): the titles a list import never offers again, and taking titles out.
#include "res/FindDialogIds.h"
#include "ui/DialogHost_win.h"
#include "ui/QuarantineDialog.h"

namespace cl {
namespace {

class QuarantineDialog {
  public:
    explicit QuarantineDialog(DialogHost& host) : host_(host) {}

  private:
    friend INT_PTR CALLBACK ModalDialogProc<QuarantineDialog>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                Fill(dialog);
                SendDlgItemMessageA(dialog, IDC_QUARANTINE_LIST, LB_SETHORIZONTALEXTENT, kQuarantineListExtent, 0);
                return TRUE;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDC_QUARANTINE_REMOVE:
                        OnRemove(dialog);
                        return TRUE;
                    case IDC_QUARANTINE_EXIT:
                    case IDCANCEL:
                        EndDialog(dialog, 0);
                        return TRUE;
                    default:
                        return FALSE;
                }
            default:
                return FALSE;
        }
    }

    void Fill(HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_QUARANTINE_LIST);
        for (const std::string& title : QuarantineLines(host_.shell.Data().quarantine))
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    }

    void OnRemove(HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_QUARANTINE_LIST);
        const LRESULT line = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (line == LB_ERR) return;
        const std::string title = ListBoxLine(list, static_cast<int>(line));
        if (!AskYesNo(dialog, QuarantineRemoveQuestion(title), kConfirmationCaption, true)) return;
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        host_.shell.Data().quarantine.Remove(title);
        Fill(dialog);
    }

    DialogHost& host_;
};

}  // namespace

void RunQuarantineDialog(DialogHost& host, HWND owner) {
    QuarantineDialog dialog(host);
    RunModal(host.instance, IDD_QUARANTINE, owner, dialog);
    host.ui.FocusList();
}

}  // namespace cl
