// The fixture of the end-to-end tests: a fresh data directory per test, with the shipped skins installed, and the
// ways to reach the main window's controls.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "res/ResourceIds.h"
#include "tests/e2e/Harness_win.h"

namespace cl::e2e {

class ProgramTest : public testing::Test {
  protected:
    void SetUp() override { data.InstallSkins(); }
    void TearDown() override {
        if (HasFailure()) data.Keep();
    }

    // The test's name as a folder name: parameterised tests carry a '/' in theirs.
    static std::string TestName() {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            if (c == '/') c = '_';
        return name;
    }

    // Starts the program and waits for its main window; fails the test when none appears.
    HWND StartMain() {
        // The real pointer is parked in the screen's far corner, away from where the window opens: a pointer left
        // over a list box by an earlier test would send real mouse moves into the clicks a test sends.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        program = Program::Start(data);
        HWND window = program.WaitForMainWindow();
        EXPECT_NE(window, nullptr) << "no main window appeared";
        return window;
    }

    TempDataDir data{TestName()};
    Program program;
};

// A child of the main window by id and class: the list box and the caption field share id 6.
HWND ChildById(HWND parent, int id, std::string_view className);
HWND MovieList(HWND main);
// The three status fields' texts (their window texts mirror what they draw).
std::string ViewCaption(HWND main);
std::string MovieCount(HWND main);
std::string SelectionCount(HWND main);

// Runs a command and waits until the status fields show `caption` (they change last).
bool RunCommandAndWaitForCaption(HWND main, int command, std::string_view caption);

}  // namespace cl::e2e
