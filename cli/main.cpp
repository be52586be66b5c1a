#include <csignal>
#include <iostream>

#include "CliApp.h"
#include "FdStreambuf.h"
#include "Signals.h"

int main(int argc, char** argv) {
    // A closed pipe shows up as EPIPE on write and ends the run quietly.
    std::signal(SIGPIPE, SIG_IGN);
    ovantis::sys::Signals::install();
    ovantis::sys::FdStreambuf outBuffer(1);
    std::ostream out(&outBuffer);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return ovantis::cli::run(args, out, std::cerr);
}
