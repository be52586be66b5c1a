#include "Refusals.h"

#include "CliTexts.h"
#include "Messages.h"
#include "RefusalReasons.h"

namespace ovantis::cli {

std::string worded(Refusal refusal, Language language, const ShownNames& shown) {
    for (std::string& value : refusal.values) {
        for (const auto& [name, typed] : shown) {
            if (value == name) {
                value = typed;
                break;
            }
        }
    }
    if (refusal.notice == nullptr) {
        return reasonOf(refusal, language);
    }
    return texts::kRefused.fill(language,
                                {noticeIn(refusal.notice, language), reasonOf(refusal, language)});
}

}  // namespace ovantis::cli
