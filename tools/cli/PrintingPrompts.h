// The companion's stand-in for the program's message boxes.
#pragma once

#include <ostream>
#include <string_view>

#include "model/base/Prompts.h"

namespace cl::cli {

// Prints each message the program would show on the error stream and counts them; a question is answered No.
class PrintingPrompts final : public Prompts {
  public:
    explicit PrintingPrompts(std::ostream& err) : err_(err) {}
    void ShowMessage(std::string_view message, std::string_view, MessageIcon) override {
        err_ << message << '\n';
        ++shown_;
    }
    bool Ask(std::string_view, std::string_view, MessageIcon, bool) override { return false; }
    int Shown() const { return shown_; }

  private:
    std::ostream& err_;
    int shown_ = 0;
};

}  // namespace cl::cli
