#include <gtest/gtest.h>

#include <set>

#include "NumberFields.h"
#include "PatternFields.h"
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

}  // namespace
}  // namespace ovantis
