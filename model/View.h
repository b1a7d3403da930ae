// What the main window's list box shows: one of the four lists, or the Main Movie List seen through a filter.
// The view is a value: the commands change it, one refill draws it, and every rule that depends on what is shown
// asks the view, never the caption text.
#pragma once

#include <string>
#include <string_view>

#include "model/Collection.h"
#include "model/ListOperations.h"

namespace cl {

// The captions and filter values several places share.
inline constexpr std::string_view kMainCaption = "Main Movie List";
inline constexpr std::string_view kUpcomingCaption = "Upcoming Movie List";
inline constexpr std::string_view kGimmeCaption = "Gimme List";

// Which of the four "Movie List" menu items carries the check mark; None for a view by category or presence.
enum class ViewMark { None, Main, Upcoming, InternalGimme, ImportedGimme };

enum class ViewKind {
    Main,
    Upcoming,
    InternalGimme,
    ImportedGimme,
    MainLocation,  // the Main Movie List at one location (Main Locations), marked as the Main Movie List
    Category,      // the Main Movie List of one category, no list marked
    Presence,      // the Main Movie List's present or absent movies, no list marked
};

struct View {
    ViewKind kind = ViewKind::Main;
    std::string filter;  // the location, category or presence of a filtered view; empty otherwise

    static View Main() { return {ViewKind::Main, {}}; }
    static View Upcoming() { return {ViewKind::Upcoming, {}}; }
    static View InternalGimme() { return {ViewKind::InternalGimme, {}}; }
    static View ImportedGimme() { return {ViewKind::ImportedGimme, {}}; }
    static View AtLocation(std::string_view location) { return {ViewKind::MainLocation, std::string(location)}; }
    static View OfCategory(std::string_view category) { return {ViewKind::Category, std::string(category)}; }
    static View ByPresence(bool present) { return {ViewKind::Presence, std::string(present ? kPresent : kAbsent)}; }
    // The list a menu mark names; None, which no menu item names, stands for the whole Main Movie List.
    static View ForMark(ViewMark mark);

    // Whether the view shows the Main Movie List (whole or filtered).
    bool ShowsMainList() const;

    bool operator==(const View&) const = default;
};

ViewMark MarkOf(const View& view);

// The view after only the menu mark changed while the list box kept its lines: the lines keep the meaning the
// rules give a list under that mark (a filtered list under the Main mark is read as a location view of it, the
// whole Main Movie List with no list marked as a category view).
View WithMark(const View& shown, ViewMark mark);

// "Main Movie List", "Upcoming Movie List", "Gimme List", the imported list's caption, or the filter.
std::string CaptionOf(const View& view, const Collection& c);

// The titles the list box shows for the view. Erotic movies only while the lock is open; the category "Erotic"
// shows nothing at all while it is closed.
ListBoxFill FillFor(const View& view, const Collection& c);

// The caption of the Imported Gimme view: "Gimme Import-> " and the sender's name (the location of the list's
// first record), or "None" for an empty list.
std::string ImportedGimmeCaption(const MovieList& importedGimme);

}  // namespace cl
