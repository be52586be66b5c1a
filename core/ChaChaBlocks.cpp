#include "ChaChaBlocks.h"

#include <cstdlib>
#include <cstring>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define OVANTIS_X86 1
#include <immintrin.h>
#endif

namespace ovantis {
namespace {

using Kernel = void (*)(const ChaChaBlocks::State&, std::uint32_t*);

// The counter of lane b of a batch starting first blocks on, and the word
// above it with the counter's carry.
void laneInput(const ChaChaBlocks::State& input, std::size_t first, std::size_t lanes,
               std::uint32_t* counters, std::uint32_t* nexts) {
    for (std::size_t b = 0; b < lanes; ++b) {
        counters[b] = input[12] + static_cast<std::uint32_t>(first + b);
        nexts[b] = input[13] + (counters[b] < input[12] ? 1u : 0u);
    }
}

// The state after the rounds plus the input, word by word across the lanes,
// into keystream order.
void store(const std::uint32_t* lanes, std::size_t count, std::uint32_t* out) {
    for (std::size_t b = 0; b < count; ++b) {
        for (std::size_t i = 0; i < 16; ++i) {
            out[b * 16 + i] = lanes[i * count + b];
        }
    }
}

// The double rounds on x[16] of any vector type, given its add, xor and rotates.
#define OVANTIS_QUARTER(ADD, XOR, R16, R12, R8, R7, a, b, c, d) \
    x[a] = ADD(x[a], x[b]);                                     \
    x[d] = R16(XOR(x[d], x[a]));                                \
    x[c] = ADD(x[c], x[d]);                                     \
    x[b] = R12(XOR(x[b], x[c]));                                \
    x[a] = ADD(x[a], x[b]);                                     \
    x[d] = R8(XOR(x[d], x[a]));                                 \
    x[c] = ADD(x[c], x[d]);                                     \
    x[b] = R7(XOR(x[b], x[c]));
#define OVANTIS_CHACHA_ROUNDS(...)                 \
    for (int round = 0; round < 10; ++round) {     \
        OVANTIS_QUARTER(__VA_ARGS__, 0, 4, 8, 12)  \
        OVANTIS_QUARTER(__VA_ARGS__, 1, 5, 9, 13)  \
        OVANTIS_QUARTER(__VA_ARGS__, 2, 6, 10, 14) \
        OVANTIS_QUARTER(__VA_ARGS__, 3, 7, 11, 15) \
        OVANTIS_QUARTER(__VA_ARGS__, 0, 5, 10, 15) \
        OVANTIS_QUARTER(__VA_ARGS__, 1, 6, 11, 12) \
        OVANTIS_QUARTER(__VA_ARGS__, 2, 7, 8, 13)  \
        OVANTIS_QUARTER(__VA_ARGS__, 3, 4, 9, 14)  \
    }

constexpr std::size_t kLanes = 4;

// Four blocks side by side on the baseline vector unit (SSE2 on x86-64).
#if defined(__GNUC__)
using Lanes = std::uint32_t __attribute__((vector_size(16)));
#else
struct Lanes {
    std::uint32_t v[kLanes];
    std::uint32_t& operator[](std::size_t k) { return v[k]; }
};
#endif

#if defined(__GNUC__)
Lanes add(Lanes a, Lanes b) {
    return a + b;
}
Lanes exclusive(Lanes a, Lanes b) {
    return a ^ b;
}
template <int N>
Lanes rotate(Lanes a) {
    return (a << N) | (a >> (32 - N));
}
#else
Lanes add(Lanes a, Lanes b) {
    for (std::size_t k = 0; k < kLanes; ++k) {
        a[k] += b[k];
    }
    return a;
}
Lanes exclusive(Lanes a, Lanes b) {
    for (std::size_t k = 0; k < kLanes; ++k) {
        a[k] ^= b[k];
    }
    return a;
}
template <int N>
Lanes rotate(Lanes a) {
    for (std::size_t k = 0; k < kLanes; ++k) {
        a[k] = (a[k] << N) | (a[k] >> (32 - N));
    }
    return a;
}
#endif

void portable(const ChaChaBlocks::State& input, std::uint32_t* out) {
    for (std::size_t first = 0; first < ChaChaBlocks::kBlocks; first += kLanes) {
        std::uint32_t counters[kLanes];
        std::uint32_t nexts[kLanes];
        laneInput(input, first, kLanes, counters, nexts);
        Lanes start[16];
        for (std::size_t i = 0; i < 16; ++i) {
            for (std::size_t b = 0; b < kLanes; ++b) {
                start[i][b] = i == 12 ? counters[b] : i == 13 ? nexts[b] : input[i];
            }
        }
        Lanes x[16];
        std::memcpy(x, start, sizeof x);
        OVANTIS_CHACHA_ROUNDS(add, exclusive, rotate<16>, rotate<12>, rotate<8>, rotate<7>)
        std::uint32_t lanes[16 * kLanes];
        for (std::size_t i = 0; i < 16; ++i) {
            const Lanes sum = add(x[i], start[i]);
            for (std::size_t b = 0; b < kLanes; ++b) {
                lanes[i * kLanes + b] = sum[b];
            }
        }
        store(lanes, kLanes, out + 16 * first);
    }
}

#ifdef OVANTIS_X86

__attribute__((target("avx2"))) inline __m256i rot16(__m256i v) {
    const __m256i m = _mm256_setr_epi8(2, 3, 0, 1, 6, 7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13, 2, 3,
                                       0, 1, 6, 7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13);
    return _mm256_shuffle_epi8(v, m);
}
__attribute__((target("avx2"))) inline __m256i rot8(__m256i v) {
    const __m256i m = _mm256_setr_epi8(3, 0, 1, 2, 7, 4, 5, 6, 11, 8, 9, 10, 15, 12, 13, 14, 3, 0,
                                       1, 2, 7, 4, 5, 6, 11, 8, 9, 10, 15, 12, 13, 14);
    return _mm256_shuffle_epi8(v, m);
}
__attribute__((target("avx2"))) inline __m256i rot12(__m256i v) {
    return _mm256_or_si256(_mm256_slli_epi32(v, 12), _mm256_srli_epi32(v, 20));
}
__attribute__((target("avx2"))) inline __m256i rot7(__m256i v) {
    return _mm256_or_si256(_mm256_slli_epi32(v, 7), _mm256_srli_epi32(v, 25));
}

// Eight blocks side by side, twice.
__attribute__((target("avx2"))) void avx2(const ChaChaBlocks::State& input, std::uint32_t* out) {
    for (std::size_t first = 0; first < ChaChaBlocks::kBlocks; first += 8) {
        alignas(32) std::uint32_t counters[8];
        alignas(32) std::uint32_t nexts[8];
        laneInput(input, first, 8, counters, nexts);
        __m256i start[16];
        for (std::size_t i = 0; i < 16; ++i) {
            start[i] = _mm256_set1_epi32(static_cast<int>(input[i]));
        }
        start[12] = _mm256_load_si256(reinterpret_cast<const __m256i*>(counters));
        start[13] = _mm256_load_si256(reinterpret_cast<const __m256i*>(nexts));
        __m256i x[16];
        std::memcpy(x, start, sizeof x);
        OVANTIS_CHACHA_ROUNDS(_mm256_add_epi32, _mm256_xor_si256, rot16, rot12, rot8, rot7)
        alignas(32) std::uint32_t lanes[16 * 8];
        for (std::size_t i = 0; i < 16; ++i) {
            _mm256_store_si256(reinterpret_cast<__m256i*>(lanes + 8 * i),
                               _mm256_add_epi32(x[i], start[i]));
        }
        store(lanes, 8, out + 16 * first);
    }
}

// GCC 12 takes the intrinsics' deliberately undefined operand for a fault.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#ifndef __clang__
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
__attribute__((target("avx512f"))) inline __m512i rol16(__m512i v) {
    return _mm512_rol_epi32(v, 16);
}
__attribute__((target("avx512f"))) inline __m512i rol12(__m512i v) {
    return _mm512_rol_epi32(v, 12);
}
__attribute__((target("avx512f"))) inline __m512i rol8(__m512i v) {
    return _mm512_rol_epi32(v, 8);
}
__attribute__((target("avx512f"))) inline __m512i rol7(__m512i v) {
    return _mm512_rol_epi32(v, 7);
}

// Sixteen blocks side by side, a single rotate instruction each.
__attribute__((target("avx512f"))) void avx512(const ChaChaBlocks::State& input,
                                               std::uint32_t* out) {
    alignas(64) std::uint32_t counters[16];
    alignas(64) std::uint32_t nexts[16];
    laneInput(input, 0, 16, counters, nexts);
    __m512i start[16];
    for (std::size_t i = 0; i < 16; ++i) {
        start[i] = _mm512_set1_epi32(static_cast<int>(input[i]));
    }
    start[12] = _mm512_load_si512(counters);
    start[13] = _mm512_load_si512(nexts);
    __m512i x[16];
    std::memcpy(x, start, sizeof x);
    OVANTIS_CHACHA_ROUNDS(_mm512_add_epi32, _mm512_xor_si512, rol16, rol12, rol8, rol7)
    alignas(64) std::uint32_t lanes[16 * 16];
    for (std::size_t i = 0; i < 16; ++i) {
        _mm512_store_si512(lanes + 16 * i, _mm512_add_epi32(x[i], start[i]));
    }
    store(lanes, 16, out);
}
#pragma GCC diagnostic pop

#endif

// The kernel of a path if this processor has it.
Kernel named(std::string_view path) {
    if (path == "portable") {
        return portable;
    }
#ifdef OVANTIS_X86
    __builtin_cpu_init();
    if (path == "avx512" && __builtin_cpu_supports("avx512f")) {
        return avx512;
    }
    if (path == "avx2" && __builtin_cpu_supports("avx2")) {
        return avx2;
    }
#endif
    return nullptr;
}

Kernel pick() {
    if (std::getenv("OVANTIS_PORTABLE") != nullptr) {
        return portable;
    }
    for (const char* path : {"avx512", "avx2"}) {
        if (const Kernel kernel = named(path)) {
            return kernel;
        }
    }
    return portable;
}

// Chosen once, on first use.
Kernel kernel() {
    static const Kernel chosen = pick();
    return chosen;
}

}  // namespace

void ChaChaBlocks::fill(const State& input, std::uint32_t* out) {
    kernel()(input, out);
}

const char* ChaChaBlocks::path() {
    for (const char* path : {"avx512", "avx2"}) {
        if (named(path) == kernel()) {
            return path;
        }
    }
    return "portable";
}

bool ChaChaBlocks::fillOn(std::string_view path, const State& input, std::uint32_t* out) {
    const Kernel kernel = named(path);
    if (kernel != nullptr) {
        kernel(input, out);
    }
    return kernel != nullptr;
}

}  // namespace ovantis
