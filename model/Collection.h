// The whole collection as the program holds it, and the operations that move all of it at once:
// loading every store at start-up, the save-all, the backup copy and the restore from it.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "imdb/ImdbStore.h"
#include "media/MediaStore.h"
#include "model/CommentStore.h"
#include "model/HistoryStore.h"
#include "model/MainListFile.h"
#include "model/MovieList.h"
#include "model/QuarantineFile.h"
#include "model/Settings.h"
#include "model/base/FileWriter.h"
#include "model/base/TextReader.h"

namespace cl {

struct Collection {
    MovieList main;
    MovieList upcoming;
    MovieList internalGimme;
    MovieList importedGimme;
    KnownValueList knownCategories;
    KnownValueList knownLocations;
    KnownValueList knownUpcomingLocations;
    KnownValueList knownMedia;
    FreeNumberPool freeNumbers;
    QuarantineList quarantine;
    CommentStore comments;
    HistoryStore history;
    ImdbStore imdb;
    MediaStore media;
    std::string password{kNoPassword};
    std::string version;
    AppSettings settings;
    bool eroticVisible = false;
    // Store files on disk ("Comments.dat", "History.bak", ...) whose reading stopped before their last byte:
    // what follows is only in the file. Before anything writes over one, it is kept whole beside it.
    std::set<std::string> damagedFiles;
};

// The store files in the order they are loaded, saved, backed up and restored.
enum class StoreFile { MainList, Quarantine, Gimme, Imdb, Comments, History, Media };
inline constexpr StoreFile kStoreOrder[] = {StoreFile::MainList, StoreFile::Quarantine, StoreFile::Gimme,
                                            StoreFile::Imdb,     StoreFile::Comments,   StoreFile::History,
                                            StoreFile::Media};

// "CineLedger.dat", "Quarantine.dat", ...; the backup names end in ".bak".
std::string StoreFileName(StoreFile store, bool backup = false);

struct StoreLoad {
    StoreFile store;
    std::string fileName;
    LoadReport report;
};

// Loads the seven stores from `dir` (".dat", or ".bak" when restoring) in their fixed order. The
// stores are expected empty. `today` dates the history records that an older main list file gets.
// Each file read with damage is noted in c.damagedFiles (and one read whole is taken off it).
std::vector<StoreLoad> LoadStores(Collection& c, const std::filesystem::path& dir, std::string_view today,
                                  bool fromBackup = false);

// Start-up's settings step: reads "Settings.dat" (built-in values without it), makes the backup
// when Auto-Backup is on (BackupAll: a damaged store's backup stays as it was), and opens the erotic
// lock when the view mode is Rated-X.
LoadReport LoadSettingsAtStart(Collection& c, const std::filesystem::path& dir, FileWriter& writer);

struct StoreSaveFailure {
    std::string fileName;
    std::string error;
};

// The save-all: writes the seven stores in their fixed order, each through the writer (a temporary
// file moved over the old one). A store that fails keeps its previous file; the others are still
// written, so as much as possible is saved. A damaged file is kept first (KeepIfDamaged); when that
// fails, the store is not written. Temporaries that a killed save left are removed first. Returns the
// failures, empty when all went well.
std::vector<StoreSaveFailure> SaveAll(Collection& c, const std::filesystem::path& dir, FileWriter& writer);

// Copies each ".dat" store file over its ".bak" file; a store without a file is skipped and its
// old backup stays. So is a store whose ".dat" file is damaged: copying it would put a file that was
// not read whole over a backup that may be good. A damaged ".bak" file is kept before it is replaced.
// Returns the copies that failed.
std::vector<StoreSaveFailure> BackupAll(Collection& c, const std::filesystem::path& dir, FileWriter& writer);

// When `fileName` (a store file in `dir`) is among c.damagedFiles: copies it whole beside it, under
// KeptDamagedName with today's date, and takes it off the list. False, with `error`, when the copy could
// not be made: the file must then not be written over.
bool KeepIfDamaged(Collection& c, const std::filesystem::path& dir, const std::string& fileName, FileWriter& writer,
                   std::string& error);

// Removes a store file (Delete Gimme List removes "Gimme.dat" at once), keeping it first when damaged.
void RemoveStoreFile(Collection& c, const std::filesystem::path& dir, StoreFile store, FileWriter& writer);

enum class RestoreOutcome { Restored, NoBackup };

struct RestoreResult {
    RestoreOutcome outcome = RestoreOutcome::NoBackup;
    std::vector<StoreLoad> loads;  // what each ".bak" file gave, when restored
};

// Load Backup: without "CineLedger.bak" nothing changes. Otherwise every store read from the backup
// is emptied and read back from its ".bak" file; the known upcoming locations and the Imported
// Gimme List stay as they are.
RestoreResult RestoreFromBackup(Collection& c, const std::filesystem::path& dir, std::string_view today);

}  // namespace cl
