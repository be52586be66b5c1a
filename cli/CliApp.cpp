#include "CliApp.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <thread>

#include "AtomicFile.h"
#include "CliHost.h"
#include "ControlIds.h"
#include "FdStreambuf.h"
#include "Interrupt.h"
#include "NumberGenerator.h"
#include "StringGenerator.h"
#include "TimedRun.h"

namespace ovantis::cli {
namespace {

constexpr const char* kVersion = "ovantis-cli 1.0.127";
constexpr std::size_t kChunk = 64 * 1024;

struct UsageError {
    std::string message;
};

struct Common {
    std::string seed;
    bool secure = false;
    std::string output;
    bool crlf = false;
};

// Option values as typed; checked strictly after parsing.
struct Options {
    Common common;
    bool upper = false, lower = false, digits = false;
    std::string head, tail, minLength, maxLength, count;
    bool integer = false, decimal = false;
    std::string low, high, places;
    std::optional<std::string> exec;
    std::string minDelay, maxDelay;
};

void requireWhole(const std::string& option, const std::string& value) {
    static const std::regex whole("[+-]?[0-9]+");
    if (value.empty()) {
        return;
    }
    if (!std::regex_match(value, whole)) {
        throw UsageError{option + ": '" + value + "' is not a whole number"};
    }
    const std::string digits = value.substr(value.find_first_of("0123456789"));
    const std::string magnitude =
        digits.substr(std::min(digits.find_first_not_of('0'), digits.size() - 1));
    const bool negative = value[0] == '-';
    const std::string limit = negative ? "2147483648" : "2147483647";
    if (magnitude.size() > limit.size() ||
        (magnitude.size() == limit.size() && magnitude > limit)) {
        throw UsageError{option + ": '" + value + "' is outside -2147483648..2147483647"};
    }
}

void requireNumber(const std::string& option, const std::string& value) {
    static const std::regex number(R"([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?)");
    if (!value.empty() && !std::regex_match(value, number)) {
        throw UsageError{option + ": '" + value + "' is not a number"};
    }
}

std::uint32_t parseSeed(const std::string& value) {
    static const std::regex digits("[0-9]{1,10}");
    if (!std::regex_match(value, digits) || std::stoull(value) > 0xFFFFFFFFull) {
        throw UsageError{"--seed: '" + value + "' is not a whole number from 0 to 4294967295"};
    }
    return static_cast<std::uint32_t>(std::stoull(value));
}

void setIfGiven(CliHost& host, int id, const std::string& value) {
    if (!value.empty()) {
        host.setText(id, value);
    }
}

void addCommon(CLI::App& command, Common& common) {
    auto* seed = command
                     .add_option("--seed", common.seed,
                                 "Seed the classic source with S instead of the current second")
                     ->type_name("S");
    command.add_flag("--secure", common.secure, "Draw from the operating system (unguessable)")
        ->excludes(seed);
    command.add_option("-o,--output", common.output, "Write to FILE (replaced atomically)")
        ->type_name("FILE");
    command.add_flag("--crlf", common.crlf, "End lines with CR LF instead of LF");
}

// Hands finished chunks to the stream, so memory stays flat whatever the count.
class StreamSink : public TextSink {
  public:
    explicit StreamSink(std::ostream& stream) : m_stream(stream) {}
    void drain(std::string& buffer) override {
        m_stream.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
    }

  private:
    std::ostream& m_stream;
};

// Where the lines go: the given stream, or a file replaced atomically.
class Destination {
  public:
    Destination(std::ostream& out, const std::string& path) : m_stream(&out) {
        if (!path.empty()) {
            m_file = std::make_unique<AtomicFile>(path);
            if (m_file->open()) {
                m_buffer = std::make_unique<FdStreambuf>(m_file->fd());
                m_own = std::make_unique<std::ostream>(m_buffer.get());
                m_stream = m_own.get();
            }
        }
    }
    bool ready() const { return !m_file || m_buffer; }
    std::ostream& stream() { return *m_stream; }

    // Flushes and, for a file, puts it in place. Returns the exit status.
    int finish(std::ostream& err, bool interruptedRun) {
        m_stream->flush();
        if (m_file && !interruptedRun && *m_stream) {
            m_own.reset();
            m_buffer.reset();
            if (!m_file->commit()) {
                err << "ovantis-cli: " << m_file->error() << '\n';
                return kExitIo;
            }
            return kExitOk;
        }
        if (interruptedRun) {
            return kExitInterrupted;
        }
        if (!*m_stream) {
            const auto* fdBuffer = dynamic_cast<FdStreambuf*>(m_stream->rdbuf());
            if (fdBuffer != nullptr && fdBuffer->brokenPipe()) {
                return kExitOk;  // the reader has all it wanted (| head)
            }
            err << "ovantis-cli: write error";
            if (fdBuffer != nullptr && fdBuffer->error() != 0) {
                err << ": " << std::strerror(fdBuffer->error());
            }
            err << '\n';
            return kExitIo;
        }
        return kExitOk;
    }
    const std::string& openError() const { return m_file->error(); }

  private:
    std::ostream* m_stream;
    std::unique_ptr<AtomicFile> m_file;
    std::unique_ptr<FdStreambuf> m_buffer;
    std::unique_ptr<std::ostream> m_own;
};

// Settings are validated first, so rejected ones never create a file; then the
// writer fills the destination and the exit status follows from how it went.
int writeValidated(bool accepted, const Common& common, std::ostream& out, std::ostream& err,
                   const std::function<void(std::ostream&)>& write) {
    if (!accepted) {
        return kExitUsage;
    }
    Destination destination(out, common.output);
    if (!destination.ready()) {
        err << "ovantis-cli: " << destination.openError() << '\n';
        return kExitIo;
    }
    write(destination.stream());
    return destination.finish(err, interrupted());
}

void streamLines(LinePage& page, const Common& common, std::ostream& stream) {
    StreamSink sink(stream);
    const std::string_view lineEnd = common.crlf ? "\r\n" : "\n";
    const std::int64_t count = page.count();
    std::string chunk;
    chunk.reserve(kChunk + 256);
    bool stopped = false;
    for (std::int64_t i = 0; i < count && !stopped; ++i) {
        page.streamLine(chunk, sink);
        chunk += lineEnd;
        if (chunk.size() >= kChunk) {
            sink.drain(chunk);
            stopped = !stream || interrupted();
        }
    }
    sink.drain(chunk);
}

// Waits out a delay in slices so Ctrl-C is noticed promptly.
void sleepFor(int milliseconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!interrupted()) {
        const auto left = until - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) {
            return;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(50)));
    }
}

void runEvents(TimedRun& run, CliHost& host, const Common& common, std::ostream& stream) {
    const TimeSettings& settings = run.settings();
    for (std::int32_t fired = 0; fired < settings.count && stream && !interrupted(); ++fired) {
        sleepFor(run.nextDelay());
        if (interrupted()) {
            break;
        }
        stream << TimedRun::formatTime(host.localTimeNow()) << (common.crlf ? "\r\n" : "\n");
        stream.flush();
        if (settings.runExternal != 0) {
            host.shellOpen(settings.command);
        }
    }
}

std::unique_ptr<RandomSource> makeSource(const Common& common) {
    if (common.secure) {
        return std::make_unique<RandomSource>(RandomSource::Kind::Secure);
    }
    if (!common.seed.empty()) {
        const std::time_t seed = parseSeed(common.seed);
        return std::make_unique<RandomSource>(RandomSource::Kind::Classic, [seed] { return seed; });
    }
    return std::make_unique<RandomSource>();
}

const char* kFooter = R"(
Examples:
  ovantis-cli string -n 3 -U -L -D --min-length 12 --max-length 16
  ovantis-cli string --head user_ --tail @example.com --lower -n 100 -o users.txt
  ovantis-cli number --integer --low 1 --high 6 -n 10
  ovantis-cli number --decimal --low 0 --high 1 --places 4 --seed 42
  ovantis-cli time -n 3 --min-delay 0 --max-delay 1000

Without --seed or --secure each run is seeded from the current second, like
the window: the same settings in the same second give the same lines.
Exit status: 0 done, 1 I/O error, 2 usage error or rejected settings.
)";

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    CLI::App app{"Ovantis: random test data, the same way every time.", "ovantis-cli"};
    app.set_version_flag("--version", kVersion);
    app.require_subcommand(1, 1);
    app.footer(kFooter);

    CLI::App* string = app.add_subcommand("string", "Random strings from chosen character classes");
    string->add_flag("-U,--upper", o.upper, "Upper-case letters A-Z");
    string->add_flag("-L,--lower", o.lower, "Lower-case letters a-z");
    string->add_flag("-D,--digits", o.digits, "Digits 0-9 (no class flag: upper and lower)");
    string->add_option("--head", o.head, "Fixed text before each string")->type_name("T");
    string->add_option("--tail", o.tail, "Fixed text after each string")->type_name("T");
    string->add_option("--min-length", o.minLength, "Shortest length (default 5)")->type_name("N");
    string->add_option("--max-length", o.maxLength, "Longest length (default 8)")->type_name("N");
    string->add_option("-n,--count", o.count, "How many lines (default 10)")->type_name("N");
    string->footer(kFooter);
    addCommon(*string, o.common);

    CLI::App* number = app.add_subcommand("number", "Random integers and decimals within a range");
    number->add_flag("--integer", o.integer, "Integers from the truncated bounds");
    number->add_flag("--decimal", o.decimal, "Decimals with fixed places (no type flag: both)");
    number->add_option("--low", o.low, "Lower bound (default 80)")->type_name("X");
    number->add_option("--high", o.high, "Upper bound (default 100)")->type_name("Y");
    number->add_option("--places", o.places, "Decimal places, 0 to 100 (default 2)")
        ->type_name("N");
    number->add_option("-n,--count", o.count, "How many lines (default 10)")->type_name("N");
    number->footer(kFooter);
    addCommon(*number, o.common);

    CLI::App* time = app.add_subcommand("time", "Local date and time lines at random delays");
    time->add_option("--exec", o.exec, "Open CMD at each event (one program or document name)")
        ->type_name("CMD");
    time->add_option("--min-delay", o.minDelay, "Shortest delay in ms (default 500)")
        ->type_name("MS");
    time->add_option("--max-delay", o.maxDelay, "Longest delay in ms (default 3000)")
        ->type_name("MS");
    time->add_option("-n,--count", o.count, "How many events (default 10)")->type_name("N");
    time->footer(kFooter);
    addCommon(*time, o.common);

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e, out, err);
        return status == 0 ? kExitOk : kExitUsage;
    }

    try {
        for (const auto& [option, value] : {std::pair{"--min-length", o.minLength},
                                            {"--max-length", o.maxLength},
                                            {"--count", o.count},
                                            {"--places", o.places},
                                            {"--min-delay", o.minDelay},
                                            {"--max-delay", o.maxDelay}}) {
            requireWhole(option, value);
        }
        requireNumber("--low", o.low);
        requireNumber("--high", o.high);
        const std::unique_ptr<RandomSource> random = makeSource(o.common);

        if (string->parsed()) {
            CliHost host(StringGenerator::initialContent(), err);
            if (o.upper || o.lower || o.digits) {
                host.setCheck(ids::kUpper, o.upper);
                host.setCheck(ids::kLower, o.lower);
                host.setCheck(ids::kDigits, o.digits);
            }
            host.setText(ids::kHead, o.head);
            host.setText(ids::kTail, o.tail);
            setIfGiven(host, ids::kMinLength, o.minLength);
            setIfGiven(host, ids::kMaxLength, o.maxLength);
            setIfGiven(host, ids::kStringCount, o.count);
            StringGenerator page(host, *random);
            return writeValidated(page.Validate(), o.common, out, err, [&](std::ostream& stream) {
                streamLines(page, o.common, stream);
            });
        }
        if (number->parsed()) {
            CliHost host(NumberGenerator::initialContent(), err);
            if (o.integer || o.decimal) {
                host.setCheck(ids::kIntegerOn, o.integer);
                host.setCheck(ids::kFloatOn, o.decimal);
            }
            setIfGiven(host, ids::kLow, o.low);
            setIfGiven(host, ids::kHigh, o.high);
            setIfGiven(host, ids::kPlaces, o.places);
            setIfGiven(host, ids::kNumberCount, o.count);
            NumberGenerator page(host, *random);
            return writeValidated(page.Validate(), o.common, out, err, [&](std::ostream& stream) {
                streamLines(page, o.common, stream);
            });
        }
        CliHost host(TimedRun::initialContent(), err);
        if (o.exec) {
            host.setCheck(ids::kRunExternal, true);
            host.setText(ids::kCommand, *o.exec);
        }
        setIfGiven(host, ids::kMinDelay, o.minDelay);
        setIfGiven(host, ids::kMaxDelay, o.maxDelay);
        setIfGiven(host, ids::kCountEvents, o.count);
        TimedRun run(host, *random);
        return writeValidated(run.Validate(), o.common, out, err, [&](std::ostream& stream) {
            runEvents(run, host, o.common, stream);
        });
    } catch (const UsageError& e) {
        err << "ovantis-cli: " << e.message << "\nRun with --help for more information.\n";
        return kExitUsage;
    }
}

}  // namespace ovantis::cli
