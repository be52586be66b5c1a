#pragma once

#include <cstddef>
#include <string_view>

namespace ovantis {

// The length of the UTF-8 sequence at the front of text and its code point in
// point, or 0 where the bytes there are not one: malformed, cut short,
// overlong, a surrogate or past U+10FFFF.
std::size_t decodeUtf8(std::string_view text, char32_t& point);

}  // namespace ovantis
