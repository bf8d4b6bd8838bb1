#pragma once
// The project's one recorded voiceover take. Its words are timed in output
// seconds (time in the take plus `start`), not source seconds, and are never
// moved by the cut. The defaults are what is shown while there is no take.
// All seven keys are required when reading.

#include "model/Word.h"
#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vt {

struct Voiceover {
    std::string path;               // absolute path of the take's audio file
    double start = 0;               // output seconds where the take begins
    double duration = 0;            // seconds, length of the file
    std::vector<Word> words;        // the take's transcript, output seconds
    double volume = 0;              // dB in the mix; 0 is unity
    double originalLevel = 0.15;    // linear 0…1, the video's own sound under the take
    bool captionsFromVoice = true;  // captions come from `words` (while there are any)
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const Voiceover& a, const Voiceover& b);

    json::Value toJson() const;
    static Voiceover fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::Voiceover> {
    std::size_t operator()(const vt::Voiceover& v) const noexcept;
};
