#include "Completions.h"

#include <algorithm>

namespace ovantis::docs {
namespace {

enum class Kind { Flag, File, Program, Words, Text };

// The words a value may be written as, named in lower case beside its
// placeholder: "S|now" offers now.
std::vector<std::string> wordsOf(const std::string& value) {
    std::vector<std::string> words;
    for (std::size_t start = 0; start <= value.size();) {
        const std::size_t bar = std::min(value.find('|', start), value.size());
        const std::string part = value.substr(start, bar - start);
        if (!part.empty() &&
            std::all_of(part.begin(), part.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
            words.push_back(part);
        }
        start = bar + 1;
    }
    return words;
}

Kind kindOf(const Command::Option& option) {
    if (option.value.empty()) {
        return Kind::Flag;
    }
    return option.value == "FILE"           ? Kind::File
           : option.value == "PROGRAM"      ? Kind::Program
           : !wordsOf(option.value).empty() ? Kind::Words
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
            std::string argument = group + name;
            if (kindOf(option) != Kind::Flag) {
                argument += isLong ? "=" : "+";
            }
            argument += "[" + zshHelp(option.help) + "]";
            switch (kindOf(option)) {
                case Kind::Flag:
                    break;
                case Kind::File:
                    argument += ":" + option.value + ":_files";
                    break;
                case Kind::Program:
                    // The leading space keeps -e first: _arguments puts its
                    // own options after the command name otherwise.
                    argument += ":" + option.value + ": _command_names -e";
                    break;
                case Kind::Words:
                    argument += ":" + option.value + ":(" + join(wordsOf(option.value), " ") + ")";
                    break;
                case Kind::Text:
                    argument += ":" + option.value + ": ";
                    break;
            }
            out += indent + quoted(argument, false) + " \\\n";
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
            case Kind::Flag:
                break;
            case Kind::File:
                line += " -r -F";
                break;
            case Kind::Program:
                line += " -x -a '(__fish_complete_command)'";
                break;
            case Kind::Words:
                line += " -x -a " + quoted(join(wordsOf(option.value), " "), true);
                break;
            case Kind::Text:
                line += " -x";
                break;
        }
        out += line + " -d " + quoted(option.help, true) + '\n';
    }
    return out;
}

// The script with each @KEY@ replaced by its text.
std::string fill(std::string script,
                 const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [key, text] : values) {
        for (std::size_t at = 0; (at = script.find(key, at)) != std::string::npos;) {
            script.replace(at, key.size(), text);
            at += text.size();
        }
    }
    return script;
}

}  // namespace

std::string Completions::bash(const Command& command) {
    std::string kinds;
    std::string lists;
    for (const Command& sub : command.commands) {
        lists += "        " + sub.name +
                 ") options=" + quoted(join(names(sub.options), " "), false) + " ;;\n";
        for (const Command::Option& option : sub.options) {
            std::vector<std::string> patterns;
            for (const std::string& name : option.names) {
                patterns.push_back(sub.name + ":" + name);
            }
            const Kind kind = kindOf(option);
            if (kind != Kind::Flag) {
                kinds += "        " + join(patterns, "|") + ") kind=" +
                         (kind == Kind::File      ? "file"
                          : kind == Kind::Program ? "program"
                          : kind == Kind::Words
                              ? "words words=" + quoted(join(wordsOf(option.value), " "), false)
                              : "text") +
                         " ;;\n";
            }
        }
    }
    return fill(
        R"(# bash completion for @NAME@, made from its command line

# Adds the files and folders (with a trailing /) starting with $2, each as
# one word whatever it holds, after the prefix $1.
@FN@_files() {
    local word=${2//\\/} name
    [[ $word == [\'\"]* ]] && word=${word:1}
    local -a found
    mapfile -t found < <(compgen -f -- "$word")
    for name in "${found[@]}"; do
        [[ -d $name ]] && name+=/
        COMPREPLY+=("$1$name")
    done
    # Quoted by readline, and no space after a folder.
    compopt -o filenames 2>/dev/null
}

@FN@() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local command=${COMP_WORDS[1]} option=$prev prefix= kind= words= options i
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W '@TOP@' -- "$cur")
        return
    fi
    # After --, the arguments of the program --exec starts.
    for ((i = 2; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} == -- ]]; then
            @FN@_files "" "$cur"
            return
        fi
    done
    # --option=value: one word, or three where = breaks words.
    if [[ $cur == --*=* ]]; then
        option=${cur%%=*} prefix=${cur%%=*}= cur=${cur#*=}
    elif [[ $cur == = ]]; then
        option=$prev cur=
    elif [[ $prev == = ]] && ((COMP_CWORD > 2)); then
        option=${COMP_WORDS[COMP_CWORD-2]}
    fi
    case $command:$option in
@KINDS@    esac
    case $kind in
        file) @FN@_files "$prefix" "$cur"; return ;;
        program) mapfile -t COMPREPLY < <(compgen -c -- "$cur" | sort -u); return ;;
        words) mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur"); return ;;
        text) return ;;
    esac
    [[ -n $prefix || $cur == = || $prev == = ]] && return
    case $command in
@LISTS@        *) return ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
}
complete -F @FN@ @NAME@
)",
        {{"@NAME@", command.name},
         {"@FN@", function(command)},
         {"@TOP@", join(commandNames(command), " ") + " " + join(names(command.options), " ")},
         {"@KINDS@", kinds},
         {"@LISTS@", lists}});
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
    return fill(R"(#compdef @NAME@
# zsh completion for @NAME@, made from its command line

local curcontext=$curcontext state line ret=1
local -a subcommands
subcommands=(
@SUBCOMMANDS@)
_arguments -C \
@SPECS@  '1:command:->command' \
  '*::argument:->argument' && ret=0
case $state in
  command) _describe -t commands command subcommands && ret=0 ;;
  argument)
    curcontext=${curcontext%:*:*}:@NAME@-$words[1]:
    case $words[1] in
@CASES@    esac ;;
esac
return ret
)",
                {{"@NAME@", command.name},
                 {"@SUBCOMMANDS@", subcommands},
                 {"@SPECS@", zshSpecs(command.options, "  ")},
                 {"@CASES@", cases}});
}

std::string Completions::fish(const Command& command) {
    const std::string all = join(commandNames(command), " ");
    std::string out = "# fish completion for " + command.name +
                      ", made from its command line\n"
                      "complete -c " +
                      command.name + " -f\n";
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
