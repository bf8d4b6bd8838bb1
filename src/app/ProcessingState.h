#pragma once
// The progress of a running import, as the processing screen shows it.

#include <QImage>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

struct ProcessingState {
    // Step titles, indexed by `step`.
    static constexpr std::array<std::string_view, 4> steps{"Extracting audio", "Preparing speech model",
                                                          "Transcribing on-device", "Tracking the speaker"};

    std::string fileName;  // the video's last path component
    int step = 0;          // index into steps
    std::string phase = "Preparing";
    double fraction = 0;   // of the current stage, 0 to 1
    std::optional<QImage> poster;
    std::optional<std::string> note;  // why the language guard chose what it chose

    // Stores both, then moves `step` by the phase's first word (Extracting 0,
    // Downloading 1, Transcribing 2, Tracking 3; anything else keeps it).
    void update(std::string phase, double fraction);
};

}  // namespace vt
