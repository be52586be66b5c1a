#include "Printable.h"

#include <gtest/gtest.h>

namespace ovantis::sys {
namespace {

TEST(Printable, EscapesWhatCouldSteerATerminalOrHideAndKeepsTheRest) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain name-1.txt", "plain name-1.txt"},
        {"tab\tline\nreturn\r", "tab\\tline\\nreturn\\r"},
        {"\x1b[2J\x07\x7f", "\\x1b[2J\\x07\\x7f"},
        {"é 中文 😀", "é 中文 😀"},
        {"\xc2\x9b \xe2\x80\xa8 \xe2\x80\xa9 \xe2\x80\xae", "\\u009b \\u2028 \\u2029 \\u202e"},
        {"\xff \xc0\xaf \xed\xa0\x80 \xf4\x90\x80\x80 \xe4\xb8",
         "\\xff \\xc0\\xaf \\xed\\xa0\\x80 \\xf4\\x90\\x80\\x80 \\xe4\\xb8"},
        {std::string("nul\0", 4), "nul\\x00"},
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(printable(text), shown);
    }
}

}  // namespace
}  // namespace ovantis::sys
