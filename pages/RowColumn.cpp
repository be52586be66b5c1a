#include "RowColumn.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_set>

#include "CountLine.h"
#include "DateColumn.h"
#include "NumberGenerator.h"
#include "PatternGenerator.h"
#include "RunLimits.h"
#include "SettingsCheck.h"
#include "StringGenerator.h"
#include "UniqueDraws.h"
#include "WeightedDraws.h"

namespace ovantis {
namespace {

using Kind = Refusal::Kind;

char* put(char* at, std::string_view text) {
    return std::copy(text.begin(), text.end(), at);
}

// A line a generator made: a short one is copied 32 bytes at once, from a
// buffer that always holds them.
class Line {
  public:
    Line() { m_text.reserve(kWhole); }
    std::string& text() {
        m_text.clear();
        return m_text;
    }
    char* copy(char* at) const {
        if (m_text.size() > kWhole || m_text.capacity() < kWhole) {
            return put(at, m_text);
        }
        std::memcpy(at, m_text.data(), kWhole);
        return at + m_text.size();
    }

  private:
    static constexpr std::size_t kWhole = CellMaker::kSlack;
    std::string m_text;
};

// Cells of a page's generator, one line each.
template <class Generator>
class LineCells final : public CellMaker {
  public:
    template <class Settings>
    LineCells(const Settings& settings, RandomSource& random) : m_generator(settings, random) {}
    char* write(char* at, std::uint64_t) override {
        m_generator.appendLine(m_line.text());
        return m_line.copy(at);
    }

  private:
    Generator m_generator;
    Line m_line;
};

class PatternCells final : public CellMaker {
  public:
    PatternCells(const PatternSettings& settings, std::uint64_t budget, RandomSource& random)
        : m_generator(random) {
        // Checked already: the same template builds the same way again.
        build(m_generator, settings, budget);
        m_inPlace = m_generator.writesInPlace();
    }
    char* write(char* at, std::uint64_t) override {
        if (m_inPlace) {
            return m_generator.writeLine(at);
        }
        m_generator.appendLine(m_line.text());
        return m_line.copy(at);
    }

  private:
    PatternGenerator m_generator;
    bool m_inPlace = false;
    Line m_line;
};

// The cells of the new kinds. A unique column draws without replacement
// where it can number its cells, so it never waits on a redraw; cells too
// many to number (UUIDs, long passphrases) are redrawn on the rare repeat.
class DrawnCells final : public CellMaker {
  public:
    DrawnCells(const ColumnSettings& settings, const RowColumn::Draws& draws, const BigCount& count,
               RandomSource& random)
        : m_settings(settings), m_draws(draws), m_random(random) {
        if (draws.words != nullptr) {
            m_wordRange =
                RandomSource::prepare(0, static_cast<std::int64_t>(draws.words->size()) - 1);
        }
        m_valueRange = RandomSource::prepare(
            0, static_cast<std::int64_t>(
                   (draws.through.empty() ? settings.values.size() : draws.through.back())) -
                   1);
        if (!settings.unique) {
            return;
        }
        if (settings.kind == ColumnKind::OneOf) {
            m_weighted.emplace(draws.distinctWeights);
        } else if (count.fits64() && count.low64() <= INT64_MAX &&
                   settings.kind != ColumnKind::Uuid) {
            m_numbered.emplace(count.low64());
        }
    }

    char* write(char* at, std::uint64_t row) override {
        if (!m_settings.unique || m_settings.kind == ColumnKind::Row) {
            return draw(at, row);
        }
        if (m_weighted) {
            return put(at, m_draws.distinct[m_weighted->next(m_random)]);
        }
        if (!m_numbered) {
            return redrawn(at, row);
        }
        if (m_settings.kind == ColumnKind::Date) {
            return m_draws.date->write(at, m_numbered->next(m_random));
        }
        // A passphrase's number, a word a digit.
        std::uint64_t number = m_numbered->next(m_random);
        const std::size_t size = m_draws.words->size();
        for (std::int32_t i = 0; i < m_settings.words; ++i) {
            at = i == 0 ? at : put(at, m_settings.separator);
            at = word(at, number % size);
            number /= size;
        }
        return at;
    }

  private:
    char* redrawn(char* at, std::uint64_t row) {
        for (;;) {
            char* end = draw(at, row);
            if (m_seen.emplace(at, end).second) {
                return end;
            }
        }
    }

    char* word(char* at, std::size_t i) const {
        if (m_draws.wordSlots.empty()) {
            return put(at, m_draws.words->word(i));
        }
        const char* slot = m_draws.wordSlots.data() + i * RowColumn::kWordSlot;
        std::memcpy(at, slot, RowColumn::kWordSlot);
        return at + static_cast<unsigned char>(slot[RowColumn::kWordSlot - 1]);
    }

    char* draw(char* at, std::uint64_t row) {
        switch (m_settings.kind) {
            case ColumnKind::Row:
                return std::to_chars(at, at + 24, m_settings.start + static_cast<std::int64_t>(row))
                    .ptr;
            case ColumnKind::Date:
                return m_draws.date->write(at, m_random);
            case ColumnKind::OneOf:
                return put(at, m_settings.values[pick()]);
            case ColumnKind::Words:
                for (std::int32_t i = 0; i < m_settings.words; ++i) {
                    at = i == 0 ? at : put(at, m_settings.separator);
                    at = word(at, static_cast<std::size_t>(m_random.RandInRange(m_wordRange)));
                }
                return at;
            default:
                return uuid(at);
        }
    }

    std::size_t pick() {
        const std::vector<std::uint64_t>& through = m_draws.through;
        const auto r = static_cast<std::uint64_t>(m_random.RandInRange(m_valueRange));
        if (through.empty()) {
            return static_cast<std::size_t>(r);
        }
        return static_cast<std::size_t>(std::upper_bound(through.begin(), through.end(), r) -
                                        through.begin());
    }

    char* uuid(char* at) {
        std::uint64_t high = m_random.secureWord64();
        std::uint64_t low = m_random.secureWord64();
        if (m_settings.uuidVersion == 7) {
            high = static_cast<std::uint64_t>(m_draws.millis) << 16 | (high & 0x0FFF) | 0x7000;
        } else {
            high = (high & ~std::uint64_t{0xF000}) | 0x4000;
        }
        low = (low & ~(std::uint64_t{3} << 62)) | std::uint64_t{2} << 62;
        constexpr char kHex[] = "0123456789abcdef";
        for (int i = 0; i < 32; ++i) {
            if (i == 8 || i == 12 || i == 16 || i == 20) {
                *at++ = '-';
            }
            const std::uint64_t half = i < 16 ? high : low;
            *at++ = kHex[(half >> (60 - 4 * (i % 16))) & 0xF];
        }
        return at;
    }

    const ColumnSettings& m_settings;
    const RowColumn::Draws& m_draws;
    RandomSource& m_random;
    RandomSource::Range m_wordRange{};
    RandomSource::Range m_valueRange{};
    std::optional<UniqueDraws> m_numbered;
    std::optional<WeightedDraws> m_weighted;
    std::unordered_set<std::string> m_seen;
};

// Whether words joined by separator can be split again one way only: no word
// holds a character of it, so each run of its characters is one separator.
bool wordsApart(const WordList& words, const std::string& separator) {
    if (separator.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words.word(i).find_first_of(separator) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

BigCount power(std::uint64_t base, std::int32_t times) {
    BigCount count(1);
    for (std::int32_t i = 0; i < times; ++i) {
        count.multiply(base);
    }
    return count;
}

// Entropy in bits of drawing among weights (each value's chance its weight).
double entropy(const std::map<std::string, std::uint64_t>& weights, std::uint64_t total) {
    double bits = 0;
    for (const auto& [value, weight] : weights) {
        if (weight != 0) {
            const double p = static_cast<double>(weight) / static_cast<double>(total);
            bits -= p * std::log2(p);
        }
    }
    return bits;
}

}  // namespace

bool RowColumn::numeric() const {
    return m_settings.kind == ColumnKind::Row || m_settings.kind == ColumnKind::Number;
}

bool RowColumn::mayHold(std::string_view chars) const {
    const auto holds = [&](std::string_view text) {
        return text.find_first_of(chars) != std::string_view::npos;
    };
    switch (m_settings.kind) {
        case ColumnKind::String:
        case ColumnKind::Pattern:
            return true;
        case ColumnKind::Date:
            return m_draws.date->mayHold(chars);
        case ColumnKind::OneOf:
            return std::any_of(m_settings.values.begin(), m_settings.values.end(), holds);
        case ColumnKind::Words:
            for (std::size_t i = 0; i < m_draws.words->size(); ++i) {
                if (holds(m_draws.words->word(i))) {
                    return true;
                }
            }
            return holds(m_settings.separator);
        default:
            // Digits, signs, points and hexadecimal letters.
            return false;
    }
}

Refusal RowColumn::check(const ColumnSettings& settings, const Run& run,
                         std::optional<RowColumn>& column) {
    column.reset();
    RowColumn c(settings);
    ColumnSettings& s = c.m_settings;
    // A probe on a fixed key: only counts and limits are read from it.
    RandomSource probe(std::make_unique<EntropyPool>(EntropyPool::Key{}, EntropyPool::Nonce{}, 0));
    switch (s.kind) {
        case ColumnKind::String: {
            s.string.count = run.rows;
            if (Refusal r = ovantis::check(s.string)) {
                return r;
            }
            const StringGenerator generator(s.string, probe);
            if (Refusal r = refuseRun(s.string, generator, run.budget)) {
                return r;
            }
            c.m_maxBytes = generator.maxLineBytes();
            c.m_count = generator.lineCount(kMostCountBits).value_or(BigCount());
            c.m_bits = generator.lineBits();
            break;
        }
        case ColumnKind::Number: {
            s.number.count = run.rows;
            s.number.boundsAsTyped = true;
            if (Refusal r = ovantis::check(s.number)) {
                return r;
            }
            const NumberGenerator generator(s.number, probe);
            if (Refusal r = refuseRun(s.number, generator, run.budget)) {
                return r;
            }
            c.m_maxBytes = generator.maxLineBytes();
            c.m_count = generator.lineCount();
            c.m_bits = c.m_count.log2();
            break;
        }
        case ColumnKind::Pattern: {
            s.pattern.count = run.rows;
            PatternGenerator generator(probe);
            if (Refusal r = build(generator, s.pattern, run.budget)) {
                return r;
            }
            if (Refusal r = refusePatternRun(s.pattern, generator, run.budget)) {
                return r;
            }
            c.m_maxBytes = generator.maxLineBytes();
            c.m_count = generator.count();
            c.m_bits = generator.bits();
            break;
        }
        case ColumnKind::Date: {
            if (Refusal r = DateColumn::check(s.date)) {
                return r;
            }
            c.m_draws.date = std::make_shared<const DateColumn>(s.date);
            c.m_maxBytes = c.m_draws.date->maxCellBytes();
            c.m_count = c.m_draws.date->count();
            c.m_bits = c.m_count.log2();
            break;
        }
        case ColumnKind::OneOf: {
            std::map<std::string, std::uint64_t> weights;
            std::uint64_t total = 0;
            for (std::size_t i = 0; i < s.values.size(); ++i) {
                const std::uint64_t weight = s.weights.empty() ? 1 : s.weights[i];
                weights[s.values[i]] += weight;
                total += weight;
                c.m_maxBytes =
                    std::max(c.m_maxBytes, static_cast<std::int64_t>(s.values[i].size()));
                if (!s.weights.empty()) {
                    c.m_draws.through.push_back(total);
                }
            }
            for (const auto& [value, weight] : weights) {
                if (s.unique && weight != 0) {
                    c.m_draws.distinct.push_back(value);
                    c.m_draws.distinctWeights.push_back(weight);
                }
            }
            c.m_count = BigCount(static_cast<std::uint64_t>(
                std::count_if(weights.begin(), weights.end(), [](auto& w) { return w.second; })));
            c.m_bits = entropy(weights, total);
            break;
        }
        case ColumnKind::Words: {
            const WordList& words = run.words != nullptr ? *run.words : WordList::builtIn();
            c.m_draws.words = &words;
            if (words.longest() < kWordSlot && words.size() <= kMostWordSlots) {
                c.m_draws.wordSlots.assign(words.size() * kWordSlot, '\0');
                for (std::size_t i = 0; i < words.size(); ++i) {
                    char* slot = c.m_draws.wordSlots.data() + i * kWordSlot;
                    put(slot, words.word(i));
                    slot[kWordSlot - 1] = static_cast<char>(words.word(i).size());
                }
            }
            c.m_maxBytes = static_cast<std::int64_t>(words.longest()) * s.words +
                           static_cast<std::int64_t>(s.separator.size()) * (s.words - 1);
            c.m_bits = std::log2(static_cast<double>(words.size())) * s.words;
            // Words that run together can print one text from different
            // draws: their count is unknown, and unique cells cannot be promised.
            if (s.words == 1 || wordsApart(words, s.separator)) {
                c.m_count = power(words.size(), s.words);
            } else if (s.unique) {
                return {.kind = Kind::WordsRunTogether, .values = {"'" + s.separator + "'"}};
            }
            break;
        }
        case ColumnKind::Row:
            c.m_maxBytes = 20;
            c.m_count = BigCount(static_cast<std::uint64_t>(run.rows));
            c.m_bits = c.m_count.log2();
            if (s.start > INT64_MAX - (run.rows - 1)) {
                return {.kind = Kind::BadArgument,
                        .values = {std::to_string(s.start), "row [START]"}};
            }
            break;
        case ColumnKind::Uuid:
            c.m_maxBytes = 36;
            c.m_count = power(2, s.uuidVersion == 7 ? 74 : 122);
            c.m_bits = s.uuidVersion == 7 ? 74 : 122;
            if (s.uuidVersion == 7) {
                if (!s.uuidMillis && !run.nowMillis) {
                    return {.kind = Kind::Uuid7NeedsTime};
                }
                c.m_draws.millis = s.uuidMillis.value_or(run.nowMillis.value_or(0));
            }
            break;
    }
    if (s.unique && s.kind >= ColumnKind::Date && s.kind != ColumnKind::Row) {
        if (Refusal r = refuseUnique(true, c.m_count.fits64() ? c.m_count.low64() : UINT64_MAX,
                                     UINT64_MAX, run.rows)) {
            return r;
        }
        // A set node, its hash slot and the cell's bytes.
        c.m_memory =
            static_cast<std::uint64_t>(run.rows) * (64 + static_cast<std::uint64_t>(c.m_maxBytes));
        if (Refusal r = refuseMemory(c.m_memory, run.budget, run.rows)) {
            return r;
        }
    }
    column.emplace(std::move(c));
    return {};
}

std::unique_ptr<CellMaker> RowColumn::maker(RandomSource& random) const {
    switch (m_settings.kind) {
        case ColumnKind::String:
            return std::make_unique<LineCells<StringGenerator>>(m_settings.string, random);
        case ColumnKind::Number:
            return std::make_unique<LineCells<NumberGenerator>>(m_settings.number, random);
        case ColumnKind::Pattern:
            return std::make_unique<PatternCells>(m_settings.pattern, UINT64_MAX, random);
        default:
            return std::make_unique<DrawnCells>(m_settings, m_draws, m_count, random);
    }
}

}  // namespace ovantis
