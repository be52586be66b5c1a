#include "Notices.h"

#include <string_view>

namespace ovantis::notices {
namespace {

// The English is the window's translation; a test compares them.
constexpr Text kTexts[] = {
    {kNoCharClass, "Choose at least one character type."},
    {kBadCharset, "The character set is not valid."},
    {kBadLength, "The length range is not valid."},
    {kNoNumberType, "Choose at least one number type."},
    {kBadPlaces, "The number of decimal places is not valid."},
    {kBadRange, "The value range is not valid."},
    {kNoCommand, "Name a program to run."},
    {kCommandWithArguments,
     "The program field takes the name of one program or document, without arguments. This "
     "name is not an existing file:"},
    {kBadDelay, "The interval range is not valid."},
    {kBadCount, "The count is not valid."},
    {kGenerated, "Generated successfully."},
    {kExported, "Exported successfully."},
    {kExportFailed, "Export failed."},
    {kTooMuchOutput,
     "The results may not fit in the output box, which takes at most %1 lines and %2 of text "
     "per run. Lower the count or the length; for large batches use the command-line tool "
     "ovantis-cli."},
    {kBytes, "%1 bytes"},
    {kLaunchFailed, "%1 of %2 programs could not be started:"},
};

}  // namespace

std::span<const Text> all() {
    return kTexts;
}

const Text* textOf(const char* notice) {
    for (const Text& text : kTexts) {
        if (std::string_view(text.chinese()) == notice) {
            return &text;
        }
    }
    return nullptr;
}

}  // namespace ovantis::notices
