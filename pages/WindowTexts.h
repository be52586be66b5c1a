#pragma once

#include "Text.h"

// Texts of the window that more than one page shows.
namespace ovantis::texts {

inline constexpr Text kCountName{"生成个数", "Count"};
inline constexpr Text kCountLabel{"生成个数：", "Count:"};
// Under a run's notice: what ovantis-cli --seed takes to make its lines again.
inline constexpr Text kSeedUsed{"种子：%1", "Seed: %1"};

}  // namespace ovantis::texts
