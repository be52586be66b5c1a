#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Refusal.h"

namespace ovantis {

// A word of a schema, unquoted, with where it starts in the schema's text.
struct SchemaWord {
    std::string text{};
    int line = 1;
    int character = 1;
};

// A schema's text cut into columns of words: columns end at ';' or a line's
// end, '#' starts a comment to the line's end, and words are cut at spaces
// as a shell does, quoted with '...' or "..." (where \" and \\ stand for
// themselves) or escaped with \.
class SchemaText {
  public:
    // Refuses a quote left open, a \ that escapes no character, text that is
    // no UTF-8 and controls; at is then where the fault lies.
    static Refusal split(std::string_view text, std::vector<std::vector<SchemaWord>>& columns,
                         SchemaWord& at);
    // A character as a refusal names it: U+0009.
    static std::string codePoint(char32_t point);
};

}  // namespace ovantis
