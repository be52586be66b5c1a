#include "ReasonText.h"

#include "ReasonTexts.h"

namespace ovantis::sys {

std::string describe(const SystemReason& reason, Language language) {
    using Kind = SystemReason::Kind;
    if (reason.kind == Kind::System) {
        return systemWords(reason.error, language);
    }
    return reasons::textOf(reason.kind)
        .fill(language, {reason.kind == Kind::OpenerFailed ? systemWords(reason.error, language)
                                                           : reason.path});
}

}  // namespace ovantis::sys
