#include "CountLine.h"

#include <cstdio>

#include "FieldTexts.h"
#include "NumberGenerator.h"
#include "PatternGenerator.h"
#include "StringGenerator.h"

namespace ovantis {

namespace {

std::string oneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace

std::string countLine(const BigCount& count, Language language) {
    if (count.bitLength() > kMostCountBits) {
        return bitsLine(count.log2(), language);
    }
    return texts::kPatternInfo.fill(language, {grouped(count), oneDecimal(count.log2())});
}

std::string bitsLine(double bits, Language language) {
    return texts::kBitsInfo.fill(language, {oneDecimal(bits)});
}

std::string countLine(const PatternGenerator& generator, Language language) {
    const std::string& product = generator.product();
    return (product.empty() ? "" : product + " = ") + countLine(generator.count(), language);
}

std::string countLine(const StringGenerator& generator, Language language) {
    if (const std::optional<BigCount> count = generator.lineCount(kMostCountBits)) {
        return countLine(*count, language);
    }
    return bitsLine(generator.lineBits(), language);
}

std::string countLine(const NumberGenerator& generator, Language language) {
    return countLine(generator.lineCount(), language);
}

std::string grouped(const BigCount& value) {
    const std::string digits = value.toDecimal();
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text;
}

}  // namespace ovantis
