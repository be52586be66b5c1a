#include "Destination.h"

#include "CliApp.h"
#include "CliTexts.h"
#include "FdStreambuf.h"
#include "Printable.h"
#include "ReasonText.h"
#include "Signals.h"

namespace ovantis::cli {

Destination::Destination(std::ostream& out, const std::string& path, std::uint64_t memoryBudget,
                         std::uint64_t sizeBound)
    : m_stream(&out), m_path(path), m_memoryBudget(memoryBudget) {
    if (!path.empty() && path != "-") {
        m_file = std::make_unique<sys::OutputFile>(path);
        m_file->limitStaging(memoryBudget, sizeBound);
        if (m_file->open()) {
            m_buffer = std::make_unique<sys::FdStreambuf>(m_file->fd());
            m_own = std::make_unique<std::ostream>(m_buffer.get());
            m_stream = m_own.get();
        }
    }
}

Destination::~Destination() = default;

std::string Destination::fileError(Language language) const {
    if (!m_file->overBudgetIn().empty()) {
        return texts::kStagedInMemory.fill(
            language, {sys::printable(m_path), sys::printable(m_file->overBudgetIn()),
                       std::to_string(m_memoryBudget >> 20)});
    }
    return texts::kCannotWrite.fill(language, {sys::printable(m_path)}) + ": " +
           sys::systemWords(m_file->error(), language);
}

int Destination::finish(std::ostream& err, bool keepWhenStopped, Language language) {
    m_stream->flush();
    const int signal = sys::Signals::stopSignal();
    if (signal != 0 && !*m_stream) {
        // Stopped while a reader took nothing: nothing more to say.
        return 128 + signal;
    }
    if (!*m_stream) {
        return reportWriteError(*m_stream, err, m_file ? m_path : std::string(), language);
    }
    if (m_file && (signal == 0 || keepWhenStopped)) {
        m_own.reset();
        m_buffer.reset();
        const bool committed = m_file->commit(keepWhenStopped);
        if (const int stop = sys::Signals::stopSignal();
            !committed && stop != 0 && !keepWhenStopped) {
            return 128 + stop;  // stopped before the old file was touched
        }
        if (!committed) {
            err << "ovantis-cli: " << fileError(language) << '\n';
            return kExitIo;
        }
    }
    const int stop = sys::Signals::stopSignal();
    return stop != 0 ? 128 + stop : kExitOk;
}

int reportWriteError(std::ostream& stream, std::ostream& err, const std::string& path,
                     Language language) {
    const auto* fdBuffer = dynamic_cast<sys::FdStreambuf*>(stream.rdbuf());
    if (fdBuffer != nullptr && fdBuffer->brokenPipe()) {
        return kExitOk;  // the reader has all it wanted (| head)
    }
    err << "ovantis-cli: "
        << (path.empty() ? texts::kWriteError.in(language)
                         : texts::kCannotWrite.fill(language, {sys::printable(path)}));
    if (fdBuffer != nullptr && fdBuffer->error() != 0) {
        err << ": " << sys::systemWords(fdBuffer->error(), language);
    }
    err << '\n';
    return kExitIo;
}

bool StreamSink::drain(std::string& buffer) {
    const bool more = write(buffer);
    buffer.clear();
    return more;
}

bool StreamSink::write(std::string_view text) {
    m_stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    m_written += text.size();
    return m_stream.good() && !sys::Signals::stopRequested();
}

}  // namespace ovantis::cli
