#pragma once

#include "Text.h"

// Texts of the window that more than one page shows.
namespace ovantis::texts {

inline constexpr Text kCountName{"生成个数", "Count"};
inline constexpr Text kCountLabel{"生成个数：", "Count:"};

}  // namespace ovantis::texts
