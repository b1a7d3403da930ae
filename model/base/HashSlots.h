// The hash index behind the stores and the movie lists: a flat table of (hash, value) slots with linear
// probing. The values lead back to their keys (list iterators), so the table keeps only the hashes and
// the caller tells which value it wants. Several slots may share a hash. Growing by doubling moves the
// slots by their kept hashes without hashing any key again, and a lookup touches one contiguous run of
// slots instead of a chain of separately allocated nodes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace cl {

// The last 1 to 7 bytes of a key as one word (byte i in bits 8i to 8i + 7, the rest zero), read with
// fixed-size loads that may overlap: copying a variable length would call memcpy for a few bytes and
// then stall reading them back.
inline std::uint64_t TailWord(const char* p, std::size_t n) {
    const auto byte = [p](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])); };
    if (n >= 4) {
        std::uint32_t low;
        std::uint32_t high;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, p + n - 4, 4);
        if constexpr (std::endian::native != std::endian::little) {
            std::uint64_t word = 0;
            for (std::size_t i = 0; i < n; ++i) word |= byte(i) << (8 * i);
            return word;
        }
        // Bytes read twice land on the same bits with the same value.
        return low | (static_cast<std::uint64_t>(high) << (8 * (n - 4)));
    }
    return byte(0) | (byte(n / 2) << (8 * (n / 2))) | (byte(n - 1) << (8 * (n - 1)));
}

// A quick hash of a key's bytes, eight at a time, for the indexes below: keys are short titles and the
// table mixes the result again, so no more is needed than every byte and the length taking part.
inline std::size_t HashBytes(std::string_view key) {
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = key.size() * kMul;
    std::size_t i = 0;
    for (; i + 8 <= key.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, key.data() + i, 8);
        h = (h ^ word) * kMul;
        h ^= h >> 29;
    }
    if (i < key.size()) {
        h = (h ^ TailWord(key.data() + i, key.size() - i)) * kMul;
        h ^= h >> 29;
    }
    return static_cast<std::size_t>(h);
}

template <typename Value>
class HashSlots {
  public:
    std::size_t Count() const { return count_; }

    void Insert(std::size_t hash, Value value) {
        if ((count_ + 1) * 4 > tags_.size() * 3) Grow(tags_.empty() ? 16 : tags_.size() * 2);
        const std::size_t stored = Stored(hash);
        std::size_t i = Home(stored);
        while (tags_[i] != kEmpty) i = (i + 1) & mask_;
        tags_[i] = Tag(stored);
        slots_[i].hash = stored;
        slots_[i].value = std::move(value);
        ++count_;
    }

    // The first value under the hash that `match` accepts, or nullptr.
    template <typename Match>
    const Value* Find(std::size_t hash, Match match) const {
        const std::size_t at = FindSlot(hash, match);
        return at == kNone ? nullptr : &slots_[at].value;
    }

    // Calls visit(value) for every value under the hash, in no particular order.
    template <typename Visit>
    void ForEach(std::size_t hash, Visit visit) const {
        if (count_ == 0) return;
        const std::size_t stored = Stored(hash);
        const std::uint8_t tag = Tag(stored);
        for (std::size_t i = Home(stored); tags_[i] != kEmpty; i = (i + 1) & mask_) {
            if (tags_[i] == tag && slots_[i].hash == stored) visit(slots_[i].value);
        }
    }

    // Takes out the first value under the hash that `match` accepts; nullopt when none.
    template <typename Match>
    std::optional<Value> Remove(std::size_t hash, Match match) {
        std::size_t hole = FindSlot(hash, match);
        if (hole == kNone) return std::nullopt;
        std::optional<Value> removed(std::move(slots_[hole].value));
        // Close the gap: a later slot of the same run moves into the hole unless its home lies
        // cyclically after the hole (then the hole does not cut it off from its home).
        for (std::size_t j = (hole + 1) & mask_; tags_[j] != kEmpty; j = (j + 1) & mask_) {
            const std::size_t home = Home(slots_[j].hash);
            const bool reachable = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
            if (reachable) continue;
            tags_[hole] = tags_[j];
            slots_[hole] = std::move(slots_[j]);
            hole = j;
        }
        tags_[hole] = kEmpty;
        slots_[hole] = Slot{};
        --count_;
        return removed;
    }

    void Clear() {
        tags_.clear();
        slots_.clear();
        count_ = 0;
        mask_ = 0;
        shift_ = 64;
    }

  private:
    struct Slot {
        std::size_t hash = 0;
        Value value{};
    };
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    static constexpr std::uint8_t kEmpty = 0;

    // Hash 0 is kept as 1, so that a kept hash is never 0; the callers compare their keys anyway.
    static std::size_t Stored(std::size_t hash) { return hash == 0 ? 1 : hash; }

    // One byte per slot, 0 when the slot is empty, else seven bits of the hash with the top bit set.
    // Probing walks these bytes, a table a sixteenth the size of the slots that stays in the cache:
    // a new key finds its free slot there and only writes its slot, and a lookup reads a slot only
    // where the byte matches.
    static std::uint8_t Tag(std::size_t stored) { return static_cast<std::uint8_t>(0x80u | (stored & 0x7Fu)); }

    // The slot a hash starts from: the top bits of a multiplicative mix, good for weak low bits.
    std::size_t Home(std::size_t stored) const {
        return static_cast<std::size_t>((static_cast<std::uint64_t>(stored) * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    template <typename Match>
    std::size_t FindSlot(std::size_t hash, Match& match) const {
        if (count_ == 0) return kNone;
        const std::size_t stored = Stored(hash);
        const std::uint8_t tag = Tag(stored);
        for (std::size_t i = Home(stored); tags_[i] != kEmpty; i = (i + 1) & mask_) {
            if (tags_[i] == tag && slots_[i].hash == stored && match(slots_[i].value)) return i;
        }
        return kNone;
    }

    void Grow(std::size_t capacity) {
        std::vector<std::uint8_t> oldTags = std::move(tags_);
        std::vector<Slot> oldSlots = std::move(slots_);
        tags_.assign(capacity, kEmpty);
        slots_.resize(capacity);
        mask_ = capacity - 1;
        shift_ = 64;
        for (std::size_t c = capacity; c > 1; c >>= 1) --shift_;
        for (std::size_t j = 0; j < oldTags.size(); ++j) {
            if (oldTags[j] == kEmpty) continue;
            std::size_t i = Home(oldSlots[j].hash);
            while (tags_[i] != kEmpty) i = (i + 1) & mask_;
            tags_[i] = oldTags[j];
            slots_[i] = std::move(oldSlots[j]);
        }
    }

    std::vector<std::uint8_t> tags_;
    std::vector<Slot> slots_;  // the hash and value of each slot whose tag is set
    std::size_t count_ = 0;
    std::size_t mask_ = 0;
    unsigned shift_ = 64;
};

}  // namespace cl
