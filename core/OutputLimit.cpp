#include "OutputLimit.h"

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
    std::string size = bytes % (1024 * 1024) == 0 ? std::to_string(bytes / (1024 * 1024)) + " MiB"
                                                  : std::to_string(bytes) + " 字节";
    return "生成结果可能超出输出框容量：每次最多 " + std::to_string(lines) + " 行、" + size +
           " 文本。请减少生成个数或长度；大批量数据请使用命令行工具 ovantis-cli。";
}

}  // namespace ovantis
