#pragma once
// The platform string services the script conversions use, over ICU:
// transliteration by ICU id and canonical decomposition. Thread-safe: each
// thread keeps its own transliterators (they are costly to build and are
// used for every word of every caption derivation).

#include <optional>
#include <string>
#include <string_view>

namespace vt::icu_transforms {

// The text through the ICU transliterator `id` (forward); none when ICU has
// no transliterator of that id.
std::optional<std::string> apply(std::string_view id, std::string_view text);

// Canonical decomposition (NFD) as Unicode scalars.
std::u32string decomposedScalars(std::string_view text);

}  // namespace vt::icu_transforms
