#include "ClassicDraws.h"

#include <cstring>
#include <string_view>

#include "ChaChaBlocks.h"

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace ovantis {
namespace {

// a_j and c_j of s_j = a_j * s_0 + c_j, for j = 1 .. kSize.
struct JumpAhead {
    std::array<std::uint32_t, ClassicDraws::kSize> multiplier{};
    std::array<std::uint32_t, ClassicDraws::kSize> increment{};
};

constexpr JumpAhead makeJumpAhead() {
    JumpAhead jump;
    std::uint32_t a = 1;
    std::uint32_t c = 0;
    for (int j = 0; j < ClassicDraws::kSize; ++j) {
        a = RandomSource::step(a) - RandomSource::step(0);
        c = RandomSource::step(c);
        jump.multiplier[j] = a;
        jump.increment[j] = c;
    }
    return jump;
}

constexpr JumpAhead kJump = makeJumpAhead();
static_assert(kJump.multiplier[1] * 7u + kJump.increment[1] ==
              RandomSource::step(RandomSource::step(7u)));

// Four 16-bit draws read as one word, each lane in place.
std::uint64_t fourDraws(const std::uint16_t* draws) {
    std::uint64_t four = 0;
    std::memcpy(&four, draws, sizeof four);
    if constexpr (std::endian::native == std::endian::big) {
        four = (four >> 48) | ((four >> 16) & 0xFFFF0000u) | ((four << 16) & 0xFFFF00000000u) |
               (four << 48);
    }
    return four;
}

// Bit 0 of each lane of four, to bits 0 .. 3: one multiply moves the bits at
// 0, 16, 32 and 48 to 48 .. 51, every other product landing elsewhere.
std::uint64_t lowBits(std::uint64_t four) {
    constexpr std::uint64_t kGather = (std::uint64_t{1} << 48) | (std::uint64_t{1} << 33) |
                                      (std::uint64_t{1} << 18) | (std::uint64_t{1} << 3);
    return ((four & 0x0001000100010001u) * kGather) >> 48 & 0xFu;
}

template <class Bits>
void maskOf(const std::uint16_t* draws, ClassicDraws::Mask& mask, Bits bitsOfFour) {
    for (int word = 0; word < ClassicDraws::kWords; ++word) {
        std::uint64_t bits = 0;
        for (int i = 0; i < 64; i += 4) {
            bits |= bitsOfFour(fourDraws(draws + word * 64 + i)) << i;
        }
        mask[word] = bits;
    }
}

// Vectorised as the processor allows; each draw stands on its own.
[[gnu::always_inline]] inline void fillDraws(std::uint32_t state, std::uint16_t* draws) {
    for (int j = 0; j < ClassicDraws::kSize; ++j) {
        draws[j] = static_cast<std::uint16_t>(
            RandomSource::output(kJump.multiplier[j] * state + kJump.increment[j]));
    }
}

#if defined(__GNUC__) && defined(__x86_64__)
#define OVANTIS_CLASSIC_WIDE 1
__attribute__((target("avx2"))) void fillWide(std::uint32_t state, std::uint16_t* draws) {
    fillDraws(state, draws);
}

// The ChaCha20 kernels' choice stands for every vector path: AVX2 or wider
// unless the portable path is asked for.
bool fillsWide() {
    return std::string_view(ChaChaBlocks::path()) != "portable";
}

enum class Test { Odd, Even, From };

// Sixteen draws, each test's answer left in a lane's top bit.
template <Test kTest>
__attribute__((target("avx2"))) inline __m256i testWide(const std::uint16_t* at, __m256i lifts) {
    const __m256i draws = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    if constexpr (kTest == Test::Odd) {
        return _mm256_slli_epi16(draws, 15);
    } else if constexpr (kTest == Test::Even) {
        return _mm256_slli_epi16(_mm256_xor_si256(draws, _mm256_set1_epi16(-1)), 15);
    }
    return _mm256_add_epi16(draws, lifts);
}

// The masks 32 draws at a time: packing keeps each lane's sign, and the move
// mask gathers the bits in order.
template <Test kTest>
__attribute__((target("avx2"))) void maskWide(const std::uint16_t* draws, ClassicDraws::Mask& mask,
                                              std::uint16_t lift) {
    const __m256i lifts = _mm256_set1_epi16(static_cast<short>(lift));
    for (int word = 0; word < ClassicDraws::kWords; ++word) {
        std::uint64_t bits = 0;
        for (int half = 0; half < 2; ++half) {
            const std::uint16_t* at = draws + word * 64 + half * 32;
            const __m256i packed = _mm256_permute4x64_epi64(
                _mm256_packs_epi16(testWide<kTest>(at, lifts), testWide<kTest>(at + 16, lifts)),
                0xD8);
            bits |= std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(packed))}
                    << (32 * half);
        }
        mask[word] = bits;
    }
}

bool wide() {
    static const bool wide = fillsWide();
    return wide;
}
#endif

}  // namespace

void ClassicDraws::fill(std::uint32_t state) {
    m_first = state;
#ifdef OVANTIS_CLASSIC_WIDE
    if (wide()) {
        fillWide(state, m_draws.data());
        return;
    }
#endif
    fillDraws(state, m_draws.data());
}

std::uint32_t ClassicDraws::stateAt(int at) const {
    return kJump.multiplier[at] * m_first + kJump.increment[at];
}

void ClassicDraws::oddDraws(Mask& mask) const {
#ifdef OVANTIS_CLASSIC_WIDE
    if (wide()) {
        maskWide<Test::Odd>(m_draws.data(), mask, 0);
        return;
    }
#endif
    maskOf(m_draws.data(), mask, lowBits);
}

void ClassicDraws::evenDraws(Mask& mask) const {
#ifdef OVANTIS_CLASSIC_WIDE
    if (wide()) {
        maskWide<Test::Even>(m_draws.data(), mask, 0);
        return;
    }
#endif
    maskOf(m_draws.data(), mask, [](std::uint64_t four) { return lowBits(~four); });
}

void ClassicDraws::drawsFrom(int least, Mask& mask) const {
    // Draws are below 2^15, so adding 2^15 - least carries no lane into the
    // next and sets a lane's bit 15 exactly where it holds least or more.
    const std::uint64_t lift = 0x8000u - static_cast<std::uint64_t>(least);
#ifdef OVANTIS_CLASSIC_WIDE
    if (wide()) {
        maskWide<Test::From>(m_draws.data(), mask, static_cast<std::uint16_t>(lift));
        return;
    }
#endif
    const std::uint64_t lifts = lift * 0x0001000100010001u;
    maskOf(m_draws.data(), mask,
           [lifts](std::uint64_t four) { return lowBits((four + lifts) >> 15); });
}

}  // namespace ovantis
