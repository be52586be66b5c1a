#include "Refusals.h"

#include "CliTexts.h"
#include "Messages.h"
#include "RefusalReasons.h"

namespace ovantis::cli {

std::string why(const Refusal& refusal, Language language) {
    return reasonOf(refusal, language);
}

std::string worded(const Refusal& refusal, Language language) {
    if (refusal.notice == nullptr) {
        return why(refusal, language);
    }
    return texts::kRefused.fill(language,
                                {noticeIn(refusal.notice, language), why(refusal, language)});
}

}  // namespace ovantis::cli
