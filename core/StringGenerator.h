#pragma once

#include <cstdint>
#include <string>

#include "InitialContent.h"
#include "LinePage.h"

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

// Receives a long line piece by piece, so it never has to sit in memory whole.
class TextSink {
  public:
    virtual ~TextSink() = default;
    // Takes the text and leaves the buffer empty.
    virtual void drain(std::string& buffer) = 0;
};

class StringGenerator final : public LinePage {
  public:
    StringGenerator(PageHost& host, RandomSource& random);

    static const InitialContent& initialContent();

    bool Validate() override;
    std::int64_t count() const override { return m_settings.count; }
    void appendLine(std::string& out) override { appendString(out, nullptr); }
    std::int64_t maxLineBytes() const override;

    std::string MakeString() { return MakeLine(); }
    // Appends one string; with a sink, drains the buffer whenever it grows large.
    void appendString(std::string& out, TextSink* sink);
    char RandomChar();

    const StringSettings& settings() const { return m_settings; }

  private:
    StringSettings m_settings;
};

}  // namespace ovantis
