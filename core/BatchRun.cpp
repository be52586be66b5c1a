#include "BatchRun.h"

#include "LinePage.h"
#include "Notices.h"
#include "ResultText.h"

namespace ovantis {
namespace {
constexpr std::int64_t kProgressEvery = 4096;
}

void BatchRun(LinePage& page) {
    PageHost& host = page.host();
    const PageControls& controls = page.controls();
    const std::uint32_t before = page.random().snapshot();
    if (!page.Validate()) {
        return;
    }
    const OutputLimit limit = host.outputLimit();
    if (!limit.fits(page.count(), page.maxLineBytes())) {
        page.random().restore(before);
        host.notice(limit.notice());
        return;
    }
    host.enable(controls.generate, false);
    host.setText(controls.output, "");
    ResultText result;
    const std::int64_t count = page.count();
    bool cancelled = !host.progress(0, count);
    for (std::int64_t done = 1; done <= count && !cancelled; ++done) {
        page.appendLine(result.open());
        result.endLine();
        if (done % kProgressEvery == 0 && done < count) {
            cancelled = !host.progress(done, count);
        }
    }
    // Once, not per line: the box is not repainted in between anyway.
    host.setText(controls.output, result.text());
    host.endProgress();
    if (!cancelled) {
        host.notice(notices::kGenerated);
    }
    host.enable(controls.generate, true);
}

}  // namespace ovantis
