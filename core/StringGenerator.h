#pragma once

#include <array>
#include <cstdint>
#include <string>

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
    bool appendLine(std::string& out, TextSink* sink = nullptr);
    std::string MakeString();
    // The longest line the settings can make.
    std::int64_t maxLineBytes() const;

  private:
    // Indexed by class number 1 to 3.
    using Classes = std::array<bool, 4>;
    static char classicChar(std::uint32_t& state, Classes enabled);
    static char codeOf(unsigned cls, unsigned draw);
    void secureChars(char* out, std::int64_t count);

    StringSettings m_settings;
    RandomSource& m_random;
    RandomSource::Range m_length;
    Classes m_classes;
    // The character each secure value in [0, 390) stands for; 0 where its
    // class is not enabled.
    std::array<char, 390> m_secureCodes{};
};

}  // namespace ovantis
