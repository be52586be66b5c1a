#pragma once

#include <functional>
#include <memory>

#include "InitialContent.h"
#include "LinePage.h"
#include "RowsTable.h"

namespace ovantis {

// The Rows page: a table's columns read from its field, its rows as the
// page's lines (the header first), and each column's count shown as the
// columns are typed. A pattern column may take a while to build, so the
// count and the check at Generate run aside from the page.
class RowsPageLogic final : public LinePage {
  public:
    static constexpr int kCountDelayMs = 150;
    enum Job { kCountJob, kCheckJob };

    // pageOptions reads the words of string, number and pattern columns.
    RowsPageLogic(PageHost& host, RandomSource& random, SchemaReader::PageOptions pageOptions);

    static InitialContent initialContent();

    bool Validate() override;
    void ValidateThen(std::function<void(bool)> then) override;
    std::int64_t count() const override { return m_lines; }
    void appendLine(std::string& out) override;
    std::int64_t maxLineBytes() const override { return m_table->maxRowBytes(); }
    std::optional<std::time_t> seed() const override { return m_seed; }

    void OnColumnsEdited();
    void OnTimer();

    struct Built;

  private:
    // The settings as the fields hold them; the run's shape, or why not.
    Refusal read(RowsSettings& settings, RowsTable::Run& run);
    bool accept(const std::shared_ptr<Built>& built);

    SchemaReader::PageOptions m_pageOptions;
    std::shared_ptr<Built> m_built;
    const RowsTable* m_table = nullptr;
    std::unique_ptr<RowsTable::Worker> m_worker;
    std::int64_t m_lines = 0;
    std::uint64_t m_next = 0;
    bool m_headerDue = false;
    std::optional<std::time_t> m_seed;
};

}  // namespace ovantis
