// The shape shared by the comment, history, database and media stores: records in the order they were
// added, at most one per exact key, with a hash index so that lookups stay cheap in large collections.
#pragma once

#include <cstddef>
#include <iterator>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace cl {

// KeyOf is a functor giving the record's key string, as a mutable and as a const reference. The index
// holds views into the keys of the list nodes, which never move; a key is only changed through Rekey.
template <typename Record, typename KeyOf>
class KeyedList {
  public:
    using Sequence = std::list<Record>;
    using const_iterator = typename Sequence::const_iterator;

    KeyedList() = default;
    KeyedList(const KeyedList&) = delete;
    KeyedList& operator=(const KeyedList&) = delete;
    KeyedList(KeyedList&&) = default;
    KeyedList& operator=(KeyedList&&) = default;

    // The record with the key, or nullptr. Its key must not be changed through the pointer.
    Record* Find(std::string_view key) {
        auto found = index_.find(key);
        return found == index_.end() ? nullptr : &*found->second;
    }
    const Record* Find(std::string_view key) const {
        auto found = index_.find(key);
        return found == index_.end() ? nullptr : &*found->second;
    }

    // Appends a record whose key is not yet present (callers look it up first).
    Record& Append(Record record) {
        records_.push_back(std::move(record));
        auto it = std::prev(records_.end());
        index_.emplace(std::string_view(KeyOf{}(*it)), it);
        return *it;
    }

    // Unlinks the record with the key; false when there is none.
    bool Erase(std::string_view key) {
        auto found = index_.find(key);
        if (found == index_.end()) return false;
        auto it = found->second;
        index_.erase(found);
        records_.erase(it);
        return true;
    }

    // Gives the record with oldKey the key newKey, keeping its place. A record that already had newKey
    // is dropped, so that every key stays unique. False when no record has oldKey.
    bool Rekey(std::string_view oldKey, std::string_view newKey) {
        auto found = index_.find(oldKey);
        if (found == index_.end()) return false;
        if (oldKey == newKey) return true;
        std::string fresh(newKey);  // either view may point into a record that changes below
        auto it = found->second;
        index_.erase(found);
        Erase(fresh);
        KeyOf{}(*it) = std::move(fresh);
        index_.emplace(std::string_view(KeyOf{}(*it)), it);
        return true;
    }

    void Clear() {
        index_.clear();
        records_.clear();
    }

    std::size_t Count() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }

  private:
    Sequence records_;
    std::unordered_map<std::string_view, typename Sequence::iterator> index_;
};

}  // namespace cl
