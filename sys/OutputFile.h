#pragma once

#include <string>
#include <string_view>

namespace ovantis::sys {

// A result file. A regular file is written under a temporary name (or none,
// where the file system allows) beside its final target and renamed over it
// only when complete, keeping the old file's mode and owner. It is rewritten
// in place instead, once the output is complete, where a rename would lose
// something: other names (hard links), an owner or group the caller cannot
// give, a folder the caller cannot add a name to. A file the caller could not
// open for writing is refused up front, as the shell's ">" refuses it, and
// set-id bits never carry over to new content. Anything else that exists (a
// device, a FIFO, a terminal) is written directly, as ">" would. A symbolic
// link stays a link.
class OutputFile {
  public:
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool open();
    int fd() const { return m_fd; }
    // Writes all of bytes, retrying interrupted writes.
    bool write(std::string_view bytes);
    // Makes what was written so far the file's content.
    bool commit();
    // Drops what was written; the old file stays as it was.
    void discard();
    // Why the last step failed, in the system's words; the caller names the file.
    const std::string& error() const { return m_error; }

  private:
    enum class Mode { Direct, Replace, InPlace };

    bool fail();
    bool failAndDiscard();
    bool openTemporary(const std::string& dir);
    bool openStaging();
    bool nameTemporary();
    bool copyIntoTarget();
    void forgetTemporary();
    void dropTemporary();

    std::string m_path;
    std::string m_target;
    std::string m_dir;
    std::string m_tempPath;
    Mode m_mode = Mode::Replace;
    int m_fd = -1;
    // The existing target, opened for writing up front.
    int m_targetFd = -1;
    int m_cleanupSlot = -1;
    std::string m_error;
};

}  // namespace ovantis::sys
