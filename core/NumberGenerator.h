#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "BigCount.h"
#include "ClassicNumberLines.h"
#include "DecimalGrid.h"
#include "NumberLines.h"
#include "NumberSettings.h"
#include "RandomSource.h"
#include "TextSink.h"

namespace ovantis {

inline constexpr float SENTINEL_REDRAW = 0.123456f;

// Makes the Number page's lines from checked settings.
class NumberGenerator {
  public:
    NumberGenerator(const NumberSettings& checked, RandomSource& random);

    // Appends one line; false when a sink, asked while redrawing, says stop.
    // Throws RedrawLimit when unique lines stop coming.
    bool appendLine(std::string& out, TextSink* sink = nullptr);
    // Appends up to count lines, each ended by lineEnd, until out reaches
    // limit bytes; 0 when these settings make their lines one at a time.
    std::int64_t appendLines(std::string& out, std::int64_t count, std::string_view lineEnd,
                             std::size_t limit);
    float RandomFloat();
    // The longest line the settings can make.
    std::int64_t maxLineBytes() const;
    // How many different lines the settings allow on this source,
    // saturating at 2^62.
    std::uint64_t possibleLines() const;
    // How many different lines the settings allow as the secure source reads
    // them, exactly.
    BigCount lineCount() const;
    // The bytes a run of count lines keeps to make them unique; 0 when it
    // keeps nothing.
    std::uint64_t memoryNeeded(std::int64_t count) const;

  private:
    // How RandomFloat serves the range.
    enum class DecimalDraw {
        Grid,         // 0 <= low < high: the classic grid from 0 to high
        ShiftedGrid,  // low < 0: a grid from low to high
        Bound,        // no draw needed or none could pass: high itself
    };

    struct GridPoint {
        float value;
        bool aboveLow;
        bool accepted;
    };
    static GridPoint gridPoint(DecimalDraw plan, float low, float high, int draw);
    DecimalDraw planDecimalDraw();
    // False when the integers are used up.
    bool appendAny(std::string& out);
    std::int64_t nextInteger();
    void appendDecimal(std::string& out, double value) const;
    // Classic lines a chunk at a time, or null where these settings cannot.
    std::unique_ptr<ClassicNumberLines> classicLines(std::string_view lineEnd) const;
    // Classic integers of a range too wide to write every line up front.
    std::int64_t appendClassicWide(std::string& out, std::int64_t count, std::string_view lineEnd,
                                   std::size_t limit);

    NumberSettings m_settings;
    RandomSource& m_random;
    // The whole numbers inside the range, for integer draws.
    RandomSource::Range m_integers;
    // The least draw whose grid value lies above low.
    int m_firstAboveLow = 0;
    DecimalDraw m_decimalDraw = DecimalDraw::Bound;
    // The secure source's decimals.
    DecimalGrid m_grid;
    // Integers drawn without replacement: a sparse Fisher-Yates shuffle of
    // the offsets, holding only the positions moved.
    std::uint64_t m_taken = 0;
    std::unordered_map<std::uint64_t, std::uint64_t> m_moved;
    std::unordered_set<std::string> m_seen;
    // Lines made a chunk at a time, once asked for: secure ones of one kind,
    // classic ones where every line a draw gives can be written up front.
    std::unique_ptr<NumberLines> m_lines;
    std::unique_ptr<ClassicNumberLines> m_classicLines;
    bool m_classicWide = false;
    bool m_linesChecked = false;
};

}  // namespace ovantis
