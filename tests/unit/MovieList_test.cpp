// The movie list must behave exactly like the sorted linked list it replaces, only faster; plus the
// known values, the free number pool and the current movie.
#include "model/MovieList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

namespace cl {
namespace {

MovieRecord Rec(std::string title, std::int32_t number = 0) {
    MovieRecord r;
    r.title = std::move(title);
    r.number = number;
    return r;
}

std::vector<std::string> Titles(const MovieList& list) {
    std::vector<std::string> out;
    for (const MovieRecord& r : list) out.push_back(r.title);
    return out;
}

// The literal linked-list behaviour, kept as simple as possible to serve as the reference.
struct ReferenceList {
    std::vector<MovieRecord> seq;

    int Insert(MovieRecord r) {
        std::size_t i = 0;
        while (i < seq.size() && TitleOrder(seq[i].title, r.title) < 0) ++i;
        if (i < seq.size() && TitleOrder(seq[i].title, r.title) == 0) return 1;
        seq.insert(seq.begin() + static_cast<std::ptrdiff_t>(i), std::move(r));
        return 0;
    }
    void PushFront(MovieRecord r) { seq.insert(seq.begin(), std::move(r)); }
    template <class Match>
    const MovieRecord* First(const std::string& t, Match m) const {
        for (const MovieRecord& r : seq) {
            if (m(r.title, t)) return &r;
        }
        return nullptr;
    }
    template <class Match>
    std::optional<std::int32_t> Remove(const std::string& t, Match m) {
        for (std::size_t i = 0; i < seq.size(); ++i) {
            if (m(seq[i].title, t)) {
                std::int32_t n = seq[i].number;
                seq.erase(seq.begin() + static_cast<std::ptrdiff_t>(i));
                return n;
            }
        }
        return std::nullopt;
    }
};

bool Exact(std::string_view a, std::string_view b) {
    return a == b;
}

// Random operations over a tiny alphabet full of near-ties ('a'/'A', '['/'{', ' '/'@'/'`').
void CompareWithReference(unsigned seed, int pushFrontPercent) {
    std::mt19937 rng(seed);
    const std::string alphabet = "aAbB[{ @`";
    auto randomTitle = [&] {
        std::string t;
        std::size_t len = rng() % 3;
        for (std::size_t i = 0; i < len; ++i) t += alphabet[rng() % alphabet.size()];
        return t;
    };
    MovieList list;
    ReferenceList ref;
    for (int step = 0; step < 3000; ++step) {
        std::string t = randomTitle();
        int op = static_cast<int>(rng() % 100);
        auto n = static_cast<std::int32_t>(step);
        if (op < pushFrontPercent) {
            list.PushFront(Rec(t, n));
            ref.PushFront(Rec(t, n));
        } else if (op < 55) {
            ASSERT_EQ(list.InsertOrdered(Rec(t, n)), ref.Insert(Rec(t, n))) << "step " << step;
        } else if (op < 70) {
            auto got = list.Remove(t);
            auto want = ref.Remove(t, SameTitle);
            ASSERT_EQ(got.has_value(), want.has_value());
            if (got) {
                ASSERT_EQ(got->number, *want);
            }
        } else if (op < 78) {
            auto got = list.RemoveExact(t);
            auto want = ref.Remove(t, Exact);
            ASSERT_EQ(got.has_value(), want.has_value());
            if (got) {
                ASSERT_EQ(got->number, *want);
            }
        } else if (op < 90) {
            const MovieRecord* got = list.Find(t);
            const MovieRecord* want = ref.First(t, SameTitle);
            ASSERT_EQ(got == nullptr, want == nullptr);
            if (got) {
                ASSERT_EQ(got->number, want->number) << "step " << step;
            }
        } else if (op < 99) {
            const MovieRecord* got = list.FindExact(t);
            const MovieRecord* want = ref.First(t, Exact);
            ASSERT_EQ(got == nullptr, want == nullptr);
            if (got) {
                ASSERT_EQ(got->number, want->number);
            }
        } else {
            list.Clear();
            ref.seq.clear();
        }
        ASSERT_EQ(list.Count(), ref.seq.size());
    }
    std::vector<std::string> want;
    for (const MovieRecord& r : ref.seq) want.push_back(r.title);
    EXPECT_EQ(Titles(list), want);
}

TEST(MovieListReference, OrderedInsertionRemovalAndLookupMatchTheLinkedList) {
    for (unsigned seed = 1; seed <= 5; ++seed) CompareWithReference(seed, 0);
}

TEST(MovieListReference, FrontInsertionsKeepLinkedListSemantics) {
    for (unsigned seed = 11; seed <= 15; ++seed) CompareWithReference(seed, 15);
}

TEST(MovieList, OrderedInsertionRefusesTitleOrderEqualAndPlacesPrefixesFirst) {
    MovieList list;
    EXPECT_EQ(list.InsertOrdered(Rec("The Matrix")), 0);
    EXPECT_EQ(list.InsertOrdered(Rec("the matrix")), 1);
    EXPECT_EQ(list.InsertOrdered(Rec("matrix reloaded")), 0);
    EXPECT_EQ(list.InsertOrdered(Rec("Matrix")), 0);
    EXPECT_EQ(list.InsertOrdered(Rec("alien 3")), 0);
    EXPECT_EQ(list.InsertOrdered(Rec("Alien")), 0);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"Alien", "alien 3", "Matrix", "matrix reloaded", "The Matrix"}));
    EXPECT_TRUE(list.IsOrdered());
}

TEST(MovieList, BracketAndBraceAreTwoTitlesButOneForLookups) {
    MovieList list;
    EXPECT_EQ(list.InsertOrdered(Rec("a{", 2)), 0);
    EXPECT_EQ(list.InsertOrdered(Rec("a[", 1)), 0);
    EXPECT_EQ(list.Count(), 2u);
    // Lookups give the first in list order, whichever spelling is asked for.
    ASSERT_NE(list.Find("a{"), nullptr);
    EXPECT_EQ(list.Find("a{")->number, 1);
    EXPECT_EQ(list.FindExact("a{")->number, 2);
    EXPECT_EQ(list.Remove("A{")->number, 1);
    EXPECT_EQ(list.Find("a[")->number, 2);
}

TEST(MovieList, FrontInsertionOutOfOrderFallsBackToTheWalk) {
    MovieList list;
    list.InsertOrdered(Rec("b"));
    list.InsertOrdered(Rec("d"));
    list.PushFront(Rec("z"));
    EXPECT_FALSE(list.IsOrdered());
    // The walk stops at the first record not below "c", which is "z" at the front.
    EXPECT_EQ(list.InsertOrdered(Rec("c")), 0);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"c", "z", "b", "d"}));
    // "b" is present but the walk stops at "c" first: not refused.
    EXPECT_EQ(list.InsertOrdered(Rec("B")), 0);
    EXPECT_EQ(Titles(list), (std::vector<std::string>{"B", "c", "z", "b", "d"}));
}

TEST(MovieList, RemovingTheOnlyRecordEmptiesTheListAndAMissingTitleChangesNothing) {
    MovieList list;
    list.InsertOrdered(Rec("Alien"));
    EXPECT_FALSE(list.Remove("Aliens").has_value());
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_TRUE(list.Remove("ALIEN").has_value());
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.begin(), list.end());
}

TEST(MovieList, FindByNumberGivesTheFirstInListOrder) {
    MovieList list;
    list.InsertOrdered(Rec("b", 7));
    list.InsertOrdered(Rec("a", 7));
    ASSERT_NE(list.FindByNumber(7), nullptr);
    EXPECT_EQ(list.FindByNumber(7)->title, "a");
    EXPECT_EQ(list.FindByNumber(8), nullptr);
}

TEST(MovieList, HundredThousandTitlesLoadAndLookUpQuickly) {
    std::mt19937 rng(7);
    std::vector<std::string> titles;
    for (int i = 0; i < 100000; ++i) titles.push_back("Movie " + std::to_string(rng()) + " " + std::to_string(i));
    auto start = std::chrono::steady_clock::now();
    MovieList list;
    for (const std::string& t : titles) ASSERT_EQ(list.InsertOrdered(Rec(t)), 0);
    for (const std::string& t : titles) ASSERT_TRUE(list.Contains(t));
    auto elapsed = std::chrono::steady_clock::now() - start;
    // A quadratic insertion would take minutes here.
    EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 5);
    std::string previous;
    for (const MovieRecord& r : list) {
        EXPECT_LT(TitleOrder(previous, r.title), 0);
        previous = r.title;
    }
}

TEST(MovieListReference, AListReadInOrderThenChangedAnywhereMatchesTheLinkedList) {
    // Titles arriving in order go to the end without the ordered index; the first insertion elsewhere
    // builds it. Either way the list must be the linked list's.
    for (unsigned seed = 21; seed <= 23; ++seed) {
        std::mt19937 rng(seed);
        std::vector<std::string> titles;
        for (int i = 0; i < 300; ++i) titles.push_back("t" + std::to_string(rng() % 100000));
        std::sort(titles.begin(), titles.end(),
                  [](const std::string& a, const std::string& b) { return TitleOrder(a, b) < 0; });
        MovieList list;
        ReferenceList ref;
        for (std::size_t i = 0; i < titles.size(); ++i) {
            ASSERT_EQ(list.InsertOrdered(Rec(titles[i], static_cast<std::int32_t>(i))),
                      ref.Insert(Rec(titles[i], static_cast<std::int32_t>(i))));
        }
        for (int step = 0; step < 400; ++step) {
            const std::string t = "t" + std::to_string(rng() % 100000);
            const auto n = static_cast<std::int32_t>(1000 + step);
            switch (rng() % 4) {
                case 0:
                    ASSERT_EQ(list.InsertOrdered(Rec(t, n)), ref.Insert(Rec(t, n)));
                    break;
                case 1: {
                    const int got = list.InsertOrderedWith(t, [n](MovieRecord& r) { r.number = n; });
                    ASSERT_EQ(got, ref.Insert(Rec(t, n)));
                    break;
                }
                case 2: {
                    const std::string& present = ref.seq.empty() ? t : ref.seq[rng() % ref.seq.size()].title;
                    auto got = list.Remove(present);
                    auto want = ref.Remove(present, SameTitle);
                    ASSERT_EQ(got.has_value(), want.has_value());
                    break;
                }
                default: {
                    const MovieRecord* got = list.Find(t);
                    const MovieRecord* want = ref.First(t, SameTitle);
                    ASSERT_EQ(got == nullptr, want == nullptr);
                    if (got) {
                        ASSERT_EQ(got->number, want->number);
                    }
                    break;
                }
            }
        }
        std::vector<std::string> want;
        for (const MovieRecord& r : ref.seq) want.push_back(r.title);
        EXPECT_EQ(Titles(list), want);
        // A moved list keeps its records and indexes.
        MovieList moved(std::move(list));
        EXPECT_EQ(Titles(moved), want);
        if (!want.empty()) {
            EXPECT_NE(moved.Find(want.front()), nullptr);
        }
        EXPECT_EQ(moved.InsertOrdered(Rec("t")), ref.Insert(Rec("t")));
        moved.Clear();
        EXPECT_EQ(moved.Count(), 0u);
        EXPECT_EQ(moved.InsertOrdered(Rec("b")), 0);
        EXPECT_EQ(moved.InsertOrdered(Rec("a")), 0);
        EXPECT_EQ(Titles(moved), (std::vector<std::string>{"a", "b"}));
    }
}

TEST(MovieList, InsertOrderedWithBuildsTheRecordOnlyWhenItGoesIn) {
    MovieList list;
    int built = 0;
    EXPECT_EQ(list.InsertOrderedWith("Alien",
                                     [&built](MovieRecord& r) {
                                         ++built;
                                         r.category = "Horror";
                                         r.number = 4;
                                     }),
              0);
    EXPECT_EQ(list.InsertOrderedWith("ALIEN", [&built](MovieRecord&) { ++built; }), 1);
    EXPECT_EQ(built, 1);
    ASSERT_NE(list.Find("alien"), nullptr);
    EXPECT_EQ(list.Find("alien")->title, "Alien");
    EXPECT_EQ(list.Find("alien")->category, "Horror");
    EXPECT_EQ(list.Find("alien")->number, 4);
}

TEST(KnownValueList, KeepsFirstSpellingInInsertionOrder) {
    KnownValueList known;
    EXPECT_TRUE(known.Append("Horror"));
    EXPECT_TRUE(known.Append("Action"));
    EXPECT_FALSE(known.Append("HORROR"));
    EXPECT_TRUE(known.Append("Action "));
    EXPECT_EQ(known.Values(), (std::vector<std::string>{"Horror", "Action", "Action "}));
    known.Clear();
    EXPECT_EQ(known.Count(), 0u);
    EXPECT_TRUE(known.Append("horror"));
}

TEST(FreeNumberPool, TakesSmallestAndKeepsNumbersUnique) {
    FreeNumberPool pool;
    pool.Add(7);
    pool.Add(3);
    pool.Add(7);
    EXPECT_EQ(pool.Count(), 2u);
    EXPECT_EQ(pool.Take(), 3);
    EXPECT_EQ(pool.Take(), 7);
    EXPECT_EQ(pool.Take(), 0);
}

TEST(CurrentMovie, ClearEmptiesEveryTextButKeepsTheNumber) {
    CurrentMovie current;
    current.title = "Alien";
    current.comments = "";
    current.views = "2";
    current.number = 12;
    current.Clear();
    EXPECT_FALSE(current.title.has_value());
    EXPECT_FALSE(current.comments.has_value());
    EXPECT_FALSE(current.views.has_value());
    EXPECT_EQ(current.number, 12);
}

}  // namespace
}  // namespace cl
