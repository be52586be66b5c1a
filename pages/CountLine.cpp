#include "CountLine.h"

#include <cstdio>

#include "FieldTexts.h"
#include "PatternGenerator.h"

namespace ovantis {

std::string countLine(const BigCount& count, Language language) {
    char bits[32];
    std::snprintf(bits, sizeof bits, "%.1f", count.log2());
    return texts::kPatternInfo.fill(language, {grouped(count), bits});
}

std::string countLine(const PatternGenerator& generator, Language language) {
    const std::string& product = generator.product();
    return (product.empty() ? "" : product + " = ") + countLine(generator.count(), language);
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
