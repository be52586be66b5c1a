#include "PatternParser.h"

#include <algorithm>
#include <utility>

namespace ovantis {
namespace {

using Kind = Refusal::Kind;
using Interval = CharacterSet::Interval;

// Repeat counts saturate here, far beyond any line allowed.
constexpr std::int64_t kCountCap = std::int64_t{1} << 40;

bool isDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

int hexValue(char32_t c) {
    return isDigit(c)             ? static_cast<int>(c - '0')
           : c >= 'a' && c <= 'f' ? static_cast<int>(c - 'a' + 10)
           : c >= 'A' && c <= 'F' ? static_cast<int>(c - 'A' + 10)
                                  : -1;
}

const CharacterSet& digits() {
    static const CharacterSet set({{'0', '9'}});
    return set;
}
const CharacterSet& wordChars() {
    static const CharacterSet set({{'0', '9'}, {'A', 'Z'}, {'_', '_'}, {'a', 'z'}});
    return set;
}
const CharacterSet& space() {
    static const CharacterSet set({{' ', ' '}});
    return set;
}

PatternNode nodeOf(PatternNode::Kind kind) {
    PatternNode node;
    node.kind = kind;
    return node;
}

}  // namespace

PatternParser::PatternParser(CharacterSet universe, CharacterSet removed)
    : m_universe(std::move(universe)), m_removed(std::move(removed)) {}

const CharacterSet& PatternParser::forbidden() {
    static const CharacterSet set = [] {
        std::vector<Interval> points{{0xD800, 0xDFFF}};
        for (char32_t p = 0; p < 0x10000; ++p) {
            if (CharacterSet::breaksLine(p)) {
                points.push_back({p, p});
            }
        }
        return CharacterSet(std::move(points));
    }();
    return set;
}

void PatternParser::fail(Kind kind, std::size_t at, std::size_t end, std::uint64_t figure) const {
    Refusal refusal{kind, static_cast<std::int64_t>(at) + 1, {}, figure};
    for (std::size_t i = at; i < end && i < m_points.size(); ++i) {
        CharacterSet::appendUtf8(refusal.found, m_points[i]);
    }
    throw Fault{refusal};
}

char32_t PatternParser::peek(std::size_t ahead) const {
    return m_at + ahead < m_points.size() ? m_points[m_at + ahead] : 0;
}

std::size_t PatternParser::add(PatternNode node) {
    m_nodes->push_back(std::move(node));
    return m_nodes->size() - 1;
}

CharacterSet PatternParser::outside(const CharacterSet& set, std::size_t at) {
    m_intervals += m_universe.intervals().size();
    if (m_intervals > kMostIntervals) {
        fail(Kind::TooMuchWork, at, at, kMostIntervals);
    }
    return m_universe.minus(set);
}

std::size_t PatternParser::classNode(const CharacterSet& set, std::size_t at) {
    m_intervals += set.intervals().size();
    if (m_intervals > kMostIntervals) {
        fail(Kind::TooMuchWork, at, at, kMostIntervals);
    }
    PatternNode node = nodeOf(PatternNode::Kind::Chars);
    node.chars = set.minus(forbidden()).minus(m_removed);
    node.column = static_cast<std::int64_t>(at) + 1;
    if (node.chars.empty()) {
        fail(Kind::EmptyClass, at, m_at);
    }
    return add(std::move(node));
}

Refusal PatternParser::parse(std::string_view text, std::vector<PatternNode>& nodes) {
    m_points.clear();
    m_at = 0;
    m_nodes = &nodes;
    m_intervals = 0;
    nodes.clear();
    try {
        const std::size_t read = CharacterSet::decodeUtf8(text, m_points);
        if (text.size() > kMostBytes) {
            std::vector<char32_t> head;
            CharacterSet::decodeUtf8(text.substr(0, kMostBytes), head);
            fail(Kind::PatternTooLong, head.size(), head.size(), kMostBytes);
        }
        if (read < text.size()) {
            fail(Kind::NotUtf8, m_points.size(), m_points.size());
        }
        const std::size_t root = alternation(0);
        if (!atEnd()) {
            fail(Kind::Unbalanced, m_at, m_at + 1);  // only ) stops a top-level alternation
        }
        // The root last, as the automaton expects.
        PatternNode top = nodeOf(PatternNode::Kind::Concat);
        top.children = {root};
        add(std::move(top));
    } catch (const Fault& fault) {
        nodes.clear();
        return fault.refusal;
    }
    return {};
}

std::size_t PatternParser::alternation(int depth) {
    const std::size_t start = m_at;
    std::vector<std::size_t> branches{concatenation(depth)};
    while (!atEnd() && peek() == '|') {
        ++m_at;
        branches.push_back(concatenation(depth));
    }
    if (branches.size() == 1) {
        return branches[0];
    }
    PatternNode node = nodeOf(PatternNode::Kind::Alternation);
    node.children = std::move(branches);
    node.column = static_cast<std::int64_t>(start) + 1;
    return add(std::move(node));
}

std::size_t PatternParser::concatenation(int depth) {
    PatternNode node = nodeOf(PatternNode::Kind::Concat);
    node.column = static_cast<std::int64_t>(m_at) + 1;
    while (!atEnd() && peek() != '|' && peek() != ')') {
        std::size_t item = 0;
        if (atom(depth, item)) {
            repeat(item);
            node.children.push_back(item);
        } else if (!atEnd() && (peek() == '?' || peek() == '*' || peek() == '+' || peek() == '{')) {
            fail(Kind::NothingToRepeat, m_at, m_at + 1);
        }
    }
    if (node.children.size() == 1) {
        return node.children[0];
    }
    return add(std::move(node));
}

bool PatternParser::atom(int depth, std::size_t& node) {
    const std::size_t at = m_at;
    const char32_t c = m_points[m_at++];
    switch (c) {
        case '(':
            node = group(depth);
            return true;
        case '[':
            node = bracket();
            return true;
        case ']':
        case '}':
            fail(Kind::Unbalanced, at, m_at);
        case '?':
        case '*':
        case '+':
        case '{':
            fail(Kind::NothingToRepeat, at, m_at);
        case '.':
            node = classNode(m_universe, at);
            return true;
        case '^':
        case '$':
            // ^ first and $ last say what matching the whole line says already.
            if ((c == '^' && at == 0) || (c == '$' && atEnd())) {
                return false;
            }
            fail(Kind::Anchor, at, m_at);
        default:
            break;
    }
    const Member member = c == '\\' ? escape(false) : Member{false, literal(c, at), {}};
    if (member.isSet) {
        node = classNode(member.set, at);
        return true;
    }
    // A literal keeps its character whatever classes exclude.
    PatternNode chars = nodeOf(PatternNode::Kind::Chars);
    chars.chars = CharacterSet({{member.point, member.point}});
    chars.column = static_cast<std::int64_t>(at) + 1;
    node = add(std::move(chars));
    return true;
}

char32_t PatternParser::literal(char32_t point, std::size_t at) const {
    if (CharacterSet::breaksLine(point)) {
        fail(Kind::ControlCharacter, at, at + 1, point);
    }
    return point;
}

std::size_t PatternParser::group(int depth) {
    const std::size_t open = m_at - 1;
    if (depth + 1 > kMostDepth) {
        fail(Kind::TooDeep, open, m_at, kMostDepth);
    }
    if (peek() == '?') {
        if (peek(1) == ':') {
            m_at += 2;
        } else if (peek(1) == '=' || peek(1) == '!' ||
                   (peek(1) == '<' && (peek(2) == '=' || peek(2) == '!'))) {
            fail(Kind::LookAround, open, m_at + (peek(1) == '<' ? 3 : 2));
        } else {
            fail(Kind::Flags, open, std::min(m_at + 2, m_points.size()));
        }
    }
    const std::size_t inner = alternation(depth + 1);
    if (atEnd()) {
        fail(Kind::Unbalanced, open, open + 1);
    }
    ++m_at;  // the )
    return inner;
}

std::size_t PatternParser::bracket() {
    const std::size_t open = m_at - 1;
    const bool negated = peek() == '^';
    if (negated) {
        ++m_at;
    }
    if (peek() == ']' && !atEnd()) {
        fail(Kind::EmptyClass, open, m_at + 1);
    }
    std::vector<Interval> members;
    for (;;) {
        if (atEnd()) {
            fail(Kind::Unbalanced, open, open + 1);
        }
        if (peek() == ']') {
            ++m_at;
            break;
        }
        const std::size_t at = m_at;
        // Other engines read these as named classes: taken literally they
        // would draw something else than was meant.
        if (peek() == '[' && (peek(1) == ':' || peek(1) == '=' || peek(1) == '.')) {
            fail(Kind::PosixClass, at, at + 2);
        }
        auto next = [&] {
            const char32_t c = m_points[m_at++];
            return c == '\\' ? escape(true) : Member{false, literal(c, m_at - 1), {}};
        };
        const Member low = next();
        if (peek() == '-' && m_at + 1 < m_points.size() && peek(1) != ']') {
            ++m_at;
            const Member high = next();
            if (low.isSet || high.isSet) {
                fail(Kind::BadRange, at, m_at);
            }
            if (high.point < low.point) {
                fail(Kind::ReversedRange, at, m_at);
            }
            members.push_back({low.point, high.point});
        } else if (low.isSet) {
            members.insert(members.end(), low.set.intervals().begin(), low.set.intervals().end());
        } else {
            members.push_back({low.point, low.point});
        }
    }
    CharacterSet set(std::move(members));
    return classNode(negated ? outside(set, open) : set, open);
}

void PatternParser::repeat(std::size_t& node) {
    if (atEnd()) {
        return;
    }
    const std::size_t at = m_at;
    std::int64_t min = 0;
    std::int64_t max = 0;
    switch (peek()) {
        case '?':
            ++m_at;
            max = 1;
            break;
        case '*':
        case '+':
            ++m_at;
            fail(Kind::OpenRepeat, at, m_at, m_points[at] == '+' ? 1 : 0);
        case '{': {
            ++m_at;
            min = max = number(at);
            if (peek() == ',') {
                ++m_at;
                if (peek() == '}') {
                    ++m_at;
                    fail(Kind::OpenRepeat, at, m_at, static_cast<std::uint64_t>(min));
                }
                max = number(at);
            }
            if (peek() != '}') {
                fail(Kind::BadRepeat, at, m_at + 1);
            }
            ++m_at;
            if (max < min) {
                fail(Kind::ReversedRange, at, m_at);
            }
            break;
        }
        default:
            return;
    }
    if (!atEnd() && (peek() == '?' || peek() == '*' || peek() == '+' || peek() == '{')) {
        fail(Kind::NothingToRepeat, m_at, m_at + 1);
    }
    PatternNode& inner = (*m_nodes)[node];
    if (inner.kind == PatternNode::Kind::Repeat && inner.min == 0) {
        // (x{0,k}){m,n} is x{0,k*n}, and far cheaper to run.
        inner.max = max == 0 ? 0 : inner.max > kCountCap / max ? kCountCap : inner.max * max;
        return;
    }
    PatternNode repeated = nodeOf(PatternNode::Kind::Repeat);
    repeated.children = {node};
    repeated.min = min;
    repeated.max = max;
    repeated.column = static_cast<std::int64_t>(at) + 1;
    node = add(std::move(repeated));
}

std::int64_t PatternParser::number(std::size_t start) {
    if (!isDigit(peek()) || atEnd()) {
        fail(Kind::BadRepeat, start, m_at + 1);
    }
    std::int64_t value = 0;
    while (!atEnd() && isDigit(peek())) {
        value = std::min(kCountCap, value * 10 + (m_points[m_at++] - '0'));
    }
    return value;
}

char32_t PatternParser::codePoint(std::size_t start) {
    // \x{H...} or \uHHHH / \u{H...}, or \xHH.
    const bool braced = peek() == '{';
    const std::size_t most = braced ? 8 : (m_points[m_at - 1] == 'u' ? 4 : 2);
    if (braced) {
        ++m_at;
    }
    std::uint64_t value = 0;
    std::size_t count = 0;
    for (; count < most && !atEnd() && hexValue(peek()) >= 0; ++count) {
        value = value * 16 + static_cast<std::uint64_t>(hexValue(m_points[m_at++]));
    }
    if (count == 0 || (braced && peek() != '}') || (!braced && count < most)) {
        fail(Kind::BadEscape, start, m_at + (atEnd() ? 0 : 1));
    }
    if (braced) {
        ++m_at;
    }
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        fail(Kind::BadCodePoint, start, m_at);
    }
    const auto point = static_cast<char32_t>(value);
    if (CharacterSet::breaksLine(point)) {
        fail(Kind::ControlCharacter, start, m_at, point);
    }
    return point;
}

PatternParser::Member PatternParser::escape(bool inClass) {
    const std::size_t start = m_at - 1;
    if (atEnd()) {
        fail(Kind::BadEscape, start, m_at);
    }
    const char32_t c = m_points[m_at++];
    const std::pair<char32_t, const CharacterSet*> shorthands[] = {
        {'d', &digits()}, {'w', &wordChars()}, {'s', &space()}};
    for (const auto& [letter, set] : shorthands) {
        if (c == letter) {
            return {true, 0, *set};
        }
        if (c == letter - 'a' + 'A') {
            return {true, 0, outside(*set, start)};
        }
    }
    switch (c) {
        case 'x':
        case 'u':
            return {false, codePoint(start), {}};
        case 'b':
            // Inside a class \b is a backspace.
            fail(inClass ? Kind::ControlCharacter : Kind::WordBoundary, start, m_at,
                 inClass ? 8 : 0);
        case 'B':
            fail(Kind::WordBoundary, start, m_at);
        case 'k':
            fail(Kind::BackReference, start, m_at);
        case 'A':
        case 'z':
        case 'Z':
        case 'G':
            fail(Kind::Anchor, start, m_at);
        case 'n':
        case 'r':
        case 't':
        case 'f':
        case 'v':
        case '0':
        case 'c': {
            constexpr std::pair<char32_t, char32_t> kControls[] = {
                {'n', 10}, {'r', 13}, {'t', 9}, {'f', 12}, {'v', 11}, {'0', 0}, {'c', 0}};
            char32_t point = 0;
            for (const auto& [letter, code] : kControls) {
                point = letter == c ? code : point;
            }
            fail(Kind::ControlCharacter, start, m_at, point);
        }
        default:
            break;
    }
    if (isDigit(c)) {
        fail(Kind::BackReference, start, m_at);
    }
    if (c < 0x80 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
        fail(Kind::BadEscape, start, m_at);
    }
    return {false, literal(c, m_at - 1), {}};
}

}  // namespace ovantis
