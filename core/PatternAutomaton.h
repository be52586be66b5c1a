#pragma once

#include <cstdint>
#include <vector>

#include "BigCount.h"
#include "CharacterSet.h"
#include "PatternParser.h"
#include "Refusal.h"
#include "StopCheck.h"

namespace ovantis {

// The deterministic automaton of a pattern's finite language: one path per
// string, so counting paths counts distinct strings, and each state knows
// how many strings complete from it.
class PatternAutomaton {
  public:
    // The String page's longest line: its largest --max-length.
    static constexpr std::int64_t kLongestLine = 2147483647;
    static constexpr std::uint64_t kMostNodes = 1000000;
    static constexpr std::uint64_t kMostStates = 100000;
    // Steps of building, each a few nanoseconds: a bound on its time.
    static constexpr std::uint64_t kMostWork = 20000000;

    // The characters leading from a state to one target.
    struct Group {
        std::uint32_t target = 0;
        // Its characters, chars(group): one set shared by every group with the same.
        std::uint32_t set = 0;
        // Strings through this group and the ones before it, ending the
        // line counted first; kept while the state's count fits 64 bits.
        std::uint64_t through = 0;
    };
    struct State {
        bool accept = false;
        std::uint32_t firstGroup = 0;
        std::uint32_t groups = 0;
        // Strings from here, whole where a draw needs them whole: at the
        // start, at states with more than one way on, their targets and
        // states entered from more than one, and everywhere when the whole
        // count fits 64 bits. Elsewhere a state that ends a line keeps the
        // top words, the count shifted down by dropped words, and one that
        // only goes on keeps none: a long line costs memory in proportion to
        // it, not its square.
        BigCount count;
        std::uint32_t dropped = 0;
    };
    static bool whole(const State& state) { return state.dropped == 0 && !state.count.isZero(); }

    // From parsed nodes, root last; memory beyond budget bytes is refused,
    // and stop is asked now and then. wholeWhereAffordable keeps whole counts
    // at states that end a line within half the budget, for draws that read
    // every count whole.
    Refusal build(const std::vector<PatternNode>& nodes, std::uint64_t budget,
                  const StopCheck& stop = {}, bool wholeWhereAffordable = false);

    // Strings matched: the start state's count.
    const BigCount& count() const { return m_states.front().count; }
    const std::vector<State>& states() const { return m_states; }
    const std::vector<Group>& groups() const { return m_groups; }
    const CharacterSet& chars(const Group& group) const { return m_sets[group.set]; }
    // A state's whole count, from the whole one further on.
    BigCount wholeCount(std::uint32_t state) const;
    // The longest line in bytes.
    std::int64_t maxLineBytes() const { return m_maxLineBytes; }

  private:
    struct Nfa;
    class Builder;

    std::vector<State> m_states;
    std::vector<Group> m_groups;
    std::vector<CharacterSet> m_sets;
    std::int64_t m_maxLineBytes = 0;
};

}  // namespace ovantis
