#pragma once
// Speech made at test time to measure what a recognizer hears: espeak-ng says
// sentences one after another with pauses between, and the word error rate
// compares what was heard with what was said.

#include <filesystem>
#include <string>
#include <vector>

namespace vt::test {

struct SpokenAudio {
    std::filesystem::path wav;       // 16 kHz mono 16-bit
    std::vector<std::string> words;  // what was said, as plainWords gives them
    double seconds = 0;
};

// The sentences spoken in order, `pause` seconds of silence after each.
// Throws std::runtime_error when espeak-ng or sox fails.
SpokenAudio speakSentences(const std::filesystem::path& dir, const std::vector<std::string>& sentences, double pause = 0.5);

// Sentences of ordinary talk, some with "um" and "uh" in them, about three
// minutes when spoken.
const std::vector<std::string>& talkSentences();

// Ten short sentences, eight "um" and "uh" in them.
const std::vector<std::string>& fillerSentences();

// Lower-case words of a text, punctuation dropped ("Don't," -> "don't").
std::vector<std::string> plainWords(const std::string& text);

// (substitutions + deletions + insertions) / words said, over plain words.
double wordErrorRate(const std::vector<std::string>& said, const std::vector<std::string>& heard);

// How many of the fillers said were heard as fillers ("Remove fillers" finds
// them), pairing said and heard words as the word error rate does.
int fillersHeard(const std::vector<std::string>& said, const std::vector<std::string>& heard);

// What the built-in recognizer's 11 s recording of real speech says.
const std::vector<std::string>& realSpeechWords();

}  // namespace vt::test
