#pragma once

#include <gtest/gtest.h>
#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace ovantis::test {

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

// A fresh folder per test, removed with everything in it afterwards.
struct TempFolder {
    std::string path = ::testing::TempDir() + "ovantis-XXXXXX";
    TempFolder() { EXPECT_NE(::mkdtemp(path.data()), nullptr) << "no temporary folder"; }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    // What a shell command run inside the folder prints.
    std::string sh(const std::string& command) const {
        return shell("cd '" + path + "' || exit; " + command);
    }
    // Everything the folder holds, hidden files too, one name a line.
    std::string names() const { return sh("ls -A"); }
};

// An ordinary user for the tests, made here when missing; none unless root.
inline const passwd* testUser() {
    if (::geteuid() != 0 || shell("id -u ovantis-test >/dev/null 2>&1 || useradd --system "
                                  "--no-create-home --shell /usr/sbin/nologin ovantis-test "
                                  "2>&1") != "") {
        return nullptr;
    }
    return ::getpwnam("ovantis-test");
}

inline std::string readAll(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

}  // namespace ovantis::test
