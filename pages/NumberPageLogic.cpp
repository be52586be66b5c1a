#include "NumberPageLogic.h"

#include "ControlIds.h"
#include "NumberFields.h"

namespace ovantis {

NumberPageLogic::NumberPageLogic(PageHost& host, RandomSource& random)
    : LinePage(host, random, kNumberControls) {}

InitialContent NumberPageLogic::initialContent() {
    return initialContentOf<NumberSettings>(kNumberFields);
}

bool NumberPageLogic::Validate() {
    Refusal refused;
    const NumberSettings read = readFields<NumberSettings>(kNumberFields, host(), refused);
    return accept(readBoundsBy(read, random()), refused, m_settings, m_generator);
}

void NumberPageLogic::OnFloatToggled() {
    enableFields<NumberSettings>(kNumberFields, host());
}

}  // namespace ovantis
