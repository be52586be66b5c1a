#include "CharacterSet.h"

#include <algorithm>

#include "Utf8.h"

namespace ovantis {
namespace {

using Interval = CharacterSet::Interval;

constexpr std::string_view kSimilar = "0Oo1lI|";

// The points a range never yields, in ascending order.
constexpr Interval kSkipped[] = {{0x00, 0x1F}, {0x7F, 0x9F}, {0x2028, 0x2029}, {0xD800, 0xDFFF}};

// One code point from the front of text, which it leaves; false when the
// front is no UTF-8 sequence.
bool decode(std::string_view& text, char32_t& point) {
    const std::size_t length = decodeUtf8(text, point);
    text.remove_prefix(length);
    return length != 0;
}

// The code points of text, or the first fault.
CharacterSet::TextCheck decodeAll(std::string_view text, std::vector<char32_t>& points,
                                  bool allowControls) {
    while (!text.empty()) {
        char32_t point = 0;
        if (!decode(text, point)) {
            return {CharacterSet::Fault::Malformed, 0};
        }
        if (!allowControls && CharacterSet::breaksLine(point)) {
            return {CharacterSet::Fault::Control, point};
        }
        points.push_back(point);
    }
    return {};
}

// first..last less the points a range skips.
void appendRange(char32_t first, char32_t last, std::vector<Interval>& out) {
    for (const Interval& skip : kSkipped) {
        if (skip.first > last) {
            break;
        }
        if (skip.last >= first) {
            if (first < skip.first) {
                out.push_back({first, skip.first - 1});
            }
            first = skip.last + 1;
        }
    }
    if (first <= last) {
        out.push_back({first, last});
    }
}

}  // namespace

CharacterSet::CharacterSet(std::vector<Interval> intervals) {
    std::sort(intervals.begin(), intervals.end(),
              [](const Interval& a, const Interval& b) { return a.first < b.first; });
    for (const Interval& next : intervals) {
        // Overlapping or adjacent intervals join.
        if (!m_intervals.empty() && next.first <= m_intervals.back().last + 1) {
            m_intervals.back().last = std::max(m_intervals.back().last, next.last);
        } else {
            m_intervals.push_back(next);
        }
    }
    std::uint64_t through = 0;
    for (const Interval& i : m_intervals) {
        through += std::uint64_t{i.last} - i.first + 1;
        m_through.push_back(through);
    }
}

char32_t CharacterSet::at(std::uint64_t index) const {
    const auto i = static_cast<std::size_t>(
        std::upper_bound(m_through.begin(), m_through.end(), index) - m_through.begin());
    const std::uint64_t before = i == 0 ? 0 : m_through[i - 1];
    return m_intervals[i].first + static_cast<char32_t>(index - before);
}

bool CharacterSet::contains(char32_t point) const {
    const auto it = std::upper_bound(m_intervals.begin(), m_intervals.end(), point,
                                     [](char32_t p, const Interval& i) { return p < i.first; });
    return it != m_intervals.begin() && point <= std::prev(it)->last;
}

CharacterSet CharacterSet::minus(const CharacterSet& removed) const {
    std::vector<Interval> kept;
    auto cut = removed.m_intervals.begin();
    for (Interval piece : m_intervals) {
        while (cut != removed.m_intervals.end() && cut->last < piece.first) {
            ++cut;
        }
        for (auto c = cut; c != removed.m_intervals.end() && c->first <= piece.last; ++c) {
            if (c->first > piece.first) {
                kept.push_back({piece.first, c->first - 1});
            }
            if (c->last >= piece.last) {
                piece.first = piece.last + 1;  // nothing left of this piece
                break;
            }
            piece.first = c->last + 1;
        }
        if (piece.first <= piece.last) {
            kept.push_back(piece);
        }
    }
    return CharacterSet(std::move(kept));
}

bool CharacterSet::breaksLine(char32_t point) {
    return point < 0x20 || (point >= 0x7F && point <= 0x9F) || point == 0x2028 || point == 0x2029;
}

CharacterSet::TextCheck CharacterSet::parse(std::string_view text, CharacterSet& out,
                                            bool allowControls) {
    std::vector<char32_t> points;
    if (const TextCheck c = decodeAll(text, points, allowControls); c.fault != Fault::None) {
        return c;
    }
    std::vector<Interval> intervals;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i + 2 < points.size() && points[i + 1] == '-') {
            if (points[i + 2] < points[i]) {
                return {Fault::Backwards, 0};
            }
            appendRange(points[i], points[i + 2], intervals);
            i += 2;
        } else {
            intervals.push_back({points[i], points[i]});
        }
    }
    out = CharacterSet(std::move(intervals));
    return {};
}

CharacterSet::TextCheck CharacterSet::checkVerbatim(std::string_view text) {
    std::vector<char32_t> points;
    return decodeAll(text, points, false);
}

bool CharacterSet::build(const StringSettings& s, std::vector<CharacterSet>& classes) {
    CharacterSet custom;
    CharacterSet removed;
    if (parse(s.charset, custom).fault != Fault::None ||
        parse(s.exclude, removed, true).fault != Fault::None ||
        checkVerbatim(s.head).fault != Fault::None || checkVerbatim(s.tail).fault != Fault::None) {
        return false;
    }
    if (s.noSimilar) {
        std::vector<Interval> more = removed.intervals();
        for (char c : kSimilar) {
            more.push_back({static_cast<char32_t>(c), static_cast<char32_t>(c)});
        }
        removed = CharacterSet(std::move(more));
    }
    classes.clear();
    const std::pair<bool, CharacterSet> chosen[] = {
        {s.upper, CharacterSet({{'A', 'Z'}})},
        {s.lower, CharacterSet({{'a', 'z'}})},
        {s.digits, CharacterSet({{'0', '9'}})},
        {s.symbols, CharacterSet({{'!', '/'}, {':', '@'}, {'[', '`'}, {'{', '~'}})},
        {true, custom},
    };
    for (const auto& [on, members] : chosen) {
        if (on && !members.empty()) {
            CharacterSet kept = members.minus(removed);
            if (!kept.empty()) {
                classes.push_back(std::move(kept));
            }
        }
    }
    return !classes.empty();
}

Refusal::Kind CharacterSet::refusalKind(Fault fault) {
    using Kind = Refusal::Kind;
    constexpr Kind kinds[] = {Kind::None, Kind::NotUtf8, Kind::Backwards, Kind::ControlInValue};
    return kinds[static_cast<int>(fault)];
}

void CharacterSet::appendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
        return;
    }
    const int extra = point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
    constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[extra] | (point >> (6 * extra)));
    for (int i = extra - 1; i >= 0; --i) {
        out += static_cast<char>(0x80 | ((point >> (6 * i)) & 0x3F));
    }
}

std::size_t CharacterSet::decodeUtf8(std::string_view text, std::vector<char32_t>& points) {
    const std::size_t size = text.size();
    char32_t point = 0;
    while (!text.empty() && decode(text, point)) {
        points.push_back(point);
    }
    return size - text.size();
}

}  // namespace ovantis
