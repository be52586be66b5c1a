#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "PatternAutomaton.h"
#include "PatternSettings.h"
#include "RandomSource.h"
#include "Refusal.h"
#include "StopCheck.h"
#include "TextSink.h"

namespace ovantis {

// Makes the Pattern page's lines: each uniform over the distinct strings the
// pattern matches, or, with unique, a uniform sequence without repeats.
class PatternGenerator {
  public:
    // A seeded source must give its seed's lines in every version, so it
    // draws a word a character, as it always has; an unseeded one draws
    // several characters from a word.
    explicit PatternGenerator(RandomSource& random, bool seeded = false)
        : m_random(random), m_seeded(seeded) {}

    // Parses and counts; nothing is drawn from a refused pattern. Memory the
    // automaton needs beyond budget bytes is refused. The refusal names its
    // kind, column, text and figure; the pages word it. Building asks stop
    // now and then, and ends with a Stopped refusal when it answers true.
    Refusal build(const PatternSettings& settings, std::uint64_t budget,
                  const StopCheck& stop = {});

    const BigCount& count() const { return m_automaton.count(); }
    // log2 of the count.
    double bits() const { return m_automaton.count().log2(); }
    // "26^4 × 10^4" for a run of fixed pieces whose count that product says
    // better than the number alone; empty otherwise.
    const std::string& product() const { return m_product; }
    std::int64_t maxLineBytes() const { return m_automaton.maxLineBytes(); }
    // Bytes a --unique run of count lines keeps.
    std::uint64_t memoryNeeded(std::int64_t count) const;

    // Appends one line (without repeats when the settings ask for unique;
    // the caller keeps the count within count()). Lines are whole in
    // memory, so the sink is never needed: always true.
    bool appendLine(std::string& out, TextSink* sink = nullptr);
    // Whether writeLine may stand for appendLine: lines of one size, drawn
    // from an unseeded secure source, with no repeats to keep out.
    bool writesInPlace() const;
    // Writes one line at at, which has room for it; returns its end.
    char* writeLine(char* at) { return fillRuns(at); }
    // Appends up to count lines, each ended by lineEnd, until out holds
    // limit bytes; returns how many.
    std::int64_t appendLines(std::string& out, std::int64_t count, std::string_view lineEnd,
                             std::size_t limit);

    // A stream keyed from a seed, the same for that seed in every version.
    static std::unique_ptr<EntropyPool> seededPool(std::uint64_t seed);

  private:
    // Each group's size and the low products Lemire's multiply rejects.
    struct Pick {
        std::uint32_t size;
        std::uint32_t reject;
    };

    std::uint32_t word();
    std::uint64_t below(std::uint64_t bound);
    std::uint32_t below(const Pick& pick);
    BigCount below(const BigCount& bound);
    bool endsHere(std::uint32_t state);
    void appendChar(std::string& out, std::uint32_t group, std::uint64_t index) const;
    void draw(std::string& out);
    // Whether every line is the chain's characters alone.
    bool chainOnly() const;
    // Writes a line of the chain from an unseeded secure source; returns its end.
    char* fillRuns(char* next);
    // The index-th string in the automaton's order, while counts fit 64 bits.
    void unrank(std::string& out, std::uint64_t index) const;
    void factor(std::size_t node, std::uint64_t times, std::vector<std::uint64_t>& bases,
                std::vector<std::uint64_t>& powers, bool& fixed) const;

    RandomSource& m_random;
    bool m_seeded;
    std::vector<PatternNode> m_nodes;
    PatternAutomaton m_automaton;
    std::string m_product;
    bool m_unique = false;
    // Each group's characters as bytes while all are ASCII.
    std::vector<std::string> m_ascii;
    std::vector<Pick> m_picks;
    // The groups of a template of fixed ASCII pieces, such as [A-Za-z]{8},
    // in order: such lines are filled without walking the states.
    std::vector<std::uint32_t> m_chain;
    // Stretches of the chain whose sizes multiply to at most 2^64 - 1: the
    // secure source fills each from one word.
    struct Run {
        std::uint32_t first;
        std::uint32_t length;
        std::uint64_t span;
        std::uint64_t refused;  // 2^64 mod span
    };
    std::vector<Run> m_runs;
    // The chain's groups as their characters and how many.
    struct Step {
        const char* chars;
        std::uint64_t size;
    };
    std::vector<Step> m_steps;
    // A sparse shuffle of the indices for unique runs: position to value.
    std::unordered_map<std::uint64_t, std::uint64_t> m_moved;
    std::uint64_t m_taken = 0;
    // Beyond 64-bit counts, repeats are found by hashing whole lines.
    std::unordered_set<std::string> m_seen;
};

}  // namespace ovantis
