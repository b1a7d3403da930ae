// Runs a step when the scope it guards ends, however it ends (a return, an exception): for the work that must
// close a run whatever happened inside it.
#pragma once

#include <atomic>
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

// Sets the flag when the scope ends, so that a worker's end is seen however it leaves (an exception included);
// the release pairs with the reader's acquire, making everything the worker wrote visible with it.
inline auto FlagOnExit(std::atomic<bool>& flag) {
    return ScopeExit([&flag] { flag.store(true, std::memory_order_release); });
}

}  // namespace cl
