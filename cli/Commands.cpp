#include "Commands.h"

#include <chrono>
#include <ctime>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <thread>

#include "CliApp.h"
#include "CliTexts.h"
#include "CountLine.h"
#include "Destination.h"
#include "Launcher.h"
#include "LocalClock.h"
#include "Messages.h"
#include "NumberGenerator.h"
#include "PatternGenerator.h"
#include "Refusals.h"
#include "RowsSchema.h"
#include "RowsTable.h"
#include "RunLimits.h"
#include "SettingsCheck.h"
#include "Signals.h"
#include "StringGenerator.h"

namespace ovantis::cli {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

struct Run {
    const Request& request;
    std::ostream& out;
    std::ostream& err;
    Language language;
    const sys::LocaleText& encoding;
};

// The most bytes count lines of at most lineBytes each take, ends included.
std::uint64_t outputBound(std::int64_t count, std::int64_t lineBytes, bool crlf) {
    const auto lines = static_cast<std::uint64_t>(std::max<std::int64_t>(count, 0));
    const std::uint64_t perLine = static_cast<std::uint64_t>(lineBytes) + (crlf ? 2 : 1);
    return lines != 0 && perLine > UINT64_MAX / lines ? UINT64_MAX : lines * perLine;
}

// Settings are checked first, so rejected ones never create a file; then the
// writer fills the destination (of at most sizeBound bytes) and the exit
// status follows from how it went.
int writeChecked(const Run& run, const Refusal& refusal, std::uint64_t sizeBound,
                 const std::function<int(std::ostream&)>& write, bool keepWhenStopped = false) {
    if (refusal) {
        run.err << "ovantis-cli: " << worded(refusal, run.language, run.request.shown) << '\n';
        return kExitUsage;
    }
    Destination destination(run.out, run.request.output, run.request.memoryBudget, sizeBound);
    if (!destination.ready()) {
        if (const int signal = sys::Signals::stopSignal()) {
            return 128 + signal;  // stopped while a FIFO waited for its reader
        }
        run.err << "ovantis-cli: " << destination.fileError(run.language) << '\n';
        return kExitIo;
    }
    const int status = write(destination.stream());
    const int finished = destination.finish(run.err, keepWhenStopped, run.language);
    return finished != kExitOk ? finished : status;
}

// Writes whole lines only: a run that ends early drops the line it was
// making, or ends it where part of it has already gone out.
template <class Generator>
void streamLines(Generator& generator, std::int64_t count, bool crlf, std::ostream& stream) {
    StreamSink sink(stream);
    const std::string_view lineEnd = crlf ? "\r\n" : "\n";
    std::string chunk;
    chunk.reserve(kChunk + 256);
    bool going = true;
    const auto endEarly = [&](std::size_t lineStart, std::uint64_t writtenBefore) {
        if (sink.written() == writtenBefore) {
            chunk.resize(lineStart);
        } else {
            chunk += lineEnd;
        }
        sink.drain(chunk);
        stream.flush();
    };
    for (std::int64_t i = 0; i < count && going; ++i) {
        const std::size_t lineStart = chunk.size();
        const std::uint64_t writtenBefore = sink.written();
        try {
            // Whole chunks where the generator makes them; else line by line.
            if (const std::int64_t made =
                    generator.appendLines(chunk, count - i, lineEnd, kChunk)) {
                i += made - 1;
                going = sink.drain(chunk);
                continue;
            }
            going = generator.appendLine(chunk, &sink);
        } catch (...) {
            endEarly(lineStart, writtenBefore);
            throw;
        }
        if (!going) {
            endEarly(lineStart, writtenBefore);
            return;
        }
        chunk += lineEnd;
        if (chunk.size() >= kChunk) {
            going = sink.drain(chunk);
        }
    }
    sink.drain(chunk);
}

int writeInfo(const Run& run, const std::string& line) {
    const std::string shown = run.encoding.convert(line);
    return writeChecked(run, {}, shown.size() + 2, [&](std::ostream& stream) {
        stream << shown << (run.request.crlf ? "\r\n" : "\n");
        return kExitOk;
    });
}

// Checks the settings, then streams the batch to its destination.
template <class Generator, class Settings>
int runBatch(const Run& run, const Settings& s, RandomSource& random) {
    Refusal refusal = check(s);
    std::optional<Generator> generator;
    if (!refusal) {
        generator.emplace(s, random);
        if (s.info) {
            return writeInfo(run, countLine(*generator, run.language));
        }
        refusal = refuseRun(s, *generator, run.request.memoryBudget);
    }
    const std::uint64_t bound =
        generator ? outputBound(s.count, generator->maxLineBytes(), run.request.crlf) : 0;
    return writeChecked(run, refusal, bound, [&](std::ostream& stream) {
        streamLines(*generator, s.count, run.request.crlf, stream);
        return kExitOk;
    });
}

// Waits out a delay in slices so Ctrl-C is noticed promptly.
void sleepFor(int milliseconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!sys::Signals::stopRequested()) {
        const auto left = until - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) {
            return;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(50)));
    }
}

// An event whose program would be one too many waits, before its line, for
// one of those running to end; a stop ends the wait.
void waitForRoom() {
    while (sys::Launcher::running() >= kMostProgramsRunning && !sys::Signals::stopRequested()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

LocalTime localTimeNow() {
    int offset = 0;
    const std::tm local = sys::LocalClock::now(offset);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
            local.tm_min,         local.tm_sec,     offset};
}

// Returns kExitIo when a launch failed; the run goes on regardless.
int runEvents(const Run& run, RandomSource& random, std::ostream& stream) {
    const TimeSettings& settings = run.request.time;
    int status = kExitOk;
    for (std::int32_t fired = 0; fired < settings.count && stream; ++fired) {
        sleepFor(drawDelay(settings, random));
        if (settings.runExternal) {
            waitForRoom();
        }
        if (sys::Signals::stopRequested()) {
            break;
        }
        stream << eventLine(localTimeNow(), settings.iso) << (run.request.crlf ? "\r\n" : "\n");
        stream.flush();
        if (settings.runExternal) {
            if (const auto failure =
                    sys::Launcher::launch(settings.command, run.request.execArgs)) {
                run.err << "ovantis-cli: "
                        << texts::kCannotStart.fill(run.language, {failure->text(run.language)})
                        << '\n';
                status = kExitIo;
            }
        }
    }
    sys::Launcher::reap();
    return status;
}

std::unique_ptr<RandomSource> makeSource(const Request& request, const KeySource& keys,
                                         const RandomSource::Clock& clock) {
    if (request.source == Source::Secure) {
        return std::make_unique<RandomSource>(RandomSource::Kind::Secure, clock, keys);
    }
    auto random = std::make_unique<RandomSource>(RandomSource::Kind::Classic, clock);
    if (request.source == Source::Seeded) {
        random->seed(request.seed);
    } else {
        random->Reseed();
    }
    return random;
}

// Seeded pattern runs key a ChaCha20 stream from the seed, never the 15-bit
// source, which reaches few of a template's strings.
std::unique_ptr<RandomSource> patternSource(const Request& request, const KeySource& keys,
                                            const RandomSource::Clock& clock) {
    if (request.source == Source::Secure) {
        return makeSource(request, keys, clock);
    }
    const std::uint64_t seed =
        request.source == Source::Seeded
            ? request.seed
            : static_cast<std::uint64_t>(clock ? clock() : std::time(nullptr));
    return std::make_unique<RandomSource>(PatternGenerator::seededPool(seed));
}

int runPattern(const Run& run, const KeySource& keys, const RandomSource::Clock& clock) {
    const PatternSettings& s = run.request.pattern;
    const std::unique_ptr<RandomSource> random = patternSource(run.request, keys, clock);
    PatternGenerator generator(*random, run.request.source != Source::Secure);
    // A hostile template takes a while to refuse: a stop ends it at once.
    if (const Refusal refusal = build(generator, s, run.request.memoryBudget,
                                      [] { return sys::Signals::stopRequested(); })) {
        if (refusal.kind == Refusal::Kind::Stopped) {
            return 128 + sys::Signals::stopSignal();
        }
        return writeChecked(run, refusal, 0, {});
    }
    if (s.info) {
        return writeInfo(run, countLine(generator, run.language));
    }
    const Refusal refusal = refusePatternRun(s, generator, run.request.memoryBudget);
    const std::uint64_t size =
        refusal ? 0 : outputBound(s.count, generator.maxLineBytes(), run.request.crlf);
    return writeChecked(run, refusal, size, [&](std::ostream& stream) {
        streamLines(generator, s.count, run.request.crlf, stream);
        return kExitOk;
    });
}

// Rows in order, made by every core: each batch gives each worker one
// stretch of streams, and the stretches go out in order.
void writeRows(const RowsTable& table, std::string_view lineEnd, std::ostream& stream) {
    StreamSink sink(stream);
    std::string header;
    table.appendHeader(header, lineEnd);
    if (!sink.drain(header)) {
        return;
    }
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
    const std::uint64_t step = RowsTable::kStreamRows;
    // Room for a row at its longest: a worker holds its stretch whole at that.
    const std::uint64_t room = static_cast<std::uint64_t>(table.maxRowBytes()) + lineEnd.size();
    // Long rows, or rows that depend on those before them, are made by one
    // worker a chunk at a time.
    const bool alone = table.sequential() || cores == 1 || room * step > (std::uint64_t{8} << 20) ||
                       table.endRow() - table.firstRow() < 2 * step;
    if (alone) {
        RowsTable::Worker worker(table);
        const std::uint64_t chunk = std::max<std::uint64_t>(1, kChunk / room);
        for (std::uint64_t row = table.firstRow(); row < table.endRow();) {
            const std::uint64_t end = std::min(table.endRow(), row + chunk);
            if (!sink.write(worker.makeRows(row, end, lineEnd))) {
                return;
            }
            row = end;
        }
        return;
    }
    std::vector<std::unique_ptr<RowsTable::Worker>> workers;
    for (unsigned i = 0; i < cores; ++i) {
        workers.push_back(std::make_unique<RowsTable::Worker>(table));
    }
    // Each worker's stretch is some streams long, a few MiB at most, so
    // threads start rarely.
    const std::uint64_t streams =
        std::clamp<std::uint64_t>((std::uint64_t{4} << 20) / (step * room), 1, 32);
    std::vector<std::string_view> parts(cores);
    for (std::uint64_t from = table.firstRow(); from < table.endRow();) {
        std::vector<std::thread> threads;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> stretches;
        for (std::uint64_t start = from; stretches.size() < cores && start < table.endRow();) {
            const std::uint64_t end = std::min(table.endRow(), (start / step + streams) * step);
            stretches.emplace_back(start, end);
            start = end;
        }
        const auto make = [&](std::size_t i) {
            parts[i] = workers[i]->makeRows(stretches[i].first, stretches[i].second, lineEnd);
        };
        for (std::size_t i = 1; i < stretches.size(); ++i) {
            threads.emplace_back(make, i);
        }
        make(0);
        for (std::thread& t : threads) {
            t.join();
        }
        from = stretches.back().second;
        for (std::size_t i = 0; i < stretches.size(); ++i) {
            if (!sink.write(parts[i])) {
                return;
            }
        }
    }
}

int runRows(const Run& run, const KeySource& keys, const RandomSource::Clock& clock) {
    const RowsSettings& s = run.request.rows;
    const auto usage = [&](const std::string& text) {
        run.err << "ovantis-cli: " << text << '\n';
        return kExitUsage;
    };
    const std::optional<RowsFormat> format = RowsTable::formatNamed(s.format);
    if (!format) {
        return usage(
            texts::kBadFormatName.fill(run.language, {"'" + sys::printable(s.format) + "'"}));
    }
    if (!SchemaReader::nameOk(s.table)) {
        return usage(
            texts::kBadTableName.fill(run.language, {"'" + sys::printable(s.table) + "'"}));
    }
    RowsTable::Run rowsRun{.format = *format,
                           .header = !s.noHeader,
                           .table = s.table,
                           .rows = s.count,
                           .budget = run.request.memoryBudget};
    if (!s.shard.empty() && !RowsTable::readShard(s.shard, rowsRun.shard, rowsRun.shards)) {
        return writeChecked(run,
                            {.kind = Refusal::Kind::BadShard,
                             .values = {"'" + sys::printable(s.shard) + "'",
                                        std::to_string(RowsTable::kMostShards)}},
                            0, {});
    }
    if (s.count <= 0) {
        return writeChecked(run, countTooLow("-n,--count", s.count), 0, {});
    }
    const RowsInput input = readRowsInput(s, run.language);
    if (!input.refused.empty()) {
        // Stopped while a file read waited, as for a FIFO nobody writes.
        if (const int signal = sys::Signals::stopSignal(); signal != 0 && input.ioError) {
            return 128 + signal;
        }
        run.err << "ovantis-cli: " << input.refused << '\n';
        return input.ioError ? kExitIo : kExitUsage;
    }
    rowsRun.words = input.words ? &*input.words : nullptr;
    const std::time_t now = clock ? clock() : std::time(nullptr);
    // A seeded run, or a part of one, must not depend on when it ran.
    if (run.request.source == Source::Secure && s.shard.empty()) {
        rowsRun.nowMillis = static_cast<std::int64_t>(now) * 1000;
    }
    const EntropyPool key = run.request.source == Source::Seeded
                                ? RowsTable::seededKey(run.request.seed)
                            : run.request.source == Source::CurrentSecond
                                ? RowsTable::seededKey(static_cast<std::uint64_t>(now))
                                : EntropyPool(keys);
    std::optional<RowsTable> table;
    if (const SchemaRefusal r = RowsTable::check(input.columns, rowsRun, key, table)) {
        return usage(wordedSchema(r, input, run.language));
    }
    if (s.info) {
        std::string lines;
        for (const std::string& line : table->infoLines(run.language)) {
            lines += lines.empty() ? "" : "\n";
            lines += line;
        }
        return writeInfo(run, lines);
    }
    const std::uint64_t bound =
        outputBound(static_cast<std::int64_t>(table->endRow() - table->firstRow()) + 1,
                    table->maxRowBytes(), run.request.crlf);
    return writeChecked(run, {}, bound, [&](std::ostream& stream) {
        writeRows(*table, run.request.crlf ? "\r\n" : "\n", stream);
        return kExitOk;
    });
}

}  // namespace

int runRequest(const Request& request, const KeySource& keys, const RandomSource::Clock& clock,
               std::ostream& out, std::ostream& err, Language language,
               const sys::LocaleText& encoding) {
    const Run run{request, out, err, language, encoding};
    if (request.command == Command::Pattern) {
        return runPattern(run, keys, clock);
    }
    if (request.command == Command::Rows) {
        return runRows(run, keys, clock);
    }
    const std::unique_ptr<RandomSource> random = makeSource(request, keys, clock);
    switch (request.command) {
        case Command::String:
            return runBatch<StringGenerator>(run, request.string, *random);
        case Command::Number:
            return runBatch<NumberGenerator>(run, readBoundsBy(request.number, *random), *random);
        case Command::Time:
        case Command::Pattern:
        case Command::Rows:
            break;
    }
    const std::int64_t lineBytes =
        static_cast<std::int64_t>(eventLine(LocalTime{}, request.time.iso).size());
    return writeChecked(
        run, check(request.time), outputBound(request.time.count, lineBytes, request.crlf),
        [&](std::ostream& stream) { return runEvents(run, *random, stream); }, true);
}

}  // namespace ovantis::cli
