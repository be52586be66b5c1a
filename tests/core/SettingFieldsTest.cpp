#include "SettingFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace ovantis {
namespace {

TEST(ReadIntField, ReadsLikeAtoiAndSaturates) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"12abc", 12},
        {" 7", 7},
        {"abc", 0},
        {"", 0},
        {"1e2", 1},
        {"-5", -5},
        {"+9", 9},
        {"\t\n 42 ", 42},
        {"- 3", 0},
        {"2147483647", 2147483647},
        {"99999999999", 2147483647},
        {"-2147483648", INT32_MIN},
        {"-99999999999999999999999", INT32_MIN},
        {"０", 0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadIntField(text), expected) << '"' << text << '"';
    }
}

TEST(ReadFloatField, ReadsLikeAtofRoundedToSingle) {
    const std::pair<const char*, float> cases[] = {
        {"1e2", 100.0f}, {"80.5x", 80.5f}, {"", 0.0f},      {"0.1", 0.1f}, {" -2.5", -2.5f},
        {".5", 0.5f},    {"5.", 5.0f},     {"1e", 1.0f},    {"1e+", 1.0f}, {"2E-1", 0.2f},
        {".", 0.0f},     {"-", 0.0f},      {"abc", 0.0f},   {"inf", 0.0f}, {"nan", 0.0f},
        {"0x10", 0.0f},  {"1e-400", 0.0f}, {"85.1", 85.1f},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadFloatField(text), expected) << '"' << text << '"';
    }
}

TEST(ReadFloatField, BeyondSinglePrecisionBecomesInfinity) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(ReadFloatField("1e39"), inf);
    EXPECT_EQ(ReadFloatField("-1e39"), -inf);
    EXPECT_EQ(ReadFloatField("1e400"), inf);
    EXPECT_EQ(ReadFloatField("1e99999999999999999999"), inf);
    EXPECT_EQ(ReadFloatField("3.4028235e38"), std::numeric_limits<float>::max());
    EXPECT_EQ(ReadFloatField(std::string(5000, '9')), inf);
    EXPECT_EQ(ReadFloatField("0." + std::string(5000, '0') + "1"), 0.0f);
}

}  // namespace
}  // namespace ovantis
