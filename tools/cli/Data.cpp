// cineledger-cli info, list and resave: what a data directory holds, its lists in stored order, and
// a save of everything exactly as the program's Save writes it.
#include <filesystem>
#include <system_error>

#include "model/Collection.h"
#include "model/StoreDamage.h"
#include "model/base/Date.h"
#include "model/base/NativePath.h"
#include "tools/cli/Commands.h"

namespace cl::cli {

namespace {

namespace fs = std::filesystem;

// Checks that DIR names a readable directory; prints why not.
bool UsableDirectory(const std::string& dir, std::ostream& err) {
    const fs::path path = PathFromNative(dir);
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        err << "cineledger-cli: no such directory: " << dir << "\n";
        return false;
    }
    if (!fs::is_directory(path, ec)) {
        err << "cineledger-cli: not a directory: " << dir << "\n";
        return false;
    }
    fs::directory_iterator it(path, ec);
    if (ec) {
        err << "cineledger-cli: cannot read directory " << dir << ": " << ec.message() << "\n";
        return false;
    }
    return true;
}

// The program's own words for a damaged file, one line each.
void PrintDamage(const StoreLoad& load, std::ostream& out) {
    if (load.report.damage) out << "  damaged: " << DamageLine(load) << "\n";
}

void PrintDamaged(const std::vector<StoreLoad>& loads, std::ostream& err) {
    for (const StoreLoad& load : loads)
        if (load.report.damage) err << DamageLine(load) << "\n";
}

bool AnyDamage(const std::vector<StoreLoad>& loads) {
    for (const StoreLoad& load : loads)
        if (load.report.damage) return true;
    return false;
}

void PrintStore(const Collection& c, const StoreLoad& load, std::ostream& out) {
    out << load.fileName << ": ";
    if (!load.report.opened) {
        out << "missing (empty store)\n";
        return;
    }
    switch (load.store) {
        case StoreFile::MainList:
            out << c.main.Count() << " movies, " << c.upcoming.Count() << " upcoming, " << c.freeNumbers.Count()
                << " free numbers, " << (c.version.empty() ? "older layout" : c.version) << ", password "
                << (c.password == kNoPassword ? "not set" : "set") << "\n";
            break;
        case StoreFile::Quarantine:
            out << c.quarantine.Count() << " titles\n";
            break;
        case StoreFile::Gimme:
            out << c.internalGimme.Count() << " titles\n";
            break;
        case StoreFile::Imdb:
            out << c.imdb.Count() << " database records\n";
            break;
        case StoreFile::Comments:
            out << c.comments.Count() << " comments\n";
            break;
        case StoreFile::History:
            out << c.history.Count() << " history records\n";
            break;
        case StoreFile::Media:
            out << c.media.Count() << " media records\n";
            break;
    }
    PrintDamage(load, out);
}

void PrintTitles(const MovieList& list, std::ostream& out) {
    for (const MovieRecord& record : list) out << record.title << "\n";
}

}  // namespace

int RunInfo(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        PrintUsage(err);
        return 2;
    }
    if (!UsableDirectory(args[0], err)) return 1;
    Collection c;
    const auto loads = LoadStores(c, PathFromNative(args[0]), SystemClock().Today());
    for (const StoreLoad& load : loads) PrintStore(c, load, out);
    AppSettings settings;
    const LoadReport report = LoadSettingsFile(PathFromNative(args[0]) / "Settings.dat", settings);
    out << "Settings.dat: " << (report.opened ? "" : "missing (built-in values) ") << "view mode " << settings.viewMode
        << ", format conversion " << settings.formatConversion << ", auto-save " << settings.autoSave
        << ", auto-backup " << settings.autoBackup << ", auto-database " << settings.autoImdb << ", title correction "
        << settings.titleCorrection << "\n";
    if (report.damage) out << "  damaged at line " << report.damage->line << ": " << report.damage->what << "\n";
    return AnyDamage(loads) || report.damage ? 1 : 0;
}

int RunList(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        PrintUsage(err);
        return 2;
    }
    const std::string& which = args[1];
    if (which != "main" && which != "upcoming" && which != "gimme" && which != "quarantine") {
        PrintUsage(err);
        return 2;
    }
    if (!UsableDirectory(args[0], err)) return 1;
    Collection c;
    const auto loads = LoadStores(c, PathFromNative(args[0]), SystemClock().Today());
    if (which == "main") PrintTitles(c.main, out);
    if (which == "upcoming") PrintTitles(c.upcoming, out);
    if (which == "gimme") PrintTitles(c.internalGimme, out);
    if (which == "quarantine") PrintTitles(c.quarantine.Titles(), out);
    PrintDamaged(loads, err);
    return 0;
}

int RunResave(const Args& args, std::ostream& out, std::ostream& err) {
    const bool force = !args.empty() && args[0] == "--force";
    const Args rest(args.begin() + (force ? 1 : 0), args.end());
    if (rest.size() != 1) {
        PrintUsage(err);
        return 2;
    }
    if (!UsableDirectory(rest[0], err)) return 1;
    Collection c;
    const auto loads = LoadStores(c, PathFromNative(rest[0]), SystemClock().Today());
    // A damaged store was not read to its last byte: saving needs --force, and even then the damaged
    // file is first kept whole beside it, as the program does.
    if (AnyDamage(loads) && !force) {
        PrintDamaged(loads, err);
        err << "cineledger-cli: not saved; saving would lose what follows the damage (use resave --force, "
               "which keeps each damaged file beside it first)\n";
        return 1;
    }
    const auto failures = SaveAll(c, PathFromNative(rest[0]), DefaultFileWriter());
    for (const StoreSaveFailure& failure : failures) err << failure.fileName << ": " << failure.error << "\n";
    if (!failures.empty()) return 1;
    out << "saved " << c.main.Count() << " movies and every store in " << rest[0] << "\n";
    return 0;
}

}  // namespace cl::cli
