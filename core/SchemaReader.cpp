#include "SchemaReader.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <numeric>
#include <unordered_set>

#include "CharacterSet.h"
#include "DateColumn.h"

namespace ovantis {
namespace {

using Kind = Refusal::Kind;

// How each new kind's words go, for a refusal to show.
constexpr const char* kForms[] = {"",
                                  "",
                                  "",
                                  "date [LOW..HIGH] [--format F] [--zone Z] [--unique]",
                                  "oneof [--weights W,W...] VALUE... [--unique]",
                                  "words [N] [--separator S] [--unique]",
                                  "row [START]",
                                  "uuid [4|7 [TIME]] [--unique]"};

}  // namespace

bool SchemaReader::nameOk(std::string_view name) {
    if (name.empty() || name.size() > 64 || std::isdigit(static_cast<unsigned char>(name[0]))) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), [](char c) {
        return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               (c >= '0' && c <= '9');
    });
}

namespace {

template <class Int>
bool readInt(std::string_view text, Int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

// A value's text: one line of plain UTF-8.
bool plainText(std::string_view text) {
    return CharacterSet::checkVerbatim(text).fault == CharacterSet::Fault::None;
}

// Why a value is no plain text, naming its control by code point.
Refusal notPlain(std::string_view text, const char* kind) {
    const CharacterSet::TextCheck check = CharacterSet::checkVerbatim(text);
    return {.kind = CharacterSet::refusalKind(check.fault),
            .values = {kind, SchemaText::codePoint(check.point)}};
}

// The words after a new kind's name, read into the column.
class KindWords {
  public:
    KindWords(ColumnSettings& column, const std::vector<SchemaWord>& words)
        : m_column(column), m_words(words) {}

    Refusal read() {
        // No word reaches a cell or a refusal with a control in it.
        for (m_at = 2; m_at < m_words.size(); ++m_at) {
            if (!plainText(m_words[m_at].text)) {
                return notPlain(m_words[m_at].text,
                                SchemaReader::kKinds[static_cast<int>(m_column.kind)]);
            }
        }
        for (m_at = 2; m_at < m_words.size(); ++m_at) {
            const std::string& word = m_words[m_at].text;
            if (word == "--unique") {
                // Row numbers never repeat: a row column keeps no values to
                // compare, so it splits into shards as any other.
                m_column.unique = m_column.kind != ColumnKind::Row;
            } else if (Refusal r = take(word); r || m_noValue) {
                return m_noValue ? Refusal{.kind = Kind::NoOptionValue, .values = {word}} : r;
            }
        }
        return finish();
    }
    // The word a refusal points at.
    std::size_t at() const { return m_at; }

  private:
    Refusal bad() const {
        return {
            .kind = Kind::BadArgument,
            .values = {"'" + m_words[at()].text + "'", kForms[static_cast<int>(m_column.kind)]}};
    }
    // The value of an option given as --name V or --name=V; the option last
    // with no value after it is refused.
    bool option(const std::string& word, std::string_view name, std::string& value) {
        if (word == name) {
            m_noValue = m_at + 1 == m_words.size();
            if (!m_noValue) {
                value = m_words[++m_at].text;
            }
            return true;
        }
        if (word.starts_with(name) && word.size() > name.size() && word[name.size()] == '=') {
            value = word.substr(name.size() + 1);
            return true;
        }
        return false;
    }

    Refusal take(const std::string& word) {
        ColumnSettings& c = m_column;
        std::string value;
        switch (c.kind) {
            case ColumnKind::Date:
                if (option(word, "--format", c.date.format) ||
                    option(word, "--zone", c.date.zone)) {
                    return {};
                }
                if (const std::size_t dots = word.find("..");
                    dots != std::string::npos && !m_range) {
                    c.date.low = word.substr(0, dots);
                    c.date.high = word.substr(dots + 2);
                    m_range = true;
                    return {};
                }
                return bad();
            case ColumnKind::OneOf:
                if (option(word, "--weights", value)) {
                    return readWeights(value);
                }
                c.values.push_back(word);
                return c.values.size() > SchemaReader::kMostValues ? bad() : Refusal{};
            case ColumnKind::Words:
                if (option(word, "--separator", c.separator)) {
                    return {};
                }
                if (!m_number && readInt(word, c.words) && c.words >= 1 &&
                    c.words <= SchemaReader::kMostWords) {
                    m_number = true;
                    return {};
                }
                return bad();
            case ColumnKind::Row:
                if (!m_number && readInt(word, c.start)) {
                    m_number = true;
                    return {};
                }
                return bad();
            case ColumnKind::Uuid:
                if (!m_number && (word == "4" || word == "7")) {
                    c.uuidVersion = word[0] - '0';
                    m_number = true;
                    return {};
                }
                if (c.uuidVersion == 7 && !c.uuidMillis) {
                    return readUuidTime(word);
                }
                return bad();
            default:
                return bad();
        }
    }

    Refusal readWeights(const std::string& text) {
        m_column.weights.clear();
        std::uint64_t total = 0;
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t comma = std::min(text.find(',', start), text.size());
            std::uint32_t weight = 0;
            if (!readInt(std::string_view(text).substr(start, comma - start), weight)) {
                return weightsRefused(text);
            }
            m_column.weights.push_back(weight);
            total += weight;
            start = comma + 1;
        }
        return total == 0 || total > UINT32_MAX ? weightsRefused(text) : Refusal{};
    }
    static Refusal weightsRefused(const std::string& text) {
        return {.kind = Kind::BadWeights, .values = {"'" + text + "'", std::to_string(UINT32_MAX)}};
    }

    Refusal readUuidTime(const std::string& word) {
        // A date alone is its day's start, at both ends.
        const std::string instant = word.size() == 10 ? word + "T00:00:00" : word;
        const DateSettings at{.low = instant, .high = instant, .format = "%s", .zone = "UTC"};
        if (Refusal r = DateColumn::check(at)) {
            return r;
        }
        // One instant prints one string, whatever the draw.
        std::string seconds;
        RandomSource unused;
        DateColumn(at).appendCell(seconds, unused);
        std::int64_t value = 0;
        readInt(seconds, value);
        // Version 7 counts milliseconds from 1970 unsigned.
        if (value < 0) {
            return {.kind = Kind::UuidBeforeEpoch, .values = {"'" + word + "'"}};
        }
        m_column.uuidMillis = value * 1000;
        return {};
    }

    // Refusals of the whole column point at its kind.
    Refusal finish() {
        m_at = 1;
        ColumnSettings& c = m_column;
        if (c.kind == ColumnKind::OneOf) {
            if (c.values.empty()) {
                return {.kind = Kind::NoValues};
            }
            if (!c.weights.empty() && c.weights.size() != c.values.size()) {
                std::string text;
                for (const std::uint64_t w : c.weights) {
                    text += text.empty() ? "" : ",";
                    text += std::to_string(w);
                }
                return weightsRefused(text);
            }
        }
        if (c.kind == ColumnKind::Date) {
            return DateColumn::check(c.date);
        }
        return {};
    }

    ColumnSettings& m_column;
    const std::vector<SchemaWord>& m_words;
    std::size_t m_at = 2;
    bool m_range = false;
    bool m_number = false;
    bool m_noValue = false;
};

std::string kindList() {
    std::string list;
    for (const char* kind : SchemaReader::kKinds) {
        list += list.empty() ? "" : ", ";
        list += kind;
    }
    return list;
}

}  // namespace

SchemaRefusal SchemaReader::read(std::string_view text, const PageOptions& pageOptions,
                                 std::vector<ColumnSettings>& columns) {
    std::vector<std::size_t> sourceOf;
    return read({text}, pageOptions, columns, sourceOf);
}

SchemaRefusal SchemaReader::read(const std::vector<std::string_view>& texts,
                                 const PageOptions& pageOptions,
                                 std::vector<ColumnSettings>& columns,
                                 std::vector<std::size_t>& sourceOf) {
    columns.clear();
    sourceOf.clear();
    std::vector<std::vector<SchemaWord>> split;
    for (std::size_t source = 0; source < texts.size(); ++source) {
        std::vector<std::vector<SchemaWord>> more;
        SchemaWord at;
        if (Refusal r = SchemaText::split(texts[source], more, at)) {
            return {.refusal = r, .line = at.line, .character = at.character, .source = source};
        }
        sourceOf.insert(sourceOf.end(), more.size(), source);
        split.insert(split.end(), std::make_move_iterator(more.begin()),
                     std::make_move_iterator(more.end()));
    }
    if (split.empty()) {
        return {.refusal = {.kind = Kind::NoColumns}};
    }
    // The names so far; a search of the columns would make a long schema slow.
    std::unordered_set<std::string_view> names;
    names.reserve(split.size());
    columns.reserve(split.size());
    for (const std::vector<SchemaWord>& words : split) {
        ColumnSettings c;
        c.name = words[0].text;
        c.line = words[0].line;
        c.character = words[0].character;
        const int number = static_cast<int>(columns.size()) + 1;
        const auto refuse = [&](Refusal r, const SchemaWord& word) {
            return SchemaRefusal{.refusal = std::move(r),
                                 .column = number,
                                 .name = c.name,
                                 .line = word.line,
                                 .character = word.character,
                                 .source = sourceOf[columns.size()]};
        };
        if (!nameOk(c.name)) {
            return refuse({.kind = Kind::BadColumnName, .values = {"'" + c.name + "'"}}, words[0]);
        }
        if (!names.insert(words[0].text).second) {
            return refuse({.kind = Kind::RepeatedName, .values = {c.name}}, words[0]);
        }
        if (words.size() < 2) {
            return refuse({.kind = Kind::UnknownKind, .values = {"''", kindList()}}, words[0]);
        }
        const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                       [&](const char* k) { return words[1].text == k; });
        if (kind == std::end(kKinds)) {
            return refuse(
                {.kind = Kind::UnknownKind, .values = {"'" + words[1].text + "'", kindList()}},
                words[1]);
        }
        c.kind = static_cast<ColumnKind>(kind - std::begin(kKinds));
        if (c.kind <= ColumnKind::Pattern) {
            std::vector<std::string> options;
            for (std::size_t i = 2; i < words.size(); ++i) {
                options.push_back(words[i].text);
            }
            if (Refusal r = pageOptions(c, options)) {
                return refuse(std::move(r), words[1]);
            }
        } else {
            KindWords reader(c, words);
            if (Refusal r = reader.read()) {
                return refuse(std::move(r), words[reader.at()]);
            }
        }
        columns.push_back(std::move(c));
    }
    return {};
}

}  // namespace ovantis
