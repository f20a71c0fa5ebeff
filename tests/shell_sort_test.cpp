// Shell sort of record tables (vsheld, vsheli): order, whole records, and the
// gap sequence as seen through the final order of equal keys.
#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

// Records (id, key, 2 id + 0.5); keys from a small set so that many tie.
std::vector<double> table(int n, std::mt19937& rng) {
    std::vector<double> t;
    for (int j = 0; j < n; ++j) t.insert(t.end(), {double(j), double(rng() % 7) - 3, 2.0 * j + 0.5});
    return t;
}

TEST(ShellSort, SortsOnTheKeyAndMovesWholeRecords) {
    std::mt19937 rng(3);
    for (int n : {0, 1, 2, 17, 18, 44, 45, 200, 1001}) {
        auto t = table(n, rng);
        const auto before = t;
        int ldt = 3, key = 2;
        vsheld(&n, &ldt, t.data(), &key);
        std::vector<int> ids;
        for (int j = 0; j < n; ++j) {
            EXPECT_EQ(t[3 * j + 2], 2.0 * t[3 * j] + 0.5);
            EXPECT_EQ(t[3 * j + 1], before[3 * static_cast<int>(t[3 * j]) + 1]);
            if (j > 0) EXPECT_LE(t[3 * j - 2], t[3 * j + 1]) << n;
            ids.push_back(static_cast<int>(t[3 * j]));
        }
        std::sort(ids.begin(), ids.end());
        for (int j = 0; j < n; ++j) EXPECT_EQ(ids[j], j);
    }
}

// Keys: A = 1 at record 1, B = 1 at record 2, 0 at record `low`, 2 elsewhere.
// Returns whether A still precedes B after the sort.
bool a_before_b(int n, int low) {
    std::vector<int> t;
    for (int j = 1; j <= n; ++j) t.insert(t.end(), {j, j <= 2 ? 1 : (j == low ? 0 : 2)});
    int ldt = 2, key = 2;
    vsheli(&n, &ldt, t.data(), &key);
    EXPECT_EQ(t[0], low);
    for (int j = 0; j < n; ++j)
        if (t[2 * j] == 1 || t[2 * j] == 2) return t[2 * j] == 1;
    return false;
}

TEST(ShellSort, FirstGapFollowsTheRecordCount) {
    EXPECT_TRUE(a_before_b(17, 5));    // gap 1 only: stable
    EXPECT_FALSE(a_before_b(18, 5));   // gap 4 first: record 5 swaps with A, which then follows B
    EXPECT_FALSE(a_before_b(44, 5));
    EXPECT_FALSE(a_before_b(45, 14));  // gap 13 first: record 14 swaps with A
    EXPECT_TRUE(a_before_b(44, 14));   // gap 4 first: record 14 walks down to B instead
}

TEST(ShellSort, IntegersCompareSignedAndBadKeysChangeNothing) {
    std::vector<int> t = {INT_MAX, -1, 0, INT_MIN, 5, -7, 5, 3};
    const std::vector<int> sorted = {INT_MIN, -7, -1, 0, 3, 5, 5, INT_MAX};
    int n = 8, ldt = 1, key = 1;
    for (int bad : {0, 2}) {
        vsheli(&n, &ldt, t.data(), &bad);
        EXPECT_NE(t, sorted);
    }
    vsheli(&n, &ldt, t.data(), &key);
    EXPECT_EQ(t, sorted);
}

}  // namespace
