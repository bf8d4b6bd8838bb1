#pragma once
// The views of the editor's transcript dock, shown by their raw texts.

#include <array>
#include <string_view>
#include <utility>

namespace vt {

enum class TranscriptMode { transcription, subtitle, timeline };

constexpr auto enumCases(TranscriptMode)
{
    using M = TranscriptMode;
    return std::array{std::pair{M::transcription, std::string_view("Transcription")},
                      std::pair{M::subtitle, std::string_view("Subtitle")},
                      std::pair{M::timeline, std::string_view("Timeline")}};
}

}  // namespace vt
