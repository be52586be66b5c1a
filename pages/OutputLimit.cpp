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

Notice OutputLimit::notice() const {
    constexpr std::int64_t kMiB = 1024 * 1024;
    if (bytes % kMiB == 0) {
        return {notices::kTooMuchOutput, {lines, bytes / kMiB}};
    }
    return {notices::kTooMuchOutputBytes, {lines, bytes}};
}

}  // namespace ovantis
