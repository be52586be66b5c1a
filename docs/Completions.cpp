#include "Completions.h"

#include <algorithm>

namespace ovantis::docs {
namespace {

enum class Kind { Flag, File, Program, Text };

Kind kindOf(const Command::Option& option) {
    if (option.value.empty()) {
        return Kind::Flag;
    }
    return option.value == "FILE" ? Kind::File
           : option.value == "PROGRAM" ? Kind::Program
                                       : Kind::Text;
}

std::string join(const std::vector<std::string>& words, const std::string& between) {
    std::string out;
    for (const std::string& word : words) {
        out += (out.empty() ? "" : between) + word;
    }
    return out;
}

// Inside single quotes of bash, zsh or fish.
std::string quoted(const std::string& text, bool backslashes) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'') {
            out += backslashes ? "\\'" : "'\\''";
        } else if (c == '\\' && backslashes) {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::vector<std::string> names(const std::vector<Command::Option>& options) {
    std::vector<std::string> out;
    for (const Command::Option& option : options) {
        out.insert(out.end(), option.names.begin(), option.names.end());
    }
    return out;
}

std::vector<std::string> commandNames(const Command& command) {
    std::vector<std::string> out;
    for (const Command& sub : command.commands) {
        out.push_back(sub.name);
    }
    return out;
}

std::string function(const Command& command) {
    std::string name = "_" + command.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

// The help with what zsh reads in a [description] escaped.
std::string zshHelp(const std::string& help) {
    std::string out;
    for (const char c : help) {
        if (c == '[' || c == ']' || c == '\\' || c == ':') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

std::string zshSpecs(const std::vector<Command::Option>& options, const std::string& indent) {
    std::string out;
    for (const Command::Option& option : options) {
        const std::string group = "(" + join(option.names, " ") + ")";
        for (const std::string& name : option.names) {
            const bool isLong = name.rfind("--", 0) == 0;
            std::string spec = group + name;
            if (kindOf(option) != Kind::Flag) {
                spec += isLong ? "=" : "+";
            }
            spec += "[" + zshHelp(option.help) + "]";
            switch (kindOf(option)) {
                case Kind::Flag: break;
                case Kind::File: spec += ":" + option.value + ":_files"; break;
                case Kind::Program: spec += ":" + option.value + ":_command_names -e"; break;
                case Kind::Text: spec += ":" + option.value + ": "; break;
            }
            out += indent + quoted(spec, false) + " \\\n";
        }
    }
    return out;
}

std::string fishLines(const std::string& condition, const std::vector<Command::Option>& options,
                      const std::string& program) {
    std::string out;
    for (const Command::Option& option : options) {
        std::string line = "complete -c " + program + " -n " + quoted(condition, true);
        for (const std::string& name : option.names) {
            line += name.rfind("--", 0) == 0 ? " -l " + name.substr(2) : " -s " + name.substr(1);
        }
        switch (kindOf(option)) {
            case Kind::Flag: break;
            case Kind::File: line += " -r -F"; break;
            case Kind::Program: line += " -x -a '(__fish_complete_command)'"; break;
            case Kind::Text: line += " -x"; break;
        }
        out += line + " -d " + quoted(option.help, true) + '\n';
    }
    return out;
}

}  // namespace

std::string Completions::bash(const Command& command) {
    const std::string fn = function(command);
    std::string kinds;
    std::string lists;
    for (const Command& sub : command.commands) {
        lists += "        " + sub.name + ") options=" + quoted(join(names(sub.options), " "), false) +
                 " ;;\n";
        for (const Command::Option& option : sub.options) {
            if (kindOf(option) == Kind::Flag) {
                continue;
            }
            std::vector<std::string> patterns;
            for (const std::string& name : option.names) {
                patterns.push_back(sub.name + ":" + name);
            }
            kinds += "        " + join(patterns, "|") + ") kind=" +
                     (kindOf(option) == Kind::File      ? "file"
                      : kindOf(option) == Kind::Program ? "program"
                                                        : "text") +
                     " ;;\n";
        }
    }
    return "# bash completion for " + command.name + ", made from its command line\n"
           "\n"
           "# Adds the files and folders (with a trailing /) starting with $2, each as\n"
           "# one word whatever it holds, after the prefix $1.\n" +
           fn + "_files() {\n"
           "    local word=${2//\\\\/} name\n"
           "    [[ $word == [\\'\\\"]* ]] && word=${word:1}\n"
           "    local -a found\n"
           "    mapfile -t found < <(compgen -f -- \"$word\")\n"
           "    for name in \"${found[@]}\"; do\n"
           "        [[ -d $name ]] && name+=/\n"
           "        COMPREPLY+=(\"$1$name\")\n"
           "    done\n"
           "    # Quoted by readline, and no space after a folder.\n"
           "    compopt -o filenames 2>/dev/null\n"
           "}\n"
           "\n" +
           fn + "() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    local command=${COMP_WORDS[1]} option=$prev prefix= kind= options i\n"
           "    COMPREPLY=()\n"
           "    if ((COMP_CWORD == 1)); then\n"
           "        mapfile -t COMPREPLY < <(compgen -W " +
           quoted(join(commandNames(command), " ") + " " + join(names(command.options), " "),
                  false) +
           " -- \"$cur\")\n"
           "        return\n"
           "    fi\n"
           "    # After --, the arguments of the program --exec starts.\n"
           "    for ((i = 2; i < COMP_CWORD; i++)); do\n"
           "        if [[ ${COMP_WORDS[i]} == -- ]]; then\n"
           "            " + fn + "_files \"\" \"$cur\"\n"
           "            return\n"
           "        fi\n"
           "    done\n"
           "    # --option=value: one word, or three where = breaks words.\n"
           "    if [[ $cur == --*=* ]]; then\n"
           "        option=${cur%%=*} prefix=${cur%%=*}= cur=${cur#*=}\n"
           "    elif [[ $cur == = ]]; then\n"
           "        option=$prev cur=\n"
           "    elif [[ $prev == = ]] && ((COMP_CWORD > 2)); then\n"
           "        option=${COMP_WORDS[COMP_CWORD-2]}\n"
           "    fi\n"
           "    case $command:$option in\n" +
           kinds +
           "    esac\n"
           "    case $kind in\n"
           "        file) " + fn + "_files \"$prefix\" \"$cur\"; return ;;\n"
           "        program) mapfile -t COMPREPLY < <(compgen -c -- \"$cur\" | sort -u); return ;;\n"
           "        text) return ;;\n"
           "    esac\n"
           "    [[ -n $prefix || $cur == = || $prev == = ]] && return\n"

           "    case $command in\n" +
           lists +
           "        *) return ;;\n"
           "    esac\n"
           "    mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")\n"
           "}\n"
           "complete -F " + fn + " " + command.name + "\n";
}

std::string Completions::zsh(const Command& command) {
    std::string subcommands;
    for (const Command& sub : command.commands) {
        subcommands += "  " + quoted(sub.name + ":" + zshHelp(sub.help), false) + "\n";
    }
    std::string cases;
    for (const Command& sub : command.commands) {
        cases += "      " + sub.name + ")\n        _arguments -s \\\n" +
                 zshSpecs(sub.options, "          ") + "          && ret=0 ;;\n";
    }
    return "#compdef " + command.name + "\n"
           "# zsh completion for " + command.name + ", made from its command line\n"
           "\n"
           "local curcontext=$curcontext state line ret=1\n"
           "local -a subcommands\n"
           "subcommands=(\n" +
           subcommands +
           ")\n"
           "_arguments -C \\\n" +
           zshSpecs(command.options, "  ") +
           "  '1:command:->command' \\\n"
           "  '*::argument:->argument' && ret=0\n"
           "case $state in\n"
           "  command) _describe -t commands command subcommands && ret=0 ;;\n"
           "  argument)\n"
           "    curcontext=${curcontext%:*:*}:" + command.name + "-$words[1]:\n"
           "    case $words[1] in\n" +
           cases +
           "    esac ;;\n"
           "esac\n"
           "return ret\n";
}

std::string Completions::fish(const Command& command) {
    const std::string all = join(commandNames(command), " ");
    std::string out = "# fish completion for " + command.name + ", made from its command line\n"
                      "complete -c " + command.name + " -f\n";
    const std::string none = "not __fish_seen_subcommand_from " + all;
    for (const Command& sub : command.commands) {
        out += "complete -c " + command.name + " -n " + quoted(none, true) + " -a " + sub.name +
               " -d " + quoted(sub.help, true) + '\n';
    }
    out += fishLines(none, command.options, command.name);
    for (const Command& sub : command.commands) {
        out += fishLines("__fish_seen_subcommand_from " + sub.name, sub.options, command.name);
    }
    return out;
}

}  // namespace ovantis::docs
