#pragma once

#include <string>

namespace ovantis::cli {

// A file written under a temporary name beside its target and renamed over it
// only when complete, so a failure never leaves a damaged or partial file.
class AtomicFile {
  public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; on failure error() says why.
    bool open();
    int fd() const { return m_fd; }
    // Syncs, closes and renames; on failure the temporary file is removed.
    bool commit();
    const std::string& error() const { return m_error; }

  private:
    void fail(const std::string& what);
    void discard();

    std::string m_path;
    std::string m_tempPath;
    int m_fd = -1;
    std::string m_error;
};

}  // namespace ovantis::cli
