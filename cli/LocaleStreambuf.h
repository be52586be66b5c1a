#pragma once

#include <ostream>
#include <streambuf>
#include <string>

#include "LocaleText.h"

namespace ovantis::cli {

// Passes what is written to it on to target in the locale's encoding, a whole
// line at a time, so no character is cut in two.
class LocaleStreambuf : public std::streambuf {
  public:
    LocaleStreambuf(std::ostream& target, const sys::LocaleText& encoding)
        : m_target(target), m_encoding(encoding) {}
    ~LocaleStreambuf() override { sync(); }
    LocaleStreambuf(const LocaleStreambuf&) = delete;
    LocaleStreambuf& operator=(const LocaleStreambuf&) = delete;

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize size) override;
    int sync() override;

  private:
    void passLines();

    std::ostream& m_target;
    const sys::LocaleText& m_encoding;
    std::string m_pending;
};

}  // namespace ovantis::cli
