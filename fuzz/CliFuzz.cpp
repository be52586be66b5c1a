// Feeds argument lists to ovantis-cli's run(). Inputs that would sleep, write
// files, start programs or ask for huge counts are skipped: they would only
// make the fuzzer slow or touch the machine, not find faults.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "CliApp.h"

namespace {

constexpr std::size_t kMaxArgs = 24;
constexpr unsigned long kMaxNumber = 1000;

class NullBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type ch) override { return traits_type::not_eof(ch); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
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

bool bigNumberIn(const std::string& arg) {
    for (std::size_t i = 0; i < arg.size(); ++i) {
        const bool digit = arg[i] >= '0' && arg[i] <= '9';
        // strtoll with base 0 reads 0x.. as hex.
        if (digit && i + 1 < arg.size() && (arg[i + 1] == 'x' || arg[i + 1] == 'X')) {
            return true;
        }
        if (digit && (i == 0 || arg[i - 1] < '0' || arg[i - 1] > '9')) {
            unsigned long value = 0;
            for (std::size_t j = i; j < arg.size() && arg[j] >= '0' && arg[j] <= '9'; ++j) {
                value = value * 10 + static_cast<unsigned long>(arg[j] - '0');
                if (value > kMaxNumber) {
                    return true;
                }
            }
        }
    }
    return false;
}

bool harmless(const std::string& arg) {
    const bool shortOptions = arg.size() > 1 && arg[0] == '-' && arg[1] != '-';
    return arg.find("time") == std::string::npos && arg.find("--exec") == std::string::npos &&
           arg.find("--output") == std::string::npos &&
           !(shortOptions && arg.find('o') != std::string::npos) && !bigNumberIn(arg);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> args = arguments(data, size);
    if (args.size() > kMaxArgs) {
        return 0;
    }
    for (const auto& arg : args) {
        if (!harmless(arg)) {
            return 0;
        }
    }
    NullBuffer buffer;
    std::ostream out(&buffer);
    std::ostream err(&buffer);
    ovantis::cli::run(args, out, err);
    return 0;
}
