#include "PatternGenerator.h"

#include <algorithm>
#include <optional>

#include "BoundedDraws.h"
#include "HashMemory.h"
#include "PatternParser.h"

namespace ovantis {
namespace {

constexpr std::string_view kSimilar = "0Oo1lI|";

}  // namespace

std::unique_ptr<EntropyPool> PatternGenerator::seededPool(std::uint64_t seed) {
    // The seed's two words under a fixed tag, so no other use of the stream
    // shares its key.
    const EntropyPool::Key key{static_cast<std::uint32_t>(seed),
                               static_cast<std::uint32_t>(seed >> 32),
                               0x7461704F,  // "Opat"
                               0x6E726574};
    return std::make_unique<EntropyPool>(key, EntropyPool::Nonce{}, 0);
}

Refusal PatternGenerator::build(const PatternSettings& s, std::uint64_t budget,
                                const StopCheck& stop) {
    m_unique = s.unique;
    m_moved.clear();
    m_seen.clear();
    m_taken = 0;
    CharacterSet universe({{0x20, 0x7E}});
    CharacterSet removed;
    const CharacterSet::TextCheck options[] = {
        s.charset.empty() ? CharacterSet::TextCheck{} : CharacterSet::parse(s.charset, universe),
        CharacterSet::parse(s.exclude, removed, true)};
    for (const CharacterSet::TextCheck& option : options) {
        if (option.fault != CharacterSet::Fault::None) {
            return {.kind = CharacterSet::refusalKind(option.fault)};
        }
    }
    if (s.noSimilar) {
        std::vector<CharacterSet::Interval> more = removed.intervals();
        for (const char c : kSimilar) {
            more.push_back({static_cast<char32_t>(c), static_cast<char32_t>(c)});
        }
        removed = CharacterSet(std::move(more));
    }
    PatternParser parser(universe, removed);
    Refusal r = parser.parse(s.pattern, m_nodes);
    if (!r) {
        r = m_automaton.build(m_nodes, budget, stop, m_seeded);
    }
    if (r) {
        return r;
    }
    m_ascii.clear();
    m_picks.clear();
    for (const PatternAutomaton::Group& g : m_automaton.groups()) {
        const CharacterSet& chars = m_automaton.chars(g);
        const auto size = static_cast<std::uint32_t>(chars.size());
        m_picks.push_back({size, (0u - size) % size});
        std::string bytes;
        if (chars.intervals().back().last < 0x80) {
            for (const CharacterSet::Interval& i : chars.intervals()) {
                for (char32_t c = i.first; c <= i.last; ++c) {
                    bytes += static_cast<char>(c);
                }
            }
        }
        m_ascii.push_back(std::move(bytes));
    }
    m_chain.clear();
    const auto& states = m_automaton.states();
    for (std::uint32_t at = 0; states[at].groups == 1 && !states[at].accept;) {
        const std::uint32_t g = states[at].firstGroup;
        if (m_ascii[g].empty()) {
            m_chain.clear();
            break;
        }
        m_chain.push_back(g);
        at = m_automaton.groups()[g].target;
    }
    m_runs.clear();
    m_steps.clear();
    for (const std::uint32_t g : m_chain) {
        const std::uint64_t size = m_picks[g].size;
        if (m_runs.empty() || m_runs.back().span > ~std::uint64_t{0} / size) {
            m_runs.push_back({static_cast<std::uint32_t>(m_steps.size()), 0, 1, 0});
        }
        Run& run = m_runs.back();
        ++run.length;
        run.span *= size;
        run.refused = (0 - run.span) % run.span;
        m_steps.push_back({m_ascii[g].data(), size});
    }
    std::vector<std::uint64_t> bases, powers;
    bool fixed = true;
    factor(m_nodes.size() - 1, 1, bases, powers, fixed);
    m_product.clear();
    const bool plain = bases.size() == 1 && powers[0] == 1;
    for (std::size_t i = 0; fixed && !plain && i < bases.size(); ++i) {
        if (i > 0) {
            m_product += " × ";
        }
        m_product += std::to_string(bases[i]);
        if (powers[i] != 1) {
            m_product += '^';
            m_product += std::to_string(powers[i]);
        }
    }
    return {};
}

void PatternGenerator::factor(std::size_t i, std::uint64_t times, std::vector<std::uint64_t>& bases,
                              std::vector<std::uint64_t>& powers, bool& fixed) const {
    const PatternNode& n = m_nodes[i];
    if (n.kind == PatternNode::Kind::Chars) {
        const std::uint64_t base = n.chars.size();
        const auto at = std::find(bases.begin(), bases.end(), base);
        // A piece repeated no times, or of one character, multiplies by 1.
        if (base == 1 || times == 0) {
            return;
        }
        if (at == bases.end()) {
            bases.push_back(base);
            powers.push_back(times);
        } else {
            powers[static_cast<std::size_t>(at - bases.begin())] += times;
        }
    } else if (n.kind == PatternNode::Kind::Concat) {
        for (const std::size_t c : n.children) {
            factor(c, times, bases, powers, fixed);
        }
    } else if (n.kind == PatternNode::Kind::Repeat && n.min == n.max) {
        factor(n.children[0], times * static_cast<std::uint64_t>(n.min), bases, powers, fixed);
    } else {
        fixed = false;
    }
}

std::uint64_t PatternGenerator::memoryNeeded(std::int64_t count) const {
    if (!m_unique || count <= 0) {
        return 0;
    }
    const auto lines = static_cast<std::uint64_t>(count);
    if (m_automaton.count().fits64()) {
        // A shuffle moves at most one index per line.
        return lines * hashMemory::entry(sizeof(void*) + 2 * sizeof(std::uint64_t));
    }
    return lines * hashMemory::stringEntry(static_cast<std::uint64_t>(maxLineBytes()));
}

std::uint32_t PatternGenerator::word() {
    if (m_random.secure()) {
        return m_random.secureWord();
    }
    const auto high = static_cast<std::uint32_t>(m_random.draw());
    const auto middle = static_cast<std::uint32_t>(m_random.draw());
    return high << 17 ^ middle << 2 ^ static_cast<std::uint32_t>(m_random.draw());
}

std::uint32_t PatternGenerator::below(const Pick& pick) {
    // Lemire's multiply, rejecting the low products that would favour small
    // values.
    for (;;) {
        const std::uint64_t product = std::uint64_t{word()} * pick.size;
        if (static_cast<std::uint32_t>(product) >= pick.reject) {
            return static_cast<std::uint32_t>(product >> 32);
        }
    }
}

std::uint64_t PatternGenerator::below(std::uint64_t bound) {
    if (bound <= 0xFFFFFFFFu) {
        const auto n = static_cast<std::uint32_t>(bound);
        return below(Pick{n, (0u - n) % n});
    }
    const std::uint64_t reject = (0 - bound) % bound;
    for (;;) {
        const std::uint64_t value = std::uint64_t{word()} << 32 | word();
        if (value >= reject) {
            return value % bound;
        }
    }
}

BigCount PatternGenerator::below(const BigCount& bound) {
    const std::uint64_t bits = bound.bitLength();
    const std::size_t words = static_cast<std::size_t>((bits + 31) / 32);
    const std::uint32_t topMask = bits % 32 == 0 ? 0xFFFFFFFFu : (1u << (bits % 32)) - 1;
    std::vector<std::uint32_t> value(words);
    for (;;) {
        for (std::uint32_t& w : value) {
            w = word();
        }
        value.back() &= topMask;
        BigCount drawn = BigCount::fromWords(value);
        if (drawn < bound) {
            return drawn;
        }
    }
}

// Whether a draw below state s's count is 0, deciding from the top words: a
// draw known to be below the count and not 0 needs no more of them, so a
// step of a long line costs a word or two, not the count's length. The count
// is made whole only when the draw ties the top words it keeps.
bool PatternGenerator::endsHere(std::uint32_t s) {
    const PatternAutomaton::State& state = m_automaton.states()[s];
    const std::uint64_t bits = state.count.bitLength() + 32 * std::uint64_t{state.dropped};
    const std::size_t words = static_cast<std::size_t>((bits + 31) / 32);
    const std::uint32_t topMask = bits % 32 == 0 ? 0xFFFFFFFFu : (1u << (bits % 32)) - 1;
    std::optional<BigCount> whole;
    const auto countWord = [&](std::size_t i) {
        if (i >= state.dropped) {
            return state.count.word(i - state.dropped);
        }
        if (!whole) {
            whole = m_automaton.wholeCount(s);
        }
        return whole->word(i);
    };
    for (;;) {
        bool below = false;
        bool zero = true;
        bool over = false;
        for (std::size_t i = words; i-- > 0 && !over;) {
            const std::uint32_t w = word() & (i == words - 1 ? topMask : 0xFFFFFFFFu);
            zero = zero && w == 0;
            if (!below) {
                over = w > countWord(i);
                below = w < countWord(i);
            }
            if (below && !zero) {
                return false;
            }
        }
        if (below) {
            return true;
        }
    }
}

void PatternGenerator::appendChar(std::string& out, std::uint32_t group,
                                  std::uint64_t index) const {
    const std::string& ascii = m_ascii[group];
    if (!ascii.empty()) {
        out += ascii[index];
    } else {
        CharacterSet::appendUtf8(out, m_automaton.chars(m_automaton.groups()[group]).at(index));
    }
}

bool PatternGenerator::chainOnly() const {
    const auto& states = m_automaton.states();
    return !m_chain.empty() && states[m_automaton.groups()[m_chain.back()].target].groups == 0;
}

// A run's characters are the digits, in their sizes' mixed radix, of one word
// drawn uniformly below their product (Lemire's multiply with rejection), read
// off by multiplying out each in turn.
char* PatternGenerator::fillRuns(char* next) {
    const Step* const steps = m_steps.data();
    for (const Run& run : m_runs) {
        std::uint64_t word = 0;
        do {
            word = m_random.secureWord64();
        } while (word * run.span < run.refused);
        for (const Step* step = steps + run.first; step != steps + run.first + run.length; ++step) {
            const Uint128 product = Uint128{word} * step->size;
            word = static_cast<std::uint64_t>(product);
            *next++ = step->chars[static_cast<std::size_t>(product >> 64)];
        }
    }
    return next;
}

void PatternGenerator::draw(std::string& out) {
    const auto& states = m_automaton.states();
    if (chainOnly()) {
        const std::size_t at = out.size();
        out.resize(at + m_chain.size());
        char* next = out.data() + at;
        if (!m_random.secure() || m_seeded) {
            for (const std::uint32_t g : m_chain) {
                *next++ = m_ascii[g][below(m_picks[g])];
            }
        } else {
            fillRuns(next);
        }
        return;
    }
    const auto& groups = m_automaton.groups();
    // A seeded draw reads every count it meets whole: where a state keeps
    // only part of its count, it follows from the state before.
    BigCount running;
    for (std::uint32_t s = 0;;) {
        const PatternAutomaton::State& state = states[s];
        if (state.groups == 0) {
            return;
        }
        const bool whole = PatternAutomaton::whole(state);
        // Each way on weighs what it leads to: the end of the line 1, a
        // group its characters times its target's strings.
        std::uint32_t g = state.firstGroup;
        if (state.groups > 1 || state.accept) {
            if (whole && state.count.fits64()) {
                const std::uint64_t r = below(state.count.low64());
                if (state.accept && r == 0) {
                    return;
                }
                const auto first = groups.begin() + state.firstGroup;
                if (state.groups > 1) {
                    g = static_cast<std::uint32_t>(
                        std::upper_bound(first, first + state.groups, r,
                                         [](std::uint64_t v, const PatternAutomaton::Group& x) {
                                             return v < x.through;
                                         }) -
                        groups.begin());
                }
            } else if (!m_seeded && state.groups == 1) {
                if (endsHere(s)) {
                    return;
                }
            } else {
                BigCount r = below(whole ? state.count : running);
                if (state.accept && r.isZero()) {
                    return;
                }
                if (state.accept) {
                    r -= BigCount(1);
                }
                for (; state.groups > 1; ++g) {
                    BigCount weight;
                    weight.addProduct(
                        states[groups[g].target].count,
                        static_cast<std::uint32_t>(m_automaton.chars(groups[g]).size()));
                    if (r < weight) {
                        break;
                    }
                    r -= weight;
                }
            }
        }
        appendChar(out, g, below(m_picks[g]));
        const std::uint32_t target = groups[g].target;
        if (m_seeded && !PatternAutomaton::whole(states[target])) {
            if (whole) {
                running = state.count;
            }
            if (state.accept) {
                running -= BigCount(1);
            }
            running.divide(static_cast<std::uint32_t>(m_picks[g].size));
        }
        s = target;
    }
}

void PatternGenerator::unrank(std::string& out, std::uint64_t index) const {
    const auto& states = m_automaton.states();
    const auto& groups = m_automaton.groups();
    std::uint32_t s = 0;
    for (;;) {
        const PatternAutomaton::State& state = states[s];
        if (state.accept && index == 0) {
            return;
        }
        std::uint32_t g = state.firstGroup;
        while (groups[g].through <= index) {
            ++g;
        }
        index -= g == state.firstGroup ? (state.accept ? 1 : 0) : groups[g - 1].through;
        const std::uint64_t after = states[groups[g].target].count.low64();
        appendChar(out, g, index / after);
        index %= after;
        s = groups[g].target;
    }
}

bool PatternGenerator::writesInPlace() const {
    return !m_unique && chainOnly() && m_random.secure() && !m_seeded;
}

std::int64_t PatternGenerator::appendLines(std::string& out, std::int64_t count,
                                           std::string_view lineEnd, std::size_t limit) {
    if (writesInPlace() && out.size() < limit) {
        // Lines of one size: as many as reach limit, written in place.
        const std::size_t size = m_chain.size() + lineEnd.size();
        const auto lines = std::min<std::int64_t>(
            count, static_cast<std::int64_t>((limit - out.size() + size - 1) / size));
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(lines) * size);
        for (char* next = out.data() + at; next != out.data() + out.size();) {
            next = std::copy(lineEnd.begin(), lineEnd.end(), fillRuns(next));
        }
        return lines;
    }
    std::int64_t made = 0;
    for (; made < count && out.size() < limit; ++made) {
        appendLine(out);
        out += lineEnd;
    }
    return made;
}

bool PatternGenerator::appendLine(std::string& out, TextSink*) {
    if (!m_unique) {
        draw(out);
        return true;
    }
    if (count().fits64()) {
        // One step of a Fisher-Yates shuffle of all indices, remembering only
        // the positions it moved.
        const std::uint64_t total = count().low64();
        const std::uint64_t pick = m_taken + below(total - m_taken);
        const auto valueAt = [&](std::uint64_t at) {
            const auto found = m_moved.find(at);
            return found == m_moved.end() ? at : found->second;
        };
        const std::uint64_t chosen = valueAt(pick);
        m_moved[pick] = valueAt(m_taken);
        m_moved.erase(m_taken);
        ++m_taken;
        unrank(out, chosen);
        return true;
    }
    // Among 2^64 strings or more a repeat is all but impossible, yet ruled out.
    std::string line;
    do {
        line.clear();
        draw(line);
    } while (!m_seen.insert(line).second);
    out += line;
    return true;
}

}  // namespace ovantis
