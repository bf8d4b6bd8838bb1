#pragma once
// What the on-device language model is shown of a transcript: at most its
// first 3000 user-perceived characters, with "…" when it was longer.

#include <string>

namespace vt::ModelPrompt {

inline constexpr std::size_t transcriptLimit = 3000;

std::string transcript(const std::string& full);

}  // namespace vt::ModelPrompt
