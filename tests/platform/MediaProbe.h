#pragma once
// What ffprobe says about a written media file, for tests that check an
// encode: its streams (with counted frames) and its container, as JSON.

#include "support/TestSupport.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

namespace vt::test {

// {"streams": [...], "format": {...}}; an empty object when ffprobe fails.
inline nlohmann::json probe(const std::filesystem::path& file)
{
    std::string out = commandOutput("ffprobe -v error -of json -count_frames -show_streams -show_format " +
                                    shellQuote(file.string()) + " 2>/dev/null");
    auto probed = nlohmann::json::parse(out, nullptr, false);
    return probed.is_discarded() ? nlohmann::json::object() : probed;
}

// The first stream of a kind ("video", "audio"), or null.
inline nlohmann::json streamOf(const nlohmann::json& probed, const std::string& kind)
{
    for (const auto& s : probed.value("streams", nlohmann::json::array()))
        if (s.value("codec_type", "") == kind) return s;
    return nullptr;
}

// Presentation times (seconds) of the key frames of the first video stream.
inline std::vector<double> keyFrameTimes(const std::filesystem::path& file)
{
    std::string out = commandOutput("ffprobe -v error -select_streams v:0 -skip_frame nokey -of csv=p=0 "
                                    "-show_entries frame=pts_time " + shellQuote(file.string()) + " 2>/dev/null");
    std::vector<double> times;
    std::size_t pos = 0;
    while (pos < out.size()) {
        std::size_t end = out.find('\n', pos);
        std::string line = out.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (!line.empty()) times.push_back(std::stod(line));
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    return times;
}

}  // namespace vt::test
