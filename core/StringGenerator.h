#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "BigCount.h"
#include "BoundedDraws.h"
#include "CharacterSet.h"
#include "RandomSource.h"
#include "StringSettings.h"
#include "TextSink.h"
#include "WordList.h"

namespace ovantis {

// Makes the String page's lines from checked settings.
class StringGenerator {
  public:
    StringGenerator(const StringSettings& checked, RandomSource& random);

    // Appends one line. With a sink, the buffer is drained whenever it grows
    // large, so no line sits in memory whole; false when the sink asked to
    // stop (the line is then cut short), which redraws also ask it. Throws
    // RedrawLimit when acceptable lines stop coming.
    bool appendLine(std::string& out, TextSink* sink = nullptr);
    // Appends up to count lines, each ended by lineEnd, until out reaches
    // limit bytes; 0 when these settings make their lines one at a time.
    std::int64_t appendLines(std::string& out, std::int64_t count, std::string_view lineEnd,
                             std::size_t limit);
    // The longest line the settings can make.
    std::int64_t maxLineBytes() const;
    // How many different lines the settings allow on this source, saturating
    // at 2^62.
    std::uint64_t possibleLines() const;
    // How many different lines the settings allow, exactly; nothing when the
    // count could need more than mostBits bits.
    std::optional<BigCount> lineCount(std::uint64_t mostBits) const;
    // log2 of that count, near enough, however large.
    double lineBits() const;
    // The most different lines the classic source's period leaves these
    // settings; 2^62 on the secure source.
    std::uint64_t classicPeriod() const;
    // Lines drawn, on average, for each one kept by --each-class on the
    // current source; infinite when none can be kept.
    double drawsPerLine() const;
    // Bytes of state a run of count lines keeps beyond the line being made.
    std::uint64_t memoryNeeded(std::int64_t count) const;

  private:
    // Indexed by class number 1 to 3.
    using Classes = std::array<bool, 4>;
    struct Glyph {
        std::array<char, 4> bytes;
        std::uint8_t size;
        // Bit c set when the character is in class c.
        std::uint32_t classes;
    };
    // Stretches of the union of the classes over which membership is the same.
    struct Piece {
        CharacterSet::Interval points;
        std::uint32_t classes;
    };
    struct LineHash {
        std::uint64_t a, b;
        bool operator==(const LineHash&) const = default;
    };
    struct HashOfHash {
        std::size_t operator()(const LineHash& h) const noexcept { return h.a; }
    };
    class Trial;

    static char classicChar(std::uint32_t& state, Classes enabled, const char* codes);
    const char* classicCodes();
    // appendLines for the classic source and the page's three classes.
    std::int64_t appendClassicLines(char*& at, const char* end, std::int64_t count,
                                    std::string_view lineEnd);
    static char codeOf(unsigned cls, unsigned draw);
    // Appends count characters; ors the classes they belong to into hit.
    void appendChars(std::string& out, std::int64_t count, std::uint32_t& hit);
    void appendPoint(std::string& out, char32_t point, std::uint32_t& hit) const;
    std::uint32_t classesOf(char32_t point) const;
    // The piece holding the index-th character of the union.
    std::size_t pieceOf(std::uint64_t index) const;
    // The piece holding a member of the union.
    std::size_t pieceHolding(char32_t point) const;
    std::uint32_t secureIndex();
    // Indices into the table, drawn several to a word.
    struct GlyphDraws;
    // False when the sink asked to stop.
    bool drawLine(std::string& out, TextSink* sink, std::uint32_t& hit);
    // Characters of the union outside every class of missed, for each set missed.
    std::vector<std::uint64_t> leftWhenMissing() const;

    // The characters drawn from, or in passphrases the words.
    std::uint64_t alphabet() const { return m_words != nullptr ? m_words->size() : m_size; }

    StringSettings m_settings;
    RandomSource& m_random;
    const WordList* m_words = nullptr;
    RandomSource::Range m_wordRange;
    RandomSource::Range m_length;
    Classes m_classes;
    // The classic steps of the page's three classes, or the extended ones.
    bool m_extended;
    bool m_asciiOnly = true;
    std::vector<CharacterSet> m_sets;
    std::vector<Piece> m_pieces;
    // Characters up to and including each piece.
    std::vector<std::uint64_t> m_through;
    std::uint64_t m_size = 0;
    // Every character once while the union is small, for fast secure draws.
    std::vector<Glyph> m_glyphs;
    // Their bytes while all are ASCII, and draws of an index into them.
    std::string m_ascii;
    // The classic source's character for each class and code draw, once a
    // chunk of its lines is asked for.
    std::vector<char> m_classicCodes;
    BoundedDraws m_glyphDraws{1};
    // Draws of a word not used yet; dropped at the start of each line, so a
    // line is the same however it is cut into pieces.
    std::array<std::uint64_t, BoundedDraws::kMaxDigits> m_group{};
    int m_left = 0;
    // Then each class as indices into m_glyphs, in drawing order, with the
    // range its draws take, prepared once rather than a division a character.
    std::vector<std::vector<std::uint32_t>> m_classGlyphs;
    std::vector<RandomSource::Range> m_classRanges;
    std::uint32_t m_allClasses = 0;
    std::uint32_t m_rejectBelow = 0;
    std::unordered_set<LineHash, HashOfHash> m_seen;
};

}  // namespace ovantis
