#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "RandomSource.h"
#include "StringSettings.h"
#include "TextSink.h"

namespace ovantis {

// Makes the String page's lines from checked settings.
class StringGenerator {
  public:
    StringGenerator(const StringSettings& checked, RandomSource& random);

    // Appends one line. With a sink, the buffer is drained whenever it grows
    // large; false when the sink asked to stop (the line is then cut short).
    // Throws std::runtime_error when unique lines stop coming.
    bool appendLine(std::string& out, TextSink* sink = nullptr);
    std::string MakeString();
    // The longest line the settings can make.
    std::int64_t maxLineBytes() const;
    // How many different lines the settings allow, saturating at 2^62.
    std::uint64_t possibleLines() const;
    // The bytes a run of count lines keeps to make them unique; 0 when it
    // keeps nothing.
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
    static char classicChar(std::uint32_t& state, Classes enabled);
    static char codeOf(unsigned cls, unsigned draw);
    // Appends count characters; ors the classes they belong to into hit.
    void appendChars(std::string& out, std::int64_t count, std::uint32_t& hit);
    void appendGlyph(std::string& out, std::uint32_t index, std::uint32_t& hit) const;
    std::uint32_t secureIndex();
    bool drawLine(std::string& out, TextSink* sink);

    StringSettings m_settings;
    RandomSource& m_random;
    RandomSource::Range m_length;
    Classes m_classes;
    // The classic steps of the page's three classes, or the extended ones.
    bool m_extended;
    bool m_asciiOnly = true;
    // Every character once, for uniform secure draws.
    std::vector<Glyph> m_glyphs;
    // Each class as indices into m_glyphs, in drawing order.
    std::vector<std::vector<std::uint32_t>> m_classGlyphs;
    std::uint32_t m_allClasses = 0;
    std::uint32_t m_rejectBelow = 0;
    std::unordered_set<std::string> m_seen;
};

}  // namespace ovantis
