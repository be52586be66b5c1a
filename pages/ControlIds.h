#pragma once

// Control identifiers shared by the core and the windows that host it.
namespace ovantis::ids {

inline constexpr int kNone = 0;  // labels have no identifier

// Main window
inline constexpr int kDescription = 1000;
inline constexpr int kTabs = 1001;

// String page
inline constexpr int kUpper = 1002;
inline constexpr int kLower = 1003;
inline constexpr int kDigits = 1004;
inline constexpr int kHead = 1005;
inline constexpr int kTail = 1006;
inline constexpr int kStringOutput = 1010;
inline constexpr int kStringGenerate = 1011;
inline constexpr int kStringExport = 1012;
inline constexpr int kMinLength = 1015;
inline constexpr int kMaxLength = 1016;
inline constexpr int kStringCount = 1017;

// Number page
inline constexpr int kIntegerOn = 1018;
inline constexpr int kDecimalOn = 1019;
inline constexpr int kLow = 1020;
inline constexpr int kHigh = 1021;
inline constexpr int kNumberCount = 1022;
inline constexpr int kPlaces = 1023;
inline constexpr int kNumberGenerate = 1024;
inline constexpr int kNumberExport = 1025;
inline constexpr int kNumberOutput = 1026;

// Time page
inline constexpr int kMinDelay = 1007;
inline constexpr int kCountEvents = 1008;
inline constexpr int kMaxDelay = 1009;
inline constexpr int kCommand = 1013;
inline constexpr int kRunExternal = 1014;
inline constexpr int kTimeOutput = 1027;
inline constexpr int kTimeGenerate = 1028;
inline constexpr int kTimeExport = 1029;

// Pattern page, numbered on from the others.
enum : int {
    kPattern = kTimeExport + 1,
    kPatternUnique,
    kPatternCount,
    kPatternInfo,
    kPatternOutput,
    kPatternGenerate,
    kPatternExport,
    // The String page's password options, added after the rest.
    kSymbols,
    kNoSimilar,
    kEachClass,
    kStringUnique,
    kStringInfo,
    // Rows page.
    kRowsSchema,
    kRowsInfo,
    kRowsFormat,
    kRowsNoHeader,
    kRowsCount,
    kRowsOutput,
    kRowsGenerate,
    kRowsExport,
    kPassphrase,
};

inline constexpr int kEventTimer = 1;

}  // namespace ovantis::ids
