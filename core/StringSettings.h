#pragma once

#include <cstdint>
#include <string>

namespace ovantis {

// The String page's settings; a default-constructed value is the page's
// start-up state.
struct StringSettings {
    bool upper = true;
    bool lower = true;
    bool digits = false;
    // Printable ASCII punctuation, a class after digits.
    bool symbols = false;
    // Extra characters as UTF-8, ranges like a-f allowed: one more class.
    std::string charset;
    // Characters removed from every class, same form as charset.
    std::string exclude;
    // Removes the look-alikes 0 O o 1 l I |.
    bool noSimilar = false;
    // Every line holds a character of every class, by redrawing whole lines.
    bool eachClass = false;
    // No line repeats within a generator's run.
    bool unique = false;
    // Prints how many lines the settings allow instead of lines.
    bool info = false;
    // Lines of words from the built-in list, not characters: the lengths
    // count words, and the classes do not apply.
    bool passphrase = false;
    std::string separator = "-";
    std::string head;
    std::string tail;
    std::int32_t minLength = 5;
    std::int32_t maxLength = 8;
    std::int32_t count = 10;
};

}  // namespace ovantis
