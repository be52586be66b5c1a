#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "WinText.h"

namespace ovantis::test {

// A fresh folder per test, removed with everything in it afterwards. Paths
// are UTF-8 strings, as the program holds them.
struct WinTempFolder {
    std::filesystem::path path;
    WinTempFolder() {
        wchar_t base[MAX_PATH + 1];
        ::GetTempPathW(MAX_PATH + 1, base);
        for (unsigned i = ::GetTickCount(); path.empty(); ++i) {
            const std::filesystem::path candidate =
                std::filesystem::path(base) / ("ovantis-" + std::to_string(i));
            if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
                path = candidate;
            }
        }
    }
    ~WinTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const {
        return sys::toUtf8(path.wstring()) + "\\" + name;
    }
    // Every name the folder holds, sorted, one a line.
    std::string names() const {
        std::string listing;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            listing += sys::toUtf8(entry.path().filename().wstring()) + "\n";
        }
        return listing;
    }
};

inline std::filesystem::path widePath(const std::string& utf8) {
    return std::filesystem::path(sys::toWide(utf8));
}

inline std::string readAll(const std::string& utf8Path) {
    std::ostringstream text;
    text << std::ifstream(widePath(utf8Path), std::ios::binary).rdbuf();
    return text.str();
}

}  // namespace ovantis::test
