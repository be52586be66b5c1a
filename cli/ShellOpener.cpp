#include "ShellOpener.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

extern char** environ;

namespace ovantis::cli {
namespace {

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    // access() alone says yes to root for any file, so the mode bits are checked too.
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           (info.st_mode & 0111) != 0 && ::access(path.c_str(), X_OK) == 0;
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

void spawn(const std::string& program, std::vector<std::string> args) {
    // Children started earlier are collected here so none lingers as a zombie.
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    std::vector<char*> argv;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Keep the generated output clean: the child gets no stdin or stdout of ours.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    posix_spawnp(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
}

}  // namespace

std::string ShellOpener::findExecutable(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    if (text.find('/') != std::string::npos) {
        return isExecutableFile(text) ? text : std::string();
    }
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
        const std::string candidate = dir + "/" + text;
        if (isExecutableFile(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

void ShellOpener::open(const std::string& text, const std::vector<std::string>& args) {
    const std::string program = findExecutable(text);
    if (!program.empty()) {
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        spawn(program, std::move(argv));
        return;
    }
    // Only what the handler can open: an existing file or a URL. A leading "./"
    // keeps a name that starts with '-' from reading as an option.
    struct stat info {};
    if (::stat(text.c_str(), &info) == 0) {
        spawn("xdg-open", {"xdg-open", text[0] == '-' ? "./" + text : text});
    } else if (isUrl(text)) {
        spawn("xdg-open", {"xdg-open", text});
    }
}

}  // namespace ovantis::cli
