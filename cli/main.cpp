#include <csignal>
#include <iostream>

#include "CliApp.h"
#include "CommandLine.h"
#include "FdStreambuf.h"
#include "Signals.h"

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A closed pipe shows up as EPIPE on write and ends the run quietly.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    ovantis::sys::Signals::install();
    // Before the stream, so the console is set back after the last line.
    const ovantis::sys::CommandLine commandLine(argc, argv);
    ovantis::sys::FdStreambuf outBuffer(1);
    std::ostream out(&outBuffer);
    return ovantis::cli::run(commandLine.arguments(), out, std::cerr);
}
