// The add/edit movie dialog (106): sets its controls up as the portable logic says, reads them on Save and hands
// them over, and ends when Save succeeded or Cancel was pressed.
#include <windows.h>

#include "model/CommentStore.h"
#include "model/MainListFile.h"
#include "res/EditDialogIds.h"
#include "ui/Dialogs_win.h"

namespace cl {
namespace {

class AddEditDialog {
  public:
    AddEditDialog(Workbench& w, const AddEditRequest& request) : w_(w), request_(request) {}

    // Runs the dialog to its end; what Save decided, or Cancelled.
    AddEditOutcome Run(HINSTANCE instance, HWND owner) {
        RunModal(instance, IDD_ADD_EDIT, owner, *this);
        return outcome_;
    }

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        if (message == WM_INITDIALOG) {
            dialog_ = dialog;
            prompts_.SetOwner(dialog);
            Init();
            return FALSE;  // Init gave the focus to the name
        }
        if (message != WM_COMMAND) return FALSE;
        switch (LOWORD(wParam)) {
            case IDC_ADDEDIT_SAVE:
            case IDOK:
                Save();
                return TRUE;
            case IDC_ADDEDIT_CANCEL:
            case IDCANCEL:
                Cancel();
                return TRUE;  // the close box and Escape cancel too
            default:
                return FALSE;
        }
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    void SetCombo(int id, const std::vector<std::string>& values, const ComboSetup& setup) {
        HWND combo = Item(id);
        FillComboBox(combo, values);
        switch (setup.start) {
            case ComboStart::First:
                SendMessageA(combo, CB_SETCURSEL, 0, 0);
                break;
            case ComboStart::Text: {
                LRESULT found = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(setup.text.c_str()));
                if (found != CB_ERR) {
                    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
                } else {
                    SetWindowTextA(combo, setup.text.c_str());  // a typed combo still shows the value
                }
                break;
            }
            case ComboStart::Nothing:
                break;
        }
        EnableWindow(combo, setup.enabled ? TRUE : FALSE);
    }

    void Init() {
        SendMessageA(Item(IDC_ADDEDIT_TITLE), EM_LIMITTEXT, kTitleTypedMax, 0);
        SendMessageA(Item(IDC_ADDEDIT_CATEGORY), CB_LIMITTEXT, kCategoryTypedMax, 0);
        SendMessageA(Item(IDC_ADDEDIT_LOCATION), EM_LIMITTEXT, kLocationTypedMax, 0);
        SendMessageA(Item(IDC_ADDEDIT_MEDIUM), CB_LIMITTEXT, kMediumTypedMax, 0);
        SendMessageA(Item(IDC_ADDEDIT_COMMENTS), EM_LIMITTEXT, kCommentTypedMax, 0);

        const AddEditSetup setup = PrepareAddEdit(w_.collection, request_);
        SetCombo(IDC_ADDEDIT_CATEGORY, setup.categories, setup.category);
        SetCombo(IDC_ADDEDIT_PRESENCE, setup.presences, setup.presence);
        SetCombo(IDC_ADDEDIT_MEDIUM, setup.media, setup.medium);
        SetDlgItemTextA(dialog_, IDC_ADDEDIT_TITLE, setup.title.c_str());
        SetDlgItemTextA(dialog_, IDC_ADDEDIT_LOCATION, setup.location.c_str());
        SetDlgItemTextA(dialog_, IDC_ADDEDIT_COMMENTS, setup.comments.c_str());
        EnableWindow(Item(IDC_ADDEDIT_COMMENTS), setup.commentsEnabled ? TRUE : FALSE);
        SetFocus(Item(IDC_ADDEDIT_TITLE));
    }

    void Save() {
        AddEditInput input;
        input.title = ControlText(dialog_, IDC_ADDEDIT_TITLE, kMainTitleMax);
        input.category = ControlText(dialog_, IDC_ADDEDIT_CATEGORY, kMainCategoryMax);
        input.presence = ControlText(dialog_, IDC_ADDEDIT_PRESENCE, kMainPresenceMax);
        input.location = ControlText(dialog_, IDC_ADDEDIT_LOCATION, kMainLocationMax);
        input.medium = ControlText(dialog_, IDC_ADDEDIT_MEDIUM, kMainMediumMax);
        input.comments = ControlText(dialog_, IDC_ADDEDIT_COMMENTS, kCommentMax);
        const std::optional<AddEditOutcome> outcome = SaveAddEdit(w_, prompts_, request_, input);
        if (!outcome) {
            SetFocus(Item(IDC_ADDEDIT_TITLE));
            return;
        }
        outcome_ = *outcome;
        EndDialog(dialog_, IDC_ADDEDIT_SAVE);
    }

    void Cancel() {
        outcome_ = AddEditOutcome::Cancelled;
        EndDialog(dialog_, IDC_ADDEDIT_CANCEL);
    }

    Workbench& w_;
    const AddEditRequest& request_;
    HWND dialog_ = nullptr;
    WindowPrompts prompts_;  // the dialog's own message boxes, over it
    AddEditOutcome outcome_ = AddEditOutcome::Cancelled;
};

}  // namespace

AddEditOutcome RunAddEditDialog(HINSTANCE instance, HWND owner, Workbench& w, const AddEditRequest& request) {
    return AddEditDialog(w, request).Run(instance, owner);
}

}  // namespace cl
