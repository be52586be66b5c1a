#pragma once

#include <cstdint>
#include <string>

#include "InitialContent.h"
#include "LinePage.h"

namespace ovantis {

inline constexpr float SENTINEL_NO_FLOAT = -0.123456f;
inline constexpr float SENTINEL_REDRAW = 0.123456f;

struct NumberSettings {
    int integerOn = 1;
    int floatOn = 1;
    float low = 80.0f;
    float high = 100.0f;
    std::int32_t count = 10;
    std::int32_t decimals = 2;
};

class NumberGenerator final : public LinePage {
  public:
    static constexpr std::int32_t kMaxPlaces = 100;

    NumberGenerator(PageHost& host, RandomSource& random);

    static const InitialContent& initialContent();

    bool Validate() override;
    std::int64_t count() const override { return m_settings.count; }
    void appendLine(std::string& out) override;
    std::int64_t maxLineBytes() const override;

    std::string MakeNumber() { return MakeLine(); }
    float RandomFloat();
    // Enables the places field exactly while decimals are checked.
    void OnFloatToggled();

    const NumberSettings& settings() const { return m_settings; }

  private:
    // How RandomFloat serves the validated range.
    enum class FloatDraw {
        Grid,         // 0 <= low < high: the classic grid from 0 to high
        ShiftedGrid,  // low < 0: a grid from low to high
        Bound,        // no draw needed or none could pass: high itself
    };

    struct GridPoint {
        float value;
        bool aboveLow;
        bool accepted;
    };
    static GridPoint gridPoint(FloatDraw plan, float low, float high, int draw);
    FloatDraw planFloatDraw() const;

    NumberSettings m_settings;
    // The bounds truncated toward zero, for integer draws.
    RandomSource::Range m_integers = RandomSource::prepare(80, 100);
    FloatDraw m_floatDraw = FloatDraw::Grid;
};

}  // namespace ovantis
