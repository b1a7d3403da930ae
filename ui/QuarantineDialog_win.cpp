// The Quarantine dialog (114): the titles a list import never offers again, and taking titles out.
#include "res/FindDialogIds.h"
#include "ui/Dialogs_win.h"
#include "ui/ListBoxView_win.h"
#include "ui/QuarantineDialog.h"

namespace cl {
namespace {

class QuarantineDialog {
  public:
    explicit QuarantineDialog(Collection& c) : c_(c) {}

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
        for (const std::string& title : QuarantineLines(c_.quarantine))
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    }

    void OnRemove(HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_QUARANTINE_LIST);
        const LRESULT line = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (line == LB_ERR) return;
        const std::string title = ListBoxWin(false, list).LineText(static_cast<int>(line));
        if (!AskYesNo(dialog, QuarantineRemoveQuestion(title), kConfirmationCaption, true)) return;
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        c_.quarantine.Remove(title);
        Fill(dialog);
    }

    Collection& c_;
};

}  // namespace

void RunQuarantineDialog(HINSTANCE instance, HWND owner, Collection& c) {
    QuarantineDialog dialog(c);
    RunModal(instance, IDD_QUARANTINE, owner, dialog);
}

}  // namespace cl
