// What the user is told about store files that were not read to their last byte, and the name a damaged
// file is kept under before anything writes over it. The same texts serve the program's message box and
// the command-line companion.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Collection.h"

namespace cl {

// "Comments.dat, line 12: comment longer than 509 characters; reading stopped there after 11 records."
// Empty for a load without damage.
std::string DamageLine(const StoreLoad& load);

// The one message shown after the stores were read (at start-up, or from the backup files): which files
// were damaged, where, what was read, and that each is kept whole before it is written over. When
// `backupsLeftAlone`, Auto-Backup has just run and left the damaged stores' backups as they were, which
// the message says too. Empty when no file was damaged.
std::string DamageMessage(const std::vector<StoreLoad>& loads, bool backupsLeftAlone);

// The name beside it under which a damaged file is kept: "Comments.dat.damaged-2026-12-06", or with "-2",
// "-3", ... after it while `taken` says an earlier copy has the name.
std::string KeptDamagedName(std::string_view fileName, std::string_view date,
                            const std::function<bool(const std::string&)>& taken);

}  // namespace cl
