// The harness's message-box helpers, tried on a message box of the test process itself.
#include <gtest/gtest.h>

#include <future>

#include "tests/e2e/Harness_win.h"

namespace cl::e2e {
namespace {

TEST(Harness, ReadsAndAnswersAMessageBox) {
    auto answer = std::async(std::launch::async, [] {
        return MessageBoxA(nullptr, "Keep going?", "Question", MB_YESNO | MB_ICONQUESTION);
    });
    std::optional<MessageBoxInfo> box = WaitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Question");
    EXPECT_EQ(box->text, "Keep going?");
    EXPECT_TRUE(AnswerMessageBox(*box, IDNO));
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(15)), std::future_status::ready);
    EXPECT_EQ(answer.get(), IDNO);
}

TEST(Harness, WinePathMapsLinuxPathsToDriveZ) {
    EXPECT_EQ(WinePath("/work/x/y.exe").string(), "Z:\\work\\x\\y.exe");
    EXPECT_EQ(WinePath("C:\\a").string(), "C:\\a");
}

}  // namespace
}  // namespace cl::e2e
