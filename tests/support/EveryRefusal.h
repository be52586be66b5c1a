#pragma once

#include <limits>
#include <string>
#include <vector>

#include "NumberSettings.h"
#include "PatternGenerator.h"
#include "PatternParser.h"
#include "RunLimits.h"
#include "ScriptedHost.h"
#include "SettingsCheck.h"
#include "StringFields.h"
#include "StringGenerator.h"
#include "StringPageLogic.h"
#include "TestKeys.h"
#include "TimeSettings.h"

namespace ovantis::test {

// One refusal of each kind, as the core returns it.
inline std::vector<Refusal> everyRefusal() {
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<Refusal> all;
    for (const StringSettings& s : std::initializer_list<StringSettings>{
             {.upper = false, .lower = false},
             {.charset = "\xff"},
             {.exclude = "z-a"},
             {.head = "\x01"},
             {.digits = true, .eachClass = true, .minLength = 1, .maxLength = 2},
             {.minLength = 9, .maxLength = 3},
             {.count = 0}}) {
        all.push_back(check(s));
    }
    for (const NumberSettings& s :
         std::initializer_list<NumberSettings>{{false, false, 1, 2, 10, 2},
                                               {false, true, 0, 1, 10, 101},
                                               {true, true, inf, inf, 10, 2},
                                               {true, false, 100, 80, 10, 2},
                                               {true, false, 0.2f, 0.8f, 10, 2},
                                               {false, true, 0.1f, 0.9f, 10, 0}}) {
        all.push_back(check(s));
    }
    all.push_back(check(TimeSettings{true, "", 500, 3000, 10, false}));
    all.push_back(check(TimeSettings{false, "", 3000, 500, 10, false}));
    ScriptedHost host(StringPageLogic::initialContent());
    host.texts[ids::kStringCount] = "1 000";
    all.emplace_back();
    readFields<StringSettings>(kStringFields, host, all.back());
    RandomSource random(RandomSource::Kind::Secure, {}, testKeys);
    for (const StringSettings& s :
         std::initializer_list<StringSettings>{{.digits = true,
         .symbols = true,
         .charset = " -\U0010FFFF",
         .eachClass = true,
         .minLength = 5,
         .maxLength = 5},
                                               {.upper = true,
                                               .charset = "\U00010000-\U0010FFFF",
                                               .eachClass = true,
                                               .minLength = 3,
                                               .maxLength = 3},
                                               {.upper = false,
                                               .lower = false,
                                               .digits = true,
                                               .unique = true,
                                               .minLength = 7,
                                               .maxLength = 7,
                                               .count = 10000000}}) {
        all.push_back(refuseSlow(s, StringGenerator(s, random)));
    }
    all.push_back(refuseUnique(true, 5, 6, 10));
    all.push_back(refuseUnique(true, 5, 5, 10));
    all.push_back(refuseMemory(2 << 20, 1 << 20, 10));
    const std::string deep = std::string(201, '(') + std::string(201, ')');
    for (const std::string& pattern :
         std::vector<std::string>{"a*",
                                  "(a)\\1",
                                  "(?=a)",
                                  "a\\b",
                                  "(?i)a",
                                  "a^b",
                                  "(a",
                                  "\\q",
                                  "[01Ol]",
                                  "[[:alpha:]]",
                                  "[z-a]",
                                  "[\\d-z]",
                                  "*a",
                                  "a{x}",
                                  "a\tb",
                                  "\\x{D800}",
                                  "(a{1000}){1000}",
                                  "(((a{1000}){1000}){1000}){3000}",
                                  "([a-z]{2}|[0-9]){0,3000}",

                                  "\xff",
                                  deep,
                                  std::string(PatternParser::kMostBytes + 1, 'a')}) {
        PatternGenerator generator(random);
        all.push_back(build(generator, {.pattern = pattern, .noSimilar = true}, 1 << 20));
    }
    for (const char* pattern : {"[ab]{0,20}a[ab]{20}", "(a|){10000}"}) {
        PatternGenerator generator(random);
        all.push_back(build(generator, {.pattern = pattern}, 1u << 30));
    }
    PatternGenerator stopped(random);
    all.push_back(build(stopped, {.pattern = "a"}, 1 << 20, [] { return true; }));
    // Memory running out midway, as the system would report it.
    all.push_back(
        build(stopped, {.pattern = "a{2}"}, 1 << 20, []() -> bool { throw std::bad_alloc(); }));
    return all;
}

}  // namespace ovantis::test
