#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace ovantis::test {

// A fresh folder per test, removed with everything in it afterwards.
struct TempFolder {
    std::string path = ::testing::TempDir() + "ovantis-XXXXXX";
    TempFolder() { EXPECT_NE(::mkdtemp(path.data()), nullptr) << "no temporary folder"; }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::set<std::string> names() const {
        std::set<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            out.insert(entry.path().filename());
        }
        return out;
    }
};

inline std::string readAll(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

inline void writeAll(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace ovantis::test
