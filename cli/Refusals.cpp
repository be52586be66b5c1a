#include "Refusals.h"

#include "CliTexts.h"
#include "Messages.h"
#include "RefusalReasons.h"

namespace ovantis::cli {

std::string worded(const Refusal& refusal, Language language) {
    if (refusal.notice == nullptr) {
        return reasonOf(refusal, language);
    }
    return texts::kRefused.fill(language,
                                {noticeIn(refusal.notice, language), reasonOf(refusal, language)});
}

}  // namespace ovantis::cli
