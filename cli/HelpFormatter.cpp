#include "HelpFormatter.h"

#include <vector>

namespace ovantis::cli {
namespace {

constexpr std::size_t kNameWidth = 26;
constexpr std::size_t kLineWidth = 80;

// A unit of wrapping: a word, or one wide (CJK) character, which may end a
// line anywhere; spaced when a space went before it.
struct Piece {
    std::string text;
    std::size_t width = 0;
    bool spaced = false;
};

std::vector<Piece> pieces(const std::string& text) {
    std::vector<Piece> out;
    bool space = false;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        // Three-byte sequences from U+1100 on hold the wide characters met here.
        const bool wide =
            length >= 3 && !(lead == 0xE1 && static_cast<unsigned char>(text[i + 1]) < 0x84);
        if (text[i] == ' ' || text[i] == '\n') {
            space = true;
            inWord = false;
            ++i;
            continue;
        }
        if (wide || !inWord) {
            out.push_back({{}, 0, space && !out.empty()});
        }
        out.back().text += text.substr(i, length);
        out.back().width += wide ? 2 : 1;
        inWord = !wide;
        space = false;
        i += length;
    }
    return out;
}

}  // namespace

HelpFormatter::HelpFormatter() {
    column_width(kNameWidth);
}

std::string HelpFormatter::row(const std::string& name, const std::string& description) {
    std::string out = "  " + name;
    std::size_t column = out.size();
    if (column + 1 > kNameWidth) {
        out += '\n';
        column = 0;
    }
    bool lineStart = true;
    for (const Piece& piece : pieces(description)) {
        const std::size_t needed = piece.width + (lineStart ? 0 : piece.spaced);
        if (!lineStart && column + needed > kLineWidth) {
            out += '\n';
            column = 0;
            lineStart = true;
        }
        if (column < kNameWidth) {
            out.append(kNameWidth - column, ' ');
            column = kNameWidth;
        }
        if (!lineStart && piece.spaced) {
            out += ' ';
            ++column;
        }
        out += piece.text;
        column += piece.width;
        lineStart = false;
    }
    return out + '\n';
}

std::string HelpFormatter::make_option(const CLI::Option* option, bool isPositional) const {
    std::string name = make_option_name(option, isPositional);
    if (!isPositional && option->get_type_size() != 0 && !option->get_type_name().empty()) {
        name += ' ' + option->get_type_name();
    }
    return row(name, option->get_description());
}

std::string HelpFormatter::make_subcommand(const CLI::App* command) const {
    return row(command->get_display_name(), command->get_description());
}

}  // namespace ovantis::cli
