#include "RandomSource.h"

#include "BoundedDraws.h"
#include "ChaChaBlocks.h"
#include "EntropyPool.h"
#include "TestKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <system_error>
#include <vector>

namespace ovantis {
namespace {

TEST(ClassicSource, SeedOneGivesTheClassicRuntimeSequence) {
    RandomSource random;
    random.seed(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) {
        EXPECT_EQ(random.draw(), expected);
    }
    // A word asked of it comes from three draws, not from a pool it lacks.
    random.seed(1);
    EXPECT_EQ(random.secureWord(), 41u << 17 | 18467u << 2 | (6334u & 3u));
}

TEST(ClassicSource, ReseedTakesTheClockSecondModulo2To32) {
    std::time_t now = 1;
    RandomSource random(RandomSource::Kind::Classic, [&] { return now; });
    random.Reseed();
    EXPECT_EQ(random.draw(), 41);
    now = std::time_t{1} + (std::time_t{1} << 32);
    random.Reseed();
    EXPECT_EQ(random.draw(), 41);
}

// Secure draws and a reseed in between leave the classic sequence where it was.
TEST(ClassicSource, StateIsKeptAcrossASecureSpell) {
    RandomSource random(
        RandomSource::Kind::Classic, [] { return std::time_t{5}; }, test::testKeys);
    random.seed(1);
    EXPECT_EQ(random.draw(), 41);
    random.setKind(RandomSource::Kind::Secure);
    random.Reseed();
    for (int i = 0; i < 100; ++i) {
        random.draw();
        random.RandInRange(INT64_MIN, INT64_MAX);
    }
    random.setKind(RandomSource::Kind::Classic);
    EXPECT_EQ(random.draw(), 18467);
}

TEST(RandInRange, NarrowRangesTakeOneDrawModuloWidth) {
    RandomSource random;
    EXPECT_EQ(random.RandInRange(5, 5), 5);
    EXPECT_EQ(random.draw(), 18467) << "a one-value range still consumes its draw";

    // The draws 41, 18467, 6334, 26500 reduced into 1..3.
    random.seed(1);
    for (int draw : {41, 18467, 6334, 26500}) {
        EXPECT_EQ(random.RandInRange(1, 3), 1 + draw % 3);
    }
}

// Wider ranges fold 2 to 5 draws, r = (r * 32768 + draw) mod width, without
// overflow however wide: seed 1 into each range.
TEST(RandInRange, WideRangesFoldTheirDrawsModuloWidth) {
    const std::int64_t cases[][3] = {{0, 1000000000, 1361955},
                                     {0, (std::int64_t{1} << 50) - 2, 336488346642309},
                                     {0, (std::int64_t{1} << 62) + 4, 1802678105920391855},
                                     {INT64_MIN, INT64_MAX - 1, 1802678105920391907}};
    for (const auto& [low, high, value] : cases) {
        RandomSource random;
        EXPECT_EQ(random.RandInRange(low, high), value) << high;
    }
}

// Every draw lies in its range, the widest included; the rows marked reach
// their top within two million draws.
TEST(RandInRange, DrawsStayInsideTheRangeAndReachItsTop) {
    struct Case {
        std::int64_t low, high;
        bool reachesTop;
    } const cases[] = {{INT32_MIN, INT32_MAX, false},
                       {INT64_MIN, INT64_MAX, false},
                       {INT64_MIN, INT64_MIN + 40000, false},
                       {INT64_MAX - 40000, INT64_MAX, false},
                       {-1, 32766, true},
                       {1, 3, true},
                       {0, 100000, true}};
    for (auto kind : {RandomSource::Kind::Classic, RandomSource::Kind::Secure}) {
        RandomSource random(kind, {}, test::testKeys);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.low << ".." << c.high);
            bool sawTop = false;
            for (int i = 0; i < 2000 || (c.reachesTop && !sawTop && i < 2000000); ++i) {
                const auto value = random.RandInRange(c.low, c.high);
                ASSERT_GE(value, c.low);
                ASSERT_LE(value, c.high);
                sawTop = sawTop || value == c.high;
            }
            EXPECT_TRUE(sawTop || !c.reachesTop);
        }
    }
}

// Key and nonce come in one request, once; a key source that fails fails the
// source, never leaving a weaker key behind.
TEST(SecureSource, TakesKeyAndNonceFromItsKeySourceOnce) {
    std::vector<std::size_t> requests;
    RandomSource random(RandomSource::Kind::Secure, {}, [&](std::uint8_t* data, std::size_t size) {
        requests.push_back(size);
        test::testKeys(data, size);
    });
    for (int i = 0; i < 100000; ++i) {
        random.draw();
    }
    EXPECT_EQ(requests, std::vector<std::size_t>{44});
    const KeySource failing = [](std::uint8_t*, std::size_t) {
        throw std::system_error(ENOSYS, std::generic_category());
    };
    EXPECT_THROW(RandomSource(RandomSource::Kind::Secure, {}, failing), std::system_error);
    RandomSource classic(RandomSource::Kind::Classic, {}, failing);
    EXPECT_THROW(classic.setKind(RandomSource::Kind::Secure), std::system_error);
    EXPECT_FALSE(classic.secure());
}

// Every word of a 16-bit source: the kept ones give each tuple of draws
// exactly once as often as any other, and no more words are refused than
// exactness needs (fewer than n^k).
TEST(BoundedDraws, KeptWordsGiveEveryTupleEquallyOften) {
    for (const std::uint16_t n : {1, 2, 3, 7, 10, 21, 62, 255, 256, 1000, 40000}) {
        SCOPED_TRACE(n);
        const BoundedDigits<std::uint16_t, std::uint32_t> draws(n);
        std::uint32_t tuples = 1;
        for (int i = 0; i < draws.perWord(); ++i) {
            tuples *= n;
        }
        std::vector<int> counts(tuples);
        std::uint32_t refused = 0;
        for (std::uint32_t word = 0; word <= 0xFFFF; ++word) {
            std::uint32_t digits[BoundedDigits<std::uint16_t, std::uint32_t>::kMaxDigits];
            if (!draws.split(static_cast<std::uint16_t>(word), digits)) {
                ++refused;
                continue;
            }
            std::uint32_t tuple = 0;
            for (int i = 0; i < draws.perWord(); ++i) {
                ASSERT_LT(digits[i], n);
                tuple = tuple * n + digits[i];
            }
            ++counts[tuple];
        }
        EXPECT_EQ(std::count(counts.begin(), counts.end(), counts[0]), tuples);
        EXPECT_EQ(refused, 0x10000u % tuples);
    }
}

// The block-function example of RFC 8439: key 00..1f, nonce 0:0:0:9:0:0:0:4a:0:0:0:0, block 1.
const EntropyPool::Key kRfcKey{0x03020100, 0x07060504, 0x0b0a0908, 0x0f0e0d0c,
                               0x13121110, 0x17161514, 0x1b1a1918, 0x1f1e1d1c};
const EntropyPool::Nonce kRfcNonce{0x09000000, 0x4a000000, 0x00000000};
const std::uint32_t kRfcBlock[16] = {
    0xe4e7f110, 0x15593bd1, 0x1fdd0f50, 0xc47120a3, 0xc7f4d1c7, 0x0368c033, 0x9aaa2204, 0x4e6cd4c3,
    0x466482d2, 0x09aa9f07, 0x05d7c214, 0xa2028bd9, 0xd19c12b5, 0xb94e16de, 0xe883d0cb, 0x4e3c50a2};

TEST(EntropyPool, KeystreamMatchesTheChaCha20BlockVector) {
    EntropyPool pool(kRfcKey, kRfcNonce, 1);
    for (std::uint32_t word : kRfcBlock) {
        EXPECT_EQ(pool.next32(), word);
    }
}

// The portable path gives the known block, and every vector path this
// processor has the portable keystream, the block counter's carry into the
// next word included.
TEST(ChaChaBlocks, EveryPathGivesThePortableKeystream) {
    ChaChaBlocks::State input{};
    for (std::uint32_t i = 0; i < 16; ++i) {
        input[i] = 0x9E3779B9u * (i + 1);
    }
    input[12] = 0xFFFFFFF8u;
    std::vector<std::uint32_t> expected(ChaChaBlocks::kWords), got(ChaChaBlocks::kWords);
    ChaChaBlocks::State rfc{0x61707865, 0x3320646e, 0x79622d32, 0x6b206574};
    std::copy(kRfcKey.begin(), kRfcKey.end(), rfc.begin() + 4);
    rfc[12] = 1;
    std::copy(kRfcNonce.begin(), kRfcNonce.end(), rfc.begin() + 13);
    ASSERT_TRUE(ChaChaBlocks::fillOn("portable", rfc, expected.data()));
    EXPECT_TRUE(std::equal(std::begin(kRfcBlock), std::end(kRfcBlock), expected.begin()));
    ASSERT_TRUE(ChaChaBlocks::fillOn("portable", input, expected.data()));
    // Block 8 is block 0 with the counter carried.
    ChaChaBlocks::State carried = input;
    carried[12] = 0;
    ++carried[13];
    ChaChaBlocks::fillOn("portable", carried, got.data());
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + 16, expected.begin() + 8 * 16));
    for (const char* path : {"avx2", "avx512"}) {
        SCOPED_TRACE(path);
        if (ChaChaBlocks::fillOn(path, input, got.data())) {
            EXPECT_EQ(got, expected);
        }
    }
}

}  // namespace
}  // namespace ovantis
