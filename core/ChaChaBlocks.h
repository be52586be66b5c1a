#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ovantis {

// ChaCha20 a batch of blocks at a time, on the widest vector unit the
// processor has (chosen at run time, never at build time), or on a portable
// path when OVANTIS_PORTABLE is set in the environment.
class ChaChaBlocks {
  public:
    static constexpr std::size_t kBlocks = 16;
    static constexpr std::size_t kWords = 16 * kBlocks;
    using State = std::array<std::uint32_t, 16>;

    // kBlocks keystream blocks in order, the block counter (word 12, carried
    // into word 13) counting up from the state's.
    static void fill(const State& input, std::uint32_t* out);
    // Which path fill takes: "portable", "avx2" or "avx512".
    static const char* path();
    // fill on the named path; false when this processor lacks it.
    static bool fillOn(std::string_view path, const State& input, std::uint32_t* out);
};

}  // namespace ovantis
