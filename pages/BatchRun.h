#pragma once

namespace ovantis {

class LinePage;

// The Generate of the String and Number pages: validate, make the lines, show
// them and tell the user. A run that could overflow the output box is refused
// before it starts; a cancelled one keeps the lines made so far. The lines
// are made in steps the host repeats, so a window may return before they are.
void BatchRun(LinePage& page);

}  // namespace ovantis
