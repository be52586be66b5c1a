#include "Text.h"

#include <gtest/gtest.h>

#include <tuple>

namespace ovantis {
namespace {

// The first locale variable set decides; only a Chinese one gives Chinese.
TEST(LanguageChoice, AChineseLocaleGivesChineseAndEveryOtherEnglish) {
    const std::tuple<const char*, const char*, const char*, const char*, Language> cases[] = {
        {"zh_CN.UTF-8", nullptr, nullptr, "", Language::Chinese},
        {"C.UTF-8", nullptr, "zh_CN.UTF-8", "zh", Language::English},
        {"POSIX", nullptr, nullptr, "zh", Language::English},
        {"", "zh_TW.UTF-8", "en_US.UTF-8", "", Language::Chinese},
        {nullptr, nullptr, "de_DE.UTF-8", "zh", Language::English},
        {nullptr, "", nullptr, "zh", Language::Chinese},
        {nullptr, nullptr, nullptr, "en", Language::English},
        {nullptr, nullptr, nullptr, "", Language::English},
    };
    for (const auto& [all, messages, lang, desktop, expected] : cases) {
        EXPECT_EQ(chooseLanguage({all, messages, lang}, desktop), expected)
            << (all ? all : "-") << ' ' << (messages ? messages : "-") << ' ' << (lang ? lang : "-")
            << ' ' << desktop;
    }
}

TEST(TextFill, PlaceholdersTakeTheValuesInEitherOrder) {
    constexpr Text text{"%2 行约需 %1", "%1 for %2 lines"};
    EXPECT_EQ(text.fill(Language::Chinese, {"2 MiB", "30000"}), "30000 行约需 2 MiB");
    EXPECT_EQ(text.fill(Language::English, {"%2", "4"}), "%2 for 4 lines");
}

}  // namespace
}  // namespace ovantis
