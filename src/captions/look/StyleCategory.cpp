#include "captions/look/StyleCategory.h"

namespace vt {

namespace {

const StyleCategoryRow& row(StyleCategory category)
{
    for (const auto& r : kStyleCategories)
        if (r.category == category) return r;
    return kStyleCategories.front();  // unreachable for a declared case
}

}  // namespace

std::string_view title(StyleCategory category) { return row(category).title; }

std::string_view blurb(StyleCategory category) { return row(category).blurb; }

std::optional<StyleCategory> styleCategory(std::string_view title)
{
    for (const auto& r : kStyleCategories)
        if (r.title == title) return r.category;
    return std::nullopt;
}

}  // namespace vt
