#pragma once

#include <string>

namespace ovantis {

// Why the operating system did not do what was asked, as a code each front
// end words in its own language: the system's error number, or what we found
// ourselves before asking it.
struct SystemReason {
    enum class Kind : unsigned char {
        System,                // error says why (errno; GetLastError on Windows)
        NotOnPath,             // a bare name that no PATH folder holds
        OnlyInThisFolder,      // ... though this folder does: path names it
        NoProgramName,         // an empty name
        ArgumentsForDocument,  // a document or URL would drop them
        NoOpener,              // nothing here opens documents (no xdg-open)
        OpenerFailed,          // the document opener did not start: error says why
        ScriptNeverStarted,    // only a shell would run it (Windows)
    };

    static SystemReason system(int error) { return {Kind::System, error, {}}; }

    Kind kind = Kind::System;
    int error = 0;
    // OnlyInThisFolder: how to name the one in this folder, escaped for a message.
    std::string path;

    friend bool operator==(const SystemReason&, const SystemReason&) = default;
};

}  // namespace ovantis
