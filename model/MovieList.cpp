// Movie lists with the ordering of a sorted linked list, kept fast by an ordered index and a hash.
#include "model/MovieList.h"

#include <cstring>
#include <iterator>

namespace cl {

std::size_t MovieList::TitleHash(std::string_view title) {
    // Every byte modulo 32, so that bytes 32 apart (the SameTitle pairs) hash alike, eight at a time.
    constexpr std::uint64_t kLow5 = 0x1F1F1F1F1F1F1F1Full;
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = title.size() * kMul;
    std::size_t i = 0;
    for (; i + 8 <= title.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, title.data() + i, 8);
        h = (h ^ (word & kLow5)) * kMul;
        h ^= h >> 29;
    }
    if (i < title.size()) {
        h = (h ^ (TailWord(title.data() + i, title.size() - i) & kLow5)) * kMul;
        h ^= h >> 29;
    }
    return static_cast<std::size_t>(h);
}

void MovieList::Index(Iter it, TitleIndex::const_iterator hint) {
    byHash_.Insert(TitleHash(it->title), it);
    if (ordered_ && titleIndexed_) byTitle_.insert(hint, it);
}

void MovieList::Link(Iter position, TitleIndex::const_iterator hint, MovieRecord&& record) {
    Index(records_.insert(position, std::move(record)), hint);
}

MovieRecord MovieList::Unlink(Iter it) {
    byHash_.Remove(TitleHash(it->title), [it](const Iter& candidate) { return candidate == it; });
    if (ordered_ && titleIndexed_) byTitle_.erase(it);
    MovieRecord removed = std::move(*it);
    records_.erase(it);
    // An empty list is trivially in order again.
    if (records_.empty()) ordered_ = true;
    return removed;
}

void MovieList::DropOrder() {
    ordered_ = false;
    byTitle_.clear();
    titleIndexed_ = false;
}

void MovieList::IndexTitles() {
    byTitle_.clear();
    for (Iter it = records_.begin(); it != records_.end(); ++it) byTitle_.insert(byTitle_.end(), it);
    titleIndexed_ = true;
}

MovieList::Place MovieList::Locate(std::string_view title) {
    if (ordered_) {
        // A title above the last one goes to the end: in a strictly ascending list it is above all.
        if (records_.empty() || TitleOrder(records_.back().title, title) < 0) {
            return Place{records_.end(), byTitle_.end()};
        }
        // Otherwise the first record not below the new title is the lower bound.
        if (!titleIndexed_) IndexTitles();
        auto found = byTitle_.lower_bound(title);
        Iter position = found == byTitle_.end() ? records_.end() : *found;
        return Place{position, found, position != records_.end() && TitleOrder(position->title, title) == 0};
    }
    Iter position = records_.begin();
    while (position != records_.end() && TitleOrder(position->title, title) < 0) ++position;
    return Place{position, byTitle_.end(), position != records_.end() && TitleOrder(position->title, title) == 0};
}

int MovieList::InsertOrdered(MovieRecord record) {
    const Place place = Locate(record.title);
    if (place.taken) return 1;
    Link(place.position, place.hint, std::move(record));
    return 0;
}

void MovieList::PushFront(MovieRecord record) {
    if (ordered_ && !records_.empty() && TitleOrder(record.title, records_.front().title) >= 0) DropOrder();
    Link(records_.begin(), byTitle_.begin(), std::move(record));
}

template <class Match>
MovieList::Iter MovieList::FindFirst(std::string_view title, Match match) {
    Iter best = records_.end();
    std::size_t matches = 0;
    byHash_.ForEach(TitleHash(title), [&](const Iter& candidate) {
        if (!match(candidate->title, title)) return;
        ++matches;
        // In an ordered list sequence order is title order, so the smallest title comes first.
        if (best == records_.end() || TitleOrder(candidate->title, best->title) < 0) best = candidate;
    });
    if (matches <= 1 || ordered_) return best;
    // Several matches in an unordered list (front insertions without a duplicate test): only the
    // sequence itself knows which comes first.
    for (Iter it = records_.begin(); it != records_.end(); ++it) {
        if (match(it->title, title)) return it;
    }
    return records_.end();
}

namespace {

bool ExactTitle(std::string_view a, std::string_view b) {
    return a == b;
}

}  // namespace

const MovieRecord* MovieList::Find(std::string_view title) const {
    return const_cast<MovieList*>(this)->FindMutable(title);
}

MovieRecord* MovieList::FindMutable(std::string_view title) {
    Iter it = FindFirst(title, SameTitle);
    return it == records_.end() ? nullptr : &*it;
}

const MovieRecord* MovieList::FindExact(std::string_view title) const {
    auto* self = const_cast<MovieList*>(this);
    Iter it = self->FindFirst(title, ExactTitle);
    return it == self->records_.end() ? nullptr : &*it;
}

const MovieRecord* MovieList::FindByNumber(std::int32_t number) const {
    for (const MovieRecord& r : records_) {
        if (r.number == number) return &r;
    }
    return nullptr;
}

std::optional<MovieRecord> MovieList::Remove(std::string_view title) {
    Iter it = FindFirst(title, SameTitle);
    if (it == records_.end()) return std::nullopt;
    return Unlink(it);
}

std::optional<MovieRecord> MovieList::RemoveExact(std::string_view title) {
    Iter it = FindFirst(title, ExactTitle);
    if (it == records_.end()) return std::nullopt;
    return Unlink(it);
}

void MovieList::Clear() {
    byHash_.Clear();
    byTitle_.clear();
    titleIndexed_ = false;
    records_ = Sequence();  // a fresh list: the old one's node blocks go back to the heap
    ordered_ = true;
}

bool KnownValueList::Append(std::string_view value) {
    const std::size_t hash = Hash(value);
    if (exact_.Find(hash, [this, value](std::size_t at) { return values_[at] == value; })) return false;
    if (seen_.find(value) != seen_.end()) return false;
    values_.emplace_back(value);
    seen_.emplace(value);
    exact_.Insert(hash, values_.size() - 1);
    return true;
}

void KnownValueList::Clear() {
    values_.clear();
    seen_.clear();
    exact_.Clear();
}

std::int32_t FreeNumberPool::Take() {
    if (numbers_.empty()) return 0;
    std::int32_t smallest = *numbers_.begin();
    numbers_.erase(numbers_.begin());
    return smallest;
}

void CurrentMovie::Clear() {
    title.reset();
    category.reset();
    presence.reset();
    location.reset();
    medium.reset();
    comments.reset();
    dateOfEntry.reset();
    views.reset();
}

}  // namespace cl
