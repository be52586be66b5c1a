#include "Messages.h"

#include <cstdlib>
#include <string_view>

#include "Notices.h"
#include "UserLanguage.h"

namespace ovantis::cli {

namespace {

struct Entry {
    const char* chinese;
    const char* english;
};

// Kept equal to res/translations/ovantis_en.ts; a test compares them.
constexpr Entry kEnglish[] = {
    {notices::kNoCharClass, "Choose at least one character type."},
    {notices::kBadLength, "The length range is not valid."},
    {notices::kNoNumberType, "Choose at least one number type."},
    {notices::kBadPlaces, "The number of decimal places is not valid."},
    {notices::kBadRange, "The value range is not valid."},
    {notices::kNoCommand, "Name a program to run."},
    {notices::kBadDelay, "The interval range is not valid."},
    {notices::kBadCount, "The count is not valid."},
    {notices::kGenerated, "Generated successfully."},
    {notices::kExported, "Exported successfully."},
    {notices::kExportFailed, "Export failed."},
    {notices::kTooMuchOutput,
     "The results may not fit in the output box, which takes at most %1 lines and %2 of text "
     "per run. Lower the count or the length; for large batches use the command-line tool "
     "ovantis-cli."},
    {notices::kBytes, "%1 bytes"},
    {notices::kLaunchFailed, "%1 of %2 programs could not be started:"},
};

}  // namespace

bool englishNotices() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("en");
        }
    }
    // Without locale variables (Windows) the desktop's language decides.
    const std::string desktop = sys::userLanguage();
    return !desktop.empty() && desktop != "zh";
}

const char* english(const char* notice) {
    for (const Entry& entry : kEnglish) {
        if (std::string_view(entry.chinese) == notice) {
            return entry.english;
        }
    }
    return nullptr;
}

const char* localized(const char* notice) {
    const char* translated = englishNotices() ? english(notice) : nullptr;
    return translated != nullptr ? translated : notice;
}

}  // namespace ovantis::cli
