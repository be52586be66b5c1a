#include "ExportResult.h"

#include "Notices.h"
#include "ResultText.h"

namespace ovantis {

namespace {
// The filters offered, in order: plain text with the system's own line ends
// first, then the other, then any name.
enum Filter : std::size_t { kLf, kCrLf, kAny };
#ifdef _WIN32
constexpr bool kCrLfByDefault = true;
#else
constexpr bool kCrLfByDefault = false;
#endif
}  // namespace

std::string withLineEnds(std::string_view text, std::string_view lineEnd) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.append(lineEnd);
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
    const SaveRequest request{controls.exportName,
                              {{"文本文件（LF 换行）", "*.txt"},
                               {"文本文件（CR LF 换行）", "*.txt"},
                               {"所有文件", "*.*"}},
                              "txt",
                              true,
                              kCrLfByDefault ? kCrLf : kLf};
    const std::optional<SaveChoice> choice = host.chooseFileToSave(request);
    if (!choice) {
        return;
    }
    const bool crlf = choice->filter == kCrLf || (choice->filter != kLf && kCrLfByDefault);
    host.enable(controls.exportButton, false);
    const std::string bytes =
        withLineEnds(host.getText(controls.output), crlf ? LINE_END : std::string_view("\n"));
    const WriteOutcome outcome = host.writeFile(choice->path, bytes);
    if (outcome.ok) {
        host.done({notices::kExported, {}, choice->path});
    } else {
        host.notice({notices::kExportFailed, {}, host.describe(outcome.reason)});
    }
    host.enable(controls.exportButton, true);
}

}  // namespace ovantis
