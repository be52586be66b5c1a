// Started by LauncherTest: reports what a launched program inherits, to the
// file named by OVANTIS_PROBE_REPORT (written whole, then renamed into place).
#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

namespace {

std::string linkOf(const std::string& path) {
    char buffer[4096];
    const ssize_t length = ::readlink(path.c_str(), buffer, sizeof buffer);
    return length < 0 ? "?" : std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace

int main(int argc, char** argv) {
    std::set<int> fds;
    DIR* dir = ::opendir("/proc/self/fd");
    if (dir == nullptr) {
        return 1;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != ::dirfd(dir)) {
            fds.insert(std::atoi(entry->d_name));
        }
    }
    ::closedir(dir);
    std::string report = "fds:";
    for (int fd : fds) {
        report += " " + std::to_string(fd);
    }
    report += "\nstdin: " + linkOf("/proc/self/fd/0") + "\nstdout: " + linkOf("/proc/self/fd/1");
    // Standard signals only: glibc's posix_spawn leaves its own internal
    // real-time signals ignored, and glibc programs take those back anyway.
    sigset_t blocked;
    ::sigprocmask(SIG_SETMASK, nullptr, &blocked);
    std::string ignored = "\nignored:";
    std::string blockedList = "\nblocked:";
    for (int signal = 1; signal < 32; ++signal) {
        struct sigaction action {};
        if (::sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN) {
            ignored += " " + std::to_string(signal);
        }
        if (sigismember(&blocked, signal) == 1) {
            blockedList += " " + std::to_string(signal);
        }
    }
    report += ignored + blockedList;
    for (int i = 1; i < argc; ++i) {
        report += "\narg: " + std::string(argv[i]);
    }
    const char* target = std::getenv("OVANTIS_PROBE_REPORT");
    if (target == nullptr) {
        return 1;
    }
    const std::string partial = std::string(target) + ".part";
    std::ofstream(partial) << report << "\n";
    return std::rename(partial.c_str(), target) == 0 ? 0 : 1;
}
