// The yardstick ovantis-cli is measured against: what a careful hand-written
// generator does for the same shapes, and a timer that prints the table.
//
//   ovantis_reference int LOW HIGH COUNT
//   ovantis_reference dec LOW HIGH PLACES COUNT
//   ovantis_reference str ALPHABET LENGTH COUNT
//   ovantis_reference --table OVANTIS_CLI [RUNS]
//
// Words come from xoshiro256**. Each word gives k draws in [0, n) at once,
// k chosen with n^k <= 2^64: repeated multiply-shift reads the base-n digits
// of floor(x * n^k / 2^64), and the word is rejected exactly when its final
// leftover (x * n^k mod 2^64) is below 2^64 mod n^k, which is Lemire's exact
// test on the k-digit value, so every draw is uniform and independent.
#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

__extension__ typedef unsigned __int128 u128;

std::uint64_t s[4];

inline std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

inline std::uint64_t next() {
    const std::uint64_t result = rotl(s[1] * 5, 7) * 9;
    const std::uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = rotl(s[3], 45);
    return result;
}

void seedFromSystem() {
    const int fd = open("/dev/urandom", O_RDONLY);
    if (fd < 0 || read(fd, s, sizeof s) != static_cast<ssize_t>(sizeof s)) {
        std::perror("/dev/urandom");
        std::exit(1);
    }
    close(fd);
}

struct Draws {
    std::uint64_t n = 1;
    int k = 1;
    std::uint64_t span = 0;    // n^k mod 2^64
    std::uint64_t reject = 0;  // 2^64 mod n^k
};

// The k that gives the most accepted draws per word.
Draws prepare(std::uint64_t n) {
    Draws best{n, 1, n, n == 0 ? 0 : (0 - n) % n};
    double bestRate = 0;
    u128 span = 1;
    for (int k = 1; k <= 64; ++k) {
        span *= n;
        if (span > (u128{1} << 64)) {
            break;
        }
        const auto low = static_cast<std::uint64_t>(span);
        const std::uint64_t reject = low == 0 ? 0 : (0 - low) % low;
        const double rate = k * (1 - static_cast<double>(reject) / 18446744073709551616.0);
        if (rate > bestRate) {
            bestRate = rate;
            best = {n, k, low, reject};
        }
        if (n == 1) {
            break;
        }
    }
    return best;
}

// Fills out with k draws from one accepted word.
inline void drawGroup(const Draws& d, std::uint32_t* out) {
    std::uint64_t x = next();
    while (x * d.span < d.reject) {
        x = next();
    }
    for (int i = 0; i < d.k; ++i) {
        const u128 m = u128{x} * d.n;
        out[i] = static_cast<std::uint32_t>(m >> 64);
        x = static_cast<std::uint64_t>(m);
    }
}

constexpr std::size_t kChunk = 64 * 1024;
char buffer[kChunk + 4096];
std::size_t used = 0;

void flush() {
    std::size_t done = 0;
    while (done < used) {
        const ssize_t n = write(1, buffer + done, used - done);
        if (n <= 0) {
            std::exit(1);
        }
        done += static_cast<std::size_t>(n);
    }
    used = 0;
}

const char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Decimal digits of v, at least minDigits, ending at end; returns the start.
char* digits(char* end, std::uint64_t v, int minDigits) {
    char* p = end;
    while (v >= 100) {
        const auto pair = static_cast<unsigned>(v % 100) * 2;
        v /= 100;
        p -= 2;
        std::memcpy(p, kPairs + pair, 2);
    }
    if (v >= 10) {
        p -= 2;
        std::memcpy(p, kPairs + v * 2, 2);
    } else {
        *--p = static_cast<char>('0' + v);
    }
    while (end - p < minDigits) {
        *--p = '0';
    }
    return p;
}

// k / 10^places with its line end, into a 32-byte slot.
int lineText(char* out, std::int64_t k, int places) {
    char text[48];
    char* end = text + sizeof text;
    *--end = '\n';
    const std::uint64_t m =
        k < 0 ? 0 - static_cast<std::uint64_t>(k) : static_cast<std::uint64_t>(k);
    char* p = digits(end, m, places + 1);
    if (places > 0) {
        std::memmove(p - 1, p, static_cast<std::size_t>(end - p - places));
        end[-places - 1] = '.';
        --p;
    }
    if (k < 0) {
        *--p = '-';
    }
    const int size = static_cast<int>(text + sizeof text - p);
    std::memcpy(out, p, static_cast<std::size_t>(size));
    return size;
}

// Integers k in [low, high] written as k / 10^places.
void numbers(std::int64_t low, std::int64_t high, int places, std::int64_t count) {
    const std::uint64_t n = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low) + 1;
    const Draws d = prepare(n);
    std::uint32_t group[64];
    if (n <= 4096) {
        // Every line's text once, in a fixed slot copied whole.
        struct Slot {
            char text[32];
        };
        auto* slots = static_cast<Slot*>(std::malloc(n * sizeof(Slot)));
        auto* sizes = static_cast<unsigned char*>(std::malloc(n));
        for (std::uint64_t i = 0; i < n; ++i) {
            sizes[i] = static_cast<unsigned char>(
                lineText(slots[i].text, low + static_cast<std::int64_t>(i), places));
        }
        while (count > 0) {
            drawGroup(d, group);
            for (int i = 0; i < d.k && count > 0; ++i, --count) {
                std::memcpy(buffer + used, slots[group[i]].text, 32);
                used += sizes[group[i]];
            }
            if (used >= kChunk) {
                flush();
            }
        }
    } else {
        while (count > 0) {
            std::uint64_t values[64];
            int got = 0;
            if (n >> 32 == 0) {
                drawGroup(d, group);
                for (; got < d.k; ++got) {
                    values[got] = group[got];
                }
            } else {
                std::uint64_t x = next();
                const u128 m = u128{x} * n;
                if (static_cast<std::uint64_t>(m) < (0 - n) % n) {
                    continue;
                }
                values[got++] = static_cast<std::uint64_t>(m >> 64);
            }
            for (int i = 0; i < got && count > 0; ++i, --count) {
                used += static_cast<std::size_t>(
                    lineText(buffer + used, low + static_cast<std::int64_t>(values[i]), places));
            }
            if (used >= kChunk) {
                flush();
            }
        }
    }
    flush();
}

void strings(const char* alphabet, int length, std::int64_t count) {
    const auto n = static_cast<std::uint64_t>(std::strlen(alphabet));
    const Draws d = prepare(n);
    std::uint32_t group[64];
    int left = 0;
    while (count-- > 0) {
        char* line = buffer + used;
        for (int i = 0; i < length; ++i) {
            if (left == 0) {
                drawGroup(d, group);
                left = d.k;
            }
            line[i] = alphabet[group[--left]];
        }
        line[length] = '\n';
        used += static_cast<std::size_t>(length) + 1;
        if (used >= kChunk) {
            flush();
        }
    }
    flush();
}

double seconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Best wall-clock seconds of a command writing to /dev/null.
double best(const char* program, const char* args, int runs) {
    char copy[512];
    std::snprintf(copy, sizeof copy, "%s", args);
    const char* argv[32] = {program};
    int argc = 1;
    for (char* word = std::strtok(copy, " "); word != nullptr && argc < 31;
         word = std::strtok(nullptr, " ")) {
        argv[argc++] = word;
    }
    argv[argc] = nullptr;
    double fastest = 1e9;
    for (int run = 0; run < runs; ++run) {
        const double start = seconds();
        const pid_t child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            execv(program, const_cast<char* const*>(argv));
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        const double took = seconds() - start;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "%s %s failed\n", program, args);
            return -1;
        }
        fastest = took < fastest ? took : fastest;
    }
    return fastest;
}

int table(const char* cli, int runs) {
    struct Shape {
        const char* name;
        const char* ovantis;
        const char* reference;
    };
    const Shape shapes[] = {
        {"integers 80..100, 10M", "number --integer -n 10000000", "int 80 100 10000000"},
        {"decimals 80..100 2 places, 10M", "number --decimal -n 10000000",
         "dec 8000 10000 2 10000000"},
        {"strings -ULD length 8, 5M", "string -ULD --length 8 -n 5000000",
         "str ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 8 5000000"},
        {"integers 0..10^9, 5M", "number --integer --range 0..1000000000 -n 5000000",
         "int 0 1000000000 5000000"},
        {"decimals --places 60, 1M", "number --decimal --places 60 -n 1000000", nullptr},
    };
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        return 1;
    }
    self[length] = '\0';
    std::printf("best of %d, wall clock, output to /dev/null%s\n", runs,
                std::getenv("OVANTIS_PORTABLE") != nullptr ? ", OVANTIS_PORTABLE set" : "");
    std::printf("%-32s %10s %10s %10s %8s %8s\n", "shape", "secure", "classic", "reference",
                "sec/ref", "cla/ref");
    for (const Shape& shape : shapes) {
        char classic[512];
        std::snprintf(classic, sizeof classic, "%s --seed 1", shape.ovantis);
        const double secure = best(cli, shape.ovantis, runs);
        const double seeded = best(cli, classic, runs);
        const double reference = shape.reference ? best(self, shape.reference, runs) : 0;
        std::printf("%-32s %8.1fms %8.1fms ", shape.name, secure * 1e3, seeded * 1e3);
        if (reference > 0) {
            std::printf("%8.1fms %7.2fx %7.2fx\n", reference * 1e3, secure / reference,
                        seeded / reference);
        } else {
            std::printf("%10s %8s %8s\n", "-", "-", "-");
        }
        std::fflush(stdout);
    }
    // A template against the String page's lines of the same shape.
    const double pattern = best(cli, "pattern [A-Za-z]{8} -n 5000000", runs);
    const double string = best(cli, "string -UL --length 8 -n 5000000", runs);
    std::printf("%-32s %8.1fms  string %8.1fms %7.2fx\n", "pattern [A-Za-z]{8}, 5M", pattern * 1e3,
                string * 1e3, pattern / string);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--table") == 0) {
        return table(argv[2], argc >= 4 ? std::atoi(argv[3]) : 5);
    }
    seedFromSystem();
    if (argc == 5 && std::strcmp(argv[1], "int") == 0) {
        numbers(std::atoll(argv[2]), std::atoll(argv[3]), 0, std::atoll(argv[4]));
    } else if (argc == 6 && std::strcmp(argv[1], "dec") == 0) {
        numbers(std::atoll(argv[2]), std::atoll(argv[3]), std::atoi(argv[4]), std::atoll(argv[5]));
    } else if (argc == 5 && std::strcmp(argv[1], "str") == 0) {
        strings(argv[2], std::atoi(argv[3]), std::atoll(argv[4]));
    } else {
        std::fprintf(stderr, "usage: see the top of bench/Reference.cpp\n");
        return 2;
    }
    return 0;
}
