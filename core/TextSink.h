#pragma once

#include <string>

namespace ovantis {

// Receives a long line piece by piece, so it never has to sit in memory whole.
class TextSink {
  public:
    virtual ~TextSink() = default;
    // Takes the text and leaves the buffer empty; false asks the maker to stop.
    // An empty buffer only asks whether to go on.
    virtual bool drain(std::string& buffer) = 0;
};

}  // namespace ovantis
