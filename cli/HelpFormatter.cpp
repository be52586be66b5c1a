#include "HelpFormatter.h"

#include <sstream>

namespace ovantis::cli {
namespace {
constexpr std::size_t kNameWidth = 26;
constexpr std::size_t kLineWidth = 80;
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
    std::istringstream words(description);
    bool first = true;
    for (std::string word; words >> word;) {
        const std::size_t needed = first ? word.size() : word.size() + 1;
        if (!first && column + needed > kLineWidth) {
            out += '\n';
            column = 0;
            first = true;
        }
        if (column < kNameWidth) {
            out.append(kNameWidth - column, ' ');
            column = kNameWidth;
        }
        if (!first) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        first = false;
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
