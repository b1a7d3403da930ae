// What the user is told about damaged store files, and the names they are kept under.
#include "model/StoreDamage.h"

#include <gtest/gtest.h>

#include <set>

namespace cl {
namespace {

StoreLoad Loaded(StoreFile store, std::size_t records, std::optional<Damage> damage, bool backup = false) {
    LoadReport report;
    report.opened = true;
    report.records = records;
    report.damage = std::move(damage);
    return StoreLoad{store, StoreFileName(store, backup), report};
}

TEST(StoreDamage, OneMessageNamesEachDamagedFileWhereAndWhatWasReadAndTheBackupsLeftAlone) {
    const std::vector<StoreLoad> loads = {
        Loaded(StoreFile::MainList, 4, std::nullopt),
        Loaded(StoreFile::Comments, 1, Damage{3, "an empty title line ends the records, but more text follows it"}),
        Loaded(StoreFile::History, 11, Damage{40, "loan line longer than 99 characters"}),
    };
    EXPECT_EQ(DamageMessage(loads, true),
              "Not all of the collection could be read. These files were read only up to the line named:\n\n"
              "Comments.dat, line 3: an empty title line ends the records, but more text follows it; reading stopped "
              "there after 1 record.\n"
              "History.dat, line 40: loan line longer than 99 characters; reading stopped there after 11 records.\n"
              "\nWhat follows is not shown, and nothing has been changed on disk. Before CineLedger writes over one of "
              "these files, it keeps the whole file beside it, named after it with \".damaged-\" and the date.\n"
              "Auto-Backup has left their backups (Comments.bak, History.bak) as they were.");
    EXPECT_EQ(DamageMessage({loads[0]}, true), "");
    const std::string fromBackup = DamageMessage({Loaded(StoreFile::Media, 0, Damage{2, "x"}, true)}, false);
    EXPECT_NE(fromBackup.find("\nMedia.bak, line 2: x; reading stopped there after 0 records.\n"), std::string::npos);
    EXPECT_EQ(fromBackup.find("Auto-Backup"), std::string::npos);
}

TEST(StoreDamage, AKeptCopyNeverTakesTheNameOfAnEarlierOne) {
    std::set<std::string> taken;
    const auto name = [&taken] {
        return KeptDamagedName("Comments.dat", "2026-12-06",
                               [&taken](const std::string& n) { return taken.contains(n); });
    };
    EXPECT_EQ(name(), "Comments.dat.damaged-2026-12-06");
    taken.insert(name());
    EXPECT_EQ(name(), "Comments.dat.damaged-2026-12-06-2");
    taken.insert(name());
    EXPECT_EQ(name(), "Comments.dat.damaged-2026-12-06-3");
}

}  // namespace
}  // namespace cl
