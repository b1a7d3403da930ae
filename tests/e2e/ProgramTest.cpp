// The shared steps of the end-to-end tests.
#include "tests/e2e/ProgramTest.h"

#include <strings.h>

#include <algorithm>

namespace cl::e2e {

std::filesystem::path ProgramTest::SampleFolder(std::string_view sample) {
    return WinePath(CL_E2E_DATA_DIR) / std::string(sample);
}

std::string ProgramTest::SampleFile(std::string_view sample, std::string_view file) {
    return ReadBytes(SampleFolder(sample) / std::string(file)).value_or("<missing sample>");
}

HWND ProgramTest::StartMain() {
    // The real pointer is parked in the screen's far corner, away from where the window opens: a pointer left over
    // a list box by an earlier test would send real mouse moves into the clicks a test sends.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    program = Program::Start(data);
    main = program.WaitForMainWindow();
    list = main != nullptr ? Child(IDC_MOVIE_LIST, "ListBox") : nullptr;
    EXPECT_NE(main, nullptr) << "no main window appeared";
    return main;
}

bool ProgramTest::StartOn(int command, std::string_view caption) {
    return StartMain() != nullptr && ShowView(command, caption);
}

bool ProgramTest::ShowView(int command, std::string_view caption) const {
    if (!PostCommand(main, command)) return false;
    // The caption may already read the same: wait until the command has been handled as well.
    Sync(main);
    return WaitUntil([&] { return ViewCaption() == caption; });
}

HWND ProgramTest::OpenDialog(int command, std::string_view caption) const {
    return PostCommand(main, command) ? WaitForDialog(program.Id(), caption) : nullptr;
}

testing::AssertionResult ProgramTest::Answer(std::string_view text, std::string_view caption, int button,
                                             HWND owner) const {
    auto box = WaitForMessageBox(program.Id());
    if (!box) return testing::AssertionFailure() << "no message box \"" << text << "\"";
    const HWND boxOwner = GetWindow(box->window, GW_OWNER);
    const bool answered = AnswerMessageBox(*box, button);
    if (box->text != text || box->caption != caption)
        return testing::AssertionFailure() << "message box \"" << box->text << "\" (" << box->caption
                                           << "), expected \"" << text << "\" (" << caption << ")";
    if (owner != nullptr && boxOwner != owner)
        return testing::AssertionFailure() << "\"" << text << "\" has another owner";
    if (!answered) return testing::AssertionFailure() << "\"" << text << "\" stayed";
    return testing::AssertionSuccess();
}

testing::AssertionResult ProgramTest::SaveAll() const {
    for (const char* store : kStores) data.RemoveFile(store);
    PostCommand(main, IDM_SAVE);
    if (auto answered = Answer("Save Changes, mmm?", "Confirmation", IDYES); !answered) return answered;
    // Each store is written to a temporary file moved over the old one: once it exists, it is whole.
    if (WaitUntil([&] { return std::ranges::all_of(kStores, [&](const char* s) { return data.Exists(s); }); }))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the save did not write every store";
}

testing::AssertionResult ProgramTest::FileHas(std::string_view name, std::string_view text) const {
    const std::string contents = File(name);
    if (contents.find(text) != std::string::npos) return testing::AssertionSuccess();
    return testing::AssertionFailure() << name << " lacks \"" << text << "\"; it holds:\n" << contents;
}

HWND ProgramTest::Child(int id, std::string_view className) const {
    for (HWND child = GetWindow(main, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string name = ClassName(child);
        if (GetDlgCtrlID(child) == id && strcasecmp(name.c_str(), std::string(className).c_str()) == 0) return child;
    }
    return nullptr;
}

}  // namespace cl::e2e
