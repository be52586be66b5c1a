// Lines per second of the page defaults and draws per second of the bare
// generator, all on the classic source.
#include <benchmark/benchmark.h>

#include <map>

#include "ControlIds.h"
#include "InitialContent.h"
#include "NumberGenerator.h"
#include "RandomSource.h"
#include "StringGenerator.h"

namespace {

using namespace ovantis;

// Only what Validate reads; everything else is never called here.
class DefaultsHost : public PageHost {
  public:
    explicit DefaultsHost(const InitialContent& content) {
        for (const auto& [id, text] : content.texts) {
            m_texts[id] = text;
        }
        for (const auto& [id, on] : content.checks) {
            m_checks[id] = on ? 1 : 0;
        }
    }
    int checkState(int id) override { return m_checks[id]; }
    std::string getText(int id) override { return m_texts[id]; }
    void setText(int, const std::string&) override {}
    void enable(int, bool) override {}
    void notice(const std::string&) override {}
    void armTimer(int, int) override {}
    void killTimer(int) override {}
    void shellOpen(const std::string&) override {}
    std::optional<std::string> chooseFileToSave(const SaveRequest&) override { return {}; }
    WriteOutcome writeFile(const std::string&, const std::string&) override { return {}; }
    LocalTime localTimeNow() override { return {}; }
    bool progress(std::int64_t, std::int64_t) override { return true; }

  private:
    std::map<int, int> m_checks;
    std::map<int, std::string> m_texts;
};

template <class Generator>
void linesOf(benchmark::State& state) {
    RandomSource random;
    DefaultsHost host(Generator::initialContent());
    Generator generator(host, random);
    generator.Validate();
    std::string line;
    for (auto _ : state) {
        line.clear();
        generator.appendLine(line);
        benchmark::DoNotOptimize(line.data());
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void StringDefaults(benchmark::State& state) {
    linesOf<StringGenerator>(state);
}
void NumberDefaults(benchmark::State& state) {
    linesOf<NumberGenerator>(state);
}

void BareDraws(benchmark::State& state) {
    RandomSource random;
    random.seed(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(random.draw());
    }
    state.counters["draws/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void SecureDraws(benchmark::State& state) {
    RandomSource random(RandomSource::Kind::Secure);
    for (auto _ : state) {
        benchmark::DoNotOptimize(random.draw());
    }
    state.counters["draws/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(StringDefaults);
BENCHMARK(NumberDefaults);
BENCHMARK(BareDraws);
BENCHMARK(SecureDraws);

}  // namespace
