// Messages kept for later: a worker thread may not show a message box, so what its steps would tell the user is
// recorded here and shown, in order, by the user-interface thread when it takes the worker's result.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/base/Prompts.h"

namespace cl {

class DeferredPrompts : public Prompts {
  public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon = MessageIcon::None;
        bool operator==(const Message&) const = default;
    };

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        messages_.push_back({std::string(text), std::string(caption), icon});
    }
    // Nothing on a worker may wait for an answer: a question is a programming error there. It is kept as a
    // message (so the user still sees it) and answered No, the answer that changes nothing.
    bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool) override {
        ShowMessage(text, caption, icon);
        return false;
    }

    // Shows every message kept so far, in order, and forgets them.
    void ReplayTo(Prompts& prompts) {
        std::vector<Message> kept;
        kept.swap(messages_);
        for (const Message& m : kept) prompts.ShowMessage(m.text, m.caption, m.icon);
    }

    const std::vector<Message>& Messages() const { return messages_; }

  private:
    std::vector<Message> messages_;
};

}  // namespace cl
