#pragma once
// A talk of about four minutes made at test time: espeak-ng says one
// sentence after another with short pauses between, over a small test
// pattern. Each sentence's length is read from its sound file, so the words
// come already timed (spread over their sentence by length), as a
// recognizer would give them.

#include "model/Word.h"

#include <filesystem>
#include <vector>

namespace vt::test {

struct GeneratedTalk {
    std::filesystem::path video;
    std::vector<Word> words;
    double duration = 0;
};

// Sentences repeat until the talk is at least `seconds` long.
GeneratedTalk generateTalk(const std::filesystem::path& dir, double seconds);

}  // namespace vt::test
