#include "CliApp.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "ArgParse.h"
#include "CharacterSet.h"
#include "FdStreambuf.h"
#include "HelpFormatter.h"
#include "Launcher.h"
#include "Messages.h"
#include "Notices.h"
#include "NumberGenerator.h"
#include "OutputFile.h"
#include "Printable.h"
#include "Signals.h"
#include "StringGenerator.h"
#include "TimeSettings.h"
#include "Version.h"

namespace ovantis::cli {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::int32_t kDefaultBudgetMiB = 1024;

struct Common {
    std::string seed;
    // One --seed per subcommand; given when any of them was.
    std::vector<CLI::Option*> seedOptions;
    bool seedGiven() const {
        return std::any_of(seedOptions.begin(), seedOptions.end(),
                           [](const CLI::Option* option) { return option->count() > 0; });
    }
    bool secure = false;
    std::string output;
    bool crlf = false;
    KeySource keys;
};

// Option values as typed; read strictly after parsing.
struct Options {
    Common common;
    bool upper = false, lower = false, digits = false, symbols = false;
    std::string charset, exclude;
    bool noSimilar = false, eachClass = false, unique = false;
    std::string head, tail, minLength, maxLength, count;
    bool integer = false, decimal = false;
    std::string low, high, places;
    std::string length, range, delay;
    std::string exec;
    std::vector<std::string> execArgs;
    std::string minDelay, maxDelay;
    std::string maxMemory;
};

std::string withDefault(const std::string& what, const std::string& value) {
    return what + " (default " + value + ")";
}

// Reads an option's value when it was given, keeping the page default otherwise.
template <class Value, class Parse>
void readIfGiven(CLI::App& command, const char* name, const std::string& text, Value& value,
                 Parse parse) {
    if (command.count(name) > 0) {
        value = parse(name, text);
    }
}

void addCommon(CLI::App& command, Common& common) {
    auto* seed = command
                     .add_option("--seed", common.seed,
                                 "Seed the classic source with S (0..4294967295), or 'now' for "
                                 "the current second")
                     ->type_name("S");
    common.seedOptions.push_back(seed);
    command.add_flag("--secure", common.secure, "The secure source, as without --seed")
        ->excludes(seed);
    command
        .add_option(
            "-o,--output", common.output,
            "Write to FILE, changed only once the output is complete (- for standard output)")
        ->type_name("FILE");
    command.add_flag("--crlf", common.crlf, "End lines with CR LF instead of LF");
}

// Hands finished chunks to the stream, so memory stays flat whatever the count.
class StreamSink : public TextSink {
  public:
    explicit StreamSink(std::ostream& stream) : m_stream(stream) {}
    bool drain(std::string& buffer) override {
        m_stream.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
        return m_stream.good() && !sys::Signals::stopRequested();
    }

  private:
    std::ostream& m_stream;
};

// A closed pipe ends a run quietly; any other write error is reported, naming
// the result file if there is one.
int reportWriteError(std::ostream& stream, std::ostream& err, const std::string& path = {}) {
    const auto* fdBuffer = dynamic_cast<sys::FdStreambuf*>(stream.rdbuf());
    if (fdBuffer != nullptr && fdBuffer->brokenPipe()) {
        return kExitOk;  // the reader has all it wanted (| head)
    }
    err << "ovantis-cli: " << (path.empty() ? "write error" : "cannot write " + path);
    if (fdBuffer != nullptr && fdBuffer->error() != 0) {
        err << ": " << std::strerror(fdBuffer->error());
    }
    err << '\n';
    return kExitIo;
}

// Where the lines go: the given stream, or a result file.
class Destination {
  public:
    Destination(std::ostream& out, const std::string& path) : m_stream(&out), m_path(path) {
        // "-" is standard output, as for most tools; no -o is the same.
        if (!path.empty() && path != "-") {
            m_file = std::make_unique<sys::OutputFile>(path);
            if (m_file->open()) {
                m_buffer = std::make_unique<sys::FdStreambuf>(m_file->fd());
                m_own = std::make_unique<std::ostream>(m_buffer.get());
                m_stream = m_own.get();
            }
        }
    }
    bool ready() const { return !m_file || m_buffer; }
    std::ostream& stream() { return *m_stream; }

    // Flushes and, for a file, puts it in place: a stopped batch leaves the
    // old file as it was, a stopped log keeps the lines written so far.
    // Returns the exit status.
    int finish(std::ostream& err, bool keepWhenStopped) {
        m_stream->flush();
        const int signal = sys::Signals::stopSignal();
        if (signal != 0 && !*m_stream) {
            // Stopped while a reader took nothing: nothing more to say.
            return 128 + signal;
        }
        if (!*m_stream) {
            return reportWriteError(*m_stream, err, m_file ? m_path : std::string());
        }
        if (m_file && (signal == 0 || keepWhenStopped)) {
            m_own.reset();
            m_buffer.reset();
            if (!m_file->commit()) {
                err << "ovantis-cli: " << m_file->error() << '\n';
                return kExitIo;
            }
        }
        return signal != 0 ? 128 + signal : kExitOk;
    }
    const std::string& openError() const { return m_file->error(); }

  private:
    std::ostream* m_stream;
    std::string m_path;
    std::unique_ptr<sys::OutputFile> m_file;
    std::unique_ptr<sys::FdStreambuf> m_buffer;
    std::unique_ptr<std::ostream> m_own;
};

// Settings are checked first, so rejected ones never create a file; then the
// writer fills the destination and the exit status follows from how it went.
int writeChecked(const char* notice, const std::string& why, const Common& common,
                 std::ostream& out, std::ostream& err,
                 const std::function<int(std::ostream&)>& write, bool keepWhenStopped = false) {
    if (notice != nullptr) {
        err << "ovantis-cli: " << localized(notice) << ' ' << why << '\n';
        return kExitUsage;
    }
    Destination destination(out, common.output);
    if (!destination.ready()) {
        if (const int signal = sys::Signals::stopSignal()) {
            return 128 + signal;  // stopped while a FIFO waited for its reader
        }
        err << "ovantis-cli: " << destination.openError() << '\n';
        return kExitIo;
    }
    const int status = write(destination.stream());
    const int finished = destination.finish(err, keepWhenStopped);
    return finished != kExitOk ? finished : status;
}

template <class Generator>
void streamLines(Generator& generator, std::int64_t count, const Common& common,
                 std::ostream& stream) {
    StreamSink sink(stream);
    const std::string_view lineEnd = common.crlf ? "\r\n" : "\n";
    std::string chunk;
    chunk.reserve(kChunk + 256);
    bool going = true;
    for (std::int64_t i = 0; i < count && going; ++i) {
        if constexpr (std::is_same_v<Generator, StringGenerator>) {
            going = generator.appendLine(chunk, &sink);
        } else {
            generator.appendLine(chunk);
        }
        chunk += lineEnd;
        if (going && chunk.size() >= kChunk) {
            going = sink.drain(chunk);
        }
    }
    sink.drain(chunk);
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

LocalTime localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

// Returns kExitIo when a launch failed; the run goes on regardless.
int runEvents(const TimeSettings& settings, const std::vector<std::string>& execArgs,
              RandomSource& random, const Common& common, std::ostream& stream, std::ostream& err) {
    int status = kExitOk;
    for (std::int32_t fired = 0; fired < settings.count && stream; ++fired) {
        sleepFor(drawDelay(settings, random));
        if (sys::Signals::stopRequested()) {
            break;
        }
        stream << eventLine(localTimeNow()) << (common.crlf ? "\r\n" : "\n");
        stream.flush();
        if (settings.runExternal) {
            if (const auto failure = sys::Launcher::launch(settings.command, execArgs)) {
                err << "ovantis-cli: cannot start " << failure->text() << '\n';
                status = kExitIo;
            }
        }
    }
    sys::Launcher::reap();
    return status;
}

std::unique_ptr<RandomSource> makeSource(const Common& common) {
    // An empty --seed is a mistake, not a request for the secure source.
    if (common.secure || !common.seedGiven()) {
        return std::make_unique<RandomSource>(RandomSource::Kind::Secure, RandomSource::Clock(),
                                              common.keys);
    }
    auto random = std::make_unique<RandomSource>(RandomSource::Kind::Classic);
    if (const std::optional<std::uint32_t> seed = parseSeed(common.seed)) {
        random->seed(*seed);
    } else {
        random->Reseed();
    }
    return random;
}

std::string pair(std::int64_t low, std::int64_t high) {
    return "(got " + std::to_string(low) + " and " + std::to_string(high) + ")";
}

// Which text option is at fault and why.
std::string explainText(const StringSettings& s) {
    const struct {
        const char* option;
        const std::string& text;
        bool ranges;
    } texts[] = {{"--charset", s.charset, true},
                 {"--exclude", s.exclude, true},
                 {"--head", s.head, false},
                 {"--tail", s.tail, false}};
    for (const auto& [option, text, ranges] : texts) {
        CharacterSet set;
        const CharacterSet::TextCheck c =
            ranges ? CharacterSet::parse(text, set, option != std::string_view("--charset"))
                   : CharacterSet::checkVerbatim(text);
        if (c.fault == CharacterSet::Fault::Malformed) {
            return std::string(option) + " needs UTF-8 text";
        }
        if (c.fault == CharacterSet::Fault::Backwards) {
            return std::string(option) + " needs each range low-high in order";
        }
        if (c.fault == CharacterSet::Fault::Control) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c.point));
            return std::string(option) + " holds the control character " + code +
                   ", which would break a value over two lines";
        }
    }
    return {};
}

// Why the page's notice applies, in the options' words.
std::string explain(const char* notice, const StringSettings& s) {
    if (notice == notices::kBadCharset) {
        return explainText(s);
    }
    if (notice == notices::kNoCharClass) {
        return "no characters are left to draw from";
    }
    if (notice == notices::kBadLength && s.eachClass && s.maxLength >= s.minLength) {
        std::vector<CharacterSet> classes;
        CharacterSet::build(s, classes);
        return "--each-class needs --max-length of at least " + std::to_string(classes.size()) +
               ", one of each class (got " + std::to_string(s.maxLength) + ")";
    }
    if (notice == notices::kBadLength) {
        return "--max-length must not be below --min-length " + pair(s.minLength, s.maxLength);
    }
    return "--count must be at least 1 (got " + std::to_string(s.count) + ")";
}

// Refuses a --unique run the settings cannot fill; true when refused.
bool refuseUnique(bool unique, std::uint64_t possible, std::int32_t count, std::ostream& err) {
    if (unique && possible < static_cast<std::uint64_t>(count)) {
        err << "ovantis-cli: cannot make " << count << " unique lines: only " << possible
            << " are possible\n";
        return true;
    }
    return false;
}

// Refuses String settings whose lines would take seconds of redraws each:
// --each-class lines too rare among those drawn, or the last --unique lines
// too few among those possible. Gives the notice and sets why, or nullptr.
const char* tooSlow(const StringSettings& s, const StringGenerator& generator, std::string& why) {
    // Characters drawn in vain for one line kept.
    constexpr double kMostWasted = 1 << 26;
    const double meanLength =
        std::max(0.0, (static_cast<double>(s.minLength) + s.maxLength) / 2) + 1;
    char figure[32];
    double draws = generator.drawsPerLine();
    if ((draws - 1) * meanLength > kMostWasted) {
        std::snprintf(figure, sizeof figure, "%.3g", draws);
        why = std::string("--each-class: ") +
              (std::isinf(draws) ? "not even 1 line in 1e+12"
                                 : "only about 1 line in " + std::string(figure)) +
              " of these lengths holds every class; use longer lines or fewer classes";
        return notices::kBadLength;
    }
    if (s.unique) {
        // Drawn evenly, the last line is new once in possible / (possible - count + 1).
        const auto possible = static_cast<double>(generator.possibleLines());
        draws *= possible / (possible - s.count + 1);
        if ((draws - 1) * meanLength > kMostWasted) {
            std::snprintf(figure, sizeof figure, "%.3g", draws);
            why = "--count: the last of " + std::to_string(s.count) +
                  " unique lines would take about " + figure + " draws; ask for fewer lines";
            return notices::kBadCount;
        }
    }
    return nullptr;
}

std::string explain(const char* notice, const NumberSettings& s) {
    if (notice == notices::kBadPlaces) {
        return "--places must be 0 to 100 (got " + std::to_string(s.places) + ")";
    }
    if (notice == notices::kBadRange) {
        if (!std::isfinite(s.low) || !std::isfinite(s.high)) {
            return "--low and --high must lie within single precision";
        }
        if (s.low > s.high) {
            return "--low must not exceed --high";
        }
        std::int64_t first = 0;
        std::int64_t last = 0;
        if (s.integerOn && !wholeNumbersIn(s.low, s.high, first, last)) {
            return "--integer needs a whole number between --low and --high within 64 bits";
        }
        return "--decimal needs a value with " + std::to_string(s.places) +
               " places between --low and --high";
    }
    return "--count must be at least 1 (got " + std::to_string(s.count) + ")";
}

std::string explain(const char* notice, const TimeSettings& s) {
    if (notice == notices::kNoCommand) {
        return "--exec needs a program name";
    }
    if (notice == notices::kBadDelay) {
        return "--max-delay must not be below --min-delay " + pair(s.minDelay, s.maxDelay);
    }
    return "--count must be at least 1 (got " + std::to_string(s.count) + ")";
}

// Bytes as a rough figure a reader takes in at once, rounded up.
std::string roughSize(std::uint64_t bytes) {
    constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
    constexpr std::uint64_t kGiB = kMiB << 10;
    if (bytes < 10 * kGiB) {
        return std::to_string((bytes + kMiB - 1) / kMiB) + " MiB";
    }
    return std::to_string((bytes + kGiB - 1) / kGiB) + " GiB";
}

// Refuses a run whose remembered lines would pass the budget; true when refused.
bool refuseMemory(std::uint64_t needed, std::uint64_t budget, std::int32_t count,
                  std::ostream& err) {
    if (needed > budget) {
        err << "ovantis-cli: --unique needs about " << roughSize(needed) << " for " << count
            << " lines, above the " << (budget >> 20)
            << " MiB memory budget (raise it with --max-memory)\n";
        return true;
    }
    return false;
}

// Checks the settings, then streams the batch to its destination.
template <class Generator, class Settings>
int runBatch(const Settings& s, std::uint64_t budget, RandomSource& random, const Common& common,
             std::ostream& out, std::ostream& err) {
    const char* notice = check(s);
    std::string why = notice ? explain(notice, s) : "";
    std::optional<Generator> generator;
    if (notice == nullptr) {
        generator.emplace(s, random);
        if (refuseUnique(s.unique, generator->possibleLines(), s.count, err) ||
            refuseMemory(generator->memoryNeeded(s.count), budget, s.count, err)) {
            return kExitUsage;
        }
        if constexpr (std::is_same_v<Generator, StringGenerator>) {
            notice = tooSlow(s, *generator, why);
        }
    }
    return writeChecked(notice, why, common, out, err, [&](std::ostream& stream) {
        streamLines(*generator, s.count, common, stream);
        return kExitOk;
    });
}

const char* kUniqueHelp =
    "No line repeats within the run (every line is kept in memory to ensure it)";

// --unique and the memory budget it is held to.
void addUnique(CLI::App& command, Options& o) {
    command.add_flag("--unique", o.unique, kUniqueHelp);
    command
        .add_option("--max-memory", o.maxMemory,
                    withDefault("Memory budget for --unique in MiB; a run needing more is refused",
                                std::to_string(kDefaultBudgetMiB)))
        ->type_name("MIB");
}

// The budget in bytes: the default, or --max-memory of at least 1 MiB.
std::uint64_t memoryBudget(CLI::App& command, const std::string& text) {
    std::int32_t mebibytes = kDefaultBudgetMiB;
    readIfGiven(command, "--max-memory", text, mebibytes, parseWhole);
    if (mebibytes < 1) {
        throw UsageError("--max-memory: must be at least 1 MiB (got " + std::to_string(mebibytes) +
                         ")");
    }
    return static_cast<std::uint64_t>(mebibytes) << 20;
}

const char* kSources = R"(
Sources: without --seed every run draws from the operating system's secure
source, so no two runs repeat. --seed S draws from the classic source instead:
the window's 15-bit generator seeded with S, so the same seed and settings
always give the same lines (seeds S and S+2^31 give the same lines).
--seed now seeds it from the current second, as the window does.

Exit status: 0 done, 1 I/O error, a failed launch or memory exhausted,
2 usage error or rejected settings, 128+N when ended by signal N.
)";

const char* kStringExamples = R"(
Examples:
  ovantis-cli string -ULD --length 16 -n 3
  ovantis-cli string -L --head user_ --tail @example.com -n 100 -o users.txt
  ovantis-cli string --length 5..8 --seed 42
)";

const char* kNumberExamples = R"(
Examples:
  ovantis-cli number --integer --range 1..6 -n 10
  ovantis-cli number --decimal --range -10..10 --places 4 --seed 42
)";

const char* kTimeExamples = R"(
Examples:
  ovantis-cli time -n 3 --delay 0..1000
  ovantis-cli time -n 3 --exec notify-send -- Ovantis event
)";

// Edits that turn a into b, giving up past the limit.
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The closest of the names within two edits, or empty.
std::string closest(const std::string& typed, const std::vector<std::string>& names) {
    std::string best;
    std::size_t bestDistance = 3;
    for (const std::string& name : names) {
        const std::size_t distance = editDistance(typed, name);
        if (distance < bestDistance) {
            best = name;
            bestDistance = distance;
        }
    }
    return best;
}

std::vector<std::string> optionNames(const CLI::App& command) {
    std::vector<std::string> names;
    for (const CLI::Option* option : command.get_options()) {
        for (const std::string& name : option->get_lnames()) {
            names.push_back("--" + name);
        }
    }
    return names;
}

std::string unknown(const char* what, const std::string& typed, const std::string& suggestion) {
    std::string message = std::string("unknown ") + what + " '" + sys::printable(typed) + "'";
    return suggestion.empty() ? message : message + "; did you mean '" + suggestion + "'?";
}

// "MIN..MAX", or one value for both when allowed.
std::pair<std::string, std::string> splitRange(const std::string& option, const std::string& text,
                                               bool singleAllowed) {
    const std::size_t dots = text.find("..");
    if (dots == std::string::npos) {
        if (!singleAllowed) {
            throw UsageError(option + ": '" + sys::printable(text) + "' is not a range LOW..HIGH");
        }
        return {text, text};
    }
    return {text.substr(0, dots), text.substr(dots + 2)};
}

// A short range option, or the long pair it stands for; never both.
template <class Value, class Parse>
void readPair(CLI::App& command, const char* shortName, const std::string& shortText,
              bool singleAllowed, const char* lowName, const std::string& lowText,
              const char* highName, const std::string& highText, Value& low, Value& high,
              Parse parse) {
    if (command.count(shortName) > 0) {
        if (command.count(lowName) > 0 || command.count(highName) > 0) {
            throw UsageError(std::string(shortName) + " cannot be combined with " + lowName +
                             " or " + highName);
        }
        const auto [lowPart, highPart] = splitRange(shortName, shortText, singleAllowed);
        low = parse(shortName, lowPart);
        high = parse(shortName, highPart);
        return;
    }
    readIfGiven(command, lowName, lowText, low, parse);
    readIfGiven(command, highName, highText, high, parse);
}

struct Commands {
    CLI::App* string;
    CLI::App* number;
    CLI::App* time;
};

// The whole command line, its options bound to o; parses nothing.
Commands buildApp(CLI::App& app, Options& o) {
    const std::string version = std::string("ovantis-cli ") + version::kText;
    app.name("ovantis-cli");
    app.description("Ovantis: random test data: strings, numbers and timed events.");
    app.formatter(std::make_shared<HelpFormatter>());
    app.set_version_flag("--version", version);
    app.require_subcommand(1, 1);
    // Extras are reported by us, in the order given and with a suggestion.
    app.allow_extras();
    app.footer(kSources);

    const StringSettings s0;
    CLI::App* string = app.add_subcommand("string", "Random strings from chosen character classes");
    string->add_flag("-U,--upper", o.upper, "Upper-case letters A-Z");
    string->add_flag("-L,--lower", o.lower, "Lower-case letters a-z");
    string->add_flag("-D,--digits", o.digits, "Digits 0-9 (no class flag: upper and lower)");
    string->add_flag(
        "-S,--symbols", o.symbols,
        "Printable ASCII punctuation, the 32 characters !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~");
    string
        ->add_option("--charset", o.charset,
                     "Also draw from the characters in TEXT (UTF-8; ranges like a-f0-9; a '-' "
                     "first or last is literal)")
        ->type_name("TEXT");
    string->add_option("--exclude", o.exclude, "Never use the characters in TEXT (as --charset)")
        ->type_name("TEXT");
    string->add_flag("-B,--no-similar", o.noSimilar, "Leave out look-alikes: 0 O o 1 l I |");
    string->add_flag("--each-class", o.eachClass,
                     "At least one character of every chosen class per line (whole lines redrawn)");
    addUnique(*string, o);
    string->add_option("--head", o.head, "Fixed text before each string")->type_name("T");
    string->add_option("--tail", o.tail, "Fixed text after each string")->type_name("T");
    string
        ->add_option(
            "--length", o.length,
            withDefault("Length N, or a range MIN..MAX",
                        std::to_string(s0.minLength) + ".." + std::to_string(s0.maxLength)))
        ->type_name("N|MIN..MAX");
    string->add_option("--min-length", o.minLength, "Shortest length")->type_name("N");
    string->add_option("--max-length", o.maxLength, "Longest length")->type_name("N");
    string
        ->add_option("-n,--count", o.count, withDefault("How many lines", std::to_string(s0.count)))
        ->type_name("N");
    string->footer(kStringExamples);

    const NumberSettings n0;
    CLI::App* number = app.add_subcommand("number", "Random integers and decimals within a range");
    number->add_flag("--integer", o.integer, "Whole numbers within the range");
    number->add_flag("--decimal", o.decimal, "Decimals with fixed places (no type flag: both)");
    number
        ->add_option("--range", o.range,
                     withDefault("Bounds, e.g. -10..10",
                                 std::to_string(int(n0.low)) + ".." + std::to_string(int(n0.high))))
        ->type_name("LOW..HIGH");
    number->add_option("--low", o.low, "Lower bound")->type_name("X");
    number->add_option("--high", o.high, "Upper bound")->type_name("Y");
    addUnique(*number, o);
    number
        ->add_option("--places", o.places,
                     withDefault("Decimal places, 0 to 100", std::to_string(n0.places)))
        ->type_name("N");
    number
        ->add_option("-n,--count", o.count, withDefault("How many lines", std::to_string(n0.count)))
        ->type_name("N");
    number->footer(kNumberExamples);

    const TimeSettings t0;
    CLI::App* time = app.add_subcommand("time", "Local date and time lines at random delays");
    time->add_option("--exec", o.exec,
                     "Start PROGRAM at each event (never through a shell); its arguments follow "
                     "-- one by one. A document or URL opens in its desktop application.")
        ->type_name("PROGRAM");
    time->add_option("--delay", o.delay,
                     withDefault("Delay before each event in ms, MIN..MAX",
                                 std::to_string(t0.minDelay) + ".." + std::to_string(t0.maxDelay)))
        ->type_name("MIN..MAX");
    time->add_option("--min-delay", o.minDelay, "Shortest delay in ms")->type_name("MS");
    time->add_option("--max-delay", o.maxDelay, "Longest delay in ms")->type_name("MS");
    time->add_option("-n,--count", o.count,
                     withDefault("How many events", std::to_string(t0.count)))
        ->type_name("N");
    time->footer(kTimeExamples);

    for (CLI::App* command : {string, number, time}) {
        addCommon(*command, o.common);
        command->allow_extras();
    }
    return {string, number, time};
}

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               KeySource keys) {
    Options o;
    o.common.keys = std::move(keys);
    CLI::App app;
    const Commands commands = buildApp(app, o);
    CLI::App* const string = commands.string;
    CLI::App* const number = commands.number;
    CLI::App* const time = commands.time;

    try {
        // The argv form keeps unexpected arguments in the order given.
        std::vector<const char*> argv{"ovantis-cli"};
        // What follows "--" belongs to the program --exec starts.
        const auto separator = std::find(args.begin(), args.end(), "--");
        o.execArgs.assign(separator == args.end() ? separator : separator + 1, args.end());
        for (auto arg = args.begin(); arg != separator; ++arg) {
            argv.push_back(arg->c_str());
        }
        if (!args.empty() && !args[0].empty() && args[0][0] != '-' &&
            app.get_subcommands([&](CLI::App* command) { return command->get_name() == args[0]; })
                .empty()) {
            throw UsageError(
                unknown("command", args[0], closest(args[0], {"string", "number", "time"})));
        }
        app.parse(static_cast<int>(argv.size()), argv.data());
        if (!o.execArgs.empty() && !time->parsed()) {
            throw UsageError("arguments after -- need time --exec PROGRAM");
        }
        for (CLI::App* command : {string, number, time}) {
            if (command->count("--output") > 0 && o.common.output.empty()) {
                throw UsageError("--output: a file name is required (- for standard output)");
            }
        }
        for (CLI::App* command : {&app, string, number, time}) {
            if (command->remaining().empty()) {
                continue;
            }
            const std::string first = command->remaining().front();
            if (first.rfind("--", 0) == 0) {
                throw UsageError(unknown("option", first, closest(first, optionNames(*command))));
            }
            std::string extras;
            for (const std::string& arg : command->remaining()) {
                extras += " " + sys::printable(arg);
            }
            throw UsageError("not expected:" + extras);
        }
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e, out, err);
        out.flush();
        if (status != 0) {
            return kExitUsage;
        }
        return out ? kExitOk : reportWriteError(out, err);
    } catch (const UsageError& e) {
        err << "ovantis-cli: " << e.what() << "\nRun with --help for more information.\n";
        return kExitUsage;
    }

    try {
        const std::unique_ptr<RandomSource> random = makeSource(o.common);
        if (string->parsed()) {
            StringSettings s;
            if (o.upper || o.lower || o.digits || o.symbols || string->count("--charset") > 0) {
                s.upper = o.upper;
                s.lower = o.lower;
                s.digits = o.digits;
                s.symbols = o.symbols;
            }
            s.charset = o.charset;
            s.exclude = o.exclude;
            s.noSimilar = o.noSimilar;
            s.eachClass = o.eachClass;
            s.unique = o.unique;
            s.head = o.head;
            s.tail = o.tail;
            readPair(*string, "--length", o.length, true, "--min-length", o.minLength,
                     "--max-length", o.maxLength, s.minLength, s.maxLength, parseWhole);
            readIfGiven(*string, "--count", o.count, s.count, parseWhole);
            return runBatch<StringGenerator>(s, memoryBudget(*string, o.maxMemory), *random,
                                             o.common, out, err);
        }
        if (number->parsed()) {
            NumberSettings s;
            if (o.integer || o.decimal) {
                s.integerOn = o.integer;
                s.decimalOn = o.decimal;
            }
            readPair(*number, "--range", o.range, false, "--low", o.low, "--high", o.high, s.low,
                     s.high, parseDecimal);
            readIfGiven(*number, "--places", o.places, s.places, parseWhole);
            readIfGiven(*number, "--count", o.count, s.count, parseWhole);
            s.unique = o.unique;
            return runBatch<NumberGenerator>(s, memoryBudget(*number, o.maxMemory), *random,
                                             o.common, out, err);
        }
        TimeSettings s;
        if (time->count("--exec") > 0) {
            s.runExternal = true;
            s.command = o.exec;
        } else if (!o.execArgs.empty()) {
            throw UsageError("arguments after -- need --exec PROGRAM");
        }
        readPair(*time, "--delay", o.delay, false, "--min-delay", o.minDelay, "--max-delay",
                 o.maxDelay, s.minDelay, s.maxDelay, parseWhole);
        readIfGiven(*time, "--count", o.count, s.count, parseWhole);
        const char* notice = check(s);
        return writeChecked(
            notice, notice ? explain(notice, s) : "", o.common, out, err,
            [&](std::ostream& stream) {
                return runEvents(s, o.execArgs, *random, o.common, stream, err);
            },
            true);
    } catch (const UsageError& e) {
        err << "ovantis-cli: " << e.what() << "\nRun with --help for more information.\n";
        return kExitUsage;
    } catch (const std::system_error& e) {
        // The secure source without its key: no run, never a weaker key.
        if (const int signal = sys::Signals::stopSignal()) {
            return 128 + signal;
        }
        err << "ovantis-cli: " << e.what() << '\n';
        return kExitIo;
    } catch (const std::runtime_error& e) {
        err << "ovantis-cli: " << e.what() << '\n';
        return kExitUsage;
    }
}

}  // namespace

std::shared_ptr<const CLI::App> describe() {
    struct Described {
        Options options;
        CLI::App app;
    };
    auto described = std::make_shared<Described>();
    buildApp(described->app, described->options);
    return {described, &described->app};
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        KeySource keys) {
    try {
        return runCommand(args, out, err, std::move(keys));
    } catch (const std::bad_alloc&) {
        // Unwinding has discarded the result file's new content.
        err << "ovantis-cli: out of memory; the run was stopped and any -o file left as it was\n";
        return kExitIo;
    }
}

}  // namespace ovantis::cli
