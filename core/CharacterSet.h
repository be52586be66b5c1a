#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "StringSettings.h"

namespace ovantis {

// The characters a String page line is drawn from, as classes in drawing
// order: upper, lower, digits, symbols, then a custom set. Classes emptied by
// exclusions are dropped.
class CharacterSet {
  public:
    using Class = std::vector<char32_t>;

    // The notice rejecting the settings' characters, or nullptr.
    static const char* build(const StringSettings& settings, std::vector<Class>& classes);
    // Code points of UTF-8 text with ranges such as a-f; a '-' first or last
    // stands for itself. False on malformed UTF-8 or a range running backwards.
    static bool parse(std::string_view text, Class& out);
    static void appendUtf8(std::string& out, char32_t point);
    // Characters, not bytes.
    static std::int64_t length(std::string_view utf8);
};

}  // namespace ovantis
