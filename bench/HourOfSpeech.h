#pragma once
// An hour of talk as a transcript: `count` words of 0.3 s, 0.06 s apart,
// a second's pause every 60 words and a sentence end every 14.

#include "model/Project.h"

#include <iterator>
#include <string>
#include <utility>

namespace vt::bench {

inline Project hourOfSpeech(int count, std::string videoPath)
{
    static const char* const texts[] = {"well", "this", "is", "how", "the", "morning", "started", "before",
                                        "anyone", "arrived", "at", "the", "studio"};
    Project p;
    p.videoPath = std::move(videoPath);
    double t = 0.2;
    for (int i = 0; i < count; ++i) {
        Word w;
        w.id = Uuid::random();
        w.text = texts[i % std::size(texts)];
        if (i % 14 == 13) w.text += ".";
        w.start = t;
        w.end = t + 0.3;
        t = w.end + (i % 60 == 59 ? 1.0 : 0.06);
        p.words.push_back(std::move(w));
    }
    p.sourceDuration = t + 0.5;
    return p;
}

}  // namespace vt::bench
