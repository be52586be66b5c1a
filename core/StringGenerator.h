#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "InitialContent.h"
#include "LinePage.h"
#include "TextSink.h"

namespace ovantis {

struct StringSettings {
    int upper = 1;
    int lower = 1;
    int digits = 0;
    std::string head;
    std::string tail;
    std::int32_t minLength = 5;
    std::int32_t maxLength = 8;
    std::int32_t count = 10;
};

class StringGenerator final : public LinePage {
  public:
    StringGenerator(PageHost& host, RandomSource& random);

    static const InitialContent& initialContent();

    bool Validate() override;
    std::int64_t count() const override { return m_settings.count; }
    void appendLine(std::string& out) override { appendString(out, nullptr); }
    void streamLine(std::string& out, TextSink& sink) override { appendString(out, &sink); }
    std::int64_t maxLineBytes() const override;

    std::string MakeString() { return MakeLine(); }
    // Appends one string; with a sink, drains the buffer whenever it grows large.
    void appendString(std::string& out, TextSink* sink);
    char RandomChar();

    const StringSettings& settings() const { return m_settings; }

  private:
    // Indexed by class number 1 to 3.
    using Classes = std::array<bool, 4>;
    Classes enabledClasses() const;
    static char classicChar(std::uint32_t& state, Classes enabled);
    static char codeOf(unsigned cls, unsigned draw);
    void secureChars(char* out, std::int64_t count);
    void prepareSecureCodes();

    StringSettings m_settings;
    RandomSource::Range m_length = RandomSource::prepare(5, 8);
    // The character each secure value in [0, 390) stands for; 0 where its
    // class is not enabled.
    std::array<char, 390> m_secureCodes{};
};

}  // namespace ovantis
