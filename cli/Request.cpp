#include "Request.h"

#include <algorithm>
#include <span>

#include "AppDefinition.h"
#include "ArgParse.h"
#include "CliTexts.h"
#include "Diagnostics.h"
#include "NumberFields.h"
#include "PatternFields.h"
#include "Printable.h"
#include "RowsFields.h"
#include "StringFields.h"
#include "TimeFields.h"

namespace ovantis::cli {
namespace {

// The long name among CLI11's names ("-n,--count" gives "--count").
std::string longName(const char* names) {
    const std::string all(names);
    return all.substr(all.rfind(',') + 1);
}

const CLI::Option* given(const CLI::App& command, const std::string& name) {
    const CLI::Option* option = command.get_option_no_throw(name);
    return option != nullptr && option->count() > 0 ? option : nullptr;
}

// The last value of an option given, or nullptr.
const std::string* valueOf(const CLI::App& command, const std::string& name) {
    const CLI::Option* option = given(command, name);
    return option != nullptr && !option->results().empty() ? &option->results().back() : nullptr;
}

// The range a value name shows: "N|MIN..MAX" gives MIN..MAX.
std::string rangeForm(const char* valueName) {
    const std::string name(valueName);
    return name.substr(name.rfind('|') + 1);
}

// "LOW..HIGH" with both ends, or one value for both when allowed.
std::pair<std::string, std::string> splitRange(const std::string& option, const std::string& text,
                                               bool single, const std::string& form) {
    const std::size_t dots = text.find("..");
    if (dots == std::string::npos) {
        if (!single) {
            throw UsageError(texts::kNotRange, {option, quoted(text), form});
        }
        return {text, text};
    }
    if (dots == 0 || dots + 2 == text.size()) {
        throw UsageError(texts::kRangeEnds, {option, form, quoted(text)});
    }
    return {text.substr(0, dots), text.substr(dots + 2)};
}

// The names of the rows that set a range's two ends one by one.
template <class Settings>
std::pair<std::string, std::string> pairNames(std::span<const PageField<Settings>> fields,
                                              const PageField<Settings>& range) {
    std::string low, high;
    for (const PageField<Settings>& f : fields) {
        if (&f == &range || !f.onCommandLine()) {
            continue;
        }
        const bool whole = f.kind == FieldKind::Whole;
        if (whole ? f.whole == range.whole : f.number != nullptr && f.number == range.number) {
            low = longName(f.names);
        }
        if (whole ? f.whole == range.wholeHigh
                  : f.number != nullptr && f.number == range.numberHigh) {
            high = longName(f.names);
        }
    }
    return {low, high};
}

// The name the user typed for a row's option, the last one given counting:
// "-n" for "-n 5" or "-n5", "--count" for "--count=5".
std::string typedName(const std::vector<std::string>& args, const char* names) {
    const std::string all(names);
    std::vector<std::string> spellings;
    for (std::size_t start = 0; start <= all.size();) {
        const std::size_t comma = std::min(all.find(',', start), all.size());
        spellings.push_back(all.substr(start, comma - start));
        start = comma + 1;
    }
    for (auto arg = args.rbegin(); arg != args.rend(); ++arg) {
        for (const std::string& name : spellings) {
            const bool isShort = name.size() == 2;
            if (arg->rfind(name, 0) == 0 &&
                (arg->size() == name.size() || isShort || (*arg)[name.size()] == '=')) {
                return name;
            }
        }
    }
    return spellings.back();
}

// The names a range's ends take when given as one option: "--length MIN"
// and "--length MAX", or "--length" for one value as both.
std::pair<std::string, std::string> endNames(const std::string& name, const std::string& form,
                                             bool one) {
    if (one) {
        return {name, name};
    }
    const std::size_t dots = form.find("..");
    return {name + ' ' + form.substr(0, dots), name + ' ' + form.substr(dots + 2)};
}

template <class Settings>
void readRange(const CLI::App& command, std::span<const PageField<Settings>> fields,
               const PageField<Settings>& f, const std::string& name, const std::string& value,
               Settings& s, ShownNames& shown) {
    const auto [lowName, highName] = pairNames(fields, f);
    if (given(command, lowName) != nullptr || given(command, highName) != nullptr) {
        throw UsageError(texts::kRangeAndPair, {name, lowName, highName});
    }
    const std::string form = rangeForm(f.valueName);
    const auto [low, high] = splitRange(name, value, f.single, form);
    const auto [lowShown, highShown] = endNames(name, form, value.find("..") == std::string::npos);
    shown.emplace_back(lowName, lowShown);
    shown.emplace_back(highName, highShown);
    if (f.kind == FieldKind::WholeRange) {
        try {
            s.*f.whole = parseWhole(name, low);
            s.*f.wholeHigh = parseWhole(name, high);
        } catch (const UsageError& e) {
            // One value that is not a number may be a range mistyped (5-8).
            if (e.is(texts::kNotWhole) && value.find("..") == std::string::npos) {
                throw UsageError(texts::kNotWholeOrRange, {name, quoted(value), form});
            }
            throw;
        }
    } else {
        s.*f.number = parseDecimal(name, low);
        s.*f.numberHigh = parseDecimal(name, high);
    }
}

// Whether member is one of the page's choices.
template <class Settings>
bool isChoice(std::span<const PageField<Settings>> fields, bool Settings::*member) {
    return std::any_of(fields.begin(), fields.end(),
                       [&](const auto& f) { return f.selects && f.check == member; });
}

// The page's settings: its start-up values changed by the options given.
// Options are named to refusals as args typed them.
template <class Settings>
Settings readSettings(const CLI::App& command, std::span<const PageField<Settings>> fields,
                      const std::vector<std::string>& args, ShownNames& shown) {
    Settings s;
    const auto givenRow = [&](const PageField<Settings>& f) {
        return f.onCommandLine() && f.names != nullptr &&
               given(command, longName(f.names)) != nullptr;
    };
    const bool chosen = std::any_of(fields.begin(), fields.end(),
                                    [&](const auto& f) { return f.selects && givenRow(f); });
    // An option that implies a choice makes it when none is given.
    const bool implied = !chosen && std::any_of(fields.begin(), fields.end(), [&](const auto& f) {
        return f.turnsOn != nullptr && isChoice(fields, f.turnsOn) && givenRow(f);
    });
    for (const PageField<Settings>& f : fields) {
        if (!f.onCommandLine()) {
            continue;
        }
        const std::string longForm = longName(f.names);
        if (f.kind == FieldKind::Check) {
            // Choices given replace the page's; other flags add to it.
            s.*f.check = given(command, longForm) != nullptr ||
                         ((!f.selects || !(chosen || implied)) && s.*f.check);
            continue;
        }
        const std::string* value = valueOf(command, longForm);
        if (value == nullptr) {
            continue;
        }
        const std::string name = typedName(args, f.names);
        if (name != longForm) {
            shown.emplace_back(longForm, name);
        }
        if (f.turnsOn != nullptr && !(chosen && isChoice(fields, f.turnsOn))) {
            s.*f.turnsOn = true;
        }
        if (f.kind == FieldKind::Whole) {
            s.*f.whole =
                parseWhole(name, *value,
                           f.whole == &Settings::count ? texts::kCountOutside : texts::kOutsideInt);
        } else if (f.kind == FieldKind::Number) {
            s.*f.number = parseDecimal(name, *value);
        } else if (f.kind == FieldKind::Text) {
            s.*f.text = *value;
        } else {
            readRange(command, fields, f, name, *value, s, shown);
        }
    }
    return s;
}

void readCommon(const CLI::App& command, const std::vector<std::string>& args, Request& r) {
    if (const std::string* seed = valueOf(command, "--seed")) {
        const std::optional<std::uint32_t> value = parseSeed(*seed);
        r.source = value ? Source::Seeded : Source::CurrentSecond;
        r.seed = value.value_or(0);
    }
    if (const std::string* output = valueOf(command, "--output")) {
        if (output->empty()) {
            throw UsageError(texts::kNeedFileName, {typedName(args, "-o,--output")});
        }
        r.output = *output;
    }
    r.crlf = given(command, "--crlf") != nullptr;
    std::int32_t mebibytes = kDefaultBudgetMiB;
    if (const std::string* budget = valueOf(command, "--max-memory")) {
        mebibytes = parseWhole("--max-memory", *budget);
    }
    if (mebibytes < 1) {
        throw UsageError(texts::kMemoryTooLow, {std::to_string(mebibytes)});
    }
    r.memoryBudget = static_cast<std::uint64_t>(mebibytes) << 20;
}

std::vector<std::string> optionNames(const CLI::App& command) {
    std::vector<std::string> names;
    for (const CLI::Option* option : command.get_options()) {
        for (const std::string& name : option->get_lnames()) {
            names.push_back("--" + name);
        }
    }
    return names;
}

// An unknown name, with the nearest known one when there is one.
UsageError unknown(const Text& what, const std::string& typed,
                   const std::vector<std::string>& names, Language language) {
    const std::string quoted = "'" + sys::printable(typed) + "'";
    const std::string suggestion = closest(typed, names);
    if (suggestion.empty()) {
        return UsageError(what, {quoted});
    }
    return UsageError(texts::kDidYouMean, {what.fill(language, {quoted}), "'" + suggestion + "'"});
}

// Arguments CLI11 left over: a mistyped option or words nobody takes.
// The pattern command takes its template as its one operand.
bool hasOperand(const CLI::App& command) {
    return command.get_name() == "pattern" && given(command, "--pattern") == nullptr &&
           !command.remaining().empty() && command.remaining().front().rfind('-', 0) != 0;
}

// The rows command takes its columns as operands, any number of them.
std::vector<std::string> rowsOperands(const CLI::App& command) {
    std::vector<std::string> operands;
    for (const std::string& arg : command.remaining()) {
        if (arg.rfind('-', 0) == 0) {
            break;
        }
        operands.push_back(arg);
    }
    return operands;
}

void refuseExtras(const CLI::App& command, Language language) {
    const std::size_t skipped = command.get_name() == "rows" ? rowsOperands(command).size()
                                : hasOperand(command)        ? 1
                                                             : 0;
    const std::vector<std::string> rest = command.remaining();
    if (rest.size() == skipped) {
        return;
    }
    const std::string first = rest[skipped];
    if (first.size() > 1 && first[0] == '-') {
        throw unknown(texts::kUnknownOption, first, optionNames(command), language);
    }
    std::string extras;
    for (std::size_t i = skipped; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        if (!extras.empty()) {
            extras += ' ';
        }
        extras += sys::printable(arg);
    }
    throw UsageError(texts::kNotExpected, {extras});
}

// CLI11's own refusals, in our words. Its wording is never read: the option
// at fault is found in the arguments, a flag given a value or an option left
// without one.
std::string reworded(const CLI::ParseError& e, const CLI::App* command,
                     const std::vector<std::string>& args, Language language) {
    if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr && command == nullptr) {
        return texts::kNeedCommand.in(language);
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&e) != nullptr) {
        return texts::kExcludes.fill(language, {"--secure", "--seed"});
    }
    const auto end = std::find(args.begin(), args.end(), "--");
    const auto optionOf = [command](const std::string& arg) -> const CLI::Option* {
        const std::string name = arg.substr(0, arg.find('='));
        return command != nullptr && name.size() > 1 && name[0] == '-'
                   ? command->get_option_no_throw(name)
                   : nullptr;
    };
    for (auto arg = args.begin(); arg != end; ++arg) {
        const CLI::Option* option = optionOf(*arg);
        if (option == nullptr) {
            continue;
        }
        // Named as typed: -n, or --count.
        const std::string shown = arg->substr(0, arg->find('='));
        const bool valued = arg->find('=') != std::string::npos;
        // Every flag refuses a value; see AppDefinition.
        if (option->get_disable_flag_override() && valued) {
            return texts::kNoValueTaken.fill(language, {shown});
        }
        if (option->get_type_size_min() > 0 && !valued &&
            (arg + 1 == end || optionOf(arg[1]) != nullptr)) {
            return texts::kNeedValue.fill(language, {shown});
        }
    }
    std::string line;
    for (const std::string& arg : args) {
        line += (line.empty() ? "" : " ") + sys::printable(arg);
    }
    return texts::kBadCommandLine.fill(language, {line});
}

const CLI::App* chosenCommand(const CLI::App& app) {
    const auto chosen = app.get_subcommands();
    return chosen.empty() ? nullptr : chosen.front();
}

Request readRequest(const CLI::App& app, const std::vector<std::string>& args,
                    std::vector<std::string> execArgs) {
    const CLI::App& command = *chosenCommand(app);
    Request r;
    r.execArgs = std::move(execArgs);
    readCommon(command, args, r);
    if (command.get_name() == "string") {
        r.command = Command::String;
        r.string = readSettings<StringSettings>(command, kStringFields, args, r.shown);
    } else if (command.get_name() == "number") {
        r.command = Command::Number;
        r.number = readSettings<NumberSettings>(command, kNumberFields, args, r.shown);
    } else if (command.get_name() == "pattern") {
        r.command = Command::Pattern;
        r.pattern = readSettings<PatternSettings>(command, kPatternFields, args, r.shown);
        if (hasOperand(command)) {
            r.pattern.pattern = command.remaining().front();
        } else if (given(command, "--pattern") == nullptr && r.execArgs.size() == 1) {
            // A template starting with '-' follows "--".
            r.pattern.pattern = r.execArgs.front();
            r.execArgs.clear();
        }
    } else if (command.get_name() == "rows") {
        r.command = Command::Rows;
        r.rows = readSettings<RowsSettings>(command, kRowsFields, args, r.shown);
        // Columns given any way replace the start-up ones.
        if (given(command, "--columns") == nullptr &&
            (!rowsOperands(command).empty() || given(command, "--schema") != nullptr)) {
            r.rows.schema.clear();
        }
        for (const std::string& operand : rowsOperands(command)) {
            r.rows.schema += r.rows.schema.empty() ? "" : "\n";
            r.rows.schema += operand;
        }
    } else {
        r.command = Command::Time;
        r.time = readSettings<TimeSettings>(command, kTimeFields, args, r.shown);
    }
    if (!r.execArgs.empty() && !r.time.runExternal) {
        throw UsageError(texts::kArgsNeedExec, {});
    }
    return r;
}

}  // namespace

ParseOutcome parseRequest(const std::vector<std::string>& args, Language language) {
    const std::unique_ptr<CLI::App> app = makeApp(language);
    const std::vector<std::string> commands = {"string", "number", "time", "pattern", "rows"};
    ParseOutcome outcome;
    try {
        // What follows "--" belongs to the program --exec starts.
        const auto separator = std::find(args.begin(), args.end(), "--");
        std::vector<std::string> execArgs(separator == args.end() ? separator : separator + 1,
                                          args.end());
        // The argv form keeps unexpected arguments in the order given.
        std::vector<const char*> argv{"ovantis-cli"};
        for (auto arg = args.begin(); arg != separator; ++arg) {
            argv.push_back(arg->c_str());
        }
        if (!args.empty() && !args[0].empty() && args[0][0] != '-' &&
            std::find(commands.begin(), commands.end(), args[0]) == commands.end()) {
            throw unknown(texts::kUnknownCommand, args[0], commands, language);
        }
        app->parse(static_cast<int>(argv.size()), argv.data());
        refuseExtras(*app, language);
        refuseExtras(*chosenCommand(*app), language);
        outcome.request = readRequest(*app, {args.begin(), separator}, std::move(execArgs));
        return outcome;
    } catch (const CLI::CallForHelp&) {
        return {ParseOutcome::Kind::Print, {}, app->help()};
    } catch (const CLI::CallForVersion& e) {
        return {ParseOutcome::Kind::Print, {}, std::string(e.what()) + '\n'};
    } catch (const CLI::ParseError& e) {
        outcome.text = reworded(e, chosenCommand(*app), args, language);
    } catch (const UsageError& e) {
        outcome.text = e.in(language);
    }
    const CLI::App* command = chosenCommand(*app);
    outcome.kind = ParseOutcome::Kind::UsageError;
    outcome.text +=
        '\n' + texts::kTryHelp.fill(
                   language, {command != nullptr ? " " + command->get_name() : std::string()});
    return outcome;
}

}  // namespace ovantis::cli
