// The read-only text boxes of the Movie Info and documentation dialogs: keys that move the caret or delete do
// nothing there (typed characters still arrive, which the edit's own read-only style refuses), and a click is
// swallowed unless the box is open for editing at the moment (the Movie Info dialog's Internal mode), so no caret
// appears in a text the user cannot change. The scroll bar still scrolls.
#pragma once

#include <windows.h>

#include "model/base/Win_win.h"

namespace cl {

class ReadOnlyGuard : public Subclass {
  public:
    // `editable` says whether clicks are let through; nullptr means never. It must outlive the control.
    explicit ReadOnlyGuard(const bool* editable = nullptr) : editable_(editable) {}

  protected:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN) return 0;
        // A double-click is a press too (it would select a word).
        if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && !(editable_ && *editable_)) return 0;
        return CallOriginal(message, wParam, lParam);
    }

  private:
    const bool* editable_;
};

}  // namespace cl
