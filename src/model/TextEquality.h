#pragma once
// Field comparisons for records whose texts compare by canonical equivalence.

#include "platform/TextRules.h"

#include <optional>
#include <string>

namespace vt {

inline bool sameText(const std::optional<std::string>& a, const std::optional<std::string>& b)
{
    if (a.has_value() != b.has_value()) return false;
    return !a || text::canonicallyEqual(*a, *b);
}

}  // namespace vt
