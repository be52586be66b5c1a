#include "Printable.h"

#include <cstdint>

#include "Utf8.h"

namespace ovantis::sys {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void appendHex(std::string& out, std::uint32_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kHex[(value >> shift) & 0xF];
    }
}

bool hidden(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code < 0xA0) || code == 0x2028 || code == 0x2029 ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069) ||
           code == 0x200E || code == 0x200F || code == 0x061C;
}

}  // namespace

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = decodeUtf8(text.substr(i), code);
        if (length == 0) {
            out += "\\x";
            appendHex(out, static_cast<unsigned char>(text[i]), 2);
            ++i;
            continue;
        }
        if (!hidden(code)) {
            out.append(text.substr(i, length));
        } else if (code == '\n') {
            out += "\\n";
        } else if (code == '\t') {
            out += "\\t";
        } else if (code == '\r') {
            out += "\\r";
        } else if (code < 0x80) {
            out += "\\x";
            appendHex(out, code, 2);
        } else {
            out += "\\u";
            appendHex(out, code, 4);
        }
        i += length;
    }
    return out;
}

}  // namespace ovantis::sys
