#include "RowColumn.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <unordered_set>

#include "CountLine.h"
#include "DateColumn.h"
#include "NumberGenerator.h"
#include "PatternGenerator.h"
#include "RunLimits.h"
#include "SettingsCheck.h"
#include "StringGenerator.h"

namespace ovantis {
namespace {

using Kind = Refusal::Kind;

// Cells of a page's generator, one line each.
template <class Generator>
class LineCells final : public CellMaker {
  public:
    template <class Settings>
    LineCells(const Settings& settings, RandomSource& random) : m_generator(settings, random) {}
    void append(std::string& out, std::uint64_t) override { m_generator.appendLine(out); }

  private:
    Generator m_generator;
};

class PatternCells final : public CellMaker {
  public:
    PatternCells(const PatternSettings& settings, std::uint64_t budget, RandomSource& random)
        : m_generator(random) {
        // Checked already: the same template builds the same way again.
        build(m_generator, settings, budget);
    }
    void append(std::string& out, std::uint64_t) override { m_generator.appendLine(out); }

  private:
    PatternGenerator m_generator;
};

// The cells of the new kinds, redrawn while a unique column has made them before.
class DrawnCells final : public CellMaker {
  public:
    DrawnCells(const RowColumn& column, const WordList* words, std::int64_t millis,
               const std::vector<std::uint64_t>& through, RandomSource& random)
        : m_settings(column.settings()),
          m_words(words),
          m_millis(millis),
          m_through(through),
          m_random(random) {
        if (m_settings.kind == ColumnKind::Date) {
            m_date.emplace(m_settings.date);
        }
    }

    void append(std::string& out, std::uint64_t row) override {
        if (!m_settings.unique || m_settings.kind == ColumnKind::Row) {
            draw(out, row);
            return;
        }
        const std::size_t start = out.size();
        for (;;) {
            draw(out, row);
            // The set keeps copies, since out is reused.
            if (m_seen.insert(out.substr(start)).second) {
                return;
            }
            out.resize(start);
        }
    }

  private:
    void draw(std::string& out, std::uint64_t row) {
        switch (m_settings.kind) {
            case ColumnKind::Row: {
                char text[24];
                const auto end = std::to_chars(text, text + sizeof text,
                                               m_settings.start + static_cast<std::int64_t>(row));
                out.append(text, end.ptr);
                return;
            }
            case ColumnKind::Date:
                m_date->appendCell(out, m_random);
                return;
            case ColumnKind::OneOf:
                out += m_settings.values[pick()];
                return;
            case ColumnKind::Words:
                for (std::int32_t i = 0; i < m_settings.words; ++i) {
                    if (i != 0) {
                        out += m_settings.separator;
                    }
                    out += m_words->word(static_cast<std::size_t>(
                        m_random.RandInRange(0, static_cast<std::int64_t>(m_words->size()) - 1)));
                }
                return;
            default:
                uuid(out);
                return;
        }
    }

    std::size_t pick() {
        const auto n = static_cast<std::int64_t>(m_settings.values.size());
        if (m_through.empty()) {
            return static_cast<std::size_t>(m_random.RandInRange(0, n - 1));
        }
        const auto r = static_cast<std::uint64_t>(
            m_random.RandInRange(0, static_cast<std::int64_t>(m_through.back()) - 1));
        return static_cast<std::size_t>(std::upper_bound(m_through.begin(), m_through.end(), r) -
                                        m_through.begin());
    }

    void uuid(std::string& out) {
        std::uint64_t high = m_random.secureWord64();
        std::uint64_t low = m_random.secureWord64();
        if (m_settings.uuidVersion == 7) {
            high = static_cast<std::uint64_t>(m_millis) << 16 | (high & 0x0FFF) | 0x7000;
        } else {
            high = (high & ~std::uint64_t{0xF000}) | 0x4000;
        }
        low = (low & ~(std::uint64_t{3} << 62)) | std::uint64_t{2} << 62;
        constexpr char kHex[] = "0123456789abcdef";
        char text[36];
        std::size_t at = 0;
        for (int i = 0; i < 32; ++i) {
            if (i == 8 || i == 12 || i == 16 || i == 20) {
                text[at++] = '-';
            }
            const std::uint64_t half = i < 16 ? high : low;
            text[at++] = kHex[(half >> (60 - 4 * (i % 16))) & 0xF];
        }
        out.append(text, sizeof text);
    }

    const ColumnSettings& m_settings;
    const WordList* m_words;
    std::int64_t m_millis;
    const std::vector<std::uint64_t>& m_through;
    RandomSource& m_random;
    std::optional<DateColumn> m_date;
    std::unordered_set<std::string> m_seen;
};

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
            const DateColumn date(s.date);
            c.m_maxBytes = date.maxCellBytes();
            c.m_count = date.count();
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
                    c.m_through.push_back(total);
                }
            }
            c.m_count = BigCount(static_cast<std::uint64_t>(
                std::count_if(weights.begin(), weights.end(), [](auto& w) { return w.second; })));
            c.m_bits = entropy(weights, total);
            break;
        }
        case ColumnKind::Words: {
            c.m_words = run.words != nullptr ? run.words : &WordList::builtIn();
            c.m_maxBytes = static_cast<std::int64_t>(c.m_words->longest()) * s.words +
                           static_cast<std::int64_t>(s.separator.size()) * (s.words - 1);
            c.m_count = power(c.m_words->size(), s.words);
            c.m_bits = std::log2(static_cast<double>(c.m_words->size())) * s.words;
            break;
        }
        case ColumnKind::Row:
            c.m_maxBytes = 20;
            c.m_count = BigCount(static_cast<std::uint64_t>(run.rows));
            c.m_bits = c.m_count.log2();
            if (s.start > INT64_MAX - run.rows) {
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
                c.m_millis = s.uuidMillis.value_or(run.nowMillis.value_or(0));
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
            return std::make_unique<DrawnCells>(*this, m_words, m_millis, m_through, random);
    }
}

}  // namespace ovantis
