#pragma once
// The error the built-in recognizer reports, with a numeric code. Callers
// compare only the code; the text is a plain description.

#include <stdexcept>
#include <string>

namespace vt::recognizer {

struct RecognizerError : std::runtime_error {
    static constexpr int noSpeech = 1110;   // the audio held no recognisable speech
    static constexpr int cancelled = 216;   // the task was cancelled
    static constexpr int unreadable = 1101; // the audio could not be read
    static constexpr int unavailable = 1700; // the language model could not be loaded

    RecognizerError(int code, const std::string& text) : std::runtime_error(text), code(code) {}
    int code;
};

}  // namespace vt::recognizer
