#include "PatternPageLogic.h"

#include "ControlIds.h"
#include "CountLine.h"
#include "HashMemory.h"
#include "Notices.h"
#include "PatternFields.h"
#include "RefusalReasons.h"
#include "SettingsCheck.h"

namespace ovantis {
namespace {
constexpr std::uint64_t kBudget = std::uint64_t{hashMemory::kDefaultBudgetMiB} << 20;
}

PatternPageLogic::PatternPageLogic(PageHost& host, RandomSource& random)
    : LinePage(host, random, kPatternControls) {}

InitialContent PatternPageLogic::initialContent() {
    return initialContentOf<PatternSettings>(kPatternFields);
}

Refusal PatternPageLogic::build(const PatternSettings& settings) {
    m_stream.reset();
    if (!random().secure()) {
        m_stream.emplace(PatternGenerator::seededPool(static_cast<std::uint64_t>(random().now())));
    }
    m_generator.emplace(m_stream ? *m_stream : random(), m_stream.has_value());
    return ovantis::build(*m_generator, settings, kBudget);
}

bool PatternPageLogic::Validate() {
    Refusal refused;
    const PatternSettings read = readFields<PatternSettings>(kPatternFields, host(), refused);
    if (!refused && read.count <= 0) {
        refused.kind = Refusal::Kind::CountTooLow;
        refused.notice = notices::kBadCount;
    }
    if (!refused && !(refused = build(read)) && read.unique &&
        m_generator->count() < BigCount(static_cast<std::uint64_t>(read.count))) {
        refused.kind = Refusal::Kind::TooFewPossible;
        refused.notice = notices::kBadCount;
        refused.values = {std::to_string(read.count), m_generator->count().toDecimal()};
    }
    if (refused) {
        // The window names a template's fault and a count beyond its strings;
        // the other reasons speak of options.
        const bool told =
            refused.notice == notices::kBadPattern || refused.kind == Refusal::Kind::TooFewPossible;
        host().notice({refused.notice, {}, told ? windowReasonOf(refused, host().language()) : ""});
        return false;
    }
    m_settings = read;
    return true;
}

void PatternPageLogic::OnPatternEdited() {
    host().armTimer(ids::kEventTimer, kCountDelayMs);
}

void PatternPageLogic::OnTimer() {
    const Language language = host().language();
    PatternSettings settings;
    settings.pattern = host().getText(ids::kPattern);
    // Counted apart from the generator a run may be drawing from.
    PatternGenerator counter(random());
    const Refusal refusal = ovantis::build(counter, settings, kBudget);
    host().setText(ids::kPatternInfo,
                   refusal ? windowReasonOf(refusal, language) : countLine(counter, language));
}

}  // namespace ovantis
