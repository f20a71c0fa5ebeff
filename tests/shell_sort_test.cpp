// Shell sort of record tables (vsheld, vsheli): order, whole records, and the
// gap sequence as seen through the final order of equal keys.
#include <climits>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

TEST(ShellSort, SortsOnTheKeyAndMovesWholeRecords) {
    std::mt19937 rng(3);
    for (int n : {0, 1, 2, 17, 18, 45, 1001}) {
        std::vector<double> t;  // records (id, key, 2 id + 0.5), keys with many ties
        for (int j = 0; j < n; ++j) t.insert(t.end(), {double(j), double(rng() % 7) - 3, 2.0 * j + 0.5});
        const auto before = t;
        int ldt = 3, key = 2;
        vsheld(&n, &ldt, t.data(), &key);
        double ids = 0;
        for (int j = 0; j < n; ++j) {
            const int id = static_cast<int>(t[3 * j]);
            ids += id;
            EXPECT_EQ(std::pair(t[3 * j + 1], t[3 * j + 2]), std::pair(before[3 * id + 1], 2.0 * id + 0.5));
            if (j > 0) EXPECT_LE(t[3 * j - 2], t[3 * j + 1]) << n;
        }
        EXPECT_EQ(ids, n * (n - 1) / 2.0);
    }
}

TEST(ShellSort, FirstGapSignedIntegersAndKeysOutsideTheRecord) {
    // Records 1 (A) and 2 (B) have key 1, record `low` key 0, the others key 2.
    // Whether A still precedes B tells which gap moved the low record first.
    const auto a_before_b = [](int n, int low) {
        std::vector<int> t;
        for (int j = 1; j <= n; ++j) t.insert(t.end(), {j, j <= 2 ? 1 : (j == low ? 0 : 2)});
        int ldt = 2, key = 2;
        vsheli(&n, &ldt, t.data(), &key);
        return t[2] == 1;
    };
    EXPECT_TRUE(a_before_b(17, 5));    // gap 1 only: stable
    EXPECT_FALSE(a_before_b(18, 5));   // gap 4 first: the low record trades places with A
    EXPECT_TRUE(a_before_b(44, 14));   // gap 4 first: the low record walks down to B
    EXPECT_FALSE(a_before_b(45, 14));  // gap 13 first: it trades places with A

    std::vector<int> t = {INT_MAX, -1, 0, INT_MIN, 5, 3}, before = t;
    int n = 6, ldt = 1, key = 1, bad = 2;
    vsheli(&n, &ldt, t.data(), &bad);
    EXPECT_EQ(t, before);
    vsheli(&n, &ldt, t.data(), &key);
    EXPECT_EQ(t, (std::vector<int>{INT_MIN, -1, 0, 3, 5, INT_MAX}));
}

}  // namespace
