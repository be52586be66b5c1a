#pragma once

#include "RandomSource.h"
#include "ScriptedHost.h"

namespace ovantis::test {

// A page's logic on a scripted host filled with its start-up values, drawing
// from a classic source whose clock always reads second 1.
template <class Page>
struct PageFixture {
    RandomSource random{RandomSource::Kind::Classic, [] { return std::time_t{1}; }};
    ScriptedHost host{Page::initialContent()};
    Page page{host, random};
};

}  // namespace ovantis::test
