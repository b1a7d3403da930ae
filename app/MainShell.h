// The main window's commands and views without the window: which list the list box shows and under which
// caption, the three status texts, and what every command asks, changes and opens. The window implements
// ShellUi, translates its messages into MainShell calls and renders what comes back.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "media/MediaRecord.h"
#include "model/Collection.h"
#include "model/base/FileWriter.h"
#include "model/ListOperations.h"
#include "model/base/MessageIcon.h"

namespace cl {

// Which of the four "Movie List" menu items carries the check mark. None: a filtered view of the Main Movie List
// (by presence, category or location), which the caption names.
enum class ViewMark { None, Main, Upcoming, InternalGimme, ImportedGimme };

// The menu command that carries the mark (0 for None).
int ViewMarkCommand(ViewMark mark);

// What the three owner-drawn status fields show.
struct StatusTexts {
    std::string caption;    // the view: "Main Movie List", "Present", a category, ...
    std::string count;      // "Number of Movies: %i"
    std::string selection;  // "", "1", or the number of selected lines
    bool operator==(const StatusTexts&) const = default;
};

// Modal dialogs the main window's commands and the list's menu commands open, by resource number.
enum class ShellDialog {
    Relocated = 102,
    MainLocations = 103,
    AddEdit = 106,
    Find = 110,
    About = 112,
    Externals = 113,
    Quarantine = 114,
    PasswordEntry = 115,
    PasswordChange = 116,
    UpcomingLocations = 117,
    PresenceChange = 108,
    MovieInfo = 125,
    SearchResults = 230,
    ServerStatus = 121,
    ExportSource = 123,
    ReadHelp = 124,
    Settings = 210,
    Skins = 226,
    CategorySearch = 229,
    Print = 0,  // the print dialog of the system, opened by the print command
};

// What the commands need from the window around them.
class ShellUi {
  public:
    virtual ~ShellUi() = default;

    // A message box with an OK button. An empty caption means none of its own (the system then shows "Error").
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // A Yes/No question with the question icon; true for Yes.
    virtual bool Ask(std::string_view text, std::string_view caption) = 0;
    virtual void Beep() = 0;  // the exclamation sound

    // Empties the movie list box, adds the titles (the list box sorts them itself) and sets its horizontal extent
    // from the longest title; returns the number of lines the list box then holds.
    virtual int FillList(const ListBoxFill& fill) = 0;
    virtual void ClearList() = 0;
    // Deselects every line and selects the first.
    virtual void SelectFirstLine() = 0;
    virtual int SelectedLineCount() = 0;
    virtual void FocusList() = 0;

    // The movie list box's lines as it shows them (sorted by the list box itself).
    virtual int LineCount() = 0;
    virtual std::string LineText(int index) = 0;
    virtual std::vector<int> SelectedLines() = 0;
    // The current line (the selected line, or the one with the focus rectangle); -1 for an empty list.
    virtual int CurrentLine() = 0;
    // Deselects every line and selects this one.
    virtual void SelectOnlyLine(int index) = 0;
    // The first line equal to the text / beginning with it, letter case ignored; -1 when there is none.
    virtual int FindLineExact(std::string_view text) = 0;
    virtual int FindLineStartingWith(std::string_view text) = 0;
    virtual void DeleteLine(int index) = 0;
    // Replaces a line's text; the list box puts the new line where its sorting says.
    virtual void ReplaceLine(int index, std::string_view text) = 0;

    virtual void ShowStatus(const StatusTexts& status) = 0;
    virtual void ShowViewMark(ViewMark mark) = 0;

    // Hides and destroys the logo window and shows the list box.
    virtual void CloseLogo() = 0;
    virtual void ShowMainMenu() = 0;
    virtual void Minimize() = 0;
    // Asks the window to close as the close box would (the shut-down questions follow).
    virtual void RequestClose() = 0;
    virtual void OpenDialog(ShellDialog dialog) = 0;

    // The Internet connection: whether the computer reports one, and a dial-up attempt.
    virtual bool IsConnected() = 0;
    virtual bool AttemptConnect() = 0;
    // Opens a document or address with the shell's open action, maximised.
    virtual void OpenWithShell(std::string_view target) = 0;
};

inline constexpr std::string_view kConfirmationCaption = "Confirmation";

// The titles captured at the last right-button release, shared by the main list and the Upcoming Locations list;
// each list keeps its own count. Never cleared otherwise: the menu commands act on the selection as it was when the
// menu opened.
struct SelectionBuffer {
    static constexpr std::size_t kSlots = 10;
    static constexpr std::size_t kSlotLimit = 109;  // characters kept of each title
    std::array<std::string, kSlots> slots;
    int mainCount = 0;
    int upcomingCount = 0;
};

// What the presence dialog is asked to do, and what it answers when cancelled.
enum class PresenceRequest { SelectionAbsent = 0, SelectionPresent = 1, AllPresent = 3, AllAbsent = 4, Cancelled = 5 };

class MainShell {
  public:
    // `dataDirectory` ends in a path separator; every store is named relative to it.
    MainShell(Collection& collection, std::string dataDirectory, ShellUi& ui, FileWriter& writer);

    // Start-up's data steps: the seven stores in their order, "Settings.dat" (with the backup and the erotic lock
    // it may ask for) and the "Covers" folder. `today` dates history records an older main list file needs.
    std::vector<StoreLoad> LoadAtStart(std::string_view today);

    // A WM_COMMAND with this identifier (menu item, accelerator, skinned button, logo click).
    void Execute(int command);

    // The shut-down questions: saves without asking when Auto-Save is on, otherwise asks "Exit, mmm?" and
    // "Save Changes, mmm?". False when the user chose to go on; the list box then has the focus.
    bool ConfirmClose();

    // Writes the seven stores in their fixed order; failures are not reported to the user.
    std::vector<StoreSaveFailure> SaveAll();

    // Operations the dialogs use.
    void SetCaptionAndCount(int count, std::string_view caption);
    void SetSelectionCount(std::string_view text);
    void RefreshCurrentView();
    void ShowByCategory(std::string_view category);
    void SetViewMark(ViewMark mark);
    // Makes a Main Movie List movie the current movie with everything the Movie Info and add/edit dialogs show: its
    // record, comments, history, and its media details in `mediaScratch`. Nothing of a movie loaded before stays.
    // A title the list does not hold is still set (its database record can be shown), with the number 0 so that no
    // other movie's cover appears; false then.
    bool LoadCurrentMovieWithDetails(std::string_view title, bool forEditing = false);

    ViewMark Mark() const { return mark_; }
    const StatusTexts& Status() const { return status_; }
    bool LogoOpen() const { return logoOpen_; }
    const std::string& DataDirectory() const { return dataDirectory_; }
    Collection& Data() { return collection_; }

    // The skin's home page, opened by a click on the logo.
    void SetHomePage(std::string homePage) { homePage_ = std::move(homePage); }

    // The state the dialogs share with the commands that open them.
    // Set by the commands that open the add/edit dialog: false for adding.
    bool editFlag = false;
    // Set while the Upcoming Locations dialog's Edit runs the add/edit dialog.
    bool locationsEditFlag = false;
    // Set while a Main Shift runs the add/edit dialog.
    bool mainShiftFlag = false;
    // Set while the Movie Info dialog that Auto-IMDb opens runs: it fetches the details at once.
    bool autoRetrieve = false;
    SelectionBuffer selection;
    PresenceRequest presenceMode = PresenceRequest::Cancelled;
    // The last locations given in the presence dialog (for the selection, and for all lines).
    std::string presenceLocation;
    std::string presenceAllLocation;
    // The location chosen in the Upcoming Locations dialog.
    std::string upcomingLocation;
    // Set by the Upcoming Locations dialog while it is open, empty otherwise: takes its location combo's text as
    // the filter, refills its list with the upcoming movies of that location, refills the combo from the known
    // upcoming locations and selects the filter again. The add/edit dialog calls it after an edit made from there.
    std::function<void()> refreshUpcomingLocations;
    // The media details of the current movie, loaded with it for the Movie Info dialog.
    MediaScratch mediaScratch;
    // Set by the send commands before the Export Source dialog opens; that dialog reads and clears them.
    bool movieListSendPending = false;
    bool gimmeSendPending = false;

  private:
    void CloseLogo();
    void ShowList(ViewMark mark, const ListBoxFill& fill, std::string_view caption);
    void ShowMainFiltered(FillVariant variant, std::string_view value, std::string_view caption);
    void ShowImportedGimme();
    void ShowMarkedView(ViewMark mark);
    void HideErotic();
    void LoadBackup();
    void DeleteGimmeList();
    bool InternetCheck(bool goOnWithoutConnection);
    std::filesystem::path Dir() const;

    Collection& collection_;
    std::string dataDirectory_;
    ShellUi& ui_;
    FileWriter& writer_;
    ViewMark mark_ = ViewMark::Main;
    StatusTexts status_;
    bool logoOpen_ = true;
    std::string homePage_;
};

// The caption of the Imported Gimme view: "Gimme Import-> " and the sender's name (the location of the list's
// first record), or "None" for an empty list.
std::string ImportedGimmeCaption(const MovieList& importedGimme);

}  // namespace cl
