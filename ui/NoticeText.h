#pragma once

#include <QString>

#include "Language.h"
#include "Notice.h"

// A page's notice as the window shows it.
class NoticeText {
  public:
    // Figures grouped by thousands in either language: 1,000,000; the detail
    // follows on the next line as it is.
    static QString shown(const ovantis::Notice& notice, ovantis::Language language);
};
