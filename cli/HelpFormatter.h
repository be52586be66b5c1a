#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace ovantis::cli {

// Help in two aligned columns that wrap within 80 characters, without CLI11's
// "Excludes:" notes in the name column.
class HelpFormatter : public CLI::Formatter {
  public:
    HelpFormatter();
    std::string make_option(const CLI::Option* option, bool isPositional) const override;
    std::string make_subcommand(const CLI::App* command) const override;

    // The row of one name and its wrapped description.
    static std::string row(const std::string& name, const std::string& description);
};

}  // namespace ovantis::cli
