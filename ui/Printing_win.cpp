// Printing a movie list: the print dialog, the job on the printer's device context, and the cancel window with the
// abort procedure that keeps the interface alive between pages.
#include "ui/Printing_win.h"

#include <commdlg.h>

#include "model/base/Handle_win.h"
#include "model/base/Win_win.h"
#include "res/PrintDialogIds.h"
#include "ui/Printing.h"

namespace cl {
namespace {

// One job runs at a time, on the interface thread. The abort procedure is handed no context, so the job, the abort
// procedure and the cancel window share these.
bool jobRunning = false;
bool userAborted = false;
HWND cancelWindow = nullptr;

INT_PTR CALLBACK CancelWindowProc(HWND window, UINT message, WPARAM, LPARAM) noexcept {
    switch (message) {
        case WM_INITDIALOG:
            // Only Cancel stops the job: the Close item would end the window without telling the job.
            EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
            return TRUE;
        case WM_COMMAND:
            userAborted = true;
            EnableWindow(GetParent(window), TRUE);
            DestroyWindow(window);
            cancelWindow = nullptr;
            return TRUE;
        default:
            return FALSE;
    }
}

// Called by the printer's device context between pages: it runs the interface's messages (the cancel window's
// through the dialog manager, so Enter and Escape press Cancel) and says whether the job goes on.
BOOL CALLBACK AbortProc(HDC, int) noexcept {
    MSG message;
    while (!userAborted && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program is ending (its main window was closed during the job): the job is dropped as if Cancel
            // had been pressed, and the quit is posted again for the message loop that runs after the job.
            if (cancelWindow != nullptr && IsWindow(cancelWindow) != FALSE)
                SendMessageA(cancelWindow, WM_COMMAND, IDCANCEL, 0);
            userAborted = true;
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (cancelWindow != nullptr && IsDialogMessageA(cancelWindow, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return userAborted ? FALSE : TRUE;
}

// While a job prints the owner is disabled and the cancel window shows. However the job ends, the owner is enabled
// again and the cancel window closed, unless the user's Cancel has done both already.
class PrintingScope {
  public:
    PrintingScope(HINSTANCE instance, HWND owner) : owner_(owner) {
        jobRunning = true;
        EnableWindow(owner, FALSE);
        userAborted = false;
        cancelWindow = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PRINTING), owner, CancelWindowProc, 0);
        if (cancelWindow != nullptr) {
            ShowWindow(cancelWindow, SW_SHOW);
            UpdateWindow(cancelWindow);  // the job keeps the thread busy until the first page is done
        }
    }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;
    ~PrintingScope() {
        jobRunning = false;
        if (userAborted) return;
        EnableWindow(owner_, TRUE);
        if (cancelWindow != nullptr) DestroyWindow(cancelWindow);
        cancelWindow = nullptr;
    }

  private:
    HWND owner_;
};

// Prints the sheets; true when every page was started and ended and the user did not stop the job.
bool PrintSheets(HDC dc, const PrintJob& job) {
    for (int sheet = 0; sheet < job.SheetCount(); ++sheet) {
        if (StartPage(dc) <= 0) return false;
        for (const PrintLine& line : job.Sheet(sheet))
            TextOutA(dc, line.x, line.y, line.text.data(), static_cast<int>(line.text.size()));
        if (EndPage(dc) <= 0) return false;
        // Some printer drivers never call the abort procedure (Wine's do not): between pages the job runs it
        // itself, so that the cancel window answers while a long list prints.
        AbortProc(dc, 0);
        if (userAborted) return false;  // the page in hand is finished, no other is started
    }
    return true;
}

}  // namespace

int PrintMovieList(const MovieList& list, HWND owner, HINSTANCE instance, const std::string& title) {
    SYSTEMTIME now = {};
    GetSystemTime(&now);

    PRINTDLGA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.Flags = PD_RETURNDC | PD_COLLATE | PD_NOSELECTION;
    request.nCopies = 1;
    const BOOL chosen = PrintDlgA(&request);
    const DWORD dialogError = chosen == FALSE ? CommDlgExtendedError() : 0;
    const OwnedGlobal deviceMode(request.hDevMode);
    const OwnedGlobal deviceNames(request.hDevNames);
    const OwnedDc printer(request.hDC);
    if (chosen == FALSE && dialogError != 0) {
        // No printer at all, or no memory for the dialog: unlike a cancel, the user is told.
        ShowMessageBox(owner, std::string(kPrintDialogFailedMessage) + std::to_string(dialogError), {},
                       MessageIcon::Stop);
        return 0;
    }
    if (chosen == FALSE) return 1;
    if (!printer) return 0;
    HDC dc = printer.get();

    // Without the font's height there is no page layout: the job fails before it starts.
    TEXTMETRICA font = {};
    if (GetTextMetricsA(dc, &font) == FALSE) return 0;
    const PrinterMetrics metrics{font.tmHeight + font.tmExternalLeading, GetDeviceCaps(dc, HORZRES),
                                 GetDeviceCaps(dc, VERTRES)};
    // Without PD_USEDEVMODECOPIESANDCOLLATE the dialog leaves the copies to the program: it makes them itself.
    const PrintJob job(list, title, PrintDate(now.wDay, now.wMonth, now.wYear), LayOutPrint(metrics, list.Count()),
                       request.nCopies, (request.Flags & PD_COLLATE) != 0);

    const PrintingScope scope(instance, owner);
    SetAbortProc(dc, AbortProc);
    DOCINFOA document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = kPrintDocumentName.data();
    if (StartDocA(dc, &document) <= 0) return 0;
    // A stopped or failed job's document is neither ended nor abandoned: the printer context goes with it, and the
    // scope gives the owner back unless Cancel did.
    if (!PrintSheets(dc, job)) return 0;
    return EndDoc(dc) > 0 ? 1 : 0;
}

void RunPrintCommand(HINSTANCE instance, HWND owner, Workbench& w) {
    if (jobRunning) return;  // a command posted while the abort procedure runs the messages
    if (auto choice = ChooseListToPrint(w.list, w.collection, w.prompts))
        PrintMovieList(*choice->list, owner, instance, choice->title);
}

}  // namespace cl
