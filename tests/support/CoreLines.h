#pragma once

#include <string>

#include "RandomSource.h"

namespace ovantis::test {

// What the core's generator makes of settings from the classic source seeded
// with 1, each line ended by CR LF: a page with those settings in second 1
// must show the same, so tests above the core compare with it instead of
// writing the lines out again.
template <class Generator, class Settings>
std::string coreLines(const Settings& settings, int count) {
    RandomSource random;
    random.seed(1);
    Generator generator(settings, random);
    std::string lines;
    for (int i = 0; i < count; ++i, lines += "\r\n") {
        generator.appendLine(lines);
    }
    return lines;
}

}  // namespace ovantis::test
