#pragma once

#include <functional>

namespace ovantis {

// Asked now and then during long work; true ends the work early.
using StopCheck = std::function<bool()>;

}  // namespace ovantis
