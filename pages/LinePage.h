#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "HashMemory.h"
#include "Notices.h"
#include "PageField.h"
#include "PageHost.h"
#include "RandomSource.h"
#include "Refusal.h"
#include "RefusalReasons.h"
#include "RunLimits.h"
#include "SettingsCheck.h"

namespace ovantis {

// The logic of a page whose Generate makes a batch of lines: it reads the
// page's fields through its host. Methods named after the page's operations
// are PascalCase; the others are ours.
class LinePage {
  public:
    LinePage(PageHost& host, RandomSource& random, PageControls controls)
        : m_host(host), m_random(random), m_controls(controls) {}
    virtual ~LinePage() = default;
    LinePage(const LinePage&) = delete;
    LinePage& operator=(const LinePage&) = delete;

    // Reads and checks the settings; on success they are kept and the source
    // re-seeded, otherwise the page has shown its notice.
    virtual bool Validate() = 0;
    // Validate, answered through then; a page whose check takes long may
    // answer after returning, from its host's thread.
    virtual void ValidateThen(std::function<void(bool)> then) { then(Validate()); }
    // Lines asked for by the last successful validation.
    virtual std::int64_t count() const = 0;
    // Appends one line, without its line end.
    virtual void appendLine(std::string& out) = 0;
    // The longest line the current settings can make.
    virtual std::int64_t maxLineBytes() const = 0;

    // The second the classic source was keyed from for the kept settings,
    // which --seed takes to make the lines again; none from the secure source.
    virtual std::optional<std::time_t> seed() const { return m_seed; }

    PageHost& host() { return m_host; }
    RandomSource& random() { return m_random; }
    const PageControls& controls() const { return m_controls; }

  protected:
    // Shows the notice that rejects the settings (refused, a field that held
    // no number, comes first; a run's limits last, with their reason), or
    // keeps them with their generator and re-seeds the source.
    template <class Settings, class Generator>
    bool accept(const Settings& settings, const Refusal& refused, Settings& kept,
                std::optional<Generator>& generator) {
        if (const Refusal refusal = refused ? refused : check(settings)) {
            m_host.notice({refusal.notice});
            return false;
        }
        constexpr std::uint64_t kBudget = std::uint64_t{hashMemory::kDefaultBudgetMiB} << 20;
        if (const Refusal refusal = refuseRun(settings, Generator(settings, m_random), kBudget)) {
            m_host.notice({refusal.notice ? refusal.notice : notices::kBadCount,
                           {},
                           windowReasonOf(refusal, m_host.language())});
            return false;
        }
        kept = settings;
        generator.emplace(kept, m_random);
        m_seed = m_random.Reseed();
        return true;
    }

  private:
    PageHost& m_host;
    RandomSource& m_random;
    PageControls m_controls;
    std::optional<std::time_t> m_seed;
};

}  // namespace ovantis
