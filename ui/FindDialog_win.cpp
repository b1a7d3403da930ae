// The Find dialog (110) and the search results (230): read the controls, let FindDialog decide, show the outcome.
#include <windows.h>
// The common controls header needs windows.h before it.
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "model/base/Handle_win.h"
#include "model/base/Similarity.h"
#include "res/FindDialogIds.h"
#include "ui/Dialogs_win.h"
#include "ui/FindDialog.h"
#include "ui/ListBoxView_win.h"

namespace cl {
namespace {

constexpr int kOptionIds[] = {IDC_FIND_TITLES, IDC_FIND_NUMBERS, IDC_FIND_ACTORS, IDC_FIND_DIRECTORS};

class SearchResultsDialog;

class FindDialog {
  public:
    FindDialog(HINSTANCE instance, Workbench& w, HWND mainList) : instance_(instance), w_(w), mainList_(mainList) {}

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                OnInit(dialog);
                return TRUE;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDC_FIND_TEXT:
                        if (HIWORD(wParam) == EN_CHANGE && ready_)
                            FindTypedText(w_.list, ControlText(dialog, IDC_FIND_TEXT, kMainTitleMax));
                        return TRUE;
                    case IDC_FIND_TRACK:
                        OnTrack(dialog);
                        return TRUE;
                    case IDC_FIND_CANCEL:
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

    void OnInit(HWND dialog) {
        // At the list box's bottom-left corner, so the list stays in sight while the selection follows the typing.
        RECT list = {};
        GetWindowRect(mainList_, &list);
        SetWindowPos(dialog, nullptr, list.left, list.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendDlgItemMessageA(dialog, IDC_FIND_TEXT, EM_LIMITTEXT, kFindEditLimit, 0);
        if (FindOptionsEnabled(w_.list.CurrentMark())) {
            CheckDlgButton(dialog, IDC_FIND_TITLES, BST_CHECKED);
        } else {
            for (int id : kOptionIds) EnableWindow(GetDlgItem(dialog, id), FALSE);
        }
        SendDlgItemMessageA(dialog, IDC_FIND_SENSITIVITY, TBM_SETRANGE, TRUE,
                            MAKELPARAM(kSensitivityMin, kSensitivityMax));
        SendDlgItemMessageA(dialog, IDC_FIND_SENSITIVITY, TBM_SETPOS, TRUE, kFindStartSensitivity);
        ready_ = true;
    }

    static FindMode CheckedMode(HWND dialog) {
        constexpr FindMode kModes[] = {FindMode::Titles, FindMode::Numbers, FindMode::Actors, FindMode::Directors};
        for (std::size_t i = 0; i < std::size(kOptionIds); ++i) {
            if (IsWindowEnabled(GetDlgItem(dialog, kOptionIds[i])) &&
                IsDlgButtonChecked(dialog, kOptionIds[i]) == BST_CHECKED)
                return kModes[i];
        }
        return FindMode::None;
    }

    void OnTrack(HWND dialog) {
        const std::string text = ControlText(dialog, IDC_FIND_TEXT, kSearchTextMax);
        const int level = static_cast<int>(SendDlgItemMessageA(dialog, IDC_FIND_SENSITIVITY, TBM_GETPOS, 0, 0));
        switch (FindTrack(w_.collection, w_.list, CheckedMode(dialog), text, level)) {
            case FindTrackOutcome::NoMatch:
                ShowMessageBox(dialog, kNoMatchMessage, kFindErrorCaption, MessageIcon::Exclamation);
                return;
            case FindTrackOutcome::ShowResults:
                ShowWindow(dialog, SW_HIDE);
                RunSearchResults(GetWindow(dialog, GW_OWNER));  // as the Find dialog, over the main window
                break;
            case FindTrackOutcome::Close:
                break;
        }
        EndDialog(dialog, 1);
    }

    void RunSearchResults(HWND owner);

    HINSTANCE instance_;
    Workbench& w_;
    HWND mainList_;
    bool ready_ = false;  // the edit's changes count once the dialog is set up
};

// The double-click on a result opens the line's movie; every other message keeps the list box's own handling.
class ResultsList final : public Subclass {
  public:
    explicit ResultsList(Workbench& w) : w_(w) {}

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_LBUTTONDBLCLK) {
            const LRESULT line = SendMessageA(Window(), LB_GETCURSEL, 0, 0);
            if (line != LB_ERR)
                OpenResultMovieInfo(w_.collection, w_.state, w_.dialogs,
                                    ListBoxWin(false, Window()).LineText(static_cast<int>(line)));
            return 0;
        }
        return CallOriginal(message, wParam, lParam);
    }

    Workbench& w_;
};

class SearchResultsDialog {
  public:
    explicit SearchResultsDialog(Workbench& w) : w_(w), list_(w) {}

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                OnInit(dialog);
                return TRUE;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
                return TRUE;
            case WM_CLOSE:
                EndDialog(dialog, 0);
                return TRUE;
            default:
                return FALSE;
        }
    }

    void OnInit(HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_RESULTS_LIST);
        LONG widest = 0;
        OwnedWindowDc dc = GetWindowDcOwned(list);
        SelectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
        for (const std::string& key : w_.collection.imdb.RunQuery()) {
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(key.c_str()));
            SIZE size = {};
            if (GetTextExtentPoint32A(dc.get(), key.c_str(), static_cast<int>(key.size()), &size))
                widest = std::max(widest, size.cx);
        }
        // Long titles can be scrolled to instead of being cut at the list's edge.
        SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 4), 0);
        list_.Attach(list);
    }

    Workbench& w_;
    ResultsList list_;
};

void FindDialog::RunSearchResults(HWND owner) {
    SearchResultsDialog results(w_);
    RunModal(instance_, IDD_SEARCH_RESULTS, owner, results);
}

}  // namespace

void RunFindDialog(HINSTANCE instance, HWND owner, Workbench& w, HWND mainList) {
    FindDialog dialog(instance, w, mainList);
    RunModal(instance, IDD_FIND, owner, dialog);
}

}  // namespace cl
