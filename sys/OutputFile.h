#pragma once

#include <cstdint>
#include <memory>
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
// link stays a link. A replacement carries the old file's extended
// attributes (ACLs among them), or the file is rewritten in place. In place,
// the space for the new content is secured before a byte of the old is
// overwritten, and the copy holds a lock on the file, so concurrent writers
// end with one whole output.
class OutputFile {
  public:
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Output rewritten in place is first gathered elsewhere, on disk where
    // any folder for it is; where only memory (tmpfs) is left, output of up
    // to sizeBound bytes is refused when that is over the budget.
    void limitStaging(std::uint64_t memoryBudget, std::uint64_t sizeBound) {
        m_memoryBudget = memoryBudget;
        m_sizeBound = sizeBound;
    }
    bool open();
    int fd() const { return m_fd; }
    // Writes all of bytes, retrying interrupted writes.
    bool write(std::string_view bytes);
    // Makes what was written so far the file's content. A stop asked for
    // before the old content is first touched keeps the old file (and fails),
    // unless evenIfStopped; once touched, the write completes.
    bool commit(bool evenIfStopped = false);
    // Drops what was written; the old file stays as it was.
    void discard();
    // Why the last step failed: the system's error number (errno; GetLastError
    // on Windows), 0 for none. The caller words it and names the file.
    int error() const { return m_error; }
    // Where the output was to be staged when only memory was left over budget.
    const std::string& overBudgetIn() const { return m_overBudgetIn; }

  private:
    enum class Mode { Direct, Replace, InPlace };
    // What only one system's writer holds, and its own steps.
    struct Platform;

    bool fail();
    bool failAndDiscard() {
        fail();
        discard();
        return false;
    }
    bool openTemporary(const std::string& dir);
    bool copyIntoTarget();
    void forgetTemporary();

    std::string m_path;
    std::string m_target;
    std::string m_dir;
    std::string m_tempPath;
    Mode m_mode = Mode::Replace;
    int m_fd = -1;
    int m_cleanupSlot = -1;
    std::uint64_t m_memoryBudget = UINT64_MAX;
    std::uint64_t m_sizeBound = 0;
    std::string m_overBudgetIn;
    int m_error = 0;
    std::unique_ptr<Platform> m_platform;
};

}  // namespace ovantis::sys
