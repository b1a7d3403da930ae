// The erotic-category lock's decisions: entering the password, setting the first one and changing it.
#include "ui/PasswordDialogs.h"

#include <gtest/gtest.h>

#include "model/ListOperations.h"
#include "tests/unit/ShellFakes.h"

namespace cl::test {
namespace {

using Lines = std::vector<std::string>;

class PasswordTest : public ::testing::Test, public ShellFixture {
  protected:
    void SetUp() override {
        InsertMainMovie(c.main, {"Alien", "Horror", "Present", "Default", "DVD"}, 1);
        InsertMainMovie(c.main, {"Emmanuelle", "Erotic", "Present", "Default", "VHS"}, 2);
        InsertMainMovie(c.main, {"Story of O", "EROTIC", "Present", "Default", "VHS"}, 3);
        List().Show(View::Upcoming());
    }

};

TEST_F(PasswordTest, TheRightPasswordOpensTheLockAndShowsTheCategoryErotic) {
    c.password = "Secret";
    EXPECT_TRUE(EnterPassword(c, List(), "Secret"));
    EXPECT_TRUE(c.eroticVisible);
    EXPECT_EQ(c.settings.viewMode, 1);
    EXPECT_EQ(ui.mark, ViewMark::None) << "no list is marked";
    EXPECT_EQ(box.lines, (Lines{"Emmanuelle", "Story of O"}));
    EXPECT_EQ(ui.status.caption, "Erotic");
    EXPECT_EQ(ui.status.count, "Number of Movies: 2");
    EXPECT_EQ(ui.status.selection, "1");
}

TEST_F(PasswordTest, AWrongPasswordClosesTheLockAndLeavesTheListAsItIs) {
    struct Case {
        const char* why;
        const char* password;
        const char* typed;
    };
    const Case cases[] = {
        {"other letter case", "Secret", "secret"},
        {"empty entry", "Secret", ""},
        {"longer entry", "Secret", "Secret1"},
        {"no password set yet, typed in capitals", "nolockx", "NOLOCKX"},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.why);
        c.password = t.password;
        c.eroticVisible = true;
        c.settings.viewMode = 1;
        const Lines before = box.lines;
        const StatusTexts status = ui.status;
        EXPECT_FALSE(EnterPassword(c, List(), t.typed));
        EXPECT_FALSE(c.eroticVisible);
        EXPECT_EQ(c.settings.viewMode, 0);
        EXPECT_EQ(box.lines, before);
        EXPECT_EQ(ui.status, status);
        EXPECT_EQ(ui.mark, ViewMark::Upcoming);
    }
    EXPECT_EQ(kInvalidPasswordMessage, "Invalid Password.");
    EXPECT_EQ(kPasswordErrorCaption, "Error");
}

TEST_F(PasswordTest, AnEmptyPasswordIsOpenedByAnEmptyEntry) {
    c.password = "";
    EXPECT_TRUE(EnterPassword(c, List(), ""));
    EXPECT_TRUE(c.eroticVisible);
}

TEST_F(PasswordTest, TheCurrentPasswordIsAskedForOnceOneIsSet) {
    struct Case {
        const char* password;
        bool asks;
    };
    const Case cases[] = {{"nolockx", false}, {"NoLockX", false}, {"secret", true}, {"", true}};
    for (const Case& t : cases) {
        c.password = t.password;
        EXPECT_EQ(AsksCurrentPassword(c), t.asks) << t.password;
    }
}

struct ChangeCase {
    const char* name;
    const char* password;  // before
    const char* current;
    const char* typed;
    const char* confirmation;
    PasswordChangeOutcome outcome;
    const char* after;
};

class PasswordChangeTable : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(PasswordChangeTable, SetsThePasswordOnlyWhenTheRulesAreMet) {
    const ChangeCase& t = GetParam();
    Collection c;
    c.password = t.password;
    EXPECT_EQ(ChangePassword(c, t.current, t.typed, t.confirmation), t.outcome);
    EXPECT_EQ(c.password, t.after);
    EXPECT_FALSE(c.eroticVisible) << "a password never opens the lock by itself";
}

using O = PasswordChangeOutcome;
INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordChangeTable,
    ::testing::Values(
        ChangeCase{"FirstPasswordTypedTwice", "nolockx", "", "abc", "abc", O::FirstSet, "abc"},
        ChangeCase{"FirstPasswordMayBeEmpty", "nolockx", "", "", "", O::FirstSet, ""},
        ChangeCase{"FirstPasswordTypedDifferently", "nolockx", "", "abc", "abd", O::Mismatch, "nolockx"},
        ChangeCase{"FirstPasswordLetterCaseCounts", "nolockx", "", "abc", "ABC", O::Mismatch, "nolockx"},
        ChangeCase{"ChangedWithTheCurrentOne", "secret", "secret", "newpw", "newpw", O::Changed, "newpw"},
        ChangeCase{"CurrentInOtherLetterCase", "secret", "Secret", "newpw", "newpw", O::Mismatch, "secret"},
        ChangeCase{"NewAndConfirmationDiffer", "secret", "secret", "newpw", "newpx", O::Mismatch, "secret"},
        ChangeCase{"NewEmptyRefusedOnceSet", "secret", "secret", "", "", O::Mismatch, "secret"},
        ChangeCase{"EmptyPasswordChangedWithAnEmptyCurrent", "", "", "abc", "abc", O::Changed, "abc"},
        // The first-password rule needs "nolockx" exactly; the current password then also works.
        ChangeCase{"NoLockXInCapitalsIsAPasswordOfItsOwn", "NOLOCKX", "", "abc", "abc", O::Mismatch, "NOLOCKX"},
        ChangeCase{"NoLockXTypedAsTheCurrentOne", "nolockx", "nolockx", "abc", "abc", O::Changed, "abc"}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return info.param.name; });

TEST(PasswordChange, TheFocusAfterAMismatchGoesWhereTheNextTextIsTyped) {
    Collection c;
    c.password = "nolockx";
    EXPECT_EQ(MismatchFocus(c), PasswordField::New);
    c.password = "secret";
    EXPECT_EQ(MismatchFocus(c), PasswordField::Current);
    // Only "nolockx" exactly counts as no password here.
    c.password = "NOLOCKX";
    EXPECT_EQ(MismatchFocus(c), PasswordField::Current);
    EXPECT_EQ(kPasswordMismatchMessage, "Password Mismatch.");
}

}  // namespace
}  // namespace cl::test
