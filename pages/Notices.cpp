#include "Notices.h"

#include <string_view>

namespace ovantis::notices {
namespace {

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
    {kBadPattern, "The template is not valid."},
    {kBadRows, "The table is not valid."},
    {kTooMuchOutput,
     "The results may not fit in the output box, which takes at most %1 lines and "
     "%2\u00A0MiB of text per run. Lower the count or the length; for large batches use the "
     "command-line tool ovantis-cli."},
    {kTooMuchOutputBytes,
     "The results may not fit in the output box, which takes at most %1 lines and %2 bytes of "
     "text per run. Lower the count or the length; for large batches use the command-line tool "
     "ovantis-cli."},
    {kLaunchFailed, "%1 of %2 programs could not be started:"},
};

}  // namespace

const Text* textOf(const char* notice) {
    for (const Text& text : kTexts) {
        if (notice != nullptr && std::string_view(text.chinese()) == notice) {
            return &text;
        }
    }
    return nullptr;
}

}  // namespace ovantis::notices
