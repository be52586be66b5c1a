#include "OutputLimit.h"

#include "Notices.h"
#include "ResultText.h"

namespace ovantis {

bool OutputLimit::fits(std::int64_t count, std::int64_t lineBytes) const {
    if (count > lines) {
        return false;
    }
    // Division instead of a product that could overflow.
    const std::int64_t perLine = lineBytes + static_cast<std::int64_t>(LINE_END.size());
    return count <= 0 || perLine <= bytes / count;
}

std::string OutputLimit::notice() const {
    const auto fill = [](std::string text, const std::string& one, const std::string& two) {
        text.replace(text.find("%1"), 2, one);
        if (const std::size_t at = text.find("%2"); at != std::string::npos) {
            text.replace(at, 2, two);
        }
        return text;
    };
    const std::string number = std::to_string(sizeNumber());
    const std::string size = inMebibytes() ? number + " MiB" : fill(notices::kBytes, number, "");
    return fill(notices::kTooMuchOutput, std::to_string(lines), size);
}

}  // namespace ovantis
