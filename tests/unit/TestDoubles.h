// The stand-ins every unit test shares: message boxes and questions recorded (answered from a queue), files written
// into memory (or refused), a clock that always says the same day, and pages "downloaded" from memory.
#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "imdb/PageFetch.h"
#include "model/base/Date.h"
#include "model/base/FileWriter.h"
#include "model/base/Prompts.h"

namespace cl::test {

struct Box {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    bool noByDefault = false;
    bool operator==(const Box&) const = default;
};

// Messages and questions in order; an empty answer queue answers No.
class RecordingPrompts : public Prompts {
  public:
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(caption), icon, false});
    }
    bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) override {
        questions.push_back({std::string(text), std::string(caption), icon, noByDefault});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const Box& box : messages) texts.push_back(box.text);
        return texts;
    }

    std::deque<bool> answers;
    std::vector<Box> messages;
    std::vector<Box> questions;
};

// Keeps what is written by file name; the names in `failing` are refused with "disk full".
class RecordingWriter : public FileWriter {
  public:
    bool Write(const std::filesystem::path& target, std::string_view bytes, std::string& error) override {
        const std::string name = target.filename().string();
        order.push_back(name);
        if (failing.count(name) != 0) {
            error = "disk full";
            return false;
        }
        files[name] = std::string(bytes);
        return true;
    }
    std::map<std::string, std::string> files;
    std::vector<std::string> order;
    std::set<std::string> failing;
};

class FixedClock : public Clock {
  public:
    explicit FixedClock(std::string today = "2026/12/6") : today_(std::move(today)) {}
    std::string Today() override { return today_; }

  private:
    std::string today_;
};

// Writes what a page request would have brought back, and records the requests; an unknown address writes nothing,
// as a fetch that failed before its file was opened.
class FakeFetcher : public PageFetcher {
  public:
    void FetchUrlToFile(const std::string& path, const std::string& address, FetchMode mode) override {
        requests.push_back(address + (mode == FetchMode::Binary ? " binary" : ""));
        if (pages.count(address) != 0) std::ofstream(path, std::ios::binary) << pages[address];
    }
    std::map<std::string, std::string> pages;
    std::vector<std::string> requests;
};

}  // namespace cl::test
