// Feeds argument lists to ovantis-cli's run(), any number in them, within a
// budget per input that stops a run the way a user's would be stopped: output
// past a byte limit fails as on a full disk, result files stop at a file size
// limit, and a deadline asks for a stop as Ctrl-C does. The arguments are
// rewritten first so no input waits, writes outside a scratch folder or
// starts anything but /bin/true.
#include <pthread.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

#include "CliApp.h"
#include "Signals.h"

namespace {

namespace fs = std::filesystem;

// Far above one 64 KiB chunk, so a stop falls mid-run, yet cheap to make.
constexpr std::streamsize kOutputBytes = 256 * 1024;
constexpr rlim_t kFileBytes = 16 * 1024 * 1024;
// Long enough for megabytes of lines; time --exec spawns until it passes.
constexpr std::chrono::milliseconds kDeadline{100};
constexpr const char* kHarmlessProgram = "/bin/true";

// Counts bytes, keeps none, and refuses those past the limit.
class LimitedBuffer : public std::streambuf {
  public:
    explicit LimitedBuffer(std::streamsize limit) : m_left(limit) {}

  protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) {
            return traits_type::not_eof(ch);
        }
        if (m_left == 0) {
            return traits_type::eof();
        }
        --m_left;
        return ch;
    }
    std::streamsize xsputn(const char*, std::streamsize count) override {
        const std::streamsize taken = std::min(count, m_left);
        m_left -= taken;
        return taken;
    }

  private:
    std::streamsize m_left;
};

// Where -o files go, emptied after each input. A file larger than the limit
// fails with EFBIG instead of filling the disk.
class Scratch {
  public:
    Scratch() {
        std::string root = (fs::temp_directory_path() / "ovantis-fuzz-XXXXXX").string();
        if (::mkdtemp(root.data()) == nullptr) {
            std::perror("ovantis fuzz: mkdtemp");
            std::abort();
        }
        m_root = root;
        fs::create_directory(out());
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = std::min(limit.rlim_max, kFileBytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    // "." and ".." stay: they name the scratch folders themselves.
    std::string file(std::string name) const {
        if (name.empty() || name == "-") {
            return name;  // standard output
        }
        std::replace(name.begin(), name.end(), '/', '_');
        return (out() / name).string();
    }
    void empty() const {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(out(), ignored)) {
            fs::remove_all(entry.path(), ignored);
        }
    }

  private:
    fs::path out() const { return m_root / "out"; }

    fs::path m_root;
};

// Asks the run to stop once its deadline passes, as a signal would.
class Deadline {
  public:
    Deadline() : m_thread([this] { watch(); }) {}
    ~Deadline() {
        {
            const std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

    void arm() {
        {
            const std::lock_guard lock(m_mutex);
            m_due = std::chrono::steady_clock::now() + kDeadline;
            m_armed = true;
        }
        m_wake.notify_one();
    }
    // No stop is requested once this returns.
    void disarm() {
        const std::lock_guard lock(m_mutex);
        m_armed = false;
    }

  private:
    void watch() {
        // Signals go to the fuzzed thread, so a timeout report shows its stack.
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, nullptr);
        std::unique_lock lock(m_mutex);
        while (!m_quit) {
            if (!m_armed) {
                m_wake.wait(lock);
            } else if (std::chrono::steady_clock::now() >= m_due) {
                ovantis::sys::Signals::requestStop(SIGTERM);
                m_armed = false;
            } else {
                m_wake.wait_until(lock, m_due);
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::chrono::steady_clock::time_point m_due;
    bool m_armed = false;
    bool m_quit = false;
    std::thread m_thread;
};

// Splits at NUL bytes and newlines.
std::vector<std::string> arguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 || data[i] == '\n') {
            out.emplace_back();
        } else {
            out.back().push_back(static_cast<char>(data[i]));
        }
    }
    return out;
}

std::string zeroDigits(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (!digit) {
            out.push_back(text[i]);
        } else if (i == 0 || text[i - 1] < '0' || text[i - 1] > '9') {
            out.push_back('0');
        }
    }
    return out;
}

enum class Value { None, Output, Input, Exec, Delay };

Value valueOf(const std::string& longName) {
    if (longName == "--output") {
        return Value::Output;
    }
    if (longName == "--exec") {
        return Value::Exec;
    }
    // Files read: one named /dev/stdin or a FIFO would wait.
    if (longName == "--schema" || longName == "--words") {
        return Value::Input;
    }
    if (longName == "--delay" || longName == "--min-delay" || longName == "--max-delay") {
        return Value::Delay;
    }
    return Value::None;
}

// Rewrites the arguments so -o, --schema and --words name files in the
// scratch folder, --exec
// starts /bin/true and every delay is zero. Errs on the side of rewriting:
// a token that merely might be such a value is rewritten too, so no reading
// of the command line can escape. Returns whether a file may be written.
bool tame(std::vector<std::string>& args, const Scratch& scratch) {
    Value pending = Value::None;
    bool output = false;
    bool time = false;
    bool delays[3] = {};  // --delay, --min-delay, --max-delay given
    const auto rewrite = [&](Value kind, const std::string& value) {
        output = output || kind == Value::Output;
        return kind == Value::Output || kind == Value::Input ? scratch.file(value)
               : kind == Value::Exec                         ? std::string(kHarmlessProgram)
                                                             : zeroDigits(value);
    };
    std::size_t end = 0;
    for (; end < args.size(); ++end) {
        std::string& arg = args[end];
        if (pending != Value::None) {
            arg = rewrite(pending, arg);
            pending = Value::None;
            continue;
        }
        if (arg == "--") {
            break;  // what follows goes to the program --exec starts
        }
        time = time || arg == "time";
        if (arg.rfind("--", 0) == 0) {
            const std::size_t equals = arg.find('=');
            const std::string name = arg.substr(0, equals);
            const Value kind = valueOf(name);
            delays[0] = delays[0] || name == "--delay";
            delays[1] = delays[1] || name == "--min-delay";
            delays[2] = delays[2] || name == "--max-delay";
            if (kind != Value::None && equals != std::string::npos) {
                arg = name + "=" + rewrite(kind, arg.substr(equals + 1));
            } else {
                pending = kind;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            // A cluster like -ULo FILE or -oFILE: whatever follows an 'o'.
            const std::size_t o = arg.find('o', 1);
            if (o != std::string::npos && o + 1 < arg.size()) {
                arg = arg.substr(0, o + 1) + rewrite(Value::Output, arg.substr(o + 1));
            } else if (o != std::string::npos) {
                pending = Value::Output;
            }
        }
    }
    // The defaults wait seconds between events.
    std::vector<std::string> zeroDelays;
    if (time && !delays[0] && !delays[1]) {
        zeroDelays.insert(zeroDelays.end(), {"--min-delay", "0"});
    }
    if (time && !delays[0] && !delays[2]) {
        zeroDelays.insert(zeroDelays.end(), {"--max-delay", "0"});
    }
    args.insert(args.begin() + static_cast<std::ptrdiff_t>(end), zeroDelays.begin(),
                zeroDelays.end());
    return output;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Scratch scratch;
    static Deadline deadline;
    std::vector<std::string> args = arguments(data, size);
    const bool writesFile = tame(args, scratch);
    LimitedBuffer outBuffer(kOutputBytes);
    LimitedBuffer errBuffer(kOutputBytes);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    ovantis::sys::Signals::reset();
    deadline.arm();
    ovantis::cli::run(args, out, err);
    deadline.disarm();
    ovantis::sys::Signals::reset();
    if (writesFile) {
        scratch.empty();
    }
    return 0;
}
