#pragma once

#include <string>
#include <string_view>

#include "LinePage.h"

namespace ovantis {

// Saves the page's output box to a file the user picks, every line break as
// CR LF. A failed write is reported and leaves any existing file untouched.
void ExportResult(PageHost& host, const PageControls& controls);

// Each CR LF, lone LF or lone CR becomes CR LF.
std::string withCrLf(std::string_view text);

}  // namespace ovantis
