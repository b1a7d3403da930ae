// The Main Locations and Category Search dialogs without their windows: the values their drop-down lists offer
// and the view of the Main Movie List each one ends in.
#pragma once

#include <string_view>

#include "app/MainShell.h"

namespace cl {

inline constexpr std::size_t kLocationReadMax = 30;  // characters of the Main Locations combo box read
inline constexpr std::size_t kCategoryReadMax = 29;  // characters of the Category Search combo box read

// Main Locations' TRACK: the mark goes to "Main Movie List" alone (whatever was shown before), the main list box
// shows the Main Movie List movies at the location (erotic movies only while the lock is open) and the caption is
// the location with the count.
void ShowMainByLocation(MainShell& shell, ShellUi& ui, std::string_view location);

// Category Search's OK: the main window's view by category (no list marked; "Erotic" stays empty while the lock
// is closed).
void ShowMainByCategory(MainShell& shell, std::string_view category);

}  // namespace cl
