#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "CharacterSet.h"
#include "Refusal.h"

namespace ovantis {

// One piece of a parsed pattern. Nodes refer to their children by index.
struct PatternNode {
    enum class Kind { Chars, Concat, Alternation, Repeat };
    Kind kind = Kind::Concat;
    // Chars: the characters one position may hold, never empty.
    CharacterSet chars;
    std::vector<std::size_t> children;
    // Repeat: its one child min to max times.
    std::int64_t min = 1;
    std::int64_t max = 1;
    // Where the piece starts, for refusals found later.
    std::int64_t column = 0;
};

// Reads the pattern language: literals, escapes, classes, groups,
// alternation and bounded repeats, the whole line matching.
class PatternParser {
  public:
    static constexpr std::size_t kMostBytes = 64 * 1024;
    static constexpr int kMostDepth = 200;
    // Intervals all classes may hold together: a class against a --charset of
    // many ranges holds many, and each written class its own copy.
    static constexpr std::uint64_t kMostIntervals = 2000000;

    // universe: what . and negated classes draw from; removed: what no class
    // may hold (written literals keep their characters).
    PatternParser(CharacterSet universe, CharacterSet removed);

    // The nodes, root last; or the first fault.
    Refusal parse(std::string_view text, std::vector<PatternNode>& nodes);

    // Every point that never appears in a line: controls, line separators,
    // surrogates.
    static const CharacterSet& forbidden();

  private:
    struct Fault {
        Refusal refusal;
    };
    // A class member: a point, or a set from \d and the like.
    struct Member {
        bool isSet = false;
        char32_t point = 0;
        CharacterSet set;
    };

    [[noreturn]] void fail(Refusal::Kind kind, std::size_t at, std::size_t end,
                           std::uint64_t figure = 0) const;
    bool atEnd() const { return m_at >= m_points.size(); }
    char32_t peek(std::size_t ahead = 0) const;
    std::size_t add(PatternNode node);
    std::size_t classNode(const CharacterSet& set, std::size_t at);
    // The universe less set, counted against the intervals bound first.
    CharacterSet outside(const CharacterSet& set, std::size_t at);

    std::size_t alternation(int depth);
    std::size_t concatenation(int depth);
    // An atom, or nothing for ^ first and $ last.
    bool atom(int depth, std::size_t& node);
    std::size_t group(int depth);
    std::size_t bracket();
    void repeat(std::size_t& node);
    std::int64_t number(std::size_t start);
    Member escape(bool inClass);
    char32_t codePoint(std::size_t start);
    char32_t literal(char32_t point, std::size_t at) const;

    CharacterSet m_universe;
    CharacterSet m_removed;
    std::vector<char32_t> m_points;
    std::size_t m_at = 0;
    std::vector<PatternNode>* m_nodes = nullptr;
    std::uint64_t m_intervals = 0;
};

}  // namespace ovantis
