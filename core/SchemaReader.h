#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Refusal.h"
#include "RowsSettings.h"
#include "SchemaText.h"

namespace ovantis {

// A schema's refusal: why, and the column and place it points at (column 0
// and line 0 when it points at none), in which of the texts read together.
struct SchemaRefusal {
    Refusal refusal;
    int column = 0;
    std::string name{};
    int line = 0;
    int character = 0;
    std::size_t source = 0;

    explicit operator bool() const { return static_cast<bool>(refusal); }
};

// Reads the columns of a table from its schema text. The page kinds (string,
// number, pattern) take their page's own options, which the front end reads:
// pageOptions fills the column's settings from the words after its kind or
// refuses them.
class SchemaReader {
  public:
    using PageOptions =
        std::function<Refusal(ColumnSettings& column, const std::vector<std::string>& words)>;

    // The kinds' names, in ColumnKind's order.
    static constexpr const char* kKinds[] = {"string", "number", "pattern", "date",
                                             "oneof",  "words",  "row",     "uuid"};
    static constexpr std::int32_t kMostWords = 64;
    static constexpr std::size_t kMostValues = std::size_t{1} << 20;

    // A name fit for a header, a JSON key and an SQL identifier.
    static bool nameOk(std::string_view name);

    static SchemaRefusal read(std::string_view text, const PageOptions& pageOptions,
                              std::vector<ColumnSettings>& columns);
    // Reads texts as one schema whose lines count anew in each; sourceOf
    // tells which text each column came from.
    static SchemaRefusal read(const std::vector<std::string_view>& texts,
                              const PageOptions& pageOptions, std::vector<ColumnSettings>& columns,
                              std::vector<std::size_t>& sourceOf);
};

}  // namespace ovantis
