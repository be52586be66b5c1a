#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#endif

namespace ovantis::test {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// A file name as the program holds it, in UTF-8, as a path for the system.
inline std::filesystem::path pathOf(const std::string& utf8) {
    return std::u8string(utf8.begin(), utf8.end());
}

inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return {name.begin(), name.end()};
}

// A fresh folder per test, removed with everything in it afterwards. Names
// are UTF-8 strings, as the program holds them.
struct TempFolder {
    std::string path;
    TempFolder() {
        const std::string base = utf8Of(std::filesystem::temp_directory_path() / "ovantis-");
        std::error_code error;
        for (unsigned i = std::random_device{}(); path.empty() && !error; ++i) {
            if (std::filesystem::create_directory(base + std::to_string(i), error)) {
                path = base + std::to_string(i);
            }
        }
        EXPECT_FALSE(error) << "no temporary folder: " << error.message();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(pathOf(path), ignored);
    }
    std::string operator/(const std::string& name) const { return path + kSeparator + name; }
    // Everything the folder holds, hidden files too, sorted, one name a line.
    std::string names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(pathOf(path))) {
            found.push_back(utf8Of(entry.path().filename()));
        }
        std::sort(found.begin(), found.end());
        std::string listing;
        for (const std::string& name : found) {
            listing += name + "\n";
        }
        return listing;
    }
#ifndef _WIN32
    // What a shell command run inside the folder prints.
    std::string sh(const std::string& command) const;
#endif
};

inline std::string readAll(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(pathOf(path), std::ios::binary).rdbuf();
    return text.str();
}

#ifndef _WIN32
// What a shell command prints on standard output.
inline std::string shell(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t n; pipe != nullptr && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    return pipe != nullptr && ::pclose(pipe) >= 0 ? output : "<no shell>";
}

inline std::string TempFolder::sh(const std::string& command) const {
    return shell("cd '" + path + "' || exit; " + command);
}

// An ordinary user for the tests, made here when missing; none unless root.
inline const passwd* testUser() {
    if (::geteuid() != 0 || shell("id -u ovantis-test >/dev/null 2>&1 || useradd --system "
                                  "--no-create-home --shell /usr/sbin/nologin ovantis-test "
                                  "2>&1") != "") {
        return nullptr;
    }
    return ::getpwnam("ovantis-test");
}
#endif

}  // namespace ovantis::test
