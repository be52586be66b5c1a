#include "ManPage.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace ovantis::docs {
namespace {

bool isHelp(const Command::Option& option) {
    return std::find(option.names.begin(), option.names.end(), "--help") != option.names.end();
}

// Options every subcommand has alike, said once on the page.
bool common(const Command& command, const Command::Option& option) {
    return !command.commands.empty() &&
           std::all_of(command.commands.begin(), command.commands.end(), [&](const Command& sub) {
               return std::find(sub.options.begin(), sub.options.end(), option) !=
                      sub.options.end();
           });
}

std::string optionItem(const Command::Option& option) {
    std::string names;
    for (const std::string& name : option.names) {
        names += (names.empty() ? "\\fB" : ", \\fB") + ManPage::escape(name) + "\\fR";
    }
    if (!option.value.empty()) {
        names += " \\fI" + ManPage::escape(option.value) + "\\fR";
    }
    return ".TP\n" + names + '\n' + ManPage::escape(option.help) + '\n';
}

// One command's line; help is left out where there is more to say.
std::string synopsisLine(const std::string& name, const std::vector<Command::Option>& options,
                         bool withHelp) {
    std::string out = ".SY \"" + ManPage::escape(name) + "\"\n";
    for (const Command::Option& option : options) {
        if (withHelp || !isHelp(option)) {
            out += ".OP " + ManPage::escape(option.names.front()) +
                   (option.value.empty() ? "" : " \"" + ManPage::escape(option.value) + '"') + '\n';
        }
    }
    return out + ".YS\n";
}

std::string synopsis(const Command& command) {
    std::string out;
    for (const Command& sub : command.commands) {
        out += synopsisLine(command.name + ' ' + sub.name, sub.options, false);
    }
    return out + synopsisLine(command.name, command.options, true);
}

std::string commands(const Command& command) {
    std::string out;
    for (const Command& sub : command.commands) {
        out += ".TP\n.B " + ManPage::escape(sub.name) + '\n' + ManPage::escape(sub.help) + '\n';
    }
    return out;
}

std::string options(const Command& command) {
    std::string out;
    for (const Command::Option& option : command.options) {
        if (!common(command, option)) {
            out += optionItem(option);
        }
    }
    if (!command.commands.empty()) {
        out += ".SS \"Every command\"\n";
        for (const Command::Option& option : command.commands.front().options) {
            if (common(command, option)) {
                out += optionItem(option);
            }
        }
    }
    for (const Command& sub : command.commands) {
        out += ".SS " + ManPage::escape(sub.name) + '\n';
        for (const Command::Option& option : sub.options) {
            if (!common(command, option)) {
                out += optionItem(option);
            }
        }
    }
    return out;
}

// Paragraphs as filled text, a blank line between them.
std::string text(const std::string& paragraphs) {
    std::istringstream lines(paragraphs);
    std::string out;
    bool gap = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) {
            gap = !out.empty();
            continue;
        }
        out += (gap ? ".PP\n" : "") + ManPage::escape(line) + '\n';
        gap = false;
    }
    return out;
}

std::string examples(const Command& command) {
    std::string out;
    for (const Command& sub : command.commands) {
        out += out.empty() ? ".RS\n.EX\n" : "\n";
        std::istringstream lines(sub.paragraph("Examples"));
        for (std::string line; std::getline(lines, line);) {
            const std::size_t start = line.find_first_not_of(' ');
            if (start != std::string::npos) {
                out += ManPage::escape(line.substr(start)) + '\n';
            }
        }
    }
    return out.empty() ? out : out + ".EE\n.RE\n";
}

std::string part(const std::string& line, const Command& command) {
    if (line == "@NAME@") {
        return ManPage::escape(command.name) + " \\- " + ManPage::escape(command.summary()) + '\n';
    }
    if (line == "@SYNOPSIS@") {
        return synopsis(command);
    }
    if (line == "@COMMANDS@") {
        return commands(command);
    }
    if (line == "@OPTIONS@") {
        // Ragged right: justifying a help that ends in a long run of symbols
        // (-S's) stretches its other words apart.
        return ".ad l\n" + options(command) + ".ad\n";
    }
    if (line == "@FOOTER@") {
        return text(command.footer);
    }
    if (line == "@EXAMPLES@") {
        return examples(command);
    }
    const std::string paragraph = "@PARAGRAPH ";
    if (line.rfind(paragraph, 0) == 0 && line.back() == '@') {
        return text(
            command.paragraph(line.substr(paragraph.size(), line.size() - paragraph.size() - 1)));
    }
    if (line.size() > 1 && line.front() == '@' && line.back() == '@') {
        throw std::runtime_error("unknown part of a manual page: " + line);
    }
    return line + '\n';
}

}  // namespace

std::string ManPage::escape(const std::string& text) {
    std::string out = text.empty() || (text[0] != '.' && text[0] != '\'') ? "" : "\\&";
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\e";
                break;
            case '-':
                out += "\\-";
                break;
            case '\'':
                out += "\\(aq";
                break;
            case '`':
                out += "\\(ga";
                break;
            case '^':
                out += "\\(ha";
                break;
            case '~':
                out += "\\(ti";
                break;
            case '"':
                out += "\\(dq";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string ManPage::render(const std::string& pageTemplate, const Command& command,
                            const std::string& version) {
    std::istringstream lines(pageTemplate);
    std::string out;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(".\\\"", 0) == 0) {
            continue;  // the template's own notes
        }
        for (std::size_t at; (at = line.find("@VERSION@")) != std::string::npos;) {
            line.replace(at, 9, version);
        }
        out += part(line, command);
    }
    return out;
}

}  // namespace ovantis::docs
