#include "SettingFields.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace ovantis {
namespace {

constexpr std::nullopt_t no = std::nullopt;

// Only a text that is wholly a number counts; white space around it aside.
TEST(ReadIntField, ReadsWholeNumbersOnlyAndSaturates) {
    // clang-format off
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"12abc", no}, {" 7", 7}, {"abc", no}, {"", 0}, {"  ", 0}, {"1e2", no}, {"-5", -5},
        {"+9", 9}, {"\t\n 42 ", 42}, {"- 3", no}, {"-", no}, {"1 000", no}, {"０", no},
        {"2147483647", 2147483647}, {"99999999999", 2147483647}, {"-2147483648", INT32_MIN},
        {"-99999999999999999999999", INT32_MIN}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadIntField(text), expected) << '"' << text << '"';
    }
}

TEST(ReadFloatField, ReadsWholeNumbersOnlyRoundedToSingleAndOverflowsToInfinity) {
    const float inf = std::numeric_limits<float>::infinity();
    // clang-format off
    const std::pair<std::string, std::optional<float>> cases[] = {
        {"1e2", 100.0f}, {"1e10", 1e10f}, {"80.5x", no}, {"0,5", no}, {"1 000", no}, {"", 0.0f}, {" ", 0.0f},
        {"0.1", 0.1f}, {" -2.5 ", -2.5f}, {".5", 0.5f}, {"5.", 5.0f}, {"1e", no}, {"1e+", no},
        {"2E-1", 0.2f}, {".", no}, {"-", no}, {"abc", no}, {"inf", no}, {"nan", no},
        {"0x10", no}, {"1e-400", 0.0f}, {"85.1", 85.1f}, {"1e39", inf}, {"-1e39", -inf},
        {"1e400", inf}, {"1e99999999999999999999", inf},
        {"3.4028235e38", std::numeric_limits<float>::max()}, {std::string(5000, '9'), inf},
        {"0." + std::string(5000, '0') + "1", 0.0f}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadFloatField(text), expected) << '"' << text.substr(0, 30) << '"';
    }
}

}  // namespace
}  // namespace ovantis
