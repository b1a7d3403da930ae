// The main window: a skinned, shaped top-level window holding the movie list box, three status fields, seven
// skinned buttons and the logo. It owns the collection and the skin; its commands are MainShell's.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "model/base/Handle_win.h"
#include "app/MainShell.h"
#include "model/Collection.h"
#include "skin/SkinScript.h"
#include "skin/SkinWindow_win.h"
#include "ui/DialogHost_win.h"

namespace cl {

class MainWindow final : public ShellUi, public SkinMessages {
  public:
    // Registers the class, creates and shows the window and runs the message loop; returns the exit code.
    static int Run(HINSTANCE instance, int showCommand);

    explicit MainWindow(HINSTANCE instance);

    // ShellUi
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool Ask(std::string_view text, std::string_view caption) override;
    void Beep() override;
    int FillList(const ListBoxFill& fill) override;
    void ClearList() override;
    void SelectFirstLine() override;
    int SelectedLineCount() override;
    void FocusList() override;
    int LineCount() override;
    std::string LineText(int index) override;
    std::vector<int> SelectedLines() override;
    int CurrentLine() override;
    void SelectOnlyLine(int index) override;
    int FindLineExact(std::string_view text) override;
    int FindLineStartingWith(std::string_view text) override;
    void DeleteLine(int index) override;
    void ReplaceLine(int index, std::string_view text) override;
    void ShowStatus(const StatusTexts& status) override;
    void ShowViewMark(ViewMark mark) override;
    void CloseLogo() override;
    void ShowMainMenu() override;
    void Minimize() override;
    void RequestClose() override;
    void OpenDialog(ShellDialog dialog) override;
    bool IsConnected() override;
    bool AttemptConnect() override;
    void OpenWithShell(std::string_view target) override;

    // SkinMessages
    void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK LogoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreate();
    void CreateChildren();
    void ShapeAndShow(int showCommand);
    void OnPaint();
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnListColors(HDC dc);
    void OnClose();
    void EndProgram();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    std::string dataDirectory_;
    bool skinLoaded_ = false;
    bool ending_ = false;

    Collection collection_;
    std::unique_ptr<MainShell> shell_;
    std::unique_ptr<DialogHost> dialogs_;
    StatusTexts status_;

    SkinScript skin_;
    SkinBitmaps bitmaps_;
    SkinButtons buttons_;
    OwnedBrush listBrush_;
    HCURSOR logoCursor_ = nullptr;

    OwnedMenu menuResource_;      // "CINELEDGER"; mainMenu_ is its first popup
    OwnedMenu listMenuResource_;  // 107; listMenu_ is its first popup
    HMENU mainMenu_ = nullptr;
    HMENU listMenu_ = nullptr;

    HWND list_ = nullptr;
    std::array<HWND, kSkinStatusCount> statusFields_{};
    HWND tooltip_ = nullptr;
    HWND logo_ = nullptr;
};

}  // namespace cl
