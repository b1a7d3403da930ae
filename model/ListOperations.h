// The operations the dialogs and commands perform on the Main and Upcoming Movie Lists, the choice of
// a new movie's number, and which titles a list box shows for each view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/MovieList.h"

namespace cl {

// ---- Main Movie List ----

// The values of a Main Movie List record besides its number.
struct MainMovieValues {
    std::string_view title;
    std::string_view category;
    std::string_view presence;
    std::string_view location;
    std::string_view medium;
};

// True: inserted at its ordered place. False: a title equal under TitleOrder is present, nothing changed.
bool InsertMainMovie(MovieList& main, const MainMovieValues& values, std::int32_t number);

// Removes the first record with the SameTitle. Unless keepNumber is set its number becomes free for
// reuse. A missing title changes nothing; false then.
bool RemoveMainMovie(MovieList& main, FreeNumberPool& pool, std::string_view title, bool keepNumber);

// The number search: true and the current movie's title set when some record carries the number.
bool FindMainByNumber(const MovieList& main, std::int32_t number, CurrentMovie& current);

// The three ways a Main movie is copied into the current movie. The first two change nothing and
// return false for a missing title; the imported variant fills in "Unknown" values instead.
bool LoadMainForDisplay(const MovieList& main, std::string_view title, CurrentMovie& current);
bool LoadMainForEditing(const MovieList& main, std::string_view title, CurrentMovie& current);
void LoadMainForImported(const MovieList& main, std::string_view title, CurrentMovie& current);

enum class PresenceMode { Present = 3, Absent = 4 };

// Sets presence and location of one title. False when the title is missing: the caller then shows
// MissingTitleMessage(title) and goes on with the next title.
bool SetMainPresence(MovieList& main, std::string_view title, std::string_view location, PresenceMode mode);
std::string MissingTitleMessage(std::string_view title);

// Takes the smallest free number, or the count plus one when none is free.
std::int32_t AssignMainNumber(FreeNumberPool& pool, const MovieList& main);

// Inserts a new Main movie with a number chosen by AssignMainNumber, which is handed back through
// `number`. A refused duplicate (false) gives a number it took from the pool back; a number the pool did not hold
// stays unused, so no number that was never a movie's reaches the pool.
bool InsertNewMainMovie(MovieList& main, FreeNumberPool& pool, const MainMovieValues& values, std::int32_t& number);

// ---- Upcoming Movie List ----

// True when inserted; false when a title equal under TitleOrder is present.
bool InsertUpcomingMovie(MovieList& upcoming, std::string_view title, std::string_view category,
                         std::string_view location);
bool RemoveUpcomingMovie(MovieList& upcoming, std::string_view title);
bool LoadUpcoming(const MovieList& upcoming, std::string_view title, CurrentMovie& current);
bool LoadUpcomingTitleAndLocation(const MovieList& upcoming, std::string_view title, CurrentMovie& current);
void LoadUpcomingForImported(const MovieList& upcoming, std::string_view title, CurrentMovie& current);

// ---- List-box filling ----

enum class FillVariant { All, ByPresence, ByLocation, ByCategory, Plain };

// What a list box is to show: titles in list order (they point into the list, valid until it
// changes) and the greatest title length, from which the caller sets the horizontal extent.
struct ListBoxFill {
    std::vector<std::string_view> titles;
    std::size_t longestTitle = 0;
};

// `value` is the presence, location or category the variant filters by (ignored for All and Plain).
// All, ByPresence and ByLocation hide "Erotic" movies while eroticVisible is false; ByCategory and
// Plain do not, the By Category view guards that itself.
ListBoxFill FillListBox(const MovieList& list, FillVariant variant, std::string_view value, bool eroticVisible);

}  // namespace cl
