#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Language.h"
#include "Request.h"
#include "SchemaReader.h"
#include "WordList.h"

namespace ovantis::cli {

// A rows run's columns and words as read from its options and files: a
// refusal worded in the run's language, or the columns. ioError tells a file
// that could not be read (exit 1) from a schema refused (exit 2).
struct RowsInput {
    std::vector<ColumnSettings> columns;
    std::optional<WordList> words;
    std::string refused;
    bool ioError = false;
    // The --schema file, and which text each column came from: the command
    // line's (0) or the file's (1).
    std::string schemaFile{};
    std::vector<std::size_t> sourceOf{};
};

// The words of string, number and pattern columns, read as those commands
// read their options.
SchemaReader::PageOptions pageOptions(Language language);

RowsInput readRowsInput(const RowsSettings& settings, Language language);

// A schema refusal in the run's language, with the column and place it
// points at, and the file when the place is in the --schema file.
std::string wordedSchema(const SchemaRefusal& refusal, const RowsInput& input, Language language);

}  // namespace ovantis::cli
