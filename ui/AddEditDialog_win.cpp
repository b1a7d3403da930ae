// The add/edit movie dialog (106): sets its controls up as the portable logic says, reads them on Save and hands
// them over, and ends when Save succeeded or Cancel was pressed.
#include <windows.h>

#include "model/base/Date.h"
#include "res/EditDialogIds.h"
#include "ui/AddEdit.h"
#include "ui/DialogHost_win.h"

namespace cl {
namespace {

class AddEditDialog final : public Prompts {
  public:
    AddEditDialog(DialogHost& host, AddEditMode mode) : host_(host), mode_(mode) {}

    // Runs the dialog to its end; what Save decided, or Close after Cancel.
    AddEditOutcome Run(HWND owner) {
        RunModal(host_.instance, IDD_ADD_EDIT, owner, *this);
        return outcome_;
    }

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        ShowMessageBox(dialog_, text, caption, icon);
    }
    bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) override {
        return AskYesNo(dialog_, text, caption, noByDefault, icon);
    }

  private:
    friend INT_PTR CALLBACK ModalDialogProc<AddEditDialog>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        if (message == WM_INITDIALOG) {
            dialog_ = dialog;
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

        const AddEditSetup setup = PrepareAddEdit(host_.shell.Data(), mode_);
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
        input.title = ControlText(dialog_, IDC_ADDEDIT_TITLE, kTitleReadMax);
        input.category = ControlText(dialog_, IDC_ADDEDIT_CATEGORY, kCategoryReadMax);
        input.presence = ControlText(dialog_, IDC_ADDEDIT_PRESENCE, kPresenceReadMax);
        input.location = ControlText(dialog_, IDC_ADDEDIT_LOCATION, kLocationReadMax);
        input.medium = ControlText(dialog_, IDC_ADDEDIT_MEDIUM, kMediumReadMax);
        input.comments = ControlText(dialog_, IDC_ADDEDIT_COMMENTS, kCommentsReadMax);
        const AddEditOutcome outcome = SaveAddEdit(host_.shell, host_.ui, *this, mode_, input, TodayUtc());
        if (outcome == AddEditOutcome::StayOpen) {
            SetFocus(Item(IDC_ADDEDIT_TITLE));
            return;
        }
        outcome_ = outcome;
        EndDialog(dialog_, IDC_ADDEDIT_SAVE);
    }

    void Cancel() {
        CancelAddEdit(host_.shell, mode_);
        outcome_ = AddEditOutcome::Close;
        EndDialog(dialog_, IDC_ADDEDIT_CANCEL);
    }

    DialogHost& host_;
    const AddEditMode mode_;
    HWND dialog_ = nullptr;
    AddEditOutcome outcome_ = AddEditOutcome::Close;
};

}  // namespace

void RunAddEditDialog(DialogHost& host, HWND owner) {
    const AddEditMode mode = AddEditModeFor(host.shell);
    AddEditDialog dialog(host, mode);
    const AddEditOutcome outcome = dialog.Run(owner);
    FinishAddEdit(host.shell, host.ui, mode, outcome);
}

}  // namespace cl
