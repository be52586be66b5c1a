#pragma once

#include <cstdint>
#include <string>

namespace ovantis {

// Why a pattern cannot be used, as data: the front ends word it in their
// language. Columns count characters from 1; 0 means the pattern as a whole.
struct PatternRefusal {
    enum class Kind {
        None,
        OpenRepeat,        // * + {m,}: figure is the least count m
        BackReference,     // \1 \k<name>
        LookAround,        // (?= (?! (?<= (?<!
        WordBoundary,      // \b \B
        Flags,             // (?i) and other (? forms
        Anchor,            // ^ or $ inside, \A \z
        Unbalanced,        // a ( [ ) ] { } without its partner
        BadEscape,         // \q and friends
        EmptyClass,        // [] or a class left empty
        PosixClass,        // [:alpha:] [=a=] [.a.] inside a class
        ReversedRange,     // [z-a] {5,3}
        BadRange,          // [\d-z]
        NothingToRepeat,   // a repeat with nothing before it
        BadRepeat,         // { not forming {n} or {m,n}
        Malformed,         // not UTF-8
        ControlCharacter,  // figure is the code point
        BadCodePoint,      // a surrogate or beyond U+10FFFF named by \x{}
        TooDeep,           // figure is the most nesting
        PatternTooLong,    // figure is the most bytes
        LineTooLong,       // figure is the most characters
        TooManyStates,     // figure is the most states
        OverBudget,        // figure is the budget in bytes
        BadOption,         // --charset or --exclude, worded as the String page's
    };
    Kind kind = Kind::None;
    std::int64_t column = 0;
    std::string found;
    std::uint64_t figure = 0;

    explicit operator bool() const { return kind != Kind::None; }
};

}  // namespace ovantis
