#pragma once

#include <cstdint>
#include <string>

#include "PageHost.h"
#include "RandomSource.h"
#include "TextSink.h"

namespace ovantis {

struct PageControls {
    int output = 0;
    int generate = 0;
    int exportButton = 0;
};

// A page whose Generate makes a batch of lines.
class LinePage {
  public:
    LinePage(PageHost& host, RandomSource& random, PageControls controls)
        : m_host(host), m_random(random), m_controls(controls) {}
    virtual ~LinePage() = default;
    LinePage(const LinePage&) = delete;
    LinePage& operator=(const LinePage&) = delete;

    // Reads and checks the settings; on success they are stored and the
    // generator is re-seeded, otherwise the page has shown its notice.
    virtual bool Validate() = 0;
    // Lines asked for by the last successful validation.
    virtual std::int64_t count() const = 0;
    // Appends one line, without its line end.
    virtual void appendLine(std::string& out) = 0;
    // Like appendLine, but a long line may be handed to the sink in pieces.
    virtual void streamLine(std::string& out, TextSink&) { appendLine(out); }
    // The longest line the current settings can make.
    virtual std::int64_t maxLineBytes() const = 0;

    std::string MakeLine() {
        std::string line;
        appendLine(line);
        return line;
    }

    PageHost& host() { return m_host; }
    RandomSource& random() { return m_random; }
    const PageControls& controls() const { return m_controls; }

  private:
    PageHost& m_host;
    RandomSource& m_random;
    PageControls m_controls;
};

}  // namespace ovantis
