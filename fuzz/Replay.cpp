// Runs a fuzz target once on every file in the given folders, outside
// libFuzzer, so the ordinary test run (and its sanitizer build) checks the
// seeds and every input a fuzzer ever failed on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OVANTIS_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(OVANTIS_ASAN)
// One allocation past make fuzz's -malloc_limit_mb fails here as it does there,
// instead of taking the machine's memory. ASAN_OPTIONS still add to it.
extern "C" const char* __asan_default_options() {
    return "max_allocation_size_mb=2048";
}
#endif

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (!fs::is_directory(argv[i])) {
            std::cerr << "replay: no folder " << argv[i] << '\n';
            return 1;
        }
        for (const auto& entry : fs::directory_iterator(argv[i])) {
            // Dot files keep empty folders in git.
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
                inputs.push_back(entry.path());
            }
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs) {
        // Named first, so the last name shown is the input that crashed.
        std::cout << input.string() << std::endl;
        std::ifstream file(input, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::cout << inputs.size() << " inputs replayed\n";
    return 0;
}
