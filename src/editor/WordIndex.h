#pragma once
// Finding a word of a transcript by its id.

#include "model/Word.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

namespace vt::WordIndex {

// The position of the first word with this id; none when there is none.
inline std::optional<std::size_t> of(const std::vector<Word>& words, const Uuid& id)
{
    const auto it = std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.id == id; });
    if (it == words.end()) return std::nullopt;
    return static_cast<std::size_t>(it - words.begin());
}

}  // namespace vt::WordIndex
