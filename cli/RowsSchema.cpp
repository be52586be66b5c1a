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

// The texts read together: the command line's columns, then the file's.
constexpr std::size_t kFileSource = 1;

// Reads a whole file, without the byte-order mark some editors put first;
// or words why it cannot be read, naming the limit of a file too large.
bool readText(const std::string& path, std::size_t limit, std::string& text, RowsInput& input,
              Language language) {
    const auto reason = sys::readFile(path, limit, text);
    if (!reason) {
        if (text.starts_with("\xEF\xBB\xBF")) {
            text.erase(0, 3);
        }
        return true;
    }
    input.refused = *reason == sys::fileTooLarge()
                        ? texts::kFileTooLarge.fill(
                              language, {sys::printable(path), std::to_string(limit >> 20)})
                        : texts::kCannotRead.fill(
                              language, {sys::printable(path), sys::describe(*reason, language)});
    input.ioError = true;
    return false;
}

}  // namespace

std::string wordedSchema(const SchemaRefusal& refusal, const RowsInput& input, Language language) {
    const std::string reason = schemaReasonOf(refusal, worded(refusal.refusal, language), language);
    // A column's own refusals know only its number.
    const std::size_t source =
        refusal.column > 0 && static_cast<std::size_t>(refusal.column) <= input.sourceOf.size()
            ? input.sourceOf[static_cast<std::size_t>(refusal.column) - 1]
            : refusal.source;
    if (input.schemaFile.empty() || refusal.line == 0 || source != kFileSource) {
        return reason;
    }
    return texts::kRefused.fill(language, {sys::printable(input.schemaFile), reason});
}

RowsInput readRowsInput(const RowsSettings& settings, Language language) {
    RowsInput input;
    std::vector<std::string_view> texts{settings.schema};
    std::string file;
    if (!settings.schemaFile.empty()) {
        if (!readText(settings.schemaFile, kMostSchemaBytes, file, input, language)) {
            return input;
        }
        input.schemaFile = settings.schemaFile;
        texts.push_back(file);
    }
    if (!settings.words.empty()) {
        std::string text;
        if (!readText(settings.words, kMostWordsBytes, text, input, language)) {
            return input;
        }
        input.words.emplace();
        if (const Refusal r = WordList::read(std::move(text), *input.words)) {
            input.refused = texts::kRefused.fill(
                language, {sys::printable(settings.words), worded(r, language)});
            return input;
        }
    }
    if (const SchemaRefusal r =
            SchemaReader::read(texts, pageOptions(language), input.columns, input.sourceOf)) {
        input.refused = wordedSchema(r, input, language);
    }
    return input;
}

}  // namespace ovantis::cli
