// The main window: a skinned, shaped top-level window holding the movie list box, three status fields, seven
// skinned buttons and the logo. It owns the collection and the skin; its commands are MainShell's, and it runs the
// dialogs the commands ask for.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "app/MainShell.h"
#include "model/Collection.h"
#include "model/base/Handle_win.h"
#include "model/base/Win_win.h"
#include "skin/SkinScript.h"
#include "skin/SkinWindow_win.h"
#include "ui/ListBoxView_win.h"
#include "ui/MovieListBox_win.h"

namespace cl {

class MainWindow final : public ShellUi, public Dialogs, public Desktop {
  public:
    // Registers the class, creates and shows the window and runs the message loop; returns the exit code.
    static int Run(HINSTANCE instance, int showCommand);

    explicit MainWindow(HINSTANCE instance);

    // Prompts (message boxes over the main window)
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) override;
    // StatusDisplay
    void ShowStatus(const StatusTexts& status) override;
    void ShowViewMark(ViewMark mark) override;
    // ShellUi
    void CloseLogo() override;
    void ShowMainMenu() override;
    void Minimize() override;
    void RequestClose() override;
    // Dialogs
    AddEditOutcome AddEdit(const AddEditRequest& request) override;
    std::optional<std::string> ChangePresence(PresenceChange& change) override;
    void MovieInfo() override;
    void Open(SimpleDialog dialog) override;
    void MovieListExchange() override;
    void ImportInfo(const MediaScratch& offered) override;
    std::optional<std::string> OpenFile() override;
    std::optional<std::string> SaveFile() override;
    // Desktop
    bool IsConnected() override;
    bool AttemptConnect() override;
    void OpenWithShell(std::string_view target) override;
    void Beep() override;
    Prompts& OwnerlessPrompts() override { return ownerless_; }

  private:
    // The logo shows the skin's cursor while the pointer is over it.
    class Logo final : public Subclass {
      public:
        HCURSOR cursor = nullptr;

      private:
        LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreate();
    void CreateChildren();
    void ShapeAndShow(int showCommand);
    void OnPaint();
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnListColors(HDC dc);
    void OnClose();
    void EndProgram();
    // The skin of the folder `folder` in place of the one in use, which comes back when the new one fails. Its
    // messages go through `messages`, so the dialog that asked for the change is the one they block.
    void ChangeSkin(const std::string& folder, Prompts& messages);
    void FitChildrenToSkin();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    std::string dataDirectory_;
    bool skinLoaded_ = false;
    bool ending_ = false;

    Collection collection_;
    ListBoxWin listBox_{true};
    WindowPrompts ownerless_;
    std::unique_ptr<MainShell> shell_;
    std::unique_ptr<MainMovieList> movieList_;
    StatusTexts status_;

    SkinScript skin_;
    SkinBitmaps bitmaps_;
    SkinButtons buttons_;
    OwnedBrush listBrush_;
    SkinFonts fonts_;
    Logo logoHandler_;

    OwnedMenu menuResource_;      // "CINELEDGER"; mainMenu_ is its first popup
    OwnedMenu listMenuResource_;  // 107; listMenu_ is its first popup
    HMENU mainMenu_ = nullptr;
    HMENU listMenu_ = nullptr;

    HWND list_ = nullptr;
    std::array<HWND, kSkinStatusCount> statusFields_{};
    OwnedWindow tooltip_;
    HWND logo_ = nullptr;
};

}  // namespace cl
