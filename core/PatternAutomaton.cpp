#include "PatternAutomaton.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace ovantis {
namespace {

using Kind = Refusal::Kind;

std::uint64_t saturatedProduct(std::uint64_t a, std::uint64_t b) {
    constexpr std::uint64_t kCap = std::uint64_t{1} << 62;
    return a != 0 && b > kCap / a ? kCap : std::min(a * b, kCap);
}

std::uint64_t mixed(std::uint64_t x) {
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    return x ^ (x >> 31);
}

struct KeyHash {
    template <typename Word>
    std::size_t operator()(const std::vector<Word>& key) const noexcept {
        std::uint64_t h = 0x9E3779B97F4A7C15u;
        for (const Word k : key) {
            h = (h ^ static_cast<std::uint32_t>(k)) * 0x100000001B3u;
        }
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

// Which sets hold a stretch of the alphabet, as the sum of the sets' random
// 128-bit marks: two different memberships share a mark with odds of 2^-128.
struct Mark {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    void flip(std::uint32_t set) {
        low ^= mixed(2 * std::uint64_t{set} + 1);
        high ^= mixed(2 * std::uint64_t{set} + 2);
    }
    bool operator==(const Mark&) const = default;
};
struct MarkHash {
    std::size_t operator()(const Mark& m) const noexcept { return static_cast<std::size_t>(m.low); }
};

}  // namespace

// An automaton with empty moves, built back to front, so it has no cycles.
struct PatternAutomaton::Nfa {
    struct Node {
        std::int32_t set = -1;  // a character move to out, on one of the distinct sets
        std::int32_t out = -1;
        std::int32_t other = -1;  // a second empty move
    };
    std::vector<Node> nodes;
    std::int32_t accept = 0;
};

class PatternAutomaton::Builder {
  public:
    Builder(const std::vector<PatternNode>& nodes, std::uint64_t budget, const StopCheck& stop,
            bool wholeWhereAffordable, PatternAutomaton& out)
        : m_nodes(nodes),
          m_budget(budget),
          m_stop(stop),
          m_wholeWhereAffordable(wholeWhereAffordable),
          m_out(out) {}

    Refusal run() {
        const std::size_t root = m_nodes.size() - 1;
        std::vector<Facts> facts(m_nodes.size());
        for (std::size_t i = 0; i < m_nodes.size(); ++i) {
            facts[i] = factsOf(i, facts);
            if (facts[i].longest > static_cast<std::uint64_t>(kLongestLine)) {
                return {Kind::LineTooLong,
                        m_nodes[i].column,
                        {},
                        static_cast<std::uint64_t>(kLongestLine)};
            }
        }
        if (facts[root].size > kMostNodes) {
            return {Kind::TooManyNodes, 0, {}, kMostNodes};
        }
        m_facts = &facts;
        if (Refusal r = splitAlphabet()) {
            return r;
        }
        m_nfa.nodes.push_back({});  // the accepting node
        m_nfa.accept = 0;
        const std::int32_t start = nfaOf(root, m_nfa.accept);
        if (Refusal r = determinize(start)) {
            return r;
        }
        return countPaths();
    }

  private:
    struct Facts {
        std::uint64_t longest = 0;  // characters
        std::uint64_t widest = 1;   // bytes of the widest character
        std::uint64_t size = 0;     // automaton nodes
    };

    Facts factsOf(std::size_t i, const std::vector<Facts>& facts) const {
        const PatternNode& n = m_nodes[i];
        Facts f;
        switch (n.kind) {
            case PatternNode::Kind::Chars: {
                const char32_t last = n.chars.intervals().back().last;
                f = {1, last < 0x80 ? 1u : last < 0x800 ? 2u : last < 0x10000 ? 3u : 4u, 1};
                break;
            }
            case PatternNode::Kind::Concat:
            case PatternNode::Kind::Alternation:
                for (const std::size_t c : n.children) {
                    const Facts& g = facts[c];
                    f.longest = n.kind == PatternNode::Kind::Concat
                                    ? std::min(f.longest + g.longest, std::uint64_t{1} << 62)
                                    : std::max(f.longest, g.longest);
                    f.widest = std::max(f.widest, g.widest);
                    f.size = std::min(f.size + g.size + 1, std::uint64_t{1} << 62);
                }
                break;
            case PatternNode::Kind::Repeat: {
                const Facts& g = facts[n.children[0]];
                // A repeat of nothing but the empty string adds nothing.
                const auto times = g.longest == 0 ? 0 : static_cast<std::uint64_t>(n.max);
                f = {saturatedProduct(g.longest, times), g.widest,
                     saturatedProduct(g.size + 1, times)};
                break;
            }
        }
        return f;
    }

    Refusal limits() const {
        if (m_stop && m_stop()) {
            return {Kind::Stopped};
        }
        if (m_out.m_states.size() > kMostStates) {
            return {Kind::TooManyStates, 0, {}, kMostStates};
        }
        if (m_work > kMostWork) {
            return {Kind::TooMuchWork, 0, {}, kMostWork};
        }
        if (m_bytes > m_budget) {
            return {Kind::CountingOverBudget, 0, {}, m_budget};
        }
        return {};
    }

    // Splits the alphabet once into classes of characters that every set
    // either holds whole or not at all, so a state's moves are found per
    // class, never per character or per boundary of each set.
    Refusal splitAlphabet() {
        m_setOf.assign(m_nodes.size(), -1);
        std::unordered_map<std::size_t, std::vector<std::uint32_t>> byHash;
        std::vector<const CharacterSet*> distinct;
        std::vector<std::pair<std::uint32_t, std::int32_t>> events;
        for (std::size_t i = 0; i < m_nodes.size(); ++i) {
            if (m_nodes[i].kind != PatternNode::Kind::Chars) {
                continue;
            }
            const CharacterSet& chars = m_nodes[i].chars;
            std::vector<std::uint32_t>& same = byHash[hashOf(chars)];
            const auto found = std::find_if(same.begin(), same.end(), [&](std::uint32_t d) {
                return std::equal(chars.intervals().begin(), chars.intervals().end(),
                                  distinct[d]->intervals().begin(), distinct[d]->intervals().end(),
                                  [](const auto& a, const auto& b) {
                                      return a.first == b.first && a.last == b.last;
                                  });
            });
            m_work += chars.intervals().size();
            if (found != same.end()) {
                m_setOf[i] = static_cast<std::int32_t>(*found);
                continue;
            }
            const auto d = static_cast<std::int32_t>(distinct.size());
            same.push_back(static_cast<std::uint32_t>(d));
            distinct.push_back(&chars);
            m_setOf[i] = d;
            for (const CharacterSet::Interval& v : chars.intervals()) {
                events.emplace_back(v.first, d + 1);
                events.emplace_back(v.last + 1, -(d + 1));
            }
            m_bytes += 2 * chars.intervals().size() * sizeof(events[0]);
            if (Refusal r = limits()) {
                return r;
            }
        }
        std::sort(events.begin(), events.end());
        m_classesOf.assign(distinct.size(), {});
        std::vector<std::uint32_t> active;
        std::vector<std::uint32_t> where(distinct.size());
        std::unordered_map<Mark, std::uint32_t, MarkHash> classOf;
        Mark mark;
        for (std::size_t e = 0; e < events.size();) {
            const std::uint32_t point = events[e].first;
            for (; e < events.size() && events[e].first == point; ++e) {
                const auto d = static_cast<std::uint32_t>(std::abs(events[e].second) - 1);
                mark.flip(d);
                if (events[e].second > 0) {
                    where[d] = static_cast<std::uint32_t>(active.size());
                    active.push_back(d);
                } else {
                    active[where[d]] = active.back();
                    where[active.back()] = where[d];
                    active.pop_back();
                }
            }
            if (active.empty()) {
                continue;
            }
            const auto [at, fresh] =
                classOf.try_emplace(mark, static_cast<std::uint32_t>(m_classes.size()));
            if (fresh) {
                // A class's sets are the ones holding any of its characters.
                m_classes.emplace_back();
                for (const std::uint32_t d : active) {
                    m_classesOf[d].push_back(at->second);
                }
                m_work += active.size();
                m_bytes += active.size() * sizeof(std::uint32_t) + 64;
            }
            m_classes[at->second].push_back({point, events[e].first - 1});
            m_bytes += sizeof(CharacterSet::Interval);
            if (Refusal r = limits()) {
                return r;
            }
        }
        return {};
    }

    static std::size_t hashOf(const CharacterSet& chars) {
        std::vector<std::uint32_t> bounds;
        bounds.reserve(2 * chars.intervals().size());
        for (const CharacterSet::Interval& v : chars.intervals()) {
            bounds.push_back(v.first);
            bounds.push_back(v.last);
        }
        return KeyHash{}(bounds);
    }

    std::int32_t node(Nfa::Node n) {
        m_nfa.nodes.push_back(n);
        return static_cast<std::int32_t>(m_nfa.nodes.size() - 1);
    }

    // The node that matches pattern node i and then goes on to next.
    std::int32_t nfaOf(std::size_t i, std::int32_t next) {
        const PatternNode& n = m_nodes[i];
        switch (n.kind) {
            case PatternNode::Kind::Chars:
                return node({m_setOf[i], next, -1});
            case PatternNode::Kind::Concat:
                for (auto c = n.children.rbegin(); c != n.children.rend(); ++c) {
                    next = nfaOf(*c, next);
                }
                return next;
            case PatternNode::Kind::Alternation: {
                std::int32_t first = nfaOf(n.children.back(), next);
                for (auto c = n.children.rbegin() + 1; c != n.children.rend(); ++c) {
                    first = node({-1, nfaOf(*c, next), first});
                }
                return first;
            }
            case PatternNode::Kind::Repeat: {
                if ((*m_facts)[n.children[0]].longest == 0) {
                    return next;
                }
                // Each optional copy may leave straight for next, so closures
                // stay short however many copies there are.
                std::int32_t at = next;
                for (std::int64_t k = n.min; k < n.max; ++k) {
                    at = node({-1, nfaOf(n.children[0], at), next});
                }
                for (std::int64_t k = 0; k < n.min; ++k) {
                    at = nfaOf(n.children[0], at);
                }
                return at;
            }
        }
        return next;
    }

    // The nodes with a character move, and the accepting one, reached from
    // seeds by empty moves; sorted.
    std::vector<std::int32_t> closure(const std::vector<std::int32_t>& seeds) {
        ++m_stamp;
        std::vector<std::int32_t> key;
        std::vector<std::int32_t> stack(seeds.begin(), seeds.end());
        while (!stack.empty()) {
            const std::int32_t at = stack.back();
            stack.pop_back();
            if (at < 0 || m_seen[static_cast<std::size_t>(at)] == m_stamp) {
                continue;
            }
            m_seen[static_cast<std::size_t>(at)] = m_stamp;
            ++m_work;
            const Nfa::Node& n = m_nfa.nodes[static_cast<std::size_t>(at)];
            if (n.set >= 0 || at == m_nfa.accept) {
                key.push_back(at);
            } else {
                stack.push_back(n.other);
                stack.push_back(n.out);
            }
        }
        std::sort(key.begin(), key.end());
        return key;
    }

    // The state of a key, made when new.
    std::uint32_t stateOf(std::vector<std::int32_t> key) {
        m_work += key.size();
        const auto [at, fresh] =
            m_ids.try_emplace(std::move(key), static_cast<std::uint32_t>(m_keys.size()));
        if (fresh) {
            m_bytes += at->first.size() * sizeof(std::int32_t) + 96;
            m_keys.push_back(&at->first);
            m_out.m_states.emplace_back();
        }
        return at->second;
    }

    // The shared set of a group's classes, made when new.
    std::uint32_t setOf(const std::vector<std::uint32_t>& classes) {
        const auto [at, fresh] =
            m_setIds.try_emplace(classes, static_cast<std::uint32_t>(m_out.m_sets.size()));
        if (fresh) {
            std::vector<CharacterSet::Interval> intervals;
            for (const std::uint32_t c : classes) {
                intervals.insert(intervals.end(), m_classes[c].begin(), m_classes[c].end());
            }
            m_work += intervals.size() + classes.size();
            m_bytes += intervals.size() * 24 + classes.size() * sizeof(std::uint32_t) + 128;
            m_out.m_sets.emplace_back(std::move(intervals));
        }
        return at->second;
    }

    Refusal determinize(std::int32_t start) {
        m_seen.assign(m_nfa.nodes.size(), 0);
        m_bytes += m_nfa.nodes.size() * (sizeof(Nfa::Node) + sizeof(std::uint32_t));
        stateOf(closure({start}));
        std::vector<std::pair<std::uint32_t, std::int32_t>> moves;  // class, then target node
        std::vector<std::int32_t> outs;
        std::map<std::vector<std::int32_t>, std::uint32_t> targets;
        std::map<std::uint32_t, std::vector<std::uint32_t>> byTarget;
        for (std::size_t s = 0; s < m_keys.size(); ++s) {
            moves.clear();
            for (const std::int32_t at : *m_keys[s]) {
                const Nfa::Node& n = m_nfa.nodes[static_cast<std::size_t>(at)];
                if (n.set < 0) {
                    m_out.m_states[s].accept = true;
                    continue;
                }
                for (const std::uint32_t c : m_classesOf[static_cast<std::size_t>(n.set)]) {
                    moves.emplace_back(c, n.out);
                }
                m_work += m_classesOf[static_cast<std::size_t>(n.set)].size();
                if (m_work > kMostWork) {
                    return limits();
                }
            }
            const std::uint64_t movesBytes = moves.capacity() * sizeof(moves[0]);
            m_bytes += movesBytes;
            if (Refusal r = limits()) {
                return r;
            }
            m_bytes -= movesBytes;
            std::sort(moves.begin(), moves.end());
            // Classes in order of their first character, so states are
            // numbered as they always were.
            targets.clear();
            byTarget.clear();
            for (std::size_t m = 0; m < moves.size();) {
                const std::uint32_t c = moves[m].first;
                outs.clear();
                for (; m < moves.size() && moves[m].first == c; ++m) {
                    if (outs.empty() || outs.back() != moves[m].second) {
                        outs.push_back(moves[m].second);
                    }
                }
                auto target = targets.find(outs);
                if (target == targets.end()) {
                    target = targets.emplace(outs, stateOf(closure(outs))).first;
                    if (Refusal r = limits()) {
                        return r;
                    }
                }
                byTarget[target->second].push_back(c);
            }
            State& state = m_out.m_states[s];
            state.firstGroup = static_cast<std::uint32_t>(m_out.m_groups.size());
            state.groups = static_cast<std::uint32_t>(byTarget.size());
            for (const auto& [target, classes] : byTarget) {
                m_bytes += sizeof(Group);
                m_out.m_groups.push_back({target, setOf(classes), 0});
            }
            if (Refusal r = limits()) {
                return r;
            }
        }
        return {};
    }

    // Counts, children first, with an explicit stack: paths may be long.
    // Along a run of states with one way on, one whole count moves up from
    // state to state (each multiplied by a word of pending factors at a
    // time); a state there keeps at most its count's top words.
    Refusal countPaths() {
        m_keys.clear();
        m_ids.clear();
        m_setIds.clear();
        auto& states = m_out.m_states;
        const auto& groups = m_out.m_groups;
        const auto size = [&](const Group& g) { return m_out.m_sets[g.set].size(); };
        // Whole counts where a draw reads them: the start, states with more
        // than one way on, their targets and states entered from more than one.
        std::vector<std::uint8_t> keep(states.size(), 0);
        std::vector<std::uint8_t> entries(states.size(), 0);
        keep[0] = 1;
        for (std::size_t s = 0; s < states.size(); ++s) {
            const State& state = states[s];
            keep[s] |= static_cast<std::uint8_t>(state.groups > 1);
            for (std::uint32_t g = state.firstGroup; g < state.firstGroup + state.groups; ++g) {
                const std::uint32_t t = groups[g].target;
                entries[t] = static_cast<std::uint8_t>(std::min(entries[t] + 1, 2));
                keep[t] |= static_cast<std::uint8_t>(state.groups > 1 || entries[t] > 1);
            }
        }
        std::vector<std::uint32_t> order;
        order.reserve(states.size());
        m_bytes += states.size() * (3 + sizeof(std::uint32_t));
        std::vector<std::uint8_t> done(states.size(), 0);
        std::vector<std::pair<std::uint32_t, std::uint32_t>> stack{{0, 0}};
        // The whole count of the state finished last where it keeps none:
        // its only way in is from the state finished next.
        BigCount moving;
        std::uint64_t pending = 1;
        while (!stack.empty()) {
            auto& [s, next] = stack.back();
            State& state = states[s];
            if (next < state.groups) {
                const std::uint32_t target = groups[state.firstGroup + next++].target;
                if (done[target] == 0) {
                    stack.emplace_back(target, 0);
                }
                continue;
            }
            BigCount whole;
            std::uint64_t factor = 1;
            const Group* const only = state.groups == 1 ? &groups[state.firstGroup] : nullptr;
            if (only != nullptr && keep[only->target] == 0) {
                whole = std::move(moving);
                factor = pending;
                if (factor > ~std::uint64_t{0} / size(*only)) {
                    whole.multiply(factor);
                    factor = 1;
                }
                factor *= size(*only);
                if (state.accept) {
                    whole.multiply(factor);
                    factor = 1;
                    whole += BigCount(1);
                }
            } else {
                whole = BigCount(state.accept ? 1 : 0);
                for (std::uint32_t g = state.firstGroup; g < state.firstGroup + state.groups; ++g) {
                    whole.addProduct(states[groups[g].target].count,
                                     static_cast<std::uint32_t>(size(groups[g])));
                }
            }
            std::uint64_t movingBytes = 0;
            if (keep[s] != 0) {
                whole.multiply(factor);
                state.count = std::move(whole);
            } else {
                if (state.accept && m_wholeWhereAffordable &&
                    m_bytes + whole.bytes() <= m_budget / 2) {
                    whole.multiply(factor);
                    factor = 1;
                    state.count = whole;
                } else if (state.accept) {
                    keepTop(state, whole);
                }
                moving = std::move(whole);
                pending = factor;
                movingBytes = moving.bytes();
            }
            m_bytes += state.count.bytes();
            m_bytes += movingBytes;
            Refusal r = limits();
            m_bytes -= movingBytes;
            if (r && r.kind != Kind::TooMuchWork) {
                return r;
            }
            order.push_back(s);
            done[s] = 1;
            stack.pop_back();
        }
        if (count().fits64()) {
            // Every count fits too: unranking reads them all.
            for (const std::uint32_t s : order) {
                State& state = states[s];
                state.dropped = 0;
                std::uint64_t total = state.accept ? 1 : 0;
                for (std::uint32_t g = state.firstGroup; g < state.firstGroup + state.groups; ++g) {
                    total += size(groups[g]) * states[groups[g].target].count.low64();
                }
                state.count = BigCount(total);
            }
        }
        // Unranking reads every state's; a draw only those of states that branch.
        const bool all = count().fits64();
        for (State& state : states) {
            if (whole(state) && state.count.fits64() && (all || state.groups > 1)) {
                std::uint64_t through = state.accept ? 1 : 0;
                for (std::uint32_t g = state.firstGroup; g < state.firstGroup + state.groups; ++g) {
                    Group& group = m_out.m_groups[g];
                    through += size(group) * states[group.target].count.low64();
                    group.through = through;
                }
            }
        }
        const Facts& root = (*m_facts)[m_nodes.size() - 1];
        m_out.m_maxLineBytes = static_cast<std::int64_t>(root.longest * root.widest);
        return {};
    }

    const BigCount& count() const { return m_out.m_states.front().count; }

    // A state that ends a line or goes on one way keeps its count's top words.
    static void keepTop(State& state, const BigCount& whole) {
        constexpr std::size_t kTopWords = 4;
        if (whole.words() <= kTopWords) {
            state.count = whole;
            return;
        }
        state.dropped = static_cast<std::uint32_t>(whole.words() - kTopWords);
        std::vector<std::uint32_t> top(kTopWords);
        for (std::size_t i = 0; i < kTopWords; ++i) {
            top[i] = whole.word(state.dropped + i);
        }
        state.count = BigCount::fromWords(std::move(top));
    }

    const std::vector<PatternNode>& m_nodes;
    std::uint64_t m_budget;
    const StopCheck& m_stop;
    bool m_wholeWhereAffordable;
    PatternAutomaton& m_out;
    const std::vector<Facts>* m_facts = nullptr;
    Nfa m_nfa;
    // Each pattern node's distinct set, the alphabet's classes as intervals,
    // and each distinct set's classes in ascending order.
    std::vector<std::int32_t> m_setOf;
    std::vector<std::vector<CharacterSet::Interval>> m_classes;
    std::vector<std::vector<std::uint32_t>> m_classesOf;
    std::vector<std::uint32_t> m_seen;
    std::uint32_t m_stamp = 0;
    std::uint64_t m_work = 0;
    std::uint64_t m_bytes = 0;
    std::vector<const std::vector<std::int32_t>*> m_keys;
    std::unordered_map<std::vector<std::int32_t>, std::uint32_t, KeyHash> m_ids;
    std::unordered_map<std::vector<std::uint32_t>, std::uint32_t, KeyHash> m_setIds;
};

BigCount PatternAutomaton::wholeCount(std::uint32_t s) const {
    std::vector<std::uint32_t> path;
    for (; !whole(m_states[s]); s = m_groups[m_states[s].firstGroup].target) {
        path.push_back(s);
    }
    BigCount count = m_states[s].count;
    for (auto at = path.rbegin(); at != path.rend(); ++at) {
        const State& state = m_states[*at];
        count.multiply(chars(m_groups[state.firstGroup]).size());
        if (state.accept) {
            count += BigCount(1);
        }
    }
    return count;
}

Refusal PatternAutomaton::build(const std::vector<PatternNode>& nodes, std::uint64_t budget,
                                const StopCheck& stop, bool wholeWhereAffordable) {
    m_states.clear();
    m_groups.clear();
    m_sets.clear();
    Refusal refusal = Builder(nodes, budget, stop, wholeWhereAffordable, *this).run();
    if (refusal) {
        m_states.clear();
        m_groups.clear();
        m_sets.clear();
    }
    return refusal;
}

}  // namespace ovantis
