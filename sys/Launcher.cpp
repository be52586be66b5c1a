#include "Launcher.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "Printable.h"

extern char** environ;

namespace ovantis::sys {
namespace {

std::mutex g_childrenMutex;
// Only our own children are reaped: waitpid(-1) would steal those another part
// of the program (Qt's QProcess) waits for.
std::vector<pid_t> g_children;

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    // access() alone says yes to root for any file, so the mode bits are checked too.
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           (info.st_mode & 0111) != 0 && ::access(path.c_str(), X_OK) == 0;
}

std::string findExecutable(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return isExecutableFile(name) ? name : std::string();
    }
    const char* path = std::getenv("PATH");
    const std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        // An empty or relative entry is the current folder, never searched.
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && dir.front() == '/' && isExecutableFile(dir + "/" + name)) {
            return dir + "/" + name;
        }
        start = end + 1;
    }
    return {};
}

bool isUrl(const std::string& text) {
    const std::size_t colon = text.find("://");
    if (colon == std::string::npos || colon == 0) {
        return false;
    }
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = text[i];
        const bool alpha = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alpha && !(i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))) {
            return false;
        }
    }
    return true;
}

// Returns 0 or the errno value why the child could not start.
int spawn(const std::string& path, std::vector<std::string> argv) {
    std::vector<char*> pointers;
    for (auto& arg : argv) {
        pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The child's output must not mix into ours (ovantis-cli's generated lines).
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#else
    // Descriptors someone opened without O_CLOEXEC (a library) are closed by hand.
    const long limit = std::min(::sysconf(_SC_OPEN_MAX), 65536L);
    for (int fd = STDERR_FILENO + 1; fd < limit; ++fd) {
        const int flags = ::fcntl(fd, F_GETFD);
        if (flags >= 0 && (flags & FD_CLOEXEC) == 0) {
            posix_spawn_file_actions_addclose(&actions, fd);
        }
    }
#endif
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t all;
    sigfillset(&all);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setsigmask(&attributes, &none);
    // Its own session: Ctrl-C meant for ovantis-cli does not reach the child.
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int error =
        posix_spawn(&pid, path.c_str(), &actions, &attributes, pointers.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error == 0) {
        const std::lock_guard lock(g_childrenMutex);
        g_children.push_back(pid);
    }
    return error;
}

using Kind = SystemReason::Kind;

std::optional<LaunchFailure> failed(const std::string& program, Kind kind, int error = 0) {
    return LaunchFailure{program, {kind, error, {}}};
}

std::optional<LaunchFailure> failed(const std::string& program, int error) {
    return error == 0 ? std::nullopt : failed(program, Kind::System, error);
}

}  // namespace

std::optional<LaunchFailure> Launcher::launch(const std::string& program,
                                              const std::vector<std::string>& args) {
    reap();
    if (program.empty()) {
        return failed(program, Kind::NoProgramName);
    }
    const std::string executable = findExecutable(program);
    if (!executable.empty()) {
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        return failed(program, spawn(executable, std::move(argv)));
    }
    const bool byName = program.find('/') == std::string::npos;
    if (byName && isExecutableFile("./" + program)) {
        // A shell would not run it either; handing it to the desktop would
        // hide why.
        return LaunchFailure{program, {Kind::OnlyInThisFolder, 0, "./" + printable(program)}};
    }
    struct stat info {};
    const bool exists = ::stat(program.c_str(), &info) == 0;
    const int missing = errno;
    if (!exists && !isUrl(program)) {
        return byName ? failed(program, Kind::NotOnPath) : failed(program, missing);
    }
    if (!args.empty()) {
        return failed(program, Kind::ArgumentsForDocument);
    }
    const std::string opener = findExecutable("xdg-open");
    if (opener.empty()) {
        return failed(program, Kind::NoOpener);
    }
    // "./" keeps a name that starts with '-' from reading as an option.
    const std::string target = exists && program.front() == '-' ? "./" + program : program;
    const int error = spawn(opener, {"xdg-open", target});
    return error == 0 ? std::nullopt : failed(program, Kind::OpenerFailed, error);
}

void Launcher::reap() {
    const std::lock_guard lock(g_childrenMutex);
    std::erase_if(g_children, [](pid_t pid) {
        const pid_t result = ::waitpid(pid, nullptr, WNOHANG);
        // ECHILD: someone else collected it, or SIGCHLD is ignored.
        return result == pid || (result < 0 && errno == ECHILD);
    });
}

int Launcher::running() {
    reap();
    const std::lock_guard lock(g_childrenMutex);
    return static_cast<int>(g_children.size());
}

}  // namespace ovantis::sys
