// The movie list behaves exactly like the sorted linked list it replaces, whatever happens to it; plus the known
// values, the free numbers and the current movie.
#include "model/MovieList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace cl {
namespace {

using Strings = std::vector<std::string>;

Strings Titles(const MovieList& list) {
    Strings out;
    for (const MovieRecord& r : list) out.push_back(r.title);
    return out;
}

MovieRecord Rec(std::string title, std::int32_t number = 0) {
    MovieRecord r;
    r.title = std::move(title);
    r.number = number;
    return r;
}

// The linked list, literally: ordered insertion walks from the front and stops at the first title not below the
// new one (refusing it when equal), front insertion tests nothing, lookups take the first match.
struct ReferenceList {
    std::vector<MovieRecord> seq;

    int Insert(MovieRecord r) {
        auto it =
            std::find_if(seq.begin(), seq.end(), [&r](const auto& s) { return TitleOrder(s.title, r.title) >= 0; });
        if (it != seq.end() && TitleOrder(it->title, r.title) == 0) return 1;
        seq.insert(it, std::move(r));
        return 0;
    }
    std::vector<MovieRecord>::iterator First(const std::string& t, bool exact) {
        return std::find_if(seq.begin(), seq.end(),
                            [&](const MovieRecord& r) { return exact ? r.title == t : SameTitle(r.title, t); });
    }
};

// Random operations over titles full of near-ties ('a'/'A', '['/'{', ' '/'@'/'`', '1'/'\x11'); `sorted` first fills the
// list in order, as a load does.
void CompareWithReference(unsigned seed, int pushFrontPercent, std::size_t sorted) {
    std::mt19937 rng(seed);
    const std::string alphabet = "aAbB[{ @`1\x11";
    const auto title = [&] {
        std::string t;
        for (std::size_t i = rng() % 4; i > 0; --i) t += alphabet[rng() % alphabet.size()];
        return t;
    };
    MovieList list;
    ReferenceList ref;
    Strings start;
    for (std::size_t i = 0; i < sorted; ++i) start.push_back(title() + std::to_string(i));
    std::sort(start.begin(), start.end(), [](const auto& a, const auto& b) { return TitleOrder(a, b) < 0; });
    for (const std::string& t : start) ASSERT_EQ(list.InsertOrdered(Rec(t)), ref.Insert(Rec(t)));
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        const std::string t = title();
        const auto n = static_cast<std::int32_t>(step);
        const int op = static_cast<int>(rng() % 100);
        const bool exact = op % 2 == 0;
        if (op < pushFrontPercent) {
            list.PushFront(Rec(t, n));
            ref.seq.insert(ref.seq.begin(), Rec(t, n));
        } else if (op < 45) {
            ASSERT_EQ(list.InsertOrdered(Rec(t, n)), ref.Insert(Rec(t, n)));
        } else if (op < 55) {
            ASSERT_EQ(list.InsertOrderedWith(t, [n](MovieRecord& r) { r.number = n; }), ref.Insert(Rec(t, n)));
        } else if (op < 75) {
            auto got = exact ? list.RemoveExact(t) : list.Remove(t);
            auto want = ref.First(t, exact);
            ASSERT_EQ(got.has_value(), want != ref.seq.end());
            if (got) {
                ASSERT_EQ(got->number, want->number);
                ref.seq.erase(want);
            }
        } else if (op < 99) {
            const MovieRecord* got = exact ? list.FindExact(t) : list.Find(t);
            auto want = ref.First(t, exact);
            ASSERT_EQ(got != nullptr, want != ref.seq.end());
            if (got) {
                ASSERT_EQ(got->number, want->number);
            }
        } else {
            list.Clear();
            ref.seq.clear();
        }
        ASSERT_EQ(list.Count(), ref.seq.size());
    }
    Strings want;
    for (const MovieRecord& r : ref.seq) want.push_back(r.title);
    EXPECT_EQ(Titles(list), want);
    MovieList moved(std::move(list));
    EXPECT_EQ(Titles(moved), want);
    EXPECT_EQ(moved.InsertOrdered(Rec("zz")), ref.Insert(Rec("zz")));
}

TEST(MovieList, OrderedInsertionRemovalAndLookupMatchTheLinkedList) {
    for (unsigned seed = 1; seed <= 4; ++seed) CompareWithReference(seed, 0, seed % 2 ? 0 : 300);
}

TEST(MovieList, FrontInsertionsKeepTheLinkedListsWalk) {
    for (unsigned seed = 11; seed <= 14; ++seed) CompareWithReference(seed, 15, seed % 2 ? 0 : 300);
    MovieList list;
    list.InsertOrdered(Rec("b"));
    list.InsertOrdered(Rec("d"));
    list.PushFront(Rec("z"));
    // The walk stops at "z" at the front: "c" goes before it, and "B" is not refused though "b" is there.
    EXPECT_EQ(list.InsertOrdered(Rec("c")), 0);
    EXPECT_EQ(list.InsertOrdered(Rec("B")), 0);
    EXPECT_EQ(Titles(list), (Strings{"B", "c", "z", "b", "d"}));
}

TEST(MovieList, FindByNumberGivesTheFirstInListOrder) {
    MovieList list;
    list.InsertOrdered(Rec("b", 7));
    list.InsertOrdered(Rec("a", 7));
    EXPECT_EQ(list.FindByNumber(7)->title, "a");
    EXPECT_EQ(list.FindByNumber(8), nullptr);
}

TEST(KnownValueList, KeepsTheFirstSpellingInTheOrderFirstSeen) {
    KnownValueList known;
    EXPECT_TRUE(known.Append("Horror"));
    EXPECT_TRUE(known.Append("Action"));
    EXPECT_FALSE(known.Append("HORROR"));
    EXPECT_TRUE(known.Append("Action "));
    EXPECT_EQ(known.Values(), (Strings{"Horror", "Action", "Action "}));
    EXPECT_TRUE(known.Contains("action"));
    known.Clear();
    EXPECT_TRUE(known.Append("horror"));
    EXPECT_EQ(known.Values(), Strings{"horror"});
}

TEST(FreeNumberPool, GivesTheSmallestOnceAndZeroWhenEmpty) {
    FreeNumberPool pool;
    for (const std::int32_t n : {7, 3, 7}) pool.Add(n);
    EXPECT_EQ(pool.Take(), 3);
    EXPECT_EQ(pool.Take(), 7);
    EXPECT_EQ(pool.Take(), 0);
}

}  // namespace
}  // namespace cl
