#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ovantis {

// Why settings cannot be used, as data: the front ends word it in their
// language, the window by its notice, the command line also by its kind.
struct Refusal {
    // Comments name the values, in order.
    enum class Kind {
        None,
        // Settings of the pages
        NoCharClass,
        NotUtf8,         // option
        Backwards,       // option
        ControlInValue,  // option, code point
        EachClassShort,  // classes, longest length, its option
        MaxBelowMin,     // high option, low option, low, high
        NoNumberType,
        PlacesOutside,  // places
        BeyondSingle,   // low option, high option
        LowAboveHigh,   // low option, high option
        NoWhole,        // low option, high option
        NoDecimal,      // places, low option, high option
        NoProgram,
        CountTooLow,  // count, its option
        NotANumber,   // option, the text
        // Runs of the command line
        EachClassRare,  // draws per line
        EachClassNever,
        UniqueSlow,        // count, draws for the last line
        TooFewPossible,    // count, lines possible
        ClassicTooFew,     // count, lines possible
        UniqueOverBudget,  // memory needed, count, budget in MiB
        // Templates; column counts characters from 1, 0 for the whole
        OpenRepeat,          // found, a bound to give; figure is the least count
        BackReference,       // found: \1 \k<name>
        LookAround,          // found: (?= (?! (?<= (?<!
        WordBoundary,        // found: \b \B
        Flags,               // found: (?i) and other (? forms
        Anchor,              // found: ^ or $ inside, \A \z
        Unbalanced,          // found: a ( [ ) ] { } without its partner
        BadEscape,           // found: \q and friends
        EmptyClass,          // found: [] or a class left empty
        PosixClass,          // found: [:alpha:] [=a=] [.a.] inside a class
        ReversedRange,       // found: [z-a] {5,3}
        BadRange,            // found: [\d-z]
        NothingToRepeat,     // found: a repeat with nothing before it
        BadRepeat,           // found: { not forming {n} or {m,n}
        ControlCharacter,    // code point
        BadCodePoint,        // found: a surrogate or beyond U+10FFFF named by \x{}
        TooDeep,             // the most nesting
        PatternTooLong,      // the most bytes
        LineTooLong,         // the most characters
        TooManyStates,       // the most states
        CountingOverBudget,  // the budget in MiB
        TooManyNodes,        // the most automaton nodes
        TooMuchWork,         // the most steps
        Stopped,             // asked to stop while building
        OutOfMemory,         // the system's memory ran out while building
        // Rows: their columns, dates and word lists
        BadDate,           // the text
        BadFormat,         // the conversion
        BadZone,           // the text
        DatesReversed,     // start, end
        DateRepeats,       // the format, the most units
        WordsRunTogether,  // the separator
        BadWord,           // the line
        NoWords,
        TooManyWords,   // the most
        OpenQuote,      // the quote
        BadColumnName,  // the name
        RepeatedName,   // the name
        UnknownKind,    // the word, the kinds
        NoColumns,
        BadArgument,  // the word, the column's form
        BadWeights,   // the text, the most in total
        NoValues,
        Uuid7NeedsTime,
        UniqueAcrossShards,  // the column
        BadShard,            // the text, the most parts
        PageOptions,         // the page's options' own words
        NoOptionValue,       // the option
        EscapesNothing,
        UuidBeforeEpoch,  // the time
        Count
    };
    Kind kind = Kind::None;
    std::int64_t column = 0;
    // The template's text at fault, and the figure its kind names.
    std::string found{};
    std::uint64_t figure = 0;
    // The page's notice (pages/Notices.h); none for a command-line run's own limits.
    const char* notice = nullptr;
    // The row of the page's fields at fault, by its command-line names.
    const char* field = nullptr;
    // The values the reason names, as text, in the order its kind lists.
    std::vector<std::string> values{};

    explicit operator bool() const { return kind != Kind::None; }
};

}  // namespace ovantis
