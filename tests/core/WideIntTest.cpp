#include "WideInt.h"

#include <gtest/gtest.h>

namespace ovantis {
namespace {

WideInt wide(const std::string& digits) {
    return WideInt::fromDecimal(digits).value();
}

TEST(WideInt, DecimalTextRoundTripsAcrossWordsAndOverflowIsRefused) {
    const std::string big = "1" + std::string(153, '0');  // below 2^512
    for (const std::string text : {"0", "4294967296", "1000000000", "18446744073709551616",
                                   "999999999000000000999999999", big.c_str()}) {
        EXPECT_EQ(wide(text).toDecimal(), text);
    }
    EXPECT_EQ(wide("0042").toDecimal(), "42");
    for (const std::string& text :
         {"1" + std::string(155, '0'), std::string("-1"), std::string("1.5")}) {
        EXPECT_FALSE(WideInt::fromDecimal(text)) << text;
    }
}

TEST(WideInt, SumsCarryAndDifferencesBorrowThroughEveryWord) {
    WideInt sum = wide("18446744073709551615");
    sum += WideInt(1);
    EXPECT_EQ(sum.toDecimal(), "18446744073709551616");
    WideInt difference = wide("1" + std::string(150, '0'));
    difference -= WideInt(1);
    EXPECT_EQ(difference.toDecimal(), std::string(150, '9'));
    EXPECT_LT(difference, wide("1" + std::string(150, '0')));
    EXPECT_GT(difference, wide(std::string(149, '9')));
    EXPECT_EQ(difference.saturated(7), 7u);
    EXPECT_EQ(wide("18446744073709551615").saturated(~std::uint64_t{0}), ~std::uint64_t{0});
}

// Every value below a bound of three words is as likely: each third of
// 3 * 2^64 draws about a third of the time, and nothing reaches the bound.
TEST(WideInt, DrawsBelowABoundAreUniform) {
    RandomSource random(
        std::make_unique<EntropyPool>(EntropyPool::Key{1}, EntropyPool::Nonce{}, 0));
    const WideInt third = wide("18446744073709551616"), twoThirds = wide("36893488147419103232"),
                  bound = wide("55340232221128654848");
    int counts[3] = {};
    for (int i = 0; i < 30000; ++i) {
        const WideInt value = WideInt::below(bound, random);
        ASSERT_LT(value, bound);
        ++counts[value < third ? 0 : value < twoThirds ? 1 : 2];
    }
    for (int count : counts) {
        EXPECT_NEAR(count, 10000, 500);  // about six standard deviations
    }
    EXPECT_EQ(WideInt::below(WideInt(1), random), WideInt());
}

}  // namespace
}  // namespace ovantis
