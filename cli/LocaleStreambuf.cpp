#include "LocaleStreambuf.h"

namespace ovantis::cli {

LocaleStreambuf::int_type LocaleStreambuf::overflow(int_type c) {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        m_pending += traits_type::to_char_type(c);
        passLines();
    }
    return traits_type::not_eof(c);
}

std::streamsize LocaleStreambuf::xsputn(const char* text, std::streamsize size) {
    m_pending.append(text, static_cast<std::size_t>(size));
    passLines();
    return size;
}

int LocaleStreambuf::sync() {
    m_target << m_encoding.convert(m_pending);
    m_pending.clear();
    m_target.flush();
    return m_target ? 0 : -1;
}

void LocaleStreambuf::passLines() {
    const std::size_t end = m_pending.rfind('\n');
    if (end != std::string::npos) {
        m_target << m_encoding.convert(std::string_view(m_pending).substr(0, end + 1));
        m_pending.erase(0, end + 1);
        m_target.flush();
    }
}

}  // namespace ovantis::cli
