#include "Diagnostics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "CharacterSet.h"
#include "CliTexts.h"
#include "Notices.h"
#include "StringGenerator.h"

namespace ovantis::cli {
namespace {

std::string countTooLow(std::int32_t count, Language language) {
    return texts::kCountTooLow.fill(language, {std::to_string(count)});
}

std::string maxBelowMin(const char* maxName, const char* minName, std::int32_t min,
                        std::int32_t max, Language language) {
    return texts::kMaxBelowMin.fill(language,
                                    {maxName, minName, std::to_string(min), std::to_string(max)});
}

// Which text option is at fault and why.
std::string explainText(const StringSettings& s, Language language) {
    const struct {
        const char* option;
        const std::string& text;
        bool ranges;
    } fields[] = {{"--charset", s.charset, true},
                  {"--exclude", s.exclude, true},
                  {"--head", s.head, false},
                  {"--tail", s.tail, false}};
    for (const auto& [option, text, ranges] : fields) {
        CharacterSet set;
        const CharacterSet::TextCheck c =
            ranges ? CharacterSet::parse(text, set, option != std::string_view("--charset"))
                   : CharacterSet::checkVerbatim(text);
        if (c.fault == CharacterSet::Fault::Malformed) {
            return texts::kNeedsUtf8.fill(language, {option});
        }
        if (c.fault == CharacterSet::Fault::Backwards) {
            return texts::kBackwards.fill(language, {option});
        }
        if (c.fault == CharacterSet::Fault::Control) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c.point));
            return texts::kControl.fill(language, {option, code});
        }
    }
    return {};
}

std::string figure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

// Bytes as a rough figure a reader takes in at once, rounded up.
std::string roughSize(std::uint64_t bytes) {
    constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
    constexpr std::uint64_t kGiB = kMiB << 10;
    if (bytes < 10 * kGiB) {
        return std::to_string((bytes + kMiB - 1) / kMiB) + " MiB";
    }
    return std::to_string((bytes + kGiB - 1) / kGiB) + " GiB";
}

// Edits that turn a into b.
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string explain(const char* notice, const StringSettings& s, Language language) {
    if (notice == notices::kBadCharset) {
        return explainText(s, language);
    }
    if (notice == notices::kNoCharClass) {
        return texts::kNothingLeft.in(language);
    }
    if (notice == notices::kBadLength && s.eachClass && s.maxLength >= s.minLength) {
        std::vector<CharacterSet> classes;
        CharacterSet::build(s, classes);
        return texts::kEachClassShort.fill(
            language, {std::to_string(classes.size()), std::to_string(s.maxLength)});
    }
    if (notice == notices::kBadLength) {
        return maxBelowMin("--max-length", "--min-length", s.minLength, s.maxLength, language);
    }
    return countTooLow(s.count, language);
}

std::string explain(const char* notice, const NumberSettings& s, Language language) {
    if (notice == notices::kBadPlaces) {
        return texts::kPlacesOutside.fill(language, {std::to_string(s.places)});
    }
    if (notice == notices::kBadRange) {
        if (!s.low.finite() || !s.high.finite()) {
            return texts::kBeyondSingle.in(language);
        }
        if (s.asRead(s.low) > s.asRead(s.high)) {
            return texts::kLowAboveHigh.in(language);
        }
        std::int64_t first = 0;
        std::int64_t last = 0;
        if (s.integerOn && !wholeNumbersIn(s, first, last)) {
            return texts::kNoWhole.in(language);
        }
        return texts::kNoDecimal.fill(language, {std::to_string(s.places)});
    }
    return countTooLow(s.count, language);
}

std::string explain(const char* notice, const TimeSettings& s, Language language) {
    if (notice == notices::kNoCommand) {
        return texts::kNeedProgram.in(language);
    }
    if (notice == notices::kBadDelay) {
        return maxBelowMin("--max-delay", "--min-delay", s.minDelay, s.maxDelay, language);
    }
    return countTooLow(s.count, language);
}

std::string explain(const PatternRefusal& r, const PatternSettings& s, Language language) {
    using Kind = PatternRefusal::Kind;
    if (r.kind == Kind::BadOption) {
        StringSettings options;
        options.charset = s.charset;
        options.exclude = s.exclude;
        return explainText(options, language);
    }
    if (r.kind == Kind::Malformed) {
        return texts::kNeedsUtf8.fill(language, {"PATTERN"});
    }
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(r.figure));
    const std::string found = "'" + r.found + "'";
    const std::string figure = std::to_string(r.figure);
    const std::string bound = r.kind != Kind::OpenRepeat
                                  ? std::string()
                                  : "{" + figure + "," + std::to_string(r.figure + 8) + "}";
    const std::pair<Kind, std::string> words[] = {
        {Kind::OpenRepeat, texts::kOpenRepeat.fill(language, {found, bound})},
        {Kind::BackReference, texts::kBackReference.fill(language, {found})},
        {Kind::LookAround, texts::kLookAround.fill(language, {found})},
        {Kind::WordBoundary, texts::kWordBoundary.fill(language, {found})},
        {Kind::Flags, texts::kFlags.fill(language, {found})},
        {Kind::Anchor, texts::kAnchor.fill(language, {found})},
        {Kind::Unbalanced, texts::kUnbalanced.fill(language, {found})},
        {Kind::BadEscape, texts::kBadEscape.fill(language, {found})},
        {Kind::EmptyClass, texts::kEmptyClass.fill(language, {found})},
        {Kind::PosixClass, texts::kPosixClass.fill(language, {found})},
        {Kind::ReversedRange, texts::kReversedRange.fill(language, {found})},
        {Kind::BadRange, texts::kBadRange.fill(language, {found})},
        {Kind::NothingToRepeat, texts::kNothingToRepeat.fill(language, {found})},
        {Kind::BadRepeat, texts::kBadRepeat.fill(language, {found})},
        {Kind::ControlCharacter, texts::kControlInPattern.fill(language, {code})},
        {Kind::BadCodePoint, texts::kBadCodePoint.fill(language, {found})},
        {Kind::TooDeep, texts::kTooDeep.fill(language, {figure})},
        {Kind::PatternTooLong, texts::kPatternTooLong.fill(language, {figure})},
        {Kind::LineTooLong, texts::kLineTooLong.fill(language, {figure})},
        {Kind::TooManyStates, texts::kTooManyStates.fill(language, {figure})},
        {Kind::OverBudget,
         texts::kCountOverBudget.fill(language, {std::to_string(r.figure >> 20)})},
    };
    std::string why;
    for (const auto& [kind, text] : words) {
        why = kind == r.kind ? text : why;
    }
    return r.column > 0 ? texts::kAtColumn.fill(language, {std::to_string(r.column), why}) : why;
}

const char* tooSlow(const StringSettings& s, const StringGenerator& generator, Language language,
                    std::string& why) {
    // Characters drawn in vain for one line kept.
    constexpr double kMostWasted = 1 << 26;
    const double meanLength =
        std::max(0.0, (static_cast<double>(s.minLength) + s.maxLength) / 2) + 1;
    double draws = generator.drawsPerLine();
    if ((draws - 1) * meanLength > kMostWasted) {
        why = std::isinf(draws) ? texts::kEachClassNever.in(language)
                                : texts::kEachClassRare.fill(language, {figure(draws)});
        return notices::kBadLength;
    }
    if (s.unique) {
        // Drawn evenly, the last line is new once in possible / (possible - count + 1).
        const auto possible = static_cast<double>(generator.possibleLines());
        draws *= possible / (possible - s.count + 1);
        if ((draws - 1) * meanLength > kMostWasted) {
            why = texts::kUniqueSlow.fill(language, {std::to_string(s.count), figure(draws)});
            return notices::kBadCount;
        }
    }
    return nullptr;
}

std::string refuseUnique(bool unique, std::uint64_t possible, std::uint64_t classicPeriod,
                         std::int32_t count, Language language) {
    if (unique && possible < static_cast<std::uint64_t>(count)) {
        return (possible == classicPeriod ? texts::kClassicTooFew : texts::kTooFewPossible)
            .fill(language, {std::to_string(count), std::to_string(possible)});
    }
    return {};
}

std::string refuseMemory(std::uint64_t needed, std::uint64_t budget, std::int32_t count,
                         Language language) {
    if (needed > budget) {
        return texts::kOverBudget.fill(
            language, {roughSize(needed), std::to_string(count), std::to_string(budget >> 20)});
    }
    return {};
}

std::string closest(const std::string& typed, const std::vector<std::string>& names) {
    std::string best;
    std::size_t bestDistance = 3;
    for (const std::string& name : names) {
        const std::size_t distance = editDistance(typed, name);
        if (distance < bestDistance) {
            best = name;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace ovantis::cli
