#include "Command.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <sstream>
#include <stdexcept>

namespace ovantis::docs {
namespace {

Command::Option optionOf(const CLI::Option& option) {
    Command::Option result;
    for (const std::string& name : option.get_snames()) {
        result.names.push_back("-" + name);
    }
    for (const std::string& name : option.get_lnames()) {
        result.names.push_back("--" + name);
    }
    if (option.get_type_size() != 0) {
        result.value = option.get_type_name();
    }
    result.help = option.get_description();
    return result;
}

std::string trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \n") - first + 1);
}

}  // namespace

Command Command::fromApp(const CLI::App& app) {
    Command command;
    command.name = app.get_name();
    command.help = app.get_description();
    command.footer = app.get_footer();
    for (const CLI::Option* option : app.get_options()) {
        command.options.push_back(optionOf(*option));
    }
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
        command.commands.push_back(fromApp(*sub));
    }
    return command;
}

Command Command::fromHelp(const std::string& text) {
    Command command;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    if (line.rfind("Usage: ", 0) != 0) {
        throw std::runtime_error("help text without a usage line: " + line);
    }
    command.name = line.substr(7, line.find(' ', 7) - 7);
    enum { Summary, Options, Footer } part = Summary;
    while (std::getline(lines, line)) {
        if (line == "Options:") {
            part = Options;
        } else if (part == Options && line.rfind("  -", 0) == 0) {
            const std::size_t gap = line.find("  ", 2);
            std::istringstream words(line.substr(2, gap - 2));
            Option option;
            for (std::string word; words >> word;) {
                if (word.back() == ',') {
                    word.pop_back();
                }
                if (word[0] == '-') {
                    option.names.push_back(word);
                } else {
                    option.value = word;
                }
            }
            option.help = trim(line.substr(gap));
            command.options.push_back(option);
        } else if (part == Summary) {
            command.help += (command.help.empty() ? "" : "\n") + line;
        } else if (part == Options && line.empty() && !command.options.empty()) {
            part = Footer;
        } else if (part == Footer) {
            command.footer += line + '\n';
        }
    }
    command.help = trim(command.help);
    return command;
}

std::string Command::paragraph(const std::string& title) const {
    std::istringstream lines(footer);
    std::string found;
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) {
            if (inside) {
                break;
            }
        } else if (inside) {
            found += '\n' + line;
        } else if (line.rfind(title + ":", 0) == 0) {
            inside = true;
            found = trim(line.substr(title.size() + 1));
        }
    }
    if (!inside) {
        throw std::runtime_error(name + ": no '" + title + ":' paragraph in the help");
    }
    if (!found.empty() && found[0] != '\n') {
        found[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(found[0])));
    }
    return found;
}

std::string Command::summary() const {
    std::string text = help.substr(0, help.find('\n'));
    if (text.rfind("Ovantis: ", 0) == 0) {
        text.erase(0, 9);
    }
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    if (!text.empty()) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    }
    return text;
}

}  // namespace ovantis::docs
