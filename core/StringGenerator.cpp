#include "StringGenerator.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "ClassicDraws.h"
#include "HashMemory.h"
#include "RedrawLimit.h"

namespace ovantis {
namespace {
constexpr std::size_t kSinkChunk = 64 * 1024;
// Codes of the classes 1 (upper), 2 (lower) and 3 (digits).
constexpr char kFirstCode[] = {0, 'A', 'a', '0'};
constexpr unsigned kDraws = RandomSource::kDrawMax + 1;
// Unions up to this size get a table of every character.
constexpr std::uint64_t kTableLimit = 4096;
constexpr std::uint64_t kCap = std::uint64_t{1} << 62;

// The bits of a classic draw that a range of this width reads: a power of
// two 2^b takes the draw modulo 2^b, any other width all 15.
int bitsRead(std::uint64_t width) {
    return width != 0 && width <= 32768 && std::has_single_bit(width) ? std::countr_zero(width)
                                                                      : 15;
}

// Short line ends are stored in place: a copy would be a call for each line.
char* endLine(char* at, std::string_view lineEnd) {
    if (lineEnd.size() == 1) {
        *at = lineEnd[0];
        return at + 1;
    }
    if (lineEnd.size() == 2) {
        at[0] = lineEnd[0];
        at[1] = lineEnd[1];
        return at + 2;
    }
    return std::copy(lineEnd.begin(), lineEnd.end(), at);
}
}  // namespace

// Judges a line without keeping it: hashes and drops each piece, and asks the
// real sink, with nothing to write, whether to go on.
class StringGenerator::Trial : public TextSink {
  public:
    Trial(TextSink* real, bool hashing) : m_real(real), m_hashing(hashing) {}
    bool drain(std::string& buffer) override {
        add(buffer);
        buffer.clear();
        m_cut = true;
        std::string nothing;
        return m_real == nullptr || m_real->drain(nothing);
    }
    // The hash of everything drained and then rest.
    LineHash finish(std::string_view rest) {
        add(rest);
        return m_hash;
    }
    bool cut() const { return m_cut; }

  private:
    // Two unrelated 64-bit hashes, byte by byte so pieces do not matter.
    void add(std::string_view bytes) {
        if (!m_hashing) {
            return;
        }
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            m_hash.a = (m_hash.a ^ byte) * 0x100000001B3u;
            m_hash.b = std::rotl((m_hash.b + byte + 1) * 0x9E3779B97F4A7C15u, 29);
        }
    }

    TextSink* m_real;
    bool m_hashing;
    bool m_cut = false;
    LineHash m_hash{0xCBF29CE484222325u, 0x243F6A8885A308D3u};
};

StringGenerator::StringGenerator(const StringSettings& checked, RandomSource& random)
    : m_settings(checked),
      m_random(random),
      m_length(RandomSource::prepare(checked.minLength, checked.maxLength)),
      m_classes{{false, checked.upper, checked.lower, checked.digits}},
      m_extended(checked.symbols || !checked.charset.empty() || !checked.exclude.empty() ||
                 checked.noSimilar || checked.eachClass) {
    CharacterSet::build(checked, m_sets);
    // Every start and every end + 1 of a class's interval begins a piece.
    std::vector<char32_t> cuts;
    for (const CharacterSet& set : m_sets) {
        for (const CharacterSet::Interval& i : set.intervals()) {
            cuts.push_back(i.first);
            cuts.push_back(i.last + 1);
        }
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        std::uint32_t classes = 0;
        for (std::size_t c = 0; c < m_sets.size(); ++c) {
            classes |= m_sets[c].contains(cuts[i]) ? 1u << c : 0u;
        }
        if (classes != 0) {
            m_pieces.push_back({{cuts[i], cuts[i + 1] - 1}, classes});
            m_size += cuts[i + 1] - cuts[i];
            m_through.push_back(m_size);
        }
    }
    m_asciiOnly = m_pieces.empty() || m_pieces.back().points.last < 0x80;
    if (m_size <= kTableLimit) {
        for (const Piece& piece : m_pieces) {
            for (char32_t point = piece.points.first; point <= piece.points.last; ++point) {
                std::string bytes;
                CharacterSet::appendUtf8(bytes, point);
                Glyph glyph{{}, static_cast<std::uint8_t>(bytes.size()), piece.classes};
                std::copy(bytes.begin(), bytes.end(), glyph.bytes.begin());
                m_glyphs.push_back(glyph);
            }
        }
        for (const CharacterSet& set : m_sets) {
            std::vector<std::uint32_t> indices;
            for (const CharacterSet::Interval& i : set.intervals()) {
                for (char32_t point = i.first; point <= i.last; ++point) {
                    const std::size_t p = pieceHolding(point);
                    indices.push_back(static_cast<std::uint32_t>(
                        (p == 0 ? 0 : m_through[p - 1]) + (point - m_pieces[p].points.first)));
                }
            }
            m_classRanges.push_back(
                RandomSource::prepare(0, static_cast<std::int64_t>(indices.size()) - 1));
            m_classGlyphs.push_back(std::move(indices));
        }
    }
    if (m_asciiOnly && !m_glyphs.empty()) {
        for (const Glyph& glyph : m_glyphs) {
            m_ascii += glyph.bytes[0];
        }
        m_glyphDraws = BoundedDraws(m_glyphs.size());
    }
    m_allClasses = (1u << m_sets.size()) - 1u;
    if (checked.passphrase) {
        m_words = &WordList::builtIn();
        m_wordRange = RandomSource::prepare(0, static_cast<std::int64_t>(m_words->size()) - 1);
    }
    const auto n = static_cast<std::uint32_t>(m_size);
    m_rejectBelow = n == 0 ? 0 : (0u - n) % n;
}

std::int64_t StringGenerator::maxLineBytes() const {
    if (m_words != nullptr) {
        const std::int64_t words = std::max(m_settings.maxLength, 0);
        const auto separator = static_cast<std::int64_t>(m_settings.separator.size());
        return static_cast<std::int64_t>(m_settings.head.size() + m_settings.tail.size()) +
               words * static_cast<std::int64_t>(m_words->longest()) +
               std::max<std::int64_t>(words - 1, 0) * separator;
    }
    const std::int64_t core =
        m_settings.maxLength > 0 ? m_settings.maxLength * (m_asciiOnly ? 1 : 4) : 0;
    return static_cast<std::int64_t>(m_settings.head.size() + m_settings.tail.size()) + core;
}

// The code a draw gives in a class, picked without a branch: the class is random.
inline char StringGenerator::codeOf(unsigned cls, unsigned draw) {
    const unsigned isDigit = cls == 3 ? 1u : 0u;
    const unsigned offset = draw % 26 + (draw % 10 - draw % 26) * isDigit;
    return static_cast<char>(kFirstCode[cls] + offset);
}

// Draw for draw RandInRange(1, 3) for the class, again while it is not
// enabled, then RandInRange over the class's codes. The class draw and the
// code draw are computed side by side and the code draw kept only when the
// class is enabled.
inline char StringGenerator::classicChar(std::uint32_t& state, Classes enabled, const char* codes) {
    for (;;) {
        const std::uint32_t classState = RandomSource::step(state);
        const std::uint32_t codeState = RandomSource::step2(state);
        const auto cls = static_cast<unsigned>(1 + RandomSource::output(classState) % 3);
        if (enabled[cls]) {
            state = codeState;
            return codes[cls * kDraws + static_cast<unsigned>(RandomSource::output(codeState))];
        }
        state = classState;
    }
}

// Each class's character for each code draw, looked up, not worked out.
const char* StringGenerator::classicCodes() {
    if (m_classicCodes.empty()) {
        m_classicCodes.resize(4 * kDraws);
        for (unsigned cls = 1; cls <= 3; ++cls) {
            for (unsigned d = 0; d < kDraws; ++d) {
                m_classicCodes[cls * kDraws + d] = codeOf(cls, d);
            }
        }
    }
    return m_classicCodes.data();
}

// Lemire's multiply with rejection: uniform over every character at once.
std::uint32_t StringGenerator::secureIndex() {
    for (;;) {
        const std::uint64_t product = std::uint64_t{m_random.secureWord()} * m_size;
        if (static_cast<std::uint32_t>(product) >= m_rejectBelow) {
            return static_cast<std::uint32_t>(product >> 32);
        }
    }
}

// Local copies of the unused draws: the characters written through a char
// pointer could alias members, which would keep them out of registers.
struct StringGenerator::GlyphDraws {
    StringGenerator& maker;
    std::array<std::uint64_t, BoundedDraws::kMaxDigits> group = maker.m_group;
    int left = maker.m_left;
    ~GlyphDraws() {
        maker.m_group = group;
        maker.m_left = left;
    }
    std::uint64_t next() {
        if (left == 0) {
            while (!maker.m_glyphDraws.split(maker.m_random.secureWord64(), group.data())) {
            }
            left = maker.m_glyphDraws.perWord();
        }
        return group[--left];
    }
};

std::size_t StringGenerator::pieceOf(std::uint64_t index) const {
    return static_cast<std::size_t>(std::upper_bound(m_through.begin(), m_through.end(), index) -
                                    m_through.begin());
}

std::size_t StringGenerator::pieceHolding(char32_t point) const {
    const auto it = std::upper_bound(m_pieces.begin(), m_pieces.end(), point,
                                     [](char32_t p, const Piece& x) { return p < x.points.first; });
    return static_cast<std::size_t>(it - m_pieces.begin()) - 1;
}

std::uint32_t StringGenerator::classesOf(char32_t point) const {
    // Every drawn point lies in some piece.
    return m_pieces[pieceHolding(point)].classes;
}

void StringGenerator::appendPoint(std::string& out, char32_t point, std::uint32_t& hit) const {
    CharacterSet::appendUtf8(out, point);
    if (m_settings.eachClass) {
        hit |= classesOf(point);
    }
}

void StringGenerator::appendChars(std::string& out, std::int64_t count, std::uint32_t& hit) {
    if (m_random.secure() && m_asciiOnly && !m_glyphs.empty()) {
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(count));
        GlyphDraws draws{*this};
        for (char* next = out.data() + at; count > 0; --count) {
            const std::uint64_t index = draws.next();
            *next++ = m_ascii[index];
            hit |= m_glyphs[index].classes;
        }
    } else if (m_random.secure() && !m_glyphs.empty()) {
        for (; count > 0; --count) {
            const Glyph& glyph = m_glyphs[secureIndex()];
            out.append(glyph.bytes.data(), glyph.size);
            hit |= glyph.classes;
        }
    } else if (m_random.secure()) {
        for (; count > 0; --count) {
            const std::uint32_t index = secureIndex();
            const std::size_t p = pieceOf(index);
            const std::uint64_t before = p == 0 ? 0 : m_through[p - 1];
            CharacterSet::appendUtf8(
                out, m_pieces[p].points.first + static_cast<char32_t>(index - before));
            hit |= m_pieces[p].classes;
        }
    } else if (!m_extended) {
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(count));
        char* next = out.data() + at;
        const char* const codes = classicCodes();
        std::uint32_t state = m_random.snapshot();
        for (; count > 0; --count) {
            *next++ = classicChar(state, m_classes, codes);
        }
        m_random.restore(state);
    } else {
        // Class by RandInRange(1, k) in drawing order, then the character by
        // RandInRange over the class's members in ascending order.
        const auto classes = static_cast<std::int64_t>(m_sets.size());
        const RandomSource::Range classRange = RandomSource::prepare(1, classes);
        for (; !m_classGlyphs.empty() && count > 0; --count) {
            const auto cls = static_cast<std::size_t>(m_random.RandInRange(classRange) - 1);
            const Glyph& glyph = m_glyphs[m_classGlyphs[cls][static_cast<std::size_t>(
                m_random.RandInRange(m_classRanges[cls]))]];
            out.append(glyph.bytes.data(), glyph.size);
            hit |= glyph.classes;
        }
        for (; count > 0; --count) {
            const CharacterSet& members = m_sets[m_random.RandInRange(classRange) - 1];
            const auto last = static_cast<std::int64_t>(members.size()) - 1;
            appendPoint(out, members.at(static_cast<std::uint64_t>(m_random.RandInRange(0, last))),
                        hit);
        }
    }
}

bool StringGenerator::drawLine(std::string& out, TextSink* sink, std::uint32_t& hit) {
    const std::int64_t length = m_random.RandInRange(m_length);
    m_left = 0;
    if (m_words != nullptr) {
        // Classes do not apply to words: every line holds them all.
        hit = m_allClasses;
        for (std::int64_t i = 0; i < length; ++i) {
            if (i != 0) {
                out += m_settings.separator;
            }
            out += m_words->word(static_cast<std::size_t>(m_random.RandInRange(m_wordRange)));
            if (sink != nullptr && out.size() >= kSinkChunk && !sink->drain(out)) {
                return false;
            }
        }
        return true;
    }
    std::int64_t done = 0;
    while (done < length) {
        // Up to a chunk of bytes at a time, then hand it on when a sink takes pieces.
        const std::int64_t room = static_cast<std::int64_t>(kSinkChunk) / (m_asciiOnly ? 1 : 4);
        const std::int64_t end = sink != nullptr ? std::min(length, done + room) : length;
        appendChars(out, end - done, hit);
        done = end;
        if (sink != nullptr && out.size() >= kSinkChunk && !sink->drain(out)) {
            return false;
        }
    }
    return true;
}

bool StringGenerator::appendLine(std::string& out, TextSink* sink) {
    out += m_settings.head;
    std::uint32_t hit = 0;
    if (!m_settings.eachClass && !m_settings.unique) {
        if (!drawLine(out, sink, hit)) {
            return false;
        }
    } else {
        // Whole lines are redrawn, so a kept one is uniform over the lines
        // allowed. One that may outgrow a chunk is judged on a first pass that
        // keeps nothing, then drawn again from the same position into the sink.
        const bool twoPasses = sink != nullptr && maxLineBytes() >= std::int64_t{kSinkChunk};
        std::string core;
        // Between stop and clock checks, some megabytes of lines at most.
        const std::int64_t every =
            std::clamp<std::int64_t>((1 << 22) / (maxLineBytes() + 1), 1, 4096);
        // Where a trial began, kept only for the second pass.
        RandomSource::Mark start;
        const bool kept = RedrawLimit::redraw(
            [&] {
                if (twoPasses) {
                    start = m_random.mark();
                }
                Trial trial(sink, m_settings.unique);
                core.clear();
                hit = 0;
                if (!drawLine(core, twoPasses ? &trial : nullptr, hit)) {
                    return RedrawLimit::Trial::Stopped;
                }
                if ((m_settings.eachClass && hit != m_allClasses) ||
                    (m_settings.unique && !m_seen.insert(trial.finish(core)).second)) {
                    return RedrawLimit::Trial::Again;
                }
                if (!trial.cut()) {
                    out += core;
                    return RedrawLimit::Trial::Kept;
                }
                m_random.rewind(start);
                return drawLine(out, sink, hit) ? RedrawLimit::Trial::Kept
                                                : RedrawLimit::Trial::Stopped;
            },
            m_random, sink, every);
        if (!kept) {
            return false;
        }
    }
    out += m_settings.tail;
    return sink == nullptr || out.size() < kSinkChunk || sink->drain(out);
}

std::vector<std::uint64_t> StringGenerator::leftWhenMissing() const {
    std::vector<std::uint64_t> left(std::size_t{m_allClasses} + 1);
    if (m_words != nullptr) {
        left[0] = m_words->size();
        return left;
    }
    for (std::uint32_t missed = 0; missed <= m_allClasses; ++missed) {
        for (const Piece& piece : m_pieces) {
            if ((piece.classes & missed) == 0) {
                left[missed] += std::uint64_t{piece.points.last} - piece.points.first + 1;
            }
        }
    }
    return left;
}

std::uint64_t StringGenerator::possibleLines() const {
    constexpr std::uint64_t kCap = std::uint64_t{1} << 62;
    const auto n = static_cast<std::int64_t>(alphabet());
    // A negative length makes an empty line, as length 0 does.
    const std::int64_t from = std::max<std::int64_t>(m_settings.minLength, 0);
    const std::int64_t to = std::max<std::int64_t>(m_settings.maxLength, 0);
    if (n == 1) {
        const std::int64_t least = std::max<std::int64_t>(from, m_settings.eachClass ? 1 : 0);
        return std::min(static_cast<std::uint64_t>(std::max<std::int64_t>(to - least + 1, 0)),
                        classicPeriod());
    }
    // Lines holding every class, by inclusion and exclusion over the classes
    // missed; without --each-class only the empty set of missed classes counts.
    const std::uint32_t subsets = m_settings.eachClass && m_words == nullptr ? m_allClasses : 0;
    const std::vector<std::uint64_t> left = leftWhenMissing();
    std::uint64_t total = 0;
    for (std::int64_t length = from; length <= to && total < kCap; ++length) {
        // Exact while every term is below 2^62; else the share of all lines
        // that holds every class, times all lines, near enough to compare.
        long double share = 0;
        bool exact = true;
        // Summed modulo 2^64: partial sums may leave the range, the total not.
        std::uint64_t exactLines = 0;
        for (std::uint32_t missed = 0; missed <= subsets; ++missed) {
            const auto kept = static_cast<long double>(left[missed]);
            const long double power = std::pow(kept, length);
            exact = exact && power < static_cast<long double>(kCap);
            std::uint64_t whole = left[missed] == 0 && length > 0 ? 0 : 1;
            for (std::int64_t i = 0; exact && left[missed] > 1 && i < length; ++i) {
                whole *= left[missed];
            }
            const int sign = std::popcount(missed) % 2 == 0 ? 1 : -1;
            share += sign * std::pow(kept / static_cast<long double>(n), length);
            exactLines = sign > 0 ? exactLines + whole : exactLines - whole;
        }
        const long double lines =
            share <= 0 ? 0 : share * std::pow(static_cast<long double>(n), length);
        total += exact
                     ? exactLines
                     : static_cast<std::uint64_t>(std::min(lines, static_cast<long double>(kCap)));
    }
    return std::min({total, kCap, classicPeriod()});
}

std::optional<BigCount> StringGenerator::lineCount(std::uint64_t mostBits) const {
    const std::int64_t from = std::max<std::int64_t>(m_settings.minLength, 0);
    const std::int64_t to = std::max<std::int64_t>(m_settings.maxLength, 0);
    if (static_cast<double>(to) * std::log2(std::max<double>(static_cast<double>(alphabet()), 2)) >
        static_cast<double>(mostBits)) {
        return std::nullopt;
    }
    // As possibleLines counts them, exactly: the terms that add and those
    // that take away are summed apart, so no partial sum goes below zero.
    const std::uint32_t subsets = m_settings.eachClass && m_words == nullptr ? m_allClasses : 0;
    const std::vector<std::uint64_t> left = leftWhenMissing();
    BigCount added;
    BigCount taken;
    for (std::uint32_t missed = 0; missed <= subsets; ++missed) {
        BigCount& sum = std::popcount(missed) % 2 == 0 ? added : taken;
        BigCount power(1);
        for (std::int64_t length = 0; length <= to; ++length) {
            if (length >= from) {
                sum += power;
            }
            BigCount next;
            next.addProduct(power, static_cast<std::uint32_t>(left[missed]));
            power = std::move(next);
        }
    }
    added -= taken;
    return added;
}

double StringGenerator::lineBits() const {
    const std::int64_t from = std::max<std::int64_t>(m_settings.minLength, 0);
    const std::int64_t to = std::max<std::int64_t>(m_settings.maxLength, 0);
    const std::uint32_t subsets = m_settings.eachClass && m_words == nullptr ? m_allClasses : 0;
    const std::vector<std::uint64_t> left = leftWhenMissing();
    const auto n = static_cast<long double>(alphabet());
    // The longest lines outweigh the rest: lines 64 shorter count for 2^-64
    // of them or less.
    long double scaled = 0;
    for (std::int64_t length = std::max(from, to - 64); length <= to; ++length) {
        long double share = 0;
        for (std::uint32_t missed = 0; missed <= subsets; ++missed) {
            const int sign = std::popcount(missed) % 2 == 0 ? 1 : -1;
            share += sign * std::pow(static_cast<long double>(left[missed]) / n, length);
        }
        scaled += share * std::pow(n, static_cast<long double>(length - to));
    }
    return static_cast<double>(static_cast<long double>(to) * std::log2(n) + std::log2(scaled));
}

std::uint64_t StringGenerator::classicPeriod() const {
    if (m_random.secure()) {
        return kCap;
    }
    // A classic line follows from the state it starts at. A draw modulo 2^b
    // reads the state's bits 16 to 15 + b, and the low bits of this generator
    // step on their own: lines follow from the state modulo 2^(16 + b), b the
    // most any draw reads. Bit 31 never reaches a draw.
    int bits = m_extended ? bitsRead(m_sets.size()) : 15;
    bits = std::max(bits, bitsRead(m_length.width));
    if (m_words != nullptr) {
        bits = std::max(bits, bitsRead(m_words->size()));
    }
    for (const CharacterSet& set : m_sets) {
        bits = std::max(bits, bitsRead(set.size()));
    }
    return std::uint64_t{1} << (16 + bits);
}

double StringGenerator::drawsPerLine() const {
    if (!m_settings.eachClass || m_words != nullptr) {
        return 1;
    }
    // The chance q that one character misses every class of a set missed: over
    // the union on the secure source, class first on the classic one.
    const std::vector<std::uint64_t> left = leftWhenMissing();
    std::vector<long double> q(left.size());
    for (std::uint32_t missed = 0; missed <= m_allClasses; ++missed) {
        if (m_random.secure()) {
            q[missed] = static_cast<long double>(left[missed]) / static_cast<long double>(m_size);
            continue;
        }
        for (std::size_t c = 0; c < m_sets.size(); ++c) {
            std::uint64_t outside = 0;
            for (const Piece& piece : m_pieces) {
                if ((piece.classes >> c & 1u) != 0 && (piece.classes & missed) == 0) {
                    outside += std::uint64_t{piece.points.last} - piece.points.first + 1;
                }
            }
            q[missed] += static_cast<long double>(outside) /
                         static_cast<long double>(m_sets[c].size() * m_sets.size());
        }
    }
    // A line of length L holds every class with chance sum over missed of
    // (-1)^|missed| q^L; lengths are drawn evenly, a negative one gives an
    // empty line. Summed over the lengths as geometric series.
    const long double from = std::max<std::int64_t>(m_settings.minLength, 0);
    const long double to = std::max<std::int64_t>(m_settings.maxLength, 0);
    long double sum = 0;
    for (std::uint32_t missed = 0; missed <= m_allClasses; ++missed) {
        const long double r = q[missed];
        const long double series = r >= 1   ? to - from + 1
                                   : r <= 0 ? (from == 0 ? 1 : 0)
                                            : (std::pow(r, from) - std::pow(r, to + 1)) / (1 - r);
        sum += (std::popcount(missed) % 2 == 0 ? 1 : -1) * series;
    }
    const long double lengths =
        static_cast<long double>(m_settings.maxLength) - m_settings.minLength + 1;
    // Rounding leaves noise near 0 where the chance is nil or all but nil.
    return sum * 1e12L <= lengths ? std::numeric_limits<double>::infinity()
                                  : static_cast<double>(lengths / sum);
}

std::uint64_t StringGenerator::memoryNeeded(std::int64_t count) const {
    // Redrawn lines are judged in a buffer of a sink's chunk and some spare.
    const std::uint64_t scratch = m_settings.eachClass || m_settings.unique ? 2 * kSinkChunk : 0;
    const std::uint64_t kept =
        m_settings.unique ? static_cast<std::uint64_t>(std::max<std::int64_t>(count, 0)) : 0;
    // A kept line is a node holding its link and its hash.
    return scratch + kept * hashMemory::entry(sizeof(void*) + sizeof(LineHash));
}

std::int64_t StringGenerator::appendLines(std::string& out, std::int64_t count,
                                          std::string_view lineEnd, std::size_t limit) {
    // Short lines of ASCII, none judged whole.
    constexpr std::int64_t kShortLine = 4096;
    const StringSettings& s = m_settings;
    const std::size_t start = out.size();
    const bool secure = m_random.secure() && !m_ascii.empty();
    // The classic source's lengths of one draw each, its letters and digits.
    const bool classic = !m_random.secure() && !m_extended && m_length.width - 1u < 32768u;
    if ((!secure && !classic) || m_words != nullptr || s.eachClass || s.unique ||
        maxLineBytes() > kShortLine || start >= limit || count <= 0) {
        return 0;
    }
    out.resize(limit + kShortLine + lineEnd.size());
    char* at = out.data() + start;
    const char* const end = out.data() + limit;
    std::int64_t made = 0;
    if (classic) {
        made = appendClassicLines(at, end, count, lineEnd);
    } else {
        // Characters are drawn ahead, a word's draws at a time, so no draw
        // waits on the line it goes to; those left over at the end of a call
        // are dropped: each is independent.
        m_left = 0;
        const BoundedDraws glyphDraws = m_glyphDraws;
        const int perWord = glyphDraws.perWord();
        const char* const ascii = m_ascii.data();
        constexpr int kAhead = 512;
        constexpr int kSpare = 16;
        std::array<char, kAhead + BoundedDraws::kMaxDigits + kSpare> ahead;
        int have = 0;
        int used = 0;
        for (; made < count && at < end; ++made) {
            at = std::copy(s.head.begin(), s.head.end(), at);
            std::int64_t length = std::max<std::int64_t>(
                m_length.width == 1 ? m_length.low : m_random.RandInRange(m_length), 0);
            while (length > 0) {
                if (used == have) {
                    for (have = 0; have < kAhead;) {
                        std::uint64_t word = m_random.secureWord64();
                        if (glyphDraws.accepts(word)) {
                            for (int i = 0; i < perWord; ++i) {
                                ahead[have + i] = ascii[glyphDraws.take(word)];
                            }
                            have += perWord;
                        }
                    }
                    used = 0;
                }
                const int n = static_cast<int>(std::min<std::int64_t>(length, have - used));
                // A short piece is one fixed copy; the chunk has room past its end.
                if (n <= kSpare) {
                    std::memcpy(at, ahead.data() + used, kSpare);
                } else {
                    std::memcpy(at, ahead.data() + used, static_cast<std::size_t>(n));
                }
                at += n;
                used += n;
                length -= n;
            }
            at = std::copy(s.tail.begin(), s.tail.end(), at);
            at = endLine(at, lineEnd);
        }
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    return made;
}

// A line's length, then for each character class draws until one names a
// class that is on, and the code draw after it. With every class on, the
// draws come a block at a time; a line may run past a block, and the next one
// starts after the last draw read.
std::int64_t StringGenerator::appendClassicLines(char*& to, const char* end, std::int64_t count,
                                                 std::string_view lineEnd) {
    constexpr int kLast = ClassicDraws::kSize - 1;
    // Local copies: the characters written through a char pointer could alias
    // members, which would keep them out of registers.
    const std::string_view head = m_settings.head;
    const std::string_view tail = m_settings.tail;
    const RandomSource::Range lengths = m_length;
    const Classes classes = m_classes;
    const char* const codes = classicCodes();
    char* at = to;
    std::int64_t made = 0;
    // Lines from a draw for the length and a writer of the characters.
    const auto lines = [&](auto lengthDraw, auto chars) {
        for (; made < count && at < end; ++made) {
            at = std::copy(head.begin(), head.end(), at);
            const std::int64_t length = lengths.low + RandomSource::reduce(lengths, lengthDraw());
            at = chars(at, at + std::max<std::int64_t>(length, 0));
            at = std::copy(tail.begin(), tail.end(), at);
            at = endLine(at, lineEnd);
        }
    };
    if (!classes[1] || !classes[2] || !classes[3]) {
        // With a class off, each character's draws wait on the redraws before
        // it: step by step.
        std::uint32_t state = m_random.snapshot();
        lines(
            [&] {
                state = RandomSource::step(state);
                return static_cast<std::uint32_t>(RandomSource::output(state));
            },
            [&state, classes, codes](char* next, const char* last) {
                while (next < last) {
                    *next++ = classicChar(state, classes, codes);
                }
                return next;
            });
        m_random.restore(state);
        to = at;
        return made;
    }
    // Every class on: two draws a character, so no draw waits on the one before.
    ClassicDraws draws;
    std::uint32_t base = m_random.snapshot();
    int next = 0;
    const auto refill = [&] {
        base = draws.stateAt(next - 1);
        draws.fill(base);
        next = 0;
    };
    draws.fill(base);
    lines(
        [&] {
            if (next > kLast) {
                refill();
            }
            return static_cast<std::uint32_t>(draws.draw(next++));
        },
        [&](char* chars, const char* last) {
            while (chars < last) {
                if (next >= kLast) {
                    refill();
                }
                const auto room = static_cast<std::int64_t>((ClassicDraws::kSize - next) / 2);
                const std::int64_t n = std::min<std::int64_t>(last - chars, room);
                for (std::int64_t i = 0; i < n; ++i) {
                    const auto cls = static_cast<unsigned>(1 + draws.draw(next) % 3);
                    chars[i] = codes[cls * kDraws + static_cast<unsigned>(draws.draw(next + 1))];
                    next += 2;
                }
                chars += n;
            }
            return chars;
        });
    m_random.restore(next == 0 ? base : draws.stateAt(next - 1));
    to = at;
    return made;
}

}  // namespace ovantis
