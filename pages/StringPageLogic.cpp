#include "StringPageLogic.h"

#include <memory>

#include "ControlIds.h"
#include "CountLine.h"
#include "SettingsCheck.h"
#include "StringFields.h"

namespace ovantis {

StringPageLogic::StringPageLogic(PageHost& host, RandomSource& random)
    : LinePage(host, random, kStringControls) {}

InitialContent StringPageLogic::initialContent() {
    return initialContentOf<StringSettings>(kStringFields);
}

bool StringPageLogic::Validate() {
    Refusal refused;
    const StringSettings read = readFields<StringSettings>(kStringFields, host(), refused);
    return accept(read, refused, m_settings, m_generator);
}

void StringPageLogic::OnFieldsEdited() {
    host().armTimer(ids::kEventTimer, kCountDelayMs);
}

void StringPageLogic::OnTimer() {
    Refusal refused;
    const StringSettings settings = readFields<StringSettings>(kStringFields, host(), refused);
    if (refused || check(settings)) {
        host().setText(ids::kStringInfo, "");
        return;
    }
    const Language language = host().language();
    auto line = std::make_shared<std::string>();
    // Long lengths of many classes take a while to count. Counting draws
    // nothing, and a source of its own leaves the page's to the page's thread.
    host().runAside(
        kCountJob,
        [settings, language, line](const StopCheck&) {
            RandomSource unused;
            *line = countLine(StringGenerator(settings, unused), language);
        },
        [this, line] { host().setText(ids::kStringInfo, *line); });
}

}  // namespace ovantis
