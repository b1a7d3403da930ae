// The in-memory collection: movie records, the ordered movie lists, the known values that feed the
// drop-down lists, the pool of reusable movie numbers and the scratch copy of one movie.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/base/HashSlots.h"
#include "model/base/NodePool.h"
#include "model/base/Title.h"

namespace cl {

// One entry of a movie list. A field that the list's kind does not use is absent, not empty.
// The values of a record's presence, and the category the erotic-category lock hides.
inline constexpr std::string_view kPresent = "Present";
inline constexpr std::string_view kAbsent = "Absent";
inline constexpr std::string_view kEroticCategory = "Erotic";

struct MovieRecord {
    std::string title;
    std::optional<std::string> category;
    std::optional<std::string> presence;
    std::optional<std::string> location;
    std::optional<std::string> medium;
    std::int32_t number = 0;
};

// A movie list in its own sequence order. Lists built by ordered insertion are in ascending
// TitleOrder with no two titles equal under it; the Gimme commands and the network import put
// records at the front, which may leave the list unordered.
//
// While the sequence is strictly ascending an ordered index answers insertions in O(log n), and a title
// above the last one (as every title of a saved list is, read back in order) goes to the end after one
// comparison; once a front insertion breaks the order the insertion walks the sequence exactly as a
// linked list would. Lookups go through a hash of (length, every byte modulo 32), which SameTitle-equal
// titles share.
class MovieList {
  public:
    using Sequence = std::list<MovieRecord, PoolAllocator<MovieRecord>>;
    using const_iterator = Sequence::const_iterator;

    MovieList() = default;
    MovieList(const MovieList&) = delete;
    MovieList& operator=(const MovieList&) = delete;
    MovieList(MovieList&&) = default;
    MovieList& operator=(MovieList&&) = default;

    // Places the record before the first record (in sequence order) whose title is not below it.
    // 0: inserted; 1: that record's title is equal under TitleOrder, nothing changed.
    int InsertOrdered(MovieRecord record);

    // InsertOrdered of a record with the given title whose other fields fill(record) sets, building it
    // in its place in the list: nothing is copied or moved on the way in. fill must not change the title.
    template <class Fill>
    int InsertOrderedWith(std::string_view title, Fill fill) {
        const Place place = Locate(title);
        if (place.taken) return 1;
        Iter it = records_.emplace(place.position);
        it->title = title;
        fill(*it);
        Index(it, place.hint);
        return 0;
    }

    // Puts the record first without any duplicate test.
    void PushFront(MovieRecord record);

    // First record in sequence order whose title is the SameTitle as the given one.
    const MovieRecord* Find(std::string_view title) const;
    // As Find, for changing the record's other fields; the title must not be changed through it.
    MovieRecord* FindMutable(std::string_view title);
    bool Contains(std::string_view title) const { return Find(title) != nullptr; }

    // First record in sequence order whose title is byte for byte the given one.
    const MovieRecord* FindExact(std::string_view title) const;

    // First record in sequence order carrying the number.
    const MovieRecord* FindByNumber(std::int32_t number) const;

    // Unlinks the first SameTitle (or exact) record and hands it back; nullopt when none.
    std::optional<MovieRecord> Remove(std::string_view title);
    std::optional<MovieRecord> RemoveExact(std::string_view title);

    std::size_t Count() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }
    void Clear();

    // True while the sequence is strictly ascending under TitleOrder.
    bool IsOrdered() const { return ordered_; }

    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }

  private:
    using Iter = Sequence::iterator;

    struct IndexLess {
        using is_transparent = void;
        bool operator()(Iter a, Iter b) const { return TitleOrder(a->title, b->title) < 0; }
        bool operator()(Iter a, std::string_view b) const { return TitleOrder(a->title, b) < 0; }
        bool operator()(std::string_view a, Iter b) const { return TitleOrder(a, b->title) < 0; }
    };

    using TitleIndex = std::set<Iter, IndexLess>;

    // Where InsertOrdered puts a title: before `position` in the sequence, before `hint` in byTitle_
    // (while it is kept); `taken` when a record there has a title equal under TitleOrder.
    struct Place {
        Iter position;
        TitleIndex::const_iterator hint;
        bool taken = false;
    };

    static std::size_t TitleHash(std::string_view title);
    Place Locate(std::string_view title);
    // Enters a record just put in the sequence into the indexes.
    void Index(Iter it, TitleIndex::const_iterator hint);
    void Link(Iter position, TitleIndex::const_iterator hint, MovieRecord&& record);
    MovieRecord Unlink(Iter it);
    void DropOrder();
    // Fills byTitle_ from the sequence, which must be in order.
    void IndexTitles();
    template <class Match>
    Iter FindFirst(std::string_view title, Match match);

    Sequence records_;
    bool ordered_ = true;
    // While ordered_ and titleIndexed_, every record in title order. It is built by the first insertion
    // that needs it: a list read back from its file only ever appends, and never pays for it.
    TitleIndex byTitle_;
    bool titleIndexed_ = false;
    HashSlots<Iter> byHash_;  // always: every record under its TitleHash
};

// Values known for a drop-down list, in the order first seen, none two equal under TitleOrder.
class KnownValueList {
  public:
    // Appends the value unless an equal one is present; true when appended.
    bool Append(std::string_view value);
    bool Contains(std::string_view value) const { return seen_.find(value) != seen_.end(); }
    const std::vector<std::string>& Values() const { return values_; }
    std::size_t Count() const { return values_.size(); }
    void Clear();

  private:
    static std::size_t Hash(std::string_view value) { return HashBytes(value); }

    std::vector<std::string> values_;
    std::set<std::string, TitleLess> seen_;
    // Places in values_ by the hash of their exact bytes: the same spelling again, as nearly every
    // movie of a file brings, is known without walking seen_.
    HashSlots<std::size_t> exact_;
};

// Numbers of deleted Main movies waiting to be reused, ascending and unique.
class FreeNumberPool {
  public:
    void Add(std::int32_t number) { numbers_.insert(number); }
    // Removes and returns the smallest number; 0 when the pool is empty.
    std::int32_t Take();
    std::size_t Count() const { return numbers_.size(); }
    bool Empty() const { return numbers_.empty(); }
    void Clear() { numbers_.clear(); }
    std::set<std::int32_t>::const_iterator begin() const { return numbers_.begin(); }
    std::set<std::int32_t>::const_iterator end() const { return numbers_.end(); }

  private:
    std::set<std::int32_t> numbers_;
};

// The scratch copy of one movie through which commands and dialogs pass its fields.
struct CurrentMovie {
    std::optional<std::string> title;
    std::optional<std::string> category;
    std::optional<std::string> presence;
    std::optional<std::string> location;
    std::optional<std::string> medium;
    std::optional<std::string> comments;
    std::optional<std::string> dateOfEntry;
    std::optional<std::string> views;
    std::int32_t number = 0;

    // Every text becomes absent; the number stays, since callers read it after clearing.
    void Clear();
};

}  // namespace cl
