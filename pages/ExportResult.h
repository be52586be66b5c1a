#pragma once

#include <string>
#include <string_view>

#include "LinePage.h"

namespace ovantis {

// Saves the page's output box to a file the user picks, every line break as
// the chosen file type's: LF, or CR LF (the default on Windows). The notice
// names the file written; a failed write is reported and leaves any existing
// file untouched.
void ExportResult(PageHost& host, const PageControls& controls);

// Each CR LF, lone LF or lone CR becomes lineEnd.
std::string withLineEnds(std::string_view text, std::string_view lineEnd);

}  // namespace ovantis
