// The Main Locations and Category Search dialogs without their windows: the view of the Main Movie List each one
// ends in.
#pragma once

#include <string_view>

#include "ui/MainList.h"

namespace cl {

// Main Locations' TRACK: the main list shows the Main Movie List movies at the location (erotic movies only while
// the lock is open) under the Main mark alone, with the location as the caption.
void ShowMainByLocation(MainList& list, std::string_view location);

// Category Search's OK: the main window's view by category (no list marked; "Erotic" stays empty while the lock
// is closed).
void ShowMainByCategory(MainList& list, std::string_view category);

}  // namespace cl
