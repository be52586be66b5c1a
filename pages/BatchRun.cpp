#include "BatchRun.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "LinePage.h"
#include "Notices.h"
#include "RedrawLimit.h"
#include "ResultText.h"
#include "WindowTexts.h"

namespace ovantis {
namespace {
// A step ends after this many lines, this much text or this long, whichever
// comes first, so a window answers between steps even for long lines: a
// megabyte at once held it up for most of half a second.
constexpr std::int64_t kProgressEvery = 4096;
constexpr std::size_t kStepBytes = 64 << 10;
constexpr auto kStepTime = std::chrono::milliseconds(50);

// What a run carries from one step to the next.
struct Batch {
    ResultText result;
    std::int64_t done = 0;
    std::int64_t count = 0;
    bool cancelled = false;
};

// Makes the next lines up to the next progress report; false once the run
// has ended and the page is back to its user.
bool step(LinePage& page, Batch& batch) {
    PageHost& host = page.host();
    const PageControls& controls = page.controls();
    const std::size_t shown = batch.result.text().size();
    const std::int64_t stop = std::min(batch.count, batch.done + kProgressEvery);
    const auto started = std::chrono::steady_clock::now();
    bool gaveUp = false;
    std::size_t lineStart = shown;
    try {
        while (!batch.cancelled && batch.done < stop &&
               batch.result.text().size() - shown < kStepBytes &&
               std::chrono::steady_clock::now() - started < kStepTime) {
            lineStart = batch.result.text().size();
            page.appendLine(batch.result.open());
            batch.result.endLine();
            ++batch.done;
        }
    } catch (const RedrawLimit&) {
        gaveUp = true;
        batch.result.open().resize(lineStart);
    }
    // A step's lines at once, not line by line: the box lays them out together.
    host.appendText(controls.output, batch.result.text(), shown);
    if (!gaveUp && !batch.cancelled && batch.done < batch.count) {
        batch.cancelled = !host.progress(batch.done, batch.count);
        if (!batch.cancelled) {
            return true;
        }
    }
    host.endProgress();
    if (gaveUp) {
        host.notice({notices::kBadCount, {}, texts::kWindowGaveUp.in(host.language())});
    } else if (!batch.cancelled) {
        const std::optional<std::time_t> seed = page.seed();
        host.done({notices::kGenerated,
                   {},
                   seed ? texts::kSeedUsed.fill(host.language(), {std::to_string(*seed)}) : ""});
    }
    host.enable(controls.generate, true);
    return false;
}

}  // namespace

void BatchRun(LinePage& page) {
    const std::uint32_t before = page.random().snapshot();
    page.ValidateThen([&page, before](bool valid) {
        if (!valid) {
            return;
        }
        PageHost& host = page.host();
        const PageControls& controls = page.controls();
        const OutputLimit limit = host.outputLimit();
        if (!limit.fits(page.count(), page.maxLineBytes())) {
            page.random().restore(before);
            host.notice(limit.notice());
            return;
        }
        host.enable(controls.generate, false);
        host.setText(controls.output, "");
        auto batch = std::make_shared<Batch>();
        batch->count = page.count();
        batch->cancelled = !host.progress(0, batch->count);
        host.repeat([&page, batch] { return step(page, *batch); });
    });
}

}  // namespace ovantis
