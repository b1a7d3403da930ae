// The fixture of the end-to-end tests: a fresh data directory per test with the shipped skins, sample stores from
// tests/e2e/data, the main window's controls, and the steps most tests share (show a view, open a dialog by its
// command, answer a message, save everything).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/ResourceIds.h"
#include "tests/e2e/Harness_win.h"

namespace cl::e2e {

using Lines = std::vector<std::string>;

// The stores the save-all writes, in the order it writes them.
inline constexpr const char* kStores[] = {"CineLedger.dat", "Quarantine.dat", "Gimme.dat", "IMDb.dat",
                                          "Comments.dat",   "History.dat",    "Media.dat"};

class ProgramTest : public testing::Test {
  protected:
    // The data directory is named after the test, or `folder` (in the system's narrow bytes).
    explicit ProgramTest(std::string_view folder = testing::UnitTest::GetInstance()->current_test_info()->name())
        : data(folder) {}
    void SetUp() override { data.InstallSkins(); }
    void TearDown() override {
        if (HasFailure()) data.Keep();
    }

    // The samples are folders of store files under tests/e2e/data, copied in before the program starts.
    static std::filesystem::path SampleFolder(std::string_view sample);
    static std::string SampleFile(std::string_view sample, std::string_view file);
    void UseSample(std::string_view sample) const { data.CopyFrom(SampleFolder(sample)); }

    // Starts the program and waits for its main window, which `main` and `list` then reach; nullptr on failure.
    HWND StartMain();
    // Starts the program and shows a view; false on failure.
    bool StartOn(int command, std::string_view caption);
    // Runs a command and waits until the status fields show `caption` (they change last).
    bool ShowView(int command, std::string_view caption) const;
    // Posts a command to the main window and waits for the dialog with this caption.
    HWND OpenDialog(int command, std::string_view caption) const;
    // Waits for a message box, checks its text, caption and (when given) owner, and answers it.
    testing::AssertionResult Answer(std::string_view text, std::string_view caption, int button = IDOK,
                                    HWND owner = nullptr) const;
    // The Save command, answered Yes; returns once every store has been written anew.
    testing::AssertionResult SaveAll() const;
    // A file of the data directory holds this text.
    testing::AssertionResult FileHas(std::string_view name, std::string_view text) const;
    std::string File(std::string_view name) const { return data.ReadFile(name).value_or("<missing>"); }

    // A child of the main window by id and class: the list box and the caption field share id 6.
    HWND Child(int id, std::string_view className) const;
    // The status fields carry their texts as window texts too.
    std::string ViewCaption() const { return WindowText(Child(IDC_STATUS_CAPTION, "Static")); }
    std::string MovieCount() const { return WindowText(Child(IDC_STATUS_COUNT, "Static")); }
    std::string SelectionCount() const { return WindowText(Child(IDC_STATUS_SELECTION, "Static")); }
    Lines Listed() const { return ListBoxItems(list); }

    TempDataDir data;
    Program program;
    HWND main = nullptr;
    HWND list = nullptr;
};

}  // namespace cl::e2e
