#include "StringPageLogic.h"

#include "ControlIds.h"
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

}  // namespace ovantis
