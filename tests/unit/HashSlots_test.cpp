// The flat hash index, the node pool and the keyed list under the stores and movie lists, each against the standard
// container it stands in for.
#include "model/base/HashSlots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "model/base/KeyedList.h"
#include "model/base/NodePool.h"

namespace cl {
namespace {

std::vector<int> Values(const HashSlots<int>& slots, std::size_t hash) {
    std::vector<int> out;
    slots.ForEach(hash, [&out](int v) { out.push_back(v); });
    std::sort(out.begin(), out.end());
    return out;
}

TEST(HashSlots, MatchesAMultimapThroughGrowthAndRemovals) {
    std::mt19937 rng(5);
    HashSlots<int> slots;
    std::multimap<std::size_t, int> reference;
    // Few distinct hashes, so runs are long, shared and wrap around the table's end; removals shift slots back.
    // 0 is among them (the table keeps it as 1, which is why 1 is not).
    std::vector<std::size_t> hashes = {0, 5, 2, 3, 17, 1ull << 63, 12345678901ull, ~std::size_t{0}};
    for (int i = 0; i < 24; ++i) hashes.push_back((std::size_t{rng()} << 32) | rng());
    for (int step = 0; step < 20000; ++step) {
        const std::size_t hash = hashes[rng() % hashes.size()];
        const int value = static_cast<int>(rng() % 50);
        if (rng() % 3 != 0) {
            slots.Insert(hash, value);
            reference.emplace(hash, value);
        } else {
            const bool removed = slots.Remove(hash, [value](int v) { return v == value; }).has_value();
            auto range = reference.equal_range(hash);
            auto it = std::find_if(range.first, range.second, [value](const auto& e) { return e.second == value; });
            ASSERT_EQ(removed, it != range.second) << "step " << step;
            if (it != range.second) reference.erase(it);
        }
        ASSERT_EQ(slots.Count(), reference.size());
        if (step % 97 == 0) {
            for (std::size_t h : hashes) {
                std::vector<int> want;
                auto range = reference.equal_range(h);
                for (auto it = range.first; it != range.second; ++it) want.push_back(it->second);
                std::sort(want.begin(), want.end());
                ASSERT_EQ(Values(slots, h), want) << "step " << step;
                const int* found = slots.Find(h, [](int v) { return v % 2 == 1; });
                const auto odd = std::find_if(want.begin(), want.end(), [](int v) { return v % 2 == 1; });
                ASSERT_EQ(found == nullptr, odd == want.end());
            }
        }
    }
    slots.Clear();
    EXPECT_EQ(slots.Count(), 0u);
    EXPECT_EQ(slots.Find(3, [](int) { return true; }), nullptr);
}

TEST(NodePool, ListsReuseErasedNodesAndSurviveMovesAndSwaps) {
    using Pooled = std::list<std::string, PoolAllocator<std::string>>;
    std::mt19937 rng(9);
    Pooled a;
    std::list<std::string> reference;
    for (int step = 0; step < 5000; ++step) {
        const std::string value = "value " + std::to_string(rng() % 1000) + std::string(rng() % 40, 'x');
        if (rng() % 3 != 0 || reference.empty()) {
            a.push_back(value);
            reference.push_back(value);
        } else {
            auto it = a.begin();
            auto ref = reference.begin();
            const std::size_t at = rng() % reference.size();
            std::advance(it, at);
            std::advance(ref, at);
            a.erase(it);
            reference.erase(ref);
        }
    }
    EXPECT_TRUE(std::equal(a.begin(), a.end(), reference.begin(), reference.end()));

    // A moved list keeps its nodes and its pool; the moved-to list goes on allocating from it.
    Pooled b(std::move(a));
    b.push_front("front");
    reference.push_front("front");
    EXPECT_TRUE(std::equal(b.begin(), b.end(), reference.begin(), reference.end()));
    Pooled c;
    c.push_back("gone");
    c = std::move(b);
    EXPECT_TRUE(std::equal(c.begin(), c.end(), reference.begin(), reference.end()));
    Pooled d;
    d.push_back("d");
    std::swap(c, d);
    EXPECT_EQ(c.size(), 1u);
    EXPECT_EQ(c.front(), "d");
    EXPECT_TRUE(std::equal(d.begin(), d.end(), reference.begin(), reference.end()));
}

struct Keyed {
    std::string key;
    int value = 0;
};
struct KeyOfKeyed {
    std::string& operator()(Keyed& r) const { return r.key; }
    const std::string& operator()(const Keyed& r) const { return r.key; }
};

TEST(KeyedList, RekeyOntoATakenKeyKeepsBothAndLookupsFindTheFirstInOrder) {
    KeyedList<Keyed, KeyOfKeyed> list;
    for (int i = 0; i < 3; ++i) list.Append({std::string(1, static_cast<char>('a' + i)), i + 1});
    // "a" takes the key "c" in its place, before the "c" that was there: both stay, the first one is found.
    EXPECT_TRUE(list.Rekey("a", "c"));
    EXPECT_EQ(list.Find("a"), nullptr);
    EXPECT_EQ(list.Find("c")->value, 1);
    std::vector<int> values;
    list.ForEachWithKey("c", [&values](const Keyed& r) { values.push_back(r.value); });
    EXPECT_EQ(values, (std::vector<int>{1, 3}));
    EXPECT_TRUE(list.Erase("c"));
    EXPECT_EQ(list.Find("c")->value, 3);
    list.Clear();
    EXPECT_EQ(list.Find("c"), nullptr);
}

}  // namespace
}  // namespace cl
