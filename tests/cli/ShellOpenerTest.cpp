#include "ShellOpener.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace ovantis::cli {
namespace {

TEST(ShellOpener, FindsExecutablesByPathOrOnPathOnly) {
    EXPECT_EQ(ShellOpener::findExecutable("/bin/sh"), "/bin/sh");
    EXPECT_FALSE(ShellOpener::findExecutable("sh").empty());
    EXPECT_EQ(ShellOpener::findExecutable("sh -c 'touch x'"), "");
    const std::string plain = ::testing::TempDir() + "ovantis-plain.txt";
    std::ofstream(plain) << "text";
    EXPECT_EQ(ShellOpener::findExecutable(plain), "") << "not executable";
    std::remove(plain.c_str());
    EXPECT_EQ(ShellOpener::findExecutable("/tmp"), "") << "a folder is no program";
    EXPECT_EQ(ShellOpener::findExecutable(""), "");
}

}  // namespace
}  // namespace ovantis::cli
