// Writes the manual pages and shell completions of the programs into a
// folder, from the programs' own command lines:
//   ovantis-docs FOLDER CLI_PAGE_TEMPLATE [WINDOW_PAGE_TEMPLATE]
#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "AppDefinition.h"
#include "Command.h"
#include "Completions.h"
#include "ManPage.h"
#include "Version.h"
#ifdef OVANTIS_DOCS_WINDOW
#include "WindowOptions.h"
#endif

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return text.str();
}

void write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace ovantis::docs;
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: ovantis-docs FOLDER CLI_PAGE_TEMPLATE [WINDOW_PAGE_TEMPLATE]\n";
        return 2;
    }
    try {
        const std::string folder = std::string(argv[1]) + "/";
        const Command cli = Command::fromApp(*ovantis::cli::makeApp());
        write(folder + cli.name + ".1",
              ManPage::render(readAll(argv[2]), cli, ovantis::version::kText));
        write(folder + cli.name + ".bash", Completions::bash(cli));
        write(folder + "_" + cli.name, Completions::zsh(cli));
        write(folder + cli.name + ".fish", Completions::fish(cli));
        if (argc == 4) {
#ifdef OVANTIS_DOCS_WINDOW
            const Command window = Command::fromHelp(WindowOptions::helpText());
            write(folder + window.name + ".1",
                  ManPage::render(readAll(argv[3]), window, ovantis::version::kText));
#else
            throw std::runtime_error("built without the window");
#endif
        }
    } catch (const std::exception& e) {
        std::cerr << "ovantis-docs: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
