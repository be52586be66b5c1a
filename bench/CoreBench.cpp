// Lines per second of the page defaults and draws per second of the bare
// generator, on the classic and the secure source; the time to build the
// largest character set, and to read a schema of many columns.
#include <benchmark/benchmark.h>

#include "NumberGenerator.h"
#include "RandomSource.h"
#include "SchemaReader.h"
#include "StringGenerator.h"
#include "SystemRandom.h"

namespace {

using namespace ovantis;

template <class Generator, class Settings>
void linesOf(benchmark::State& state, const Settings& settings, RandomSource::Kind kind) {
    RandomSource random(kind, {}, sys::SystemRandom::fill);
    Generator generator(settings, random);
    std::string line;
    for (auto _ : state) {
        line.clear();
        generator.appendLine(line);
        benchmark::DoNotOptimize(line.data());
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

NumberSettings decimalsOnly() {
    NumberSettings settings;
    settings.integerOn = false;
    return settings;
}

void StringDefaults(benchmark::State& state) {
    linesOf<StringGenerator>(state, StringSettings{}, RandomSource::Kind::Classic);
}
void StringDefaultsSecure(benchmark::State& state) {
    linesOf<StringGenerator>(state, StringSettings{}, RandomSource::Kind::Secure);
}
void NumberDefaults(benchmark::State& state) {
    linesOf<NumberGenerator>(state, NumberSettings{}, RandomSource::Kind::Classic);
}
void Decimals(benchmark::State& state) {
    linesOf<NumberGenerator>(state, decimalsOnly(), RandomSource::Kind::Classic);
}
void DecimalsSecure(benchmark::State& state) {
    linesOf<NumberGenerator>(state, decimalsOnly(), RandomSource::Kind::Secure);
}

// Building the character set of the whole of Unicode, as one --charset range.
void WholeUnicodeSet(benchmark::State& state) {
    RandomSource random(RandomSource::Kind::Secure, {}, sys::SystemRandom::fill);
    StringSettings settings;
    settings.charset = " -\U0010FFFF";
    for (auto _ : state) {
        StringGenerator generator(settings, random);
        benchmark::DoNotOptimize(generator.possibleLines());
    }
}

// A schema of 100,000 columns: names are checked against a set, so the time
// grows with the columns, not with their square (a search took 15 s).
void HugeSchema(benchmark::State& state) {
    std::string schema;
    for (int i = 0; i < 100000; ++i) {
        schema += "c" + std::to_string(i) + " row;";
    }
    const SchemaReader::PageOptions none = [](ColumnSettings&, const std::vector<std::string>&) {
        return Refusal{};
    };
    for (auto _ : state) {
        std::vector<ColumnSettings> columns;
        benchmark::DoNotOptimize(SchemaReader::read(schema, none, columns));
    }
}

template <RandomSource::Kind kind>
void Draws(benchmark::State& state) {
    RandomSource random(kind, {}, sys::SystemRandom::fill);
    for (auto _ : state) {
        benchmark::DoNotOptimize(random.draw());
    }
    state.counters["draws/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(StringDefaults);
BENCHMARK(StringDefaultsSecure);
BENCHMARK(NumberDefaults);
BENCHMARK(Decimals);
BENCHMARK(DecimalsSecure);
BENCHMARK(WholeUnicodeSet)->Unit(benchmark::kMillisecond);
BENCHMARK(HugeSchema)->Unit(benchmark::kMillisecond);
BENCHMARK(Draws<RandomSource::Kind::Classic>)->Name("BareDraws");
BENCHMARK(Draws<RandomSource::Kind::Secure>)->Name("SecureDraws");

}  // namespace
