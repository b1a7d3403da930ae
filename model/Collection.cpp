// Loading, saving, backing up and restoring the whole collection.
#include "model/Collection.h"

#include <array>
#include <ctime>
#include <exception>
#include <system_error>
#include <thread>

#include "model/GimmeFile.h"
#include "model/StoreDamage.h"
#include "model/base/Date.h"

namespace cl {

namespace {

const char* StoreBaseName(StoreFile store) {
    switch (store) {
        case StoreFile::MainList:
            return "CineLedger";
        case StoreFile::Quarantine:
            return "Quarantine";
        case StoreFile::Gimme:
            return "Gimme";
        case StoreFile::Imdb:
            return "IMDb";
        case StoreFile::Comments:
            return "Comments";
        case StoreFile::History:
            return "History";
        case StoreFile::Media:
            return "Media";
    }
    return "";
}

MainListStores MainListTargets(Collection& c) {
    return MainListStores{c.main,       c.upcoming,    c.knownCategories, c.knownLocations, c.knownUpcomingLocations,
                          c.knownMedia, c.freeNumbers, c.password,        c.version};
}

LoadReport LoadOne(Collection& c, StoreFile store, const std::filesystem::path& path, std::string_view today,
                   bool fromBackup) {
    switch (store) {
        case StoreFile::MainList:
            return LoadMainListFile(path, MainListTargets(c), [&c, today](const std::string& title) {
                c.history.AddOrUpdate(title, today, "0");
            });
        case StoreFile::Quarantine:
            return LoadQuarantineFile(path, fromBackup ? EndMarker::SameTitle : EndMarker::Exact, c.quarantine);
        case StoreFile::Gimme:
            return LoadGimmeFile(path, c.internalGimme);
        case StoreFile::Imdb:
            return LoadImdbFile(path, c.imdb);
        case StoreFile::Comments:
            return LoadCommentsFile(path, c.comments);
        case StoreFile::History:
            return LoadHistoryFile(path, c.history);
        case StoreFile::Media:
            return LoadMediaFile(path, c.media);
    }
    return {};
}

std::string Serialize(const Collection& c, StoreFile store) {
    switch (store) {
        case StoreFile::MainList:
            return SerializeMainList(c.main, c.upcoming, c.freeNumbers, c.password);
        case StoreFile::Quarantine:
            return SerializeQuarantine(c.quarantine);
        case StoreFile::Gimme:
            return SerializeGimme(c.internalGimme);
        case StoreFile::Imdb:
            return SerializeImdb(c.imdb);
        case StoreFile::Comments:
            return SerializeComments(c.comments);
        case StoreFile::History:
            return SerializeHistory(c.history);
        case StoreFile::Media:
            return SerializeMedia(c.media);
    }
    return {};
}

}  // namespace

std::string StoreFileName(StoreFile store, bool backup) {
    return std::string(StoreBaseName(store)) + (backup ? ".bak" : ".dat");
}

std::vector<StoreLoad> LoadStores(Collection& c, const std::filesystem::path& dir, std::string_view today,
                                  bool fromBackup) {
    std::array<LoadReport, std::size(kStoreOrder)> reports;
    auto load = [&](StoreFile store) {
        reports[static_cast<std::size_t>(store)] =
            LoadOne(c, store, dir / StoreFileName(store, fromBackup), today, fromBackup);
    };
    // The stores share nothing but one thing: a main list file of the older layout adds history records, which the
    // history file then completes, so in that case the history is read after the main list on the same thread. All
    // other stores are touched by one reader each, so the seven are split over two threads, which gives the same
    // result as reading them in their order, in about half the time on two cores.
    const bool historyWaitsForMain = !MainListFileHasVersionLine(dir / StoreFileName(StoreFile::MainList, fromBackup));
    std::vector<StoreFile> here = {StoreFile::MainList};
    std::vector<StoreFile> elsewhere = {StoreFile::Imdb};
    (historyWaitsForMain ? here : elsewhere).push_back(StoreFile::History);
    for (StoreFile store : {StoreFile::Comments, StoreFile::Media, StoreFile::Quarantine, StoreFile::Gimme})
        (historyWaitsForMain ? elsewhere : here).push_back(store);
    std::exception_ptr failure;
    std::thread others;
    try {
        others = std::thread([&] {
            try {
                for (StoreFile store : elsewhere) load(store);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        for (StoreFile store : elsewhere) load(store);  // no second thread to be had: read them here
    }
    try {
        for (StoreFile store : here) load(store);
    } catch (...) {
        if (others.joinable()) others.join();
        throw;
    }
    if (others.joinable()) others.join();
    if (failure) std::rethrow_exception(failure);

    std::vector<StoreLoad> loads;
    for (StoreFile store : kStoreOrder) {
        loads.push_back(
            StoreLoad{store, StoreFileName(store, fromBackup), std::move(reports[static_cast<std::size_t>(store)])});
        if (loads.back().report.damage) {
            c.damagedFiles.insert(loads.back().fileName);
        } else {
            c.damagedFiles.erase(loads.back().fileName);
        }
    }
    return loads;
}

LoadReport LoadSettingsAtStart(Collection& c, const std::filesystem::path& dir, FileWriter& writer) {
    LoadReport report = LoadSettingsFile(dir / "Settings.dat", c.settings);
    if (report.opened) {
        if (c.settings.autoBackup == 1) BackupAll(c, dir, writer);
        if (c.settings.viewMode == 1) c.eroticVisible = true;
    }
    return report;
}

namespace {

// Every name a store file can have, for the clean-up of temporaries.
std::vector<std::string> AllStoreFileNames() {
    std::vector<std::string> names;
    for (StoreFile store : kStoreOrder) {
        names.push_back(StoreFileName(store));
        names.push_back(StoreFileName(store, true));
    }
    return names;
}

}  // namespace

bool KeepIfDamaged(Collection& c, const std::filesystem::path& dir, const std::string& fileName, FileWriter& writer,
                   std::string& error) {
    if (!c.damagedFiles.contains(fileName)) return true;
    std::error_code ec;
    if (!std::filesystem::exists(dir / fileName, ec) && !ec) {
        c.damagedFiles.erase(fileName);  // gone already: nothing left to keep
        return true;
    }
    std::string bytes;
    if (!ReadWholeFile(dir / fileName, bytes)) {
        error = "cannot read the damaged file to keep it";
        return false;
    }
    const std::string kept =
        KeptDamagedName(fileName, FormatFileNameDate(std::time(nullptr)), [&dir](const std::string& name) {
            std::error_code taken;
            return std::filesystem::exists(dir / name, taken) || taken;
        });
    if (!writer.Write(dir / kept, bytes, error)) return false;
    c.damagedFiles.erase(fileName);
    return true;
}

std::vector<StoreSaveFailure> SaveAll(Collection& c, const std::filesystem::path& dir, FileWriter& writer) {
    RemoveLeftTemporaries(dir, AllStoreFileNames());
    std::vector<StoreSaveFailure> failures;
    for (StoreFile store : kStoreOrder) {
        std::string name = StoreFileName(store);
        std::string error;
        if (!KeepIfDamaged(c, dir, name, writer, error) || !writer.Write(dir / name, Serialize(c, store), error))
            failures.push_back(StoreSaveFailure{std::move(name), std::move(error)});
    }
    return failures;
}

std::vector<StoreSaveFailure> BackupAll(Collection& c, const std::filesystem::path& dir, FileWriter& writer) {
    RemoveLeftTemporaries(dir, AllStoreFileNames());
    std::vector<StoreSaveFailure> failures;
    for (StoreFile store : kStoreOrder) {
        if (c.damagedFiles.contains(StoreFileName(store))) continue;
        std::string bytes;
        if (!ReadWholeFile(dir / StoreFileName(store), bytes)) continue;
        const std::string backup = StoreFileName(store, true);
        std::string error;
        if (!KeepIfDamaged(c, dir, backup, writer, error) || !writer.Write(dir / backup, bytes, error))
            failures.push_back(StoreSaveFailure{backup, std::move(error)});
    }
    return failures;
}

void RemoveStoreFile(Collection& c, const std::filesystem::path& dir, StoreFile store, FileWriter& writer) {
    const std::string name = StoreFileName(store);
    std::string error;
    if (!KeepIfDamaged(c, dir, name, writer, error)) return;  // the damaged file stays rather than being lost
    std::error_code ignored;
    std::filesystem::remove(dir / name, ignored);
}

RestoreResult RestoreFromBackup(Collection& c, const std::filesystem::path& dir, std::string_view today) {
    RestoreResult result;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(dir / StoreFileName(StoreFile::MainList, true), ec)) return result;

    // Freed in this order; the known upcoming locations and the Imported Gimme List are kept.
    c.main.Clear();
    c.upcoming.Clear();
    c.quarantine.Clear();
    c.freeNumbers.Clear();
    c.knownLocations.Clear();
    c.internalGimme.Clear();
    c.imdb.FreeAll();
    c.knownCategories.Clear();
    c.knownMedia.Clear();
    c.comments.FreeAll();
    c.history.FreeAll();
    c.media.FreeAll();
    // A backup without a password line leaves the collection unlocked, as a missing file would.
    c.password = std::string(kNoPassword);
    c.version.clear();

    result.outcome = RestoreOutcome::Restored;
    result.loads = LoadStores(c, dir, today, true);
    return result;
}

}  // namespace cl
