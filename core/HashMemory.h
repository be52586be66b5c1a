#pragma once

#include <cstdint>
#include <string>

// What remembering lines in a hash container costs on the heap, for memory
// budgets stated before a run; figures follow the common 64-bit allocators.
namespace ovantis::hashMemory {

// The budget in MiB a run keeps to unless told otherwise.
inline constexpr std::int32_t kDefaultBudgetMiB = 1024;

// A heap block: the request plus a size word, rounded up to 16 bytes.
constexpr std::uint64_t block(std::uint64_t bytes) {
    const std::uint64_t rounded = (bytes + sizeof(void*) + 15) / 16 * 16;
    return rounded < 32 ? 32 : rounded;
}

// One entry at the peak: its node, and three bucket pointers, its share of
// the old and the new table while the table doubles.
constexpr std::uint64_t entry(std::uint64_t nodeBytes) {
    return block(nodeBytes) + 3 * sizeof(void*);
}

// A string's own heap block beyond the short ones held inline.
constexpr std::uint64_t stringText(std::uint64_t length) {
    return length < std::string().capacity() + 1 ? 0 : block(length + 1);
}

// An entry of an unordered set of strings: link, string, cached hash.
constexpr std::uint64_t stringEntry(std::uint64_t length) {
    return entry(sizeof(void*) + sizeof(std::string) + sizeof(std::size_t)) + stringText(length);
}

}  // namespace ovantis::hashMemory
