#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <memory>

#include "HashMemory.h"
#include "Language.h"

namespace ovantis::cli {

// The whole command line of ovantis-cli, built from the pages' descriptions:
// its three subcommands, every option with its value name, default and help,
// in one language. Building or parsing it runs nothing, so tools that make
// the manuals and completions can walk it as it is.
std::unique_ptr<CLI::App> makeApp(Language language = Language::English);

// The budget for --unique in MiB without --max-memory.
inline constexpr std::int32_t kDefaultBudgetMiB = hashMemory::kDefaultBudgetMiB;

}  // namespace ovantis::cli
