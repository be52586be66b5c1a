#include "RowsSchema.h"

#include <algorithm>

#include "CliTexts.h"
#include "InputFile.h"
#include "Printable.h"
#include "ReasonText.h"
#include "RefusalReasons.h"
#include "Refusals.h"
#include "RowsFields.h"

namespace ovantis::cli {
namespace {

constexpr std::size_t kMostSchemaBytes = std::size_t{1} << 20;
constexpr std::size_t kMostWordsBytes = std::size_t{256} << 20;

// Options of a run as a whole, which a column cannot take.
bool runOption(const std::string& word) {
    constexpr std::string_view kNames[] = {"-n",     "--count",  "-o",     "--output",
                                           "--seed", "--secure", "--crlf", "--max-memory",
                                           "--info", "-h",       "--help", "--version"};
    return std::any_of(std::begin(kNames), std::end(kNames), [&](std::string_view name) {
        return word == name || (word.starts_with(name) && word.size() > name.size() &&
                                (word[name.size()] == '=' || name.size() == 2));
    });
}

}  // namespace

SchemaReader::PageOptions pageOptions(Language language) {
    return [language](ColumnSettings& column, const std::vector<std::string>& words) -> Refusal {
        const auto inColumn = std::find_if(words.begin(), words.end(), runOption);
        if (inColumn != words.end()) {
            return {.kind = Refusal::Kind::PageOptions,
                    .values = {texts::kInColumnOnly.fill(language, {*inColumn})}};
        }
        std::vector<std::string> args{SchemaReader::kKinds[static_cast<int>(column.kind)]};
        args.insert(args.end(), words.begin(), words.end());
        const ParseOutcome outcome = parseRequest(args, language);
        if (outcome.kind != ParseOutcome::Kind::Run) {
            // The first line: the hint to run --help belongs to a whole command.
            return {.kind = Refusal::Kind::PageOptions,
                    .values = {outcome.text.substr(0, outcome.text.find('\n'))}};
        }
        column.string = outcome.request.string;
        column.number = outcome.request.number;
        column.pattern = outcome.request.pattern;
        return {};
    };
}

namespace {

std::string fileRefused(const std::string& path, const SystemReason& reason, Language language) {
    return texts::kCannotRead.fill(language,
                                   {sys::printable(path), sys::describe(reason, language)});
}

}  // namespace

std::string wordedSchema(const SchemaRefusal& refusal, Language language) {
    return schemaReasonOf(refusal, worded(refusal.refusal, language), language);
}

RowsInput readRowsInput(const RowsSettings& settings, Language language) {
    RowsInput input;
    std::string schema = settings.schema;
    if (!settings.schemaFile.empty()) {
        std::string text;
        if (const auto reason = sys::readFile(settings.schemaFile, kMostSchemaBytes, text)) {
            input.refused = fileRefused(settings.schemaFile, *reason, language);
            input.ioError = true;
            return input;
        }
        schema += schema.empty() ? "" : "\n";
        schema += text;
    }
    if (!settings.words.empty()) {
        std::string text;
        if (const auto reason = sys::readFile(settings.words, kMostWordsBytes, text)) {
            input.refused = fileRefused(settings.words, *reason, language);
            input.ioError = true;
            return input;
        }
        input.words.emplace();
        if (const Refusal r = WordList::read(text, *input.words)) {
            input.refused = sys::printable(settings.words) + ": " + worded(r, language);
            return input;
        }
    }
    if (const SchemaRefusal r = SchemaReader::read(schema, pageOptions(language), input.columns)) {
        input.refused = wordedSchema(r, language);
    }
    return input;
}

}  // namespace ovantis::cli
