#pragma once
// Hook lines: the short text over a video's first seconds. Written by rules
// from the transcript (always available), scored for pull, and, through an
// on-device language model, rewritten on request; no such model exists on
// this platform, so that path reports itself unavailable and callers fall
// back to the rules. Stateless; everything runs on the caller's thread.

#include "model/Word.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct HookGenerator {
    // Thrown by aiHooks when the on-device model is not there.
    struct Unavailable : std::runtime_error {
        Unavailable() : std::runtime_error("AI Rewrites need an on-device language model, which this computer doesn't have.") {}
    };

    struct Status {
        bool available = false;
        std::string message;
    };

    // Up to three lines, best first: sentences of 3 words or more (deleted
    // words and fillers left out), cut to 14 words with "…", capitalised,
    // ranked by length, duplicates dropped.
    static std::vector<std::string> fromTranscript(const std::vector<Word>& words);
    // How strongly a line pulls a viewer in: 0 to 7.2.
    static double pull(std::string_view text);
    // The on-device model's hooks; throws Unavailable here.
    static std::vector<std::string> aiHooks(const std::string& transcript);
    static Status aiStatus();
    // Cleans a model reply into at most five lines.
    static std::vector<std::string> parseLines(std::string_view reply);
};

}  // namespace vt
