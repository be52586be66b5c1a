#include "ExportResult.h"

#include "Notices.h"
#include "ResultText.h"

namespace ovantis {

std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.append(LINE_END);
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void ExportResult(PageHost& host, const PageControls& controls) {
    const SaveRequest request{
        "随机字符串.txt", {{"文本文件", "*.txt"}, {"所有文件", "*.*"}}, "txt", true};
    const std::optional<std::string> path = host.chooseFileToSave(request);
    if (!path) {
        return;
    }
    host.enable(controls.exportButton, false);
    const std::string bytes = withCrLf(host.getText(controls.output));
    const WriteOutcome outcome = host.writeFile(*path, bytes);
    if (outcome.ok) {
        host.notice({notices::kExported});
    } else {
        host.notice({notices::kExportFailed, {}, host.describe(outcome.reason)});
    }
    host.enable(controls.exportButton, true);
}

}  // namespace ovantis
