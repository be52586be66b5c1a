#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "Language.h"
#include "OutputFile.h"
#include "TextSink.h"

namespace ovantis::sys {
class FdStreambuf;
}

namespace ovantis::cli {

// Where the lines go: the given stream, or a result file put in place once
// complete. "-" and no -o are the given stream. Output of up to sizeBound
// bytes is staged in memory only within memoryBudget.
class Destination {
  public:
    Destination(std::ostream& out, const std::string& path, std::uint64_t memoryBudget,
                std::uint64_t sizeBound);
    ~Destination();
    bool ready() const { return !m_file || m_buffer; }
    std::ostream& stream() { return *m_stream; }
    // "cannot write FILE: reason" in the language asked for.
    std::string fileError(Language language) const;

    // Flushes and, for a file, puts it in place: a stopped batch leaves the
    // old file as it was, a stopped log keeps the lines written so far, and a
    // file that was being rewritten when the stop came is finished first.
    // Returns the exit status, 128 plus the signal after a stop.
    int finish(std::ostream& err, bool keepWhenStopped, Language language);

  private:
    std::ostream* m_stream;
    std::string m_path;
    std::uint64_t m_memoryBudget;
    std::unique_ptr<sys::OutputFile> m_file;
    std::unique_ptr<sys::FdStreambuf> m_buffer;
    std::unique_ptr<std::ostream> m_own;
};

// A closed pipe ends a run quietly (status 0); any other write error is
// reported, naming the result file if there is one.
int reportWriteError(std::ostream& stream, std::ostream& err, const std::string& path,
                     Language language);

// Hands finished chunks to a stream, so memory stays flat whatever the count;
// false once the stream failed or a stop was asked for.
class StreamSink : public TextSink {
  public:
    explicit StreamSink(std::ostream& stream) : m_stream(stream) {}
    bool drain(std::string& buffer) override;
    // Hands text on; false when the stream failed or a stop was asked for.
    bool write(std::string_view text);
    // Bytes handed on so far.
    std::uint64_t written() const { return m_written; }

  private:
    std::ostream& m_stream;
    std::uint64_t m_written = 0;
};

}  // namespace ovantis::cli
