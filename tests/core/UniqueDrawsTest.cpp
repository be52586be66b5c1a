#include "UniqueDraws.h"

#include "EntropyPool.h"
#include "WeightedDraws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

namespace ovantis {
namespace {

std::unique_ptr<EntropyPool> fixedPool() {
    return std::make_unique<EntropyPool>(EntropyPool::Key{9, 8, 7, 6, 5, 4, 3, 2},
                                         EntropyPool::Nonce{0, 0, 0}, 0);
}

TEST(UniqueDraws, DrawsEveryNumberOnceUpToTheLast) {
    for (const std::uint64_t size : {1u, 2u, 7u, 1000u}) {
        RandomSource random(fixedPool());
        UniqueDraws draws(size);
        std::vector<std::uint64_t> drawn;
        while (draws.left() != 0) {
            drawn.push_back(draws.next(random));
        }
        std::sort(drawn.begin(), drawn.end());
        for (std::uint64_t i = 0; i < size; ++i) {
            ASSERT_EQ(drawn[i], i) << size;
        }
    }
    // A size far beyond memory costs only what is drawn.
    RandomSource random(fixedPool());
    UniqueDraws huge(INT64_MAX);
    std::set<std::uint64_t> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t n = huge.next(random);
        EXPECT_LT(n, std::uint64_t{INT64_MAX});
        EXPECT_TRUE(seen.insert(n).second);
    }
}

// Each first draw of 3 from 6 is equally likely; chi-square at p = 0.001, 5 degrees.
TEST(UniqueDraws, EveryNumberIsEquallyLikelyAtEachDraw) {
    RandomSource random(fixedPool());
    std::vector<int> third(6);
    constexpr int kRuns = 12000;
    for (int run = 0; run < kRuns; ++run) {
        UniqueDraws draws(6);
        draws.next(random);
        draws.next(random);
        ++third[draws.next(random)];
    }
    double chiSquare = 0;
    for (const int n : third) {
        chiSquare += (n - kRuns / 6.0) * (n - kRuns / 6.0) / (kRuns / 6.0);
    }
    EXPECT_LT(chiSquare, 20.515);
}

TEST(WeightedDraws, DrawsByWeightWithoutReplacement) {
    // Every weight, zeros included, in trees of several depths.
    for (const std::vector<std::uint64_t>& weights : std::vector<std::vector<std::uint64_t>>{
             {5}, {0, 1}, {1, 0, 3}, {2, 0, 0, 7, 1, 1, 0, 4, 9}}) {
        RandomSource random(fixedPool());
        WeightedDraws draws(weights);
        std::vector<std::size_t> drawn;
        while (draws.total() != 0) {
            drawn.push_back(draws.next(random));
        }
        std::sort(drawn.begin(), drawn.end());
        std::vector<std::size_t> weighted;
        for (std::size_t i = 0; i < weights.size(); ++i) {
            if (weights[i] != 0) {
                weighted.push_back(i);
            }
        }
        EXPECT_EQ(drawn, weighted);
    }
    // The first draw follows the weights: 1 : 3 : 6; chi-square at p = 0.001.
    RandomSource random(fixedPool());
    std::vector<int> first(3);
    constexpr int kRuns = 10000;
    for (int run = 0; run < kRuns; ++run) {
        ++first[WeightedDraws({1, 3, 6}).next(random)];
    }
    double chiSquare = 0;
    const double expected[] = {kRuns * 0.1, kRuns * 0.3, kRuns * 0.6};
    for (int i = 0; i < 3; ++i) {
        chiSquare += (first[i] - expected[i]) * (first[i] - expected[i]) / expected[i];
    }
    EXPECT_LT(chiSquare, 13.816);
}

}  // namespace
}  // namespace ovantis
