#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <set>
#include <sstream>

#include "CliApp.h"

namespace ovantis::cli {
namespace {

std::string capture(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t n; pipe != nullptr && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    if (pipe != nullptr) {
        ::pclose(pipe);
    }
    return output;
}

std::set<std::string> words(const std::string& text, const std::regex& pattern) {
    std::set<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
        found.insert((*it)[1]);
    }
    return found;
}

// Bash offers the subcommands, and for each of them every long option its help lists.
TEST(BashCompletion, OffersTheSubcommandsAndEveryOptionOfTheHelp) {
    const std::string script = std::string("source ") + OVANTIS_SOURCE_DIR +
                               "/res/completions/ovantis-cli.bash; COMP_WORDS=(ovantis-cli \"$0\" "
                               "--); COMP_CWORD=$1; _ovantis_cli; echo \"${COMPREPLY[@]}\"";
    const std::regex word("(\\S+)");
    const std::set<std::string> commands = {"string", "number", "time"};
    const std::set<std::string> top = words(capture("bash -c '" + script + "' '' 1"), word);
    EXPECT_TRUE(std::includes(top.begin(), top.end(), commands.begin(), commands.end()));
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        std::ostringstream help;
        std::ostringstream err;
        run({command, "--help"}, help, err);
        const std::set<std::string> listed = words(help.str(), std::regex("(--[a-z-]+)"));
        const std::set<std::string> offered =
            words(capture("bash -c '" + script + "' " + command + " 2"), word);
        for (const std::string& option : listed) {
            EXPECT_EQ(offered.count(option), 1u) << option;
        }
    }
}

}  // namespace
}  // namespace ovantis::cli
