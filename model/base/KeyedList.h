// The shape shared by the comment, history, database and media stores: records in the order they were
// added, at most one per exact key, with a hash index so that lookups stay cheap in large collections.
#pragma once

#include <cstddef>
#include <iterator>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "model/base/HashSlots.h"
#include "model/base/NodePool.h"

namespace cl {

// KeyOf is a functor giving the record's key string, as a mutable and as a const reference. The index
// holds iterators to the list nodes, which never move, under the hash of their keys; a key is only
// changed through Rekey.
template <typename Record, typename KeyOf>
class KeyedList {
  public:
    using Sequence = std::list<Record, PoolAllocator<Record>>;
    using const_iterator = typename Sequence::const_iterator;

    KeyedList() = default;
    KeyedList(const KeyedList&) = delete;
    KeyedList& operator=(const KeyedList&) = delete;
    KeyedList(KeyedList&&) = default;
    KeyedList& operator=(KeyedList&&) = default;

    // The record with the key, or nullptr. Its key must not be changed through the pointer.
    Record* Find(std::string_view key) {
        const Iter* found = index_.Find(Hash(key), Matches(key));
        return found == nullptr ? nullptr : &**found;
    }
    const Record* Find(std::string_view key) const {
        const Iter* found = index_.Find(Hash(key), Matches(key));
        return found == nullptr ? nullptr : &**found;
    }

    // Appends a record whose key is not yet present (callers look it up first).
    Record& Append(Record record) {
        records_.push_back(std::move(record));
        auto it = std::prev(records_.end());
        index_.Insert(Hash(KeyOf{}(*it)), it);
        return *it;
    }

    // Find, and when the key has no record, a default record appended and handed to fill(record), which
    // must give it the key `key`; the key is hashed once for both. The flag tells whether it was appended.
    template <typename Fill>
    std::pair<Record*, bool> FindOrAppend(std::string_view key, Fill fill) {
        const std::size_t hash = Hash(key);
        if (const Iter* found = index_.Find(hash, Matches(key))) return {&**found, false};
        Record& fresh = records_.emplace_back();
        fill(fresh);
        index_.Insert(hash, std::prev(records_.end()));
        return {&fresh, true};
    }

    // Unlinks the record with the key; false when there is none.
    bool Erase(std::string_view key) {
        std::optional<Iter> found = index_.Remove(Hash(key), Matches(key));
        if (!found) return false;
        records_.erase(*found);
        return true;
    }

    // Gives the record with oldKey the key newKey, keeping its place. A record that already had newKey
    // is dropped, so that every key stays unique. False when no record has oldKey.
    bool Rekey(std::string_view oldKey, std::string_view newKey) {
        const Iter* found = index_.Find(Hash(oldKey), Matches(oldKey));
        if (found == nullptr) return false;
        if (oldKey == newKey) return true;
        std::string fresh(newKey);  // either view may point into a record that changes below
        Iter it = *found;
        index_.Remove(Hash(KeyOf{}(*it)), [it](const Iter& candidate) { return candidate == it; });
        Erase(fresh);
        KeyOf{}(*it) = std::move(fresh);
        index_.Insert(Hash(KeyOf{}(*it)), it);
        return true;
    }

    void Clear() {
        index_.Clear();
        records_ = Sequence();  // a fresh list: the old one's node blocks go back to the heap
    }

    std::size_t Count() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }

  private:
    using Iter = typename Sequence::iterator;

    static std::size_t Hash(std::string_view key) { return HashBytes(key); }
    static auto Matches(std::string_view key) {
        return [key](const Iter& it) { return std::string_view(KeyOf{}(*it)) == key; };
    }

    Sequence records_;
    HashSlots<Iter> index_;  // one slot per record, by the hash of its key
};

}  // namespace cl
