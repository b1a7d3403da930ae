// The shape shared by the comment, history, database and media stores: records in the order they were
// added, with a hash index so that lookups stay cheap in large collections. A key has one record, except
// after a rename onto a key that already had one: both records then stay (the store operations never drop a
// record a rename meets), and every lookup finds the first of them in the order of the records.
#pragma once

#include <cstddef>
#include <cstdint>
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
// changed through Rekey. Records are only ever appended, so the order in which they were appended (kept
// beside each iterator) is the order of the list.
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

    // The first record with the key, or nullptr. Its key must not be changed through the pointer.
    Record* Find(std::string_view key) {
        const Entry* found = First(Hash(key), key);
        return found == nullptr ? nullptr : &*found->it;
    }
    const Record* Find(std::string_view key) const {
        const Entry* found = First(Hash(key), key);
        return found == nullptr ? nullptr : &*found->it;
    }

    // Calls visit(record) for every record with the key, in the order of the records.
    template <typename Visit>
    void ForEachWithKey(std::string_view key, Visit visit) const {
        const std::size_t hash = Hash(key);
        if (!shared_) {
            if (const Entry* found = First(hash, key)) visit(std::as_const(*found->it));
            return;
        }
        std::uint64_t after = 0;  // every record with the key, lowest order first
        for (;;) {
            const Entry* next = nullptr;
            index_.ForEach(hash, [&](const Entry& e) {
                if (e.order >= after && KeyIs(e, key) && (next == nullptr || e.order < next->order)) next = &e;
            });
            if (next == nullptr) return;
            visit(std::as_const(*next->it));
            after = next->order + 1;
        }
    }

    // Appends a record whose key is not yet present (callers look it up first).
    Record& Append(Record record) {
        records_.push_back(std::move(record));
        auto it = std::prev(records_.end());
        index_.Insert(Hash(KeyOf{}(*it)), Entry{it, next_++});
        return *it;
    }

    // For a caller that keeps later records of a key aside (the index never holding two of one key, whose slots
    // would crowd together): a record appended that lookups do not see, and Index, which lets them see it once its
    // key has no indexed record.
    using iterator = typename Sequence::iterator;
    iterator AppendUnindexed(Record&& record) {
        records_.push_back(std::move(record));
        return std::prev(records_.end());
    }
    void Index(iterator it) { index_.Insert(Hash(KeyOf{}(*it)), Entry{it, next_++}); }

    // Find, and when the key has no record, a default record appended and handed to fill(record), which
    // must give it the key `key`; the key is hashed once for both. The flag tells whether it was appended.
    template <typename Fill>
    std::pair<Record*, bool> FindOrAppend(std::string_view key, Fill fill) {
        const std::size_t hash = Hash(key);
        if (const Entry* found = First(hash, key)) return {&*found->it, false};
        Record& fresh = records_.emplace_back();
        fill(fresh);
        index_.Insert(hash, Entry{std::prev(records_.end()), next_++});
        return {&fresh, true};
    }

    // Unlinks the first record with the key; false when there is none.
    bool Erase(std::string_view key) {
        const std::size_t hash = Hash(key);
        const Entry* found = First(hash, key);
        if (found == nullptr) return false;
        const Iter it = found->it;
        index_.Remove(hash, [it](const Entry& e) { return e.it == it; });
        records_.erase(it);
        return true;
    }

    // Gives the first record with oldKey the key newKey, keeping its place. A record that already had
    // newKey stays as it is. False when no record has oldKey.
    bool Rekey(std::string_view oldKey, std::string_view newKey) {
        const std::size_t oldHash = Hash(oldKey);
        const Entry* found = First(oldHash, oldKey);
        if (found == nullptr) return false;
        if (oldKey == newKey) return true;
        std::string fresh(newKey);  // either view may point into a record that changes below
        const Entry moved = *found;
        const std::size_t newHash = Hash(fresh);
        if (First(newHash, fresh) != nullptr) shared_ = true;
        index_.Remove(oldHash, [&moved](const Entry& e) { return e.it == moved.it; });
        KeyOf{}(*moved.it) = std::move(fresh);
        index_.Insert(newHash, moved);
        return true;
    }

    void Clear() {
        index_.Clear();
        records_ = Sequence();  // a fresh list: the old one's node blocks go back to the heap
        next_ = 0;
        shared_ = false;
    }

    std::size_t Count() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }

  private:
    using Iter = typename Sequence::iterator;
    struct Entry {
        Iter it{};
        std::uint64_t order = 0;  // when the record was appended
    };

    static std::size_t Hash(std::string_view key) { return HashBytes(key); }
    static bool KeyIs(const Entry& e, std::string_view key) { return std::string_view(KeyOf{}(*e.it)) == key; }

    // The entry of the first record with the key. Until a rename has met a taken key, keys are unique and
    // the first match is the only one.
    const Entry* First(std::size_t hash, std::string_view key) const {
        const auto matches = [key](const Entry& e) { return KeyIs(e, key); };
        if (!shared_) return index_.Find(hash, matches);
        const Entry* first = nullptr;
        index_.ForEach(hash, [&](const Entry& e) {
            if (KeyIs(e, key) && (first == nullptr || e.order < first->order)) first = &e;
        });
        return first;
    }

    Sequence records_;
    HashSlots<Entry> index_;  // one slot per record, by the hash of its key
    std::uint64_t next_ = 0;  // the order the next appended record gets
    bool shared_ = false;     // a rename has given a key a second record
};

}  // namespace cl
