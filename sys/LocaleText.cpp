#include "LocaleText.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cerrno>
#include <cstdint>

#include "Utf8.h"

namespace ovantis::sys {
namespace {

iconv_t converterOf(void* converter) {
    return static_cast<iconv_t>(converter);
}

// Converts as much of in as the encoding holds onto out, ending in the
// initial shift state; false where it stopped at a character it has no place
// for, or at a byte that is not UTF-8.
bool convertPart(iconv_t converter, std::string_view& in, std::string& out) {
    char* from = const_cast<char*>(in.data());
    std::size_t fromLeft = in.size();
    bool whole = true;
    char buffer[256];
    while (fromLeft != 0 && whole) {
        char* to = buffer;
        std::size_t toLeft = sizeof buffer;
        const std::size_t result = ::iconv(converter, &from, &fromLeft, &to, &toLeft);
        whole = result != static_cast<std::size_t>(-1) || errno == E2BIG;
        out.append(buffer, static_cast<std::size_t>(to - buffer));
    }
    char* to = buffer;
    std::size_t toLeft = sizeof buffer;
    ::iconv(converter, nullptr, nullptr, &to, &toLeft);
    out.append(buffer, static_cast<std::size_t>(to - buffer));
    in.remove_prefix(in.size() - fromLeft);
    return whole;
}

void appendEscape(std::string& out, std::string_view& in) {
    constexpr char kHex[] = "0123456789abcdef";
    char32_t code = 0;
    const std::size_t length = decodeUtf8(in, code);
    const int digits = length == 0 ? 2 : code > 0xFFFF ? 8 : 4;
    out += length == 0 ? "\\x" : code > 0xFFFF ? "\\U" : "\\u";
    const std::uint32_t value = length == 0 ? static_cast<unsigned char>(in.front()) : code;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kHex[(value >> shift) & 0xF];
    }
    in.remove_prefix(length == 0 ? 1 : length);
}

}  // namespace

LocaleText::LocaleText() {
    const locale_t user = ::newlocale(LC_CTYPE_MASK, "", locale_t{});
    if (user == locale_t{}) {
        return;
    }
    const std::string codeset = ::nl_langinfo_l(CODESET, user);
    ::freelocale(user);
    if (codeset == "UTF-8" || codeset == "ANSI_X3.4-1968") {
        return;
    }
    const iconv_t converter = ::iconv_open(codeset.c_str(), "UTF-8");
    if (converter != reinterpret_cast<iconv_t>(-1)) {
        m_converter = converter;
    }
}

LocaleText::~LocaleText() {
    if (m_converter != nullptr) {
        ::iconv_close(converterOf(m_converter));
    }
}

bool LocaleText::holds(std::string_view text) const {
    if (m_converter == nullptr) {
        return true;
    }
    std::string out;
    return convertPart(converterOf(m_converter), text, out);
}

std::string LocaleText::convert(std::string_view text) const {
    if (m_converter == nullptr) {
        return std::string(text);
    }
    std::string out;
    while (!convertPart(converterOf(m_converter), text, out)) {
        appendEscape(out, text);
    }
    return out;
}

}  // namespace ovantis::sys
