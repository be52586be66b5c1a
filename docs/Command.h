#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace ovantis::docs {

// A command line as its manual and completions see it: the names, values and
// help of each option, and the subcommands, read from the program itself.
struct Command {
    struct Option {
        std::vector<std::string> names;  // as typed: "-o", "--output"
        std::string value;               // the value's name; empty for a flag
        std::string help;
        bool operator==(const Option&) const = default;
    };

    std::string name;
    std::string help;
    std::vector<Option> options;
    std::vector<Command> commands;
    std::string footer;

    // Everything the parser was given, subcommands included.
    static Command fromApp(const CLI::App& app);
    // A help text laid out as "Usage: NAME ...", its summary, an "Options:"
    // block of rows ("  -h, --help    help") and a closing paragraph.
    static Command fromHelp(const std::string& text);

    // The footer's paragraph that starts "title:", without the title; throws
    // when there is none, so a reworded help cannot leave a page without it.
    std::string paragraph(const std::string& title) const;
    // The help without a leading "Ovantis: " and a final full stop, lower case first.
    std::string summary() const;
};

}  // namespace ovantis::docs
