// Runs a step when the scope it guards ends, however it ends (a return, an exception): for the work that must
// close a run whatever happened inside it.
#pragma once

#include <utility>

namespace cl {

template <typename Step>
class ScopeExit {
  public:
    explicit ScopeExit(Step step) : step_(std::move(step)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() { step_(); }

  private:
    Step step_;
};

}  // namespace cl
