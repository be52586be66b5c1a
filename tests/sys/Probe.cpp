// Started by LauncherTest: reports what a launched program inherits, to the
// file named by OVANTIS_PROBE_REPORT (written whole, then renamed into place).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    // Listed before this program opens anything; 3 is the listing's own.
    std::string report = "fds:";
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        report += " " + entry.path().filename().string();
    }
    report += "\nstdin: " + std::filesystem::read_symlink("/proc/self/fd/0").string() +
              "\nstdout: " + std::filesystem::read_symlink("/proc/self/fd/1").string();
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        // Standard signals only: glibc's posix_spawn leaves its own internal
        // real-time signals ignored, and glibc programs take those back anyway.
        if (line.starts_with("SigBlk:") || line.starts_with("SigIgn:")) {
            report += "\n" + line.substr(0, 7) + " " +
                      std::to_string(std::stoull(line.substr(7), nullptr, 16) & 0x7fffffff);
        }
    }
    for (int i = 1; i < argc; ++i) {
        report += "\narg: " + std::string(argv[i]);
    }
    const char* target = std::getenv("OVANTIS_PROBE_REPORT");
    const std::string partial = std::string(target != nullptr ? target : "") + ".part";
    std::ofstream(partial) << report << "\n";
    return target != nullptr && std::rename(partial.c_str(), target) == 0 ? 0 : 1;
}
