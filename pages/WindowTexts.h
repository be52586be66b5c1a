#pragma once

#include "Text.h"

// Texts of the window that more than one page shows.
namespace ovantis::texts {

inline constexpr Text kCountName{"生成个数", "Count"};
inline constexpr Text kCountLabel{"生成个数：", "Count:"};
// Under a run's notice: what ovantis-cli --seed takes to make its lines again.
inline constexpr Text kSeedUsed{"种子：%1", "Seed: %1"};
// A run that drew for over a second without a line it may keep.
inline constexpr Text kWindowGaveUp{"一秒多重抽仍找不到可用的新行；已生成的行保留",
                                    "no further line found in over a second of redraws; the lines "
                                    "made so far are kept"};

}  // namespace ovantis::texts
