#pragma once
// A word with a fresh id at given source times.

#include "model/Word.h"

#include <string>

namespace vt::test {

inline Word timedWord(std::string text, double start, double end, bool deleted = false)
{
    Word w;
    w.id = Uuid::random();
    w.text = std::move(text);
    w.start = start;
    w.end = end;
    w.deleted = deleted;
    return w;
}

}  // namespace vt::test
