#include "PatternPageLogic.h"

#include <optional>

#include "ControlIds.h"
#include "CountLine.h"
#include "HashMemory.h"
#include "Notices.h"
#include "PatternFields.h"
#include "RefusalReasons.h"
#include "SettingsCheck.h"

namespace ovantis {

struct PatternPageLogic::Built {
    // Without the secure source: a stream keyed from the current second, as
    // the classic source reaches few of a template's strings.
    std::optional<RandomSource> stream;
    std::optional<std::time_t> seed;
    std::optional<PatternGenerator> generator;
    Refusal refusal;
};

namespace {
constexpr std::uint64_t kBudget = std::uint64_t{hashMemory::kDefaultBudgetMiB} << 20;

// Builds on whichever thread runs it: the page's source is only named here,
// never drawn from.
std::shared_ptr<PatternPageLogic::Built> builder(RandomSource& random) {
    auto built = std::make_shared<PatternPageLogic::Built>();
    if (!random.secure()) {
        built->seed = random.seedSecond();
        built->stream.emplace(
            PatternGenerator::seededPool(static_cast<std::uint64_t>(*built->seed)));
    }
    built->generator.emplace(built->stream ? *built->stream : random, built->stream.has_value());
    return built;
}
}  // namespace

PatternPageLogic::PatternPageLogic(PageHost& host, RandomSource& random)
    : LinePage(host, random, kPatternControls) {}

InitialContent PatternPageLogic::initialContent() {
    return initialContentOf<PatternSettings>(kPatternFields);
}

void PatternPageLogic::appendLine(std::string& out) {
    m_built->generator->appendLine(out);
}

std::int64_t PatternPageLogic::maxLineBytes() const {
    return m_built->generator->maxLineBytes();
}

std::optional<std::time_t> PatternPageLogic::seed() const {
    return m_built->seed;
}

Refusal PatternPageLogic::read(PatternSettings& settings) {
    Refusal refused;
    settings = readFields<PatternSettings>(kPatternFields, host(), refused);
    if (!refused && settings.count <= 0) {
        refused.kind = Refusal::Kind::CountTooLow;
        refused.notice = notices::kBadCount;
    }
    return refused;
}

bool PatternPageLogic::accept(const PatternSettings& settings, std::shared_ptr<Built> built) {
    Refusal& refused = built->refusal;
    if (!refused && settings.unique &&
        built->generator->count() < BigCount(static_cast<std::uint64_t>(settings.count))) {
        refused.kind = Refusal::Kind::TooFewPossible;
        refused.notice = notices::kBadCount;
        refused.values = {std::to_string(settings.count), built->generator->count().toDecimal()};
    }
    if (refused) {
        // The window names a template's fault and a count beyond its strings;
        // the other reasons speak of options.
        const bool told =
            refused.notice == notices::kBadPattern || refused.kind == Refusal::Kind::TooFewPossible;
        host().notice({refused.notice, {}, told ? windowReasonOf(refused, host().language()) : ""});
        return false;
    }
    m_settings = settings;
    m_built = std::move(built);
    return true;
}

bool PatternPageLogic::Validate() {
    PatternSettings settings;
    auto built = builder(random());
    built->refusal = read(settings);
    if (!built->refusal) {
        built->refusal = build(*built->generator, settings, kBudget);
    }
    return accept(settings, built);
}

void PatternPageLogic::ValidateThen(std::function<void(bool)> then) {
    auto settings = std::make_shared<PatternSettings>();
    auto built = builder(random());
    if ((built->refusal = read(*settings))) {
        then(accept(*settings, built));
        return;
    }
    // Not pressed again while its template is built.
    host().enable(controls().generate, false);
    host().runAside(
        kCheckJob,
        [settings, built](const StopCheck& stop) {
            built->refusal = build(*built->generator, *settings, kBudget, stop);
        },
        [this, settings, built, then = std::move(then)] {
            host().enable(controls().generate, true);
            then(accept(*settings, built));
        });
}

void PatternPageLogic::OnPatternEdited() {
    host().armTimer(ids::kEventTimer, kCountDelayMs);
}

void PatternPageLogic::OnTimer() {
    const Language language = host().language();
    PatternSettings settings;
    settings.pattern = host().getText(ids::kPattern);
    auto line = std::make_shared<std::string>();
    // Counted apart from the generator a run may be drawing from.
    host().runAside(
        kCountJob,
        [line, language, settings, &random = random()](const StopCheck& stop) {
            PatternGenerator counter(random);
            const Refusal refusal = build(counter, settings, kBudget, stop);
            *line = refusal ? windowReasonOf(refusal, language) : countLine(counter, language);
        },
        [this, line] { host().setText(ids::kPatternInfo, *line); });
}

}  // namespace ovantis
