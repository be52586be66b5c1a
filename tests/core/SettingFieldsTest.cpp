#include "SettingFields.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace ovantis {
namespace {

TEST(ReadIntField, ReadsLikeAtoiAndSaturates) {
    // clang-format off
    const std::pair<const char*, std::int32_t> cases[] = {
        {"12abc", 12}, {" 7", 7}, {"abc", 0}, {"", 0}, {"1e2", 1}, {"-5", -5}, {"+9", 9},
        {"\t\n 42 ", 42}, {"- 3", 0}, {"０", 0}, {"2147483647", 2147483647},
        {"99999999999", 2147483647}, {"-2147483648", INT32_MIN},
        {"-99999999999999999999999", INT32_MIN}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadIntField(text), expected) << '"' << text << '"';
    }
}

TEST(ReadFloatField, ReadsLikeAtofRoundedToSingleAndOverflowsToInfinity) {
    const float inf = std::numeric_limits<float>::infinity();
    // clang-format off
    const std::pair<std::string, float> cases[] = {
        {"1e2", 100.0f}, {"80.5x", 80.5f}, {"", 0.0f}, {"0.1", 0.1f}, {" -2.5", -2.5f},
        {".5", 0.5f}, {"5.", 5.0f}, {"1e", 1.0f}, {"1e+", 1.0f}, {"2E-1", 0.2f}, {".", 0.0f},
        {"-", 0.0f}, {"abc", 0.0f}, {"inf", 0.0f}, {"nan", 0.0f}, {"0x10", 0.0f},
        {"1e-400", 0.0f}, {"85.1", 85.1f}, {"1e39", inf}, {"-1e39", -inf}, {"1e400", inf},
        {"1e99999999999999999999", inf}, {"3.4028235e38", std::numeric_limits<float>::max()},
        {std::string(5000, '9'), inf}, {"0." + std::string(5000, '0') + "1", 0.0f}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadFloatField(text), expected) << '"' << text.substr(0, 30) << '"';
    }
}

}  // namespace
}  // namespace ovantis
