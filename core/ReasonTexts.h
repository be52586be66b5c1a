#pragma once

#include "SystemReason.h"
#include "Text.h"

// Words for what the operating system reports, where ours are needed: our own
// findings, and the system's error numbers where it has no words in the
// run's language.
namespace ovantis::reasons {

inline constexpr Text kSystemError{"系统错误 %1", "system error %1"};

// Our words for a kind; %1 stands for the reason's path, for OpenerFailed
// the system's words for its error, and for System its number.
const Text& textOf(SystemReason::Kind kind);

// The words for an error number (errno), or nullptr for one not listed.
const Text* errorText(int error);

}  // namespace ovantis::reasons
