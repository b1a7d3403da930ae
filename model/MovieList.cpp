// Movie lists with the ordering of a sorted linked list, kept fast by an ordered index and a hash.
#include "model/MovieList.h"

#include <iterator>

namespace cl {

std::size_t MovieList::TitleHash(std::string_view title) {
    // FNV-1a over each byte modulo 32: bytes 32 apart hash alike, so SameTitle titles collide.
    std::uint64_t h = 14695981039346656037ull;
    for (char c : title) {
        h ^= static_cast<unsigned char>(c) & 31u;
        h *= 1099511628211ull;
    }
    h ^= title.size();
    h *= 1099511628211ull;
    return static_cast<std::size_t>(h);
}

void MovieList::Link(Iter position, MovieRecord record) {
    std::size_t hash = TitleHash(record.title);
    Iter it = records_.insert(position, std::move(record));
    byHash_.emplace(hash, it);
    if (ordered_) byTitle_.insert(it);
}

MovieRecord MovieList::Unlink(Iter it) {
    auto range = byHash_.equal_range(TitleHash(it->title));
    for (auto h = range.first; h != range.second; ++h) {
        if (h->second == it) {
            byHash_.erase(h);
            break;
        }
    }
    if (ordered_) byTitle_.erase(it);
    MovieRecord removed = std::move(*it);
    records_.erase(it);
    // An empty list is trivially in order again.
    if (records_.empty()) ordered_ = true;
    return removed;
}

void MovieList::DropOrder() {
    ordered_ = false;
    byTitle_.clear();
}

int MovieList::InsertOrdered(MovieRecord record) {
    Iter position;
    if (ordered_) {
        // In a strictly ascending list the first record not below the new title is the lower bound.
        auto found = byTitle_.lower_bound(std::string_view(record.title));
        position = found == byTitle_.end() ? records_.end() : *found;
    } else {
        position = records_.begin();
        while (position != records_.end() && TitleOrder(position->title, record.title) < 0) ++position;
    }
    if (position != records_.end() && TitleOrder(position->title, record.title) == 0) return 1;
    Link(position, std::move(record));
    return 0;
}

void MovieList::PushFront(MovieRecord record) {
    if (ordered_ && !records_.empty() && TitleOrder(record.title, records_.front().title) >= 0) DropOrder();
    Link(records_.begin(), std::move(record));
}

template <class Match>
MovieList::Iter MovieList::FindFirst(std::string_view title, Match match) {
    auto range = byHash_.equal_range(TitleHash(title));
    Iter best = records_.end();
    std::size_t matches = 0;
    for (auto h = range.first; h != range.second; ++h) {
        if (!match(h->second->title, title)) continue;
        ++matches;
        // In an ordered list sequence order is title order, so the smallest title comes first.
        if (best == records_.end() || TitleOrder(h->second->title, best->title) < 0) best = h->second;
    }
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
    byHash_.clear();
    byTitle_.clear();
    records_.clear();
    ordered_ = true;
}

bool KnownValueList::Append(std::string_view value) {
    if (seen_.find(value) != seen_.end()) return false;
    values_.emplace_back(value);
    seen_.emplace(value);
    return true;
}

void KnownValueList::Clear() {
    values_.clear();
    seen_.clear();
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
