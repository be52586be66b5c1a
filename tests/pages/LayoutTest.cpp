#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "NumberFields.h"
#include "PatternFields.h"
#include "RowsFields.h"
#include "StringFields.h"
#include "TimeFields.h"
#include "WindowLayout.h"

namespace ovantis {
namespace {

bool overlap(const Place& a, const Place& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Every page as the window builds it: no control hides another or stands
// beyond the buttons at the page's right and bottom edges, and no two
// controls of the window share an id, or one would answer for the other.
TEST(WindowLayout, ControlsNeitherOverlapNorShareAnId) {
    const std::vector<WindowControl> pages[] = {
        windowLayout<StringSettings>(kStringFields, kStringControls),
        windowLayout<NumberSettings>(kNumberFields, kNumberControls),
        windowLayout<TimeSettings>(kTimeFields, kTimeControls),
        windowLayout<RowsSettings>(kRowsFields, kRowsControls),
        windowLayout<PatternSettings>(kPatternFields, kPatternControls),
    };
    std::set<int> ids{ids::kDescription, ids::kTabs};
    for (const std::vector<WindowControl>& page : pages) {
        for (std::size_t i = 0; i < page.size(); ++i) {
            const Place& at = page[i].at;
            SCOPED_TRACE(testing::Message() << "control " << page[i].id << " at " << at.x << ","
                                            << at.y << " label of " << page[i].buddy);
            // 323 and 218: the buttons' right edge, Export's bottom.
            EXPECT_TRUE(at.x >= 0 && at.y >= 0 && at.x + at.w <= 323 && at.y + at.h <= 218);
            for (std::size_t j = i + 1; j < page.size(); ++j) {
                EXPECT_FALSE(overlap(at, page[j].at)) << "and " << page[j].id;
            }
            if (page[i].id != ids::kNone) {
                EXPECT_TRUE(ids.insert(page[i].id).second);
            }
        }
    }
}

std::string placesOf(const std::vector<WindowControl>& page) {
    std::ostringstream out;
    for (const WindowControl& c : page) {
        out << (c.id != ids::kNone ? c.id : -c.buddy) << '@' << c.at.x << ',' << c.at.y << ','
            << c.at.w << ',' << c.at.h << ' ';
    }
    return out.str();
}

// The pages keep the dialog templates' rectangles unit for unit: a label one
// unit short clips its last character at some font sizes. A label is shown
// by its field's id, negated.
TEST(WindowLayout, EveryPageKeepsItsTemplatesRectangles) {
    EXPECT_EQ(placesOf(windowLayout<StringSettings>(kStringFields, kStringControls)),
              "1002@16,14,32,10 1003@58,14,32,10 1004@100,14,32,10 1037@142,14,32,10 "
              "1050@274,14,49,10 1038@184,14,80,10 1039@274,31,49,10 1040@274,48,49,10 "
              "1005@47,29,64,14 1006@47,46,64,14 1015@193,29,28,14 1016@236,29,28,14 "
              "1017@193,46,28,14 1010@16,78,249,140 1011@274,187,49,14 "
              "1012@274,204,49,14 1041@60,66,205,10 -1005@16,32,25,8 "
              "-1006@16,48,25,8 -1015@151,32,41,8 -1016@225,34,8,8 -1017@151,48,41,8 "
              "-1010@16,67,41,8 ");
    EXPECT_EQ(placesOf(windowLayout<NumberSettings>(kNumberFields, kNumberControls)),
              "1018@16,14,32,10 1019@59,14,80,10 1020@58,29,39,14 1021@114,29,39,14 "
              "1022@58,46,39,14 1026@16,78,249,140 1024@274,187,49,14 "
              "1025@274,204,49,14 1023@139,12,14,14 -1020@16,32,41,8 "
              "-1021@103,33,8,8 -1023@158,14,9,8 -1022@16,48,41,8 -1026@16,67,41,8 ");
    EXPECT_EQ(placesOf(windowLayout<TimeSettings>(kTimeFields, kTimeControls)),
              "1014@16,14,68,10 1013@84,12,238,14 1007@58,29,39,14 1009@114,29,39,14 "
              "1008@58,46,39,14 1027@16,78,249,140 1028@274,187,49,14 "
              "1029@274,204,49,14 -1007@16,32,41,8 -1009@103,33,8,8 "
              "-1009@159,32,17,8 -1008@16,48,41,8 -1027@16,67,41,8 ");
    EXPECT_EQ(placesOf(windowLayout<PatternSettings>(kPatternFields, kPatternControls)),
              "1030@47,12,218,14 1033@47,29,276,16 1031@16,48,80,10 "
              "1032@193,46,28,14 1034@16,78,249,140 1035@274,187,49,14 "
              "1036@274,204,49,14 -1030@16,15,25,8 -1032@151,48,41,8 "
              "-1034@16,67,41,8 ");
    EXPECT_EQ(placesOf(windowLayout<RowsSettings>(kRowsFields, kRowsControls)),
              "1042@47,12,276,14 1043@47,29,276,16 1044@47,46,40,14 1045@96,48,50,10 "
              "1046@193,46,28,14 1047@16,78,249,140 1048@274,187,49,14 "
              "1049@274,204,49,14 -1042@16,15,29,8 -1044@16,48,29,8 -1046@151,48,41,8 "
              "-1047@16,67,41,8 ");
}

}  // namespace
}  // namespace ovantis
