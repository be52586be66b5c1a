#pragma once

#include <QString>
#include <string>

#include "OutputLimit.h"

// The core's notices in the chosen language. The core speaks Chinese, the
// source language; each notice is looked up in the "Notices" context.
class NoticeText {
  public:
    // text is a notice as the core gives it; one that came from limit is
    // rebuilt from its numbers, and a reason after the first line is kept.
    static QString shown(const std::string& text, const ovantis::OutputLimit& limit);
};
