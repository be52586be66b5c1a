#include "SchemaText.h"

#include <cstdio>

#include "CharacterSet.h"
#include "Utf8.h"

namespace ovantis {

std::string SchemaText::codePoint(char32_t point) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
    return code;
}

Refusal SchemaText::split(std::string_view text, std::vector<std::vector<SchemaWord>>& columns,
                          SchemaWord& at) {
    columns.assign(1, {});
    int line = 1;
    int character = 1;
    SchemaWord word;
    bool inWord = false;
    char quote = 0;
    bool escaped = false;
    bool comment = false;
    const auto endWord = [&] {
        if (inWord) {
            columns.back().push_back(std::move(word));
        }
        word = {};
        inWord = false;
    };
    for (std::size_t i = 0; i < text.size();) {
        char32_t point = 0;
        const std::size_t length = decodeUtf8(text.substr(i), point);
        const std::string_view bytes = text.substr(i, length);
        const bool lineEnd = point == '\n';
        if (length == 0 || (CharacterSet::breaksLine(point) && point != '\t' && !lineEnd &&
                            !(point == '\r' && text.substr(i + 1, 1) == "\n"))) {
            at = {.text = {}, .line = line, .character = character};
            return {.kind = length == 0 ? Refusal::Kind::NotUtf8 : Refusal::Kind::ControlInValue,
                    .values = {"SCHEMA", codePoint(point)}};
        }
        i += length == 0 ? 1 : length;
        const int here = character++;
        if (lineEnd) {
            ++line;
            character = 1;
        }
        if (comment) {
            comment = !lineEnd;
            if (lineEnd) {
                columns.emplace_back();
            }
            continue;
        }
        if (quote != 0 && lineEnd) {
            break;  // a quote never spans lines
        }
        if (escaped) {
            if (lineEnd) {
                break;  // nothing escapes a line's end
            }
            word.text += bytes;
            escaped = false;
            continue;
        }
        if (quote == '\'') {
            if (point == '\'') {
                quote = 0;
            } else {
                word.text += bytes;
            }
            continue;
        }
        if (quote == '"') {
            if (point == '"') {
                quote = 0;
            } else if (point == '\\' && (text.substr(i, 1) == "\"" || text.substr(i, 1) == "\\")) {
                escaped = true;
            } else {
                word.text += bytes;
            }
            continue;
        }
        const bool space = point == ' ' || point == '\t' || point == '\r';
        if (space || lineEnd || point == ';') {
            endWord();
            if (lineEnd || point == ';') {
                columns.emplace_back();
            }
            continue;
        }
        if (point == '#' && !inWord) {
            comment = true;
            continue;
        }
        if (!inWord) {
            word.line = line;
            word.character = here;
            inWord = true;
        }
        if (point == '\'' || point == '"') {
            quote = static_cast<char>(point);
            at = {.text = std::string(bytes), .line = line, .character = here};
        } else if (point == '\\') {
            escaped = true;
            at = {.text = "\\", .line = line, .character = here};
        } else {
            word.text += bytes;
        }
    }
    if (quote != 0) {
        return {.kind = Refusal::Kind::OpenQuote, .values = {at.text}};
    }
    if (escaped) {
        return {.kind = Refusal::Kind::EscapesNothing};
    }
    endWord();
    std::erase_if(columns, [](const auto& column) { return column.empty(); });
    return {};
}

}  // namespace ovantis
