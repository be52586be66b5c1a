#include "ReasonText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>

namespace ovantis::sys {
namespace {

void setLanguageVariable(const char* value) {
#ifdef _WIN32
    ::_putenv_s("LANGUAGE", value);
#else
    ::setenv("LANGUAGE", value, 1);
#endif
}

// gettext puts LANGUAGE before the locale; a reason still speaks only the
// language asked for: Chinese with no Latin word but names and numbers,
// English the same whatever LANGUAGE says.
TEST(ReasonText, EachReasonSpeaksOnlyTheLanguageAskedFor) {
    using Kind = SystemReason::Kind;
    const SystemReason reasons[] = {
        SystemReason::system(2),  // ENOENT; ERROR_FILE_NOT_FOUND on Windows
        SystemReason::system(123456),
        {Kind::NotOnPath, 0, {}},
        {Kind::OnlyInThisFolder, 0, "./probe"},
        {Kind::NoProgramName, 0, {}},
        {Kind::ArgumentsForDocument, 0, {}},
        {Kind::NoOpener, 0, {}},
        {Kind::OpenerFailed, 2, {}},
        {Kind::ScriptNeverStarted, 0, {}},
    };
    const std::regex names("PATH|xdg-open|\\./probe");
    for (const SystemReason& reason : reasons) {
        SCOPED_TRACE(static_cast<int>(reason.kind));
        setLanguageVariable("");
        const std::string english = describe(reason, Language::English);
        setLanguageVariable("de");
        EXPECT_EQ(describe(reason, Language::English), english);
        const std::string chinese = describe(reason, Language::Chinese);
        EXPECT_FALSE(
            std::regex_search(std::regex_replace(chinese, names, ""), std::regex("[A-Za-z]")))
            << chinese;
        EXPECT_FALSE(english.empty() || english.back() == '.' ||
                     std::any_of(english.begin(), english.end(),
                                 [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            << english;
    }
    setLanguageVariable("");
}

}  // namespace
}  // namespace ovantis::sys
