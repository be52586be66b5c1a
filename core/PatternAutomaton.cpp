#include "PatternAutomaton.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace ovantis {
namespace {

using Kind = Refusal::Kind;

// Steps of closure and partition work, a bound on the time building takes.
constexpr std::uint64_t kMostWork = 1000000;

std::uint64_t saturatedProduct(std::uint64_t a, std::uint64_t b) {
    constexpr std::uint64_t kCap = std::uint64_t{1} << 62;
    return a != 0 && b > kCap / a ? kCap : std::min(a * b, kCap);
}

struct KeyHash {
    std::size_t operator()(const std::vector<std::int32_t>& key) const noexcept {
        std::uint64_t h = 0x9E3779B97F4A7C15u;
        for (const std::int32_t k : key) {
            h = (h ^ static_cast<std::uint32_t>(k)) * 0x100000001B3u;
        }
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

}  // namespace

// An automaton with empty moves, built back to front, so it has no cycles.
struct PatternAutomaton::Nfa {
    struct Node {
        const CharacterSet* chars = nullptr;  // a character move to out
        std::int32_t out = -1;
        std::int32_t other = -1;  // a second empty move
    };
    std::vector<Node> nodes;
    std::int32_t accept = 0;
};

class PatternAutomaton::Builder {
  public:
    Builder(const std::vector<PatternNode>& nodes, std::uint64_t budget, const StopCheck& stop,
            PatternAutomaton& out)
        : m_nodes(nodes), m_budget(budget), m_stop(stop), m_out(out) {}

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
            return {Kind::TooManyStates, 0, {}, kMostNodes};
        }
        m_facts = &facts;
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

    std::int32_t node(Nfa::Node n) {
        m_nfa.nodes.push_back(n);
        return static_cast<std::int32_t>(m_nfa.nodes.size() - 1);
    }

    // The node that matches pattern node i and then goes on to next.
    std::int32_t nfaOf(std::size_t i, std::int32_t next) {
        const PatternNode& n = m_nodes[i];
        switch (n.kind) {
            case PatternNode::Kind::Chars:
                return node({&n.chars, next, -1});
            case PatternNode::Kind::Concat:
                for (auto c = n.children.rbegin(); c != n.children.rend(); ++c) {
                    next = nfaOf(*c, next);
                }
                return next;
            case PatternNode::Kind::Alternation: {
                std::int32_t first = nfaOf(n.children.back(), next);
                for (auto c = n.children.rbegin() + 1; c != n.children.rend(); ++c) {
                    first = node({nullptr, nfaOf(*c, next), first});
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
                    at = node({nullptr, nfaOf(n.children[0], at), next});
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
            if (n.chars != nullptr || at == m_nfa.accept) {
                key.push_back(at);
            } else {
                stack.push_back(n.other);
                stack.push_back(n.out);
            }
        }
        std::sort(key.begin(), key.end());
        return key;
    }

    Refusal tooBig() const {
        if (m_out.m_states.size() > kMostStates || m_work > kMostWork) {
            return {Kind::TooManyStates, 0, {}, kMostStates};
        }
        if (m_bytes > m_budget) {
            return {Kind::CountingOverBudget, 0, {}, m_budget};
        }
        return {};
    }

    // The state of a key, made when new.
    std::uint32_t stateOf(std::vector<std::int32_t> key) {
        m_work += key.size();
        const auto found = m_ids.find(key);
        if (found != m_ids.end()) {
            return found->second;
        }
        const auto id = static_cast<std::uint32_t>(m_keys.size());
        m_bytes += 3 * key.size() * sizeof(std::int32_t) + 96;
        m_ids.emplace(key, id);
        m_keys.push_back(std::move(key));
        m_out.m_states.emplace_back();
        return id;
    }

    Refusal determinize(std::int32_t start) {
        m_seen.assign(m_nfa.nodes.size(), 0);
        m_bytes = m_nfa.nodes.size() * sizeof(Nfa::Node) * 2;
        stateOf(closure({start}));
        for (std::size_t s = 0; s < m_keys.size(); ++s) {
            // Every boundary of every move's characters splits the alphabet;
            // between two boundaries the same moves apply.
            std::vector<std::pair<std::uint32_t, std::int32_t>> events;
            for (const std::int32_t at : m_keys[s]) {
                const Nfa::Node& n = m_nfa.nodes[static_cast<std::size_t>(at)];
                if (n.chars == nullptr) {
                    m_out.m_states[s].accept = true;
                    continue;
                }
                for (const CharacterSet::Interval& i : n.chars->intervals()) {
                    events.emplace_back(i.first, n.out + 1);
                    events.emplace_back(i.last + 1, -(n.out + 1));
                }
            }
            std::sort(events.begin(), events.end());
            m_work += events.size();
            std::map<std::int32_t, int> active;
            std::map<std::vector<std::int32_t>, std::uint32_t> targets;
            std::map<std::uint32_t, std::vector<CharacterSet::Interval>> byTarget;
            for (std::size_t e = 0; e < events.size();) {
                const std::uint32_t point = events[e].first;
                for (; e < events.size() && events[e].first == point; ++e) {
                    const std::int32_t out = std::abs(events[e].second) - 1;
                    if (events[e].second > 0) {
                        ++active[out];
                    } else if (--active[out] == 0) {
                        active.erase(out);
                    }
                }
                if (active.empty() || e == events.size()) {
                    continue;
                }
                std::vector<std::int32_t> outs;
                for (const auto& [out, count] : active) {
                    outs.push_back(out);
                }
                auto target = targets.find(outs);
                if (target == targets.end()) {
                    target = targets.emplace(outs, stateOf(closure(outs))).first;
                }
                byTarget[target->second].push_back({point, events[e].first - 1});
            }
            State& state = m_out.m_states[s];
            state.firstGroup = static_cast<std::uint32_t>(m_out.m_groups.size());
            state.groups = static_cast<std::uint32_t>(byTarget.size());
            for (auto& [target, intervals] : byTarget) {
                m_bytes += sizeof(Group) + 2 * intervals.size() * 16;
                m_out.m_groups.push_back({target, CharacterSet(std::move(intervals)), 0});
            }
            if (Refusal r = tooBig()) {
                return r;
            }
        }
        return {};
    }

    // Counts, children first, with an explicit stack: paths may be long.
    Refusal countPaths() {
        m_keys.clear();
        m_ids.clear();
        auto& states = m_out.m_states;
        std::vector<std::uint8_t> done(states.size(), 0);
        std::vector<std::pair<std::uint32_t, std::uint32_t>> stack{{0, 0}};
        while (!stack.empty()) {
            auto& [s, next] = stack.back();
            State& state = states[s];
            if (next < state.groups) {
                const std::uint32_t target = m_out.m_groups[state.firstGroup + next++].target;
                if (done[target] == 0) {
                    stack.emplace_back(target, 0);
                }
                continue;
            }
            state.count = BigCount(state.accept ? 1 : 0);
            for (std::uint32_t g = 0; g < state.groups; ++g) {
                const Group& group = m_out.m_groups[state.firstGroup + g];
                state.count.addProduct(states[group.target].count,
                                       static_cast<std::uint32_t>(group.chars.size()));
            }
            m_bytes += state.count.bytes();
            if (m_bytes > m_budget) {
                return {Kind::CountingOverBudget, 0, {}, m_budget};
            }
            if (state.count.fits64()) {
                std::uint64_t through = state.accept ? 1 : 0;
                for (std::uint32_t g = 0; g < state.groups; ++g) {
                    Group& group = m_out.m_groups[state.firstGroup + g];
                    through += group.chars.size() * states[group.target].count.low64();
                    group.through = through;
                }
            }
            done[s] = 1;
            stack.pop_back();
        }
        const Facts& root = (*m_facts)[m_nodes.size() - 1];
        m_out.m_maxLineBytes = static_cast<std::int64_t>(root.longest * root.widest);
        return {};
    }

    const std::vector<PatternNode>& m_nodes;
    std::uint64_t m_budget;
    const StopCheck& m_stop;
    PatternAutomaton& m_out;
    const std::vector<Facts>* m_facts = nullptr;
    Nfa m_nfa;
    std::vector<std::uint32_t> m_seen;
    std::uint32_t m_stamp = 0;
    std::uint64_t m_work = 0;
    std::uint64_t m_bytes = 0;
    std::vector<std::vector<std::int32_t>> m_keys;
    std::unordered_map<std::vector<std::int32_t>, std::uint32_t, KeyHash> m_ids;
};

Refusal PatternAutomaton::build(const std::vector<PatternNode>& nodes, std::uint64_t budget,
                               const StopCheck& stop) {
    m_states.clear();
    m_groups.clear();
    Refusal refusal = Builder(nodes, budget, stop, *this).run();
    if (refusal) {
        m_states.clear();
        m_groups.clear();
    }
    return refusal;
}

}  // namespace ovantis
