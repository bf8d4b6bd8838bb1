#pragma once
// Small word lists for the text engines' tests.

#include "model/Word.h"
#include "support/TimedWords.h"

#include <sstream>
#include <string>
#include <vector>

namespace vt::test {

// The words of `text` (split at spaces), each `step` seconds after the last,
// lasting `length`, from `from`.
inline std::vector<Word> spoken(const std::string& text, double from = 0, double step = 0.4, double length = 0.3)
{
    std::vector<Word> words;
    std::istringstream in(text);
    std::string piece;
    double t = from;
    while (in >> piece) {
        words.push_back(timedWord(piece, t, t + length));
        t += step;
    }
    return words;
}

inline std::vector<Word> operator+(std::vector<Word> a, const std::vector<Word>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace vt::test
