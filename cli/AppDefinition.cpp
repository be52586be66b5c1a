#include "AppDefinition.h"

#include <span>
#include <string>

#include "CliTexts.h"
#include "HelpFormatter.h"
#include "NumberFields.h"
#include "PatternFields.h"
#include "RowsFields.h"
#include "StringFields.h"
#include "TimeFields.h"
#include "Version.h"

namespace ovantis::cli {
namespace {

const char* kStringExamples =
    "  ovantis-cli string -ULD --length 16 -n 3\n"
    "  ovantis-cli string -L --head user_ --tail @example.com -n 100 -o users.txt\n"
    "  ovantis-cli string --length 5..8 --seed 42\n";
const char* kNumberExamples =
    "  ovantis-cli number --integer --range 1..6 -n 10\n"
    "  ovantis-cli number --decimal --range -10..10 --places 4 --seed 42\n";
const char* kPatternExamples =
    "  ovantis-cli pattern '[A-Z]{4}-[A-Z]{4}-[A-Z]{4}' -n 3\n"
    "  ovantis-cli pattern 'user_[a-z]{3}[0-9]{2}' --unique -n 100 --seed 42\n"
    "  ovantis-cli pattern --info '[a-z]{5,8}@(example|test)\\.(com|org)'\n";
const char* kRowsExamples =
    "  ovantis-cli rows 'id row; name words 2; born date 1950-01-01..2005-12-31 --format %F' -n 5\n"
    "  ovantis-cli rows 'id uuid; status oneof --weights 6,3,1 paid shipped refunded' "
    "--format jsonl\n"
    "  ovantis-cli rows --schema users.schema --format sql --table users -n 1000000 -o users.sql\n"
    "  ovantis-cli rows --schema users.schema --seed 7 -n 1000000000 --shard 3/8 -o part3.csv\n";
const char* kTimeExamples =
    "  ovantis-cli time -n 3 --delay 0..1000\n"
    "  ovantis-cli time -n 3 --exec notify-send -- Ovantis event\n";

// The start-up value a field's help names, or nothing.
template <class Settings>
std::string defaultOf(const PageField<Settings>& f) {
    const Settings start;
    switch (f.kind) {
        case FieldKind::Whole:
            return std::to_string(start.*f.whole);
        case FieldKind::Number:
            return shortestText((start.*f.number).single());
        case FieldKind::WholeRange:
            return std::to_string(start.*f.whole) + ".." + std::to_string(start.*f.wholeHigh);
        case FieldKind::NumberRange:
            return shortestText((start.*f.number).single()) + ".." +
                   shortestText((start.*f.numberHigh).single());
        case FieldKind::Text:
            return start.*f.text;
        default:
            return {};
    }
}

CLI::Option* addValue(CLI::App& command, const std::string& names, const std::string& help,
                      const std::string& valueName) {
    // As in getopt tools, the last of a repeated option wins.
    return command.add_option(names)->description(help)->type_name(valueName)->multi_option_policy(
        CLI::MultiOptionPolicy::TakeLast);
}

// A flag takes no value: --upper=no is refused rather than read as --upper.
CLI::Option* addFlag(CLI::App& command, const std::string& names, const std::string& help) {
    return command.add_flag(names)->description(help)->disable_flag_override();
}

template <class Settings>
void addFields(CLI::App& command, std::span<const PageField<Settings>> fields, Language language) {
    for (const PageField<Settings>& f : fields) {
        if (!f.onCommandLine()) {
            continue;
        }
        if (f.kind == FieldKind::Check) {
            addFlag(command, f.names, f.help.in(language));
            continue;
        }
        const std::string start = defaultOf(f);
        addValue(command, f.names,
                 start.empty() ? f.help.in(language)
                               : texts::kWithDefault.fill(language, {f.help.in(language), start}),
                 f.valueName);
    }
}

void addCommon(CLI::App& command, Language language, bool unique, const Text& seedHelp) {
    if (unique) {
        addValue(command, "--max-memory",
                 texts::kWithDefault.fill(language, {texts::kMaxMemoryHelp.in(language),
                                                     std::to_string(kDefaultBudgetMiB)}),
                 "MIB");
    }
    CLI::Option* seed = addValue(command, "--seed", seedHelp.in(language), "S|now");
    addFlag(command, "--secure", texts::kSecureHelp.in(language))->excludes(seed);
    addValue(command, "-o,--output", texts::kOutputHelp.in(language), "FILE");
    addFlag(command, "--crlf", texts::kCrlfHelp.in(language));
    // Extras are reported by the parse, in the order given and with a suggestion.
    command.allow_extras();
}

template <class Settings>
void addCommand(CLI::App& app, const char* name, const Text& about,
                std::span<const PageField<Settings>> fields, const char* examples,
                Language language) {
    CLI::App* command = app.add_subcommand(name, about.in(language));
    command->group(texts::kCommandsHeading.in(language));
    command->option_defaults()->group(texts::kOptionsHeading.in(language));
    command->get_help_ptr()->group(texts::kOptionsHeading.in(language));
    addFields(*command, fields, language);
    addCommon(*command, language, !std::is_same_v<Settings, TimeSettings>,
              std::is_same_v<Settings, PatternSettings> ? texts::kPatternSeedHelp
              : std::is_same_v<Settings, RowsSettings>  ? texts::kRowsSeedHelp
                                                        : texts::kSeedHelp);
    command->footer(texts::kExamples.fill(language, {examples}));
}

}  // namespace

std::unique_ptr<CLI::App> makeApp(Language language) {
    auto app = std::make_unique<CLI::App>(
        texts::kAbout.fill(language, {version::kSummary.in(language)}), "ovantis-cli");
    auto formatter = std::make_shared<HelpFormatter>();
    for (const Text& label : texts::kHelpLabels) {
        formatter->label(label.english(), label.in(language));
    }
    app->formatter(formatter);
    // The heading of the options is the name of their group.
    app->option_defaults()->group(texts::kOptionsHeading.in(language));
    app->set_help_flag("-h,--help", texts::kHelpHelp.in(language));
    app->set_version_flag("--version", std::string("ovantis-cli ") + version::kText,
                          texts::kVersionHelp.in(language));
    app->require_subcommand(1, 1);
    app->allow_extras();
    app->footer(texts::kSources.in(language));
    addCommand<StringSettings>(*app, "string", texts::kStringAbout, kStringFields, kStringExamples,
                               language);
    addCommand<NumberSettings>(*app, "number", texts::kNumberAbout, kNumberFields, kNumberExamples,
                               language);
    addCommand<TimeSettings>(*app, "time", texts::kTimeAbout, kTimeFields, kTimeExamples, language);
    addCommand<PatternSettings>(*app, "pattern", texts::kPatternAbout, kPatternFields,
                                kPatternExamples, language);
    addCommand<RowsSettings>(*app, "rows", texts::kRowsAbout, kRowsFields, kRowsExamples, language);
    return app;
}

}  // namespace ovantis::cli
