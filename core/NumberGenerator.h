#pragma once

#include <cstdint>
#include <string>

#include "NumberSettings.h"
#include "RandomSource.h"

namespace ovantis {

inline constexpr float SENTINEL_REDRAW = 0.123456f;

// Makes the Number page's lines from checked settings.
class NumberGenerator {
  public:
    NumberGenerator(const NumberSettings& checked, RandomSource& random);

    void appendLine(std::string& out);
    std::string MakeNumber();
    float RandomFloat();
    // The longest line the settings can make.
    std::int64_t maxLineBytes() const;

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

    NumberSettings m_settings;
    RandomSource& m_random;
    // The whole numbers inside the range, for integer draws.
    RandomSource::Range m_integers;
    // The least draw whose grid value lies above low.
    int m_firstAboveLow = 0;
    DecimalDraw m_decimalDraw;
};

}  // namespace ovantis
