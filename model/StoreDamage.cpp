// Damage texts and the names of kept damaged files.
#include "model/StoreDamage.h"

namespace cl {

std::string DamageLine(const StoreLoad& load) {
    if (!load.report.damage) return {};
    const Damage& d = *load.report.damage;
    const std::size_t n = load.report.records;
    return load.fileName + ", line " + std::to_string(d.line) + ": " + d.what + "; reading stopped there after " +
           std::to_string(n) + (n == 1 ? " record." : " records.");
}

std::string DamageMessage(const std::vector<StoreLoad>& loads, bool backupsLeftAlone) {
    std::string lines;
    std::string backups;
    for (const StoreLoad& load : loads) {
        if (!load.report.damage) continue;
        lines += DamageLine(load) + "\n";
        if (!backups.empty()) backups += ", ";
        backups += StoreFileName(load.store, true);
    }
    if (lines.empty()) return {};
    std::string text = "Not all of the collection could be read. These files were read only up to the line named:\n\n" +
                       lines +
                       "\nWhat follows is not shown, and nothing has been changed on disk. Before CineLedger writes "
                       "over one of these files, it keeps the whole file beside it, named after it with \".damaged-\" "
                       "and the date.";
    if (backupsLeftAlone) text += "\nAuto-Backup has left their backups (" + backups + ") as they were.";
    return text;
}

std::string KeptDamagedName(std::string_view fileName, std::string_view date,
                            const std::function<bool(const std::string&)>& taken) {
    const std::string base = std::string(fileName) + ".damaged-" + std::string(date);
    std::string name = base;
    for (int n = 2; taken(name); ++n) name = base + "-" + std::to_string(n);
    return name;
}

}  // namespace cl
