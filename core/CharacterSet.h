#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Refusal.h"

#include "StringSettings.h"

namespace ovantis {

// A set of code points kept as sorted, disjoint, non-adjacent intervals with
// running counts, so even the whole of Unicode is a handful of numbers and
// the n-th member is a binary search away.
class CharacterSet {
  public:
    struct Interval {
        char32_t first;
        char32_t last;
    };
    // What is wrong with a text option, the first fault found.
    enum class Fault { None, Malformed, Backwards, Control };
    struct TextCheck {
        Fault fault = Fault::None;
        char32_t point = 0;  // the control character, for Control
    };

    CharacterSet() = default;
    // Any intervals, in any order, overlapping or not.
    explicit CharacterSet(std::vector<Interval> intervals);

    std::uint64_t size() const { return m_through.empty() ? 0 : m_through.back(); }
    bool empty() const { return m_intervals.empty(); }
    // The member at index (below size()) in ascending order.
    char32_t at(std::uint64_t index) const;
    bool contains(char32_t point) const;
    const std::vector<Interval>& intervals() const { return m_intervals; }
    CharacterSet minus(const CharacterSet& removed) const;

    // The settings' classes in drawing order: upper, lower, digits, symbols,
    // then a custom set; classes emptied by exclusions are dropped. False
    // when a text is not usable or no class is left.
    static bool build(const StringSettings& settings, std::vector<CharacterSet>& classes);
    // The kind of refusal a text's fault makes.
    static Refusal::Kind refusalKind(Fault fault);
    // UTF-8 text with ranges such as a-f; a '-' first or last stands for
    // itself. A range skips surrogates and the characters that end a line.
    // A character that ends a line, written out, is a fault unless allowed.
    static TextCheck parse(std::string_view text, CharacterSet& out, bool allowControls = false);
    // Text used as it is (head, tail): UTF-8 without a character ending a line.
    static TextCheck checkVerbatim(std::string_view text);
    // Characters that would split a value over lines or steer a terminal: C0
    // controls, DEL, C1 controls (NEL among them), the line and paragraph
    // separators.
    static bool breaksLine(char32_t point);
    static void appendUtf8(std::string& out, char32_t point);
    // Appends the code points of UTF-8 text, controls included; returns the
    // bytes read, short of text.size() at the first malformed sequence.
    static std::size_t decodeUtf8(std::string_view text, std::vector<char32_t>& points);

  private:
    std::vector<Interval> m_intervals;
    // Members up to and including each interval.
    std::vector<std::uint64_t> m_through;
};

}  // namespace ovantis
