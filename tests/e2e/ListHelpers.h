// Driving the program's movie list boxes from the tests: clicking lines (with Ctrl or Shift held), keys, the
// right-button release that captures the selection and opens the context menu, and finding that menu.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/Harness_win.h"

namespace cl::e2e {

// Clicks a line (it must be scrolled into view): button down and up, with the key flags (MK_CONTROL, MK_SHIFT)
// the list box reads. Sent, so the click has been handled when this returns; `wait` false posts instead, for a
// click that shows a message box.
bool ClickLine(HWND list, int index, WPARAM keys = 0, bool wait = true);
// Clicks the first line, then Ctrl-clicks the others: the lines selected as a user selects them.
bool SelectLines(HWND list, const std::vector<int>& lines);
// A key-down (or character) message handled by the list box before this returns.
bool SendKey(HWND list, WPARAM virtualKey);
bool SendCharacter(HWND list, char character);
// Posts a key-down, for keys that open a message box or a dialog.
bool PostKey(HWND window, WPARAM virtualKey);

// Releases the right button over a line: the list captures its selection and opens its menu, which is returned
// (a "#32768" window), or nullptr when none appeared.
HWND OpenContextMenu(HWND list, int overLine, DWORD processId);
// Closes an open menu with Escape; no command follows.
bool CloseMenu(HWND menu);
// Opens the menu, closes it (the selection is captured) and posts a menu command to the list box, as choosing
// the entry would.
bool RunListCommand(HWND list, int overLine, DWORD processId, int command);

// The process's visible dialog holding a control with this id (dialogs without a caption are found this way).
HWND WaitForDialogWithControl(DWORD processId, int controlId, Duration timeout = kTimeout);

// Waits for a message box, checks its text and caption, and answers it.
::testing::AssertionResult Answer(DWORD processId, std::string_view text, std::string_view caption, int button);

}  // namespace cl::e2e
