#include "RowsPageLogic.h"

#include <algorithm>

#include "ControlIds.h"
#include "Notices.h"
#include "RefusalReasons.h"
#include "RowsFields.h"

namespace ovantis {

struct RowsPageLogic::Built {
    RowsSettings settings;
    RowsTable::Run run;
    std::optional<EntropyPool> key;
    std::optional<std::time_t> seed;
    std::vector<ColumnSettings> columns;
    std::optional<RowsTable> table;
    // Why the fields cannot be used, worded for the window.
    const char* notice = nullptr;
    std::string reason;
};

namespace {

// The run's key: drawn from the page's secure source, or from the current
// second as the classic source is seeded, which --seed takes again.
void keyFor(RowsPageLogic::Built& built, RandomSource& random) {
    if (random.secure()) {
        EntropyPool::Key key{};
        for (std::uint32_t& word : key) {
            word = random.secureWord();
        }
        built.key.emplace(key, EntropyPool::Nonce{}, 0);
        return;
    }
    built.seed = random.seedSecond();
    built.key.emplace(RowsTable::seededKey(static_cast<std::uint64_t>(*built.seed)));
}

// Reads the schema and checks the table, on whichever thread runs it.
void build(RowsPageLogic::Built& built, const SchemaReader::PageOptions& pageOptions,
           Language language) {
    SchemaRefusal refused = SchemaReader::read(built.settings.schema, pageOptions, built.columns);
    if (!refused) {
        refused = RowsTable::check(built.columns, built.run, *built.key, built.table);
    }
    if (refused) {
        built.notice = notices::kBadRows;
        built.reason = schemaReasonOf(refused, windowReasonOf(refused.refusal, language), language);
    }
}

}  // namespace

RowsPageLogic::RowsPageLogic(PageHost& host, RandomSource& random,
                             SchemaReader::PageOptions pageOptions)
    : LinePage(host, random, kRowsControls), m_pageOptions(std::move(pageOptions)) {}

InitialContent RowsPageLogic::initialContent() {
    return initialContentOf<RowsSettings>(kRowsFields);
}

Refusal RowsPageLogic::read(RowsSettings& settings, RowsTable::Run& run) {
    Refusal refused;
    settings = readFields<RowsSettings>(kRowsFields, host(), refused);
    if (refused) {
        return refused;
    }
    if (settings.count <= 0) {
        return {.kind = Refusal::Kind::CountTooLow, .notice = notices::kBadCount};
    }
    const std::optional<RowsFormat> format = RowsTable::formatNamed(settings.format);
    if (!format) {
        return {.kind = Refusal::Kind::BadArgument, .notice = notices::kBadRows};
    }
    run = {.format = *format, .header = !settings.noHeader, .rows = settings.count};
    run.nowMillis = static_cast<std::int64_t>(random().now()) * 1000;
    return {};
}

bool RowsPageLogic::accept(const std::shared_ptr<Built>& built) {
    if (built->notice != nullptr) {
        host().notice({built->notice, {}, built->reason});
        return false;
    }
    m_built = built;
    m_table = &*built->table;
    m_worker = std::make_unique<RowsTable::Worker>(*m_table);
    m_headerDue = built->run.header && built->run.format <= RowsFormat::Tsv;
    m_lines = built->run.rows + (m_headerDue ? 1 : 0);
    m_next = 0;
    m_seed = built->seed;
    return true;
}

void RowsPageLogic::appendLine(std::string& out) {
    if (m_headerDue) {
        m_table->appendHeader(out, "");
        m_headerDue = false;
        return;
    }
    m_worker->appendRows(out, m_next, m_next + 1, "");
    ++m_next;
}

bool RowsPageLogic::Validate() {
    auto built = std::make_shared<Built>();
    if (const Refusal r = read(built->settings, built->run)) {
        host().notice({r.notice});
        return false;
    }
    keyFor(*built, random());
    build(*built, m_pageOptions, host().language());
    return accept(built);
}

void RowsPageLogic::ValidateThen(std::function<void(bool)> then) {
    auto built = std::make_shared<Built>();
    if (const Refusal r = read(built->settings, built->run)) {
        host().notice({r.notice});
        then(false);
        return;
    }
    keyFor(*built, random());
    host().enable(controls().generate, false);
    host().runAside(
        kCheckJob,
        [built, options = m_pageOptions, language = host().language()](const StopCheck&) {
            build(*built, options, language);
        },
        [this, built, then = std::move(then)] {
            host().enable(controls().generate, true);
            then(accept(built));
        });
}

void RowsPageLogic::OnColumnsEdited() {
    host().armTimer(ids::kEventTimer, kCountDelayMs);
}

void RowsPageLogic::OnTimer() {
    auto built = std::make_shared<Built>();
    built->settings.schema = host().getText(ids::kRowsSchema);
    const std::optional<std::int32_t> rows = ReadIntField(host().getText(ids::kRowsCount));
    built->run = {.rows = std::max(rows.value_or(1), 1)};
    built->run.nowMillis = static_cast<std::int64_t>(random().now()) * 1000;
    built->key = RowsTable::seededKey(0);
    auto line = std::make_shared<std::string>();
    host().runAside(
        kCountJob,
        [built, line, options = m_pageOptions, language = host().language()](const StopCheck&) {
            build(*built, options, language);
            if (built->notice != nullptr) {
                *line = built->reason;
                return;
            }
            *line = built->table->summary(language);
        },
        [this, line] { host().setText(ids::kRowsInfo, *line); });
}

}  // namespace ovantis
