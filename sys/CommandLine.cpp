#include "CommandLine.h"

namespace ovantis::sys {

CommandLine::CommandLine(int argc, char** argv) : m_arguments(argv + 1, argv + argc) {}

CommandLine::~CommandLine() = default;

}  // namespace ovantis::sys
