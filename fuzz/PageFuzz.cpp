// Feeds arbitrary field texts and check states to each page and lets it run
// through a scripted host. Counts up to the window's line limit reach the
// generators, the user's Cancel at the first progress report ending a large
// run; a smaller byte limit keeps any one input cheap.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "ControlIds.h"
#include "ExportResult.h"
#include "NumberFields.h"
#include "NumberPageLogic.h"
#include "ScriptedHost.h"
#include "SettingFields.h"
#include "StringFields.h"
#include "StringPageLogic.h"
#include "TimeFields.h"
#include "TimedRun.h"

using namespace ovantis;

namespace {

// Splits the input at NUL bytes into field texts.
std::vector<std::string> fields(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            out.emplace_back();
        } else {
            out.back().push_back(static_cast<char>(data[i]));
        }
    }
    return out;
}

void fill(test::ScriptedHost& host, const std::vector<std::string>& texts, std::uint8_t checks,
          const std::vector<int>& textIds, const std::vector<int>& checkIds) {
    std::size_t i = 1;
    for (int id : textIds) {
        host.texts[id] = i < texts.size() ? texts[i++] : std::string();
    }
    int bit = 0;
    for (int id : checkIds) {
        host.checks[id] = (checks >> bit++) & 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::uint8_t page = data[0] % 3;
    const std::uint8_t checks = data[1];
    const std::vector<std::string> texts = fields(data + 2, size - 2);
    for (const auto& text : texts) {
        (void)ReadIntField(text);
        (void)ReadFloatField(text);
    }
    RandomSource random(RandomSource::Kind::Classic, [] { return std::time_t{1}; });
    test::ScriptedHost host;
    host.limit = {OutputLimit::window().lines, 1 << 20};
    host.cancelAt = 1;
    host.chosenPath = "out.txt";
    if (page == 0) {
        fill(host, texts, checks, windowControls<StringSettings>(kStringFields, false),
             windowControls<StringSettings>(kStringFields, true));
        StringPageLogic generator(host, random);
        BatchRun(generator);
        ExportResult(host, generator.controls());
    } else if (page == 1) {
        fill(host, texts, checks, windowControls<NumberSettings>(kNumberFields, false),
             windowControls<NumberSettings>(kNumberFields, true));
        NumberPageLogic generator(host, random);
        BatchRun(generator);
    } else {
        fill(host, texts, checks, windowControls<TimeSettings>(kTimeFields, false),
             windowControls<TimeSettings>(kTimeFields, true));
        TimedRun run(host, random);
        run.StartTimedRun();
        for (int i = 0; i < 300 && host.armedDelay; ++i) {
            run.OnTimer(ids::kEventTimer);
        }
    }
    return 0;
}
