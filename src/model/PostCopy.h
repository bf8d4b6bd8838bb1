#pragma once
// Ready-to-paste post texts for five platforms, with who wrote them and in
// which language. Length limits are the writers' business, not the record's.
// Every key but "language" is required when reading.

#include "platform/JsonCoding.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace vt {

struct PostCopy {
    std::string youtubeTitle;
    std::string youtubeDescription;
    std::string instagram;
    std::string tiktok;
    std::string x;
    bool byAI = false;                    // written by the on-device language model
    std::optional<std::string> language;  // "english" when asked for in English; absent: the speaker's
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const PostCopy& a, const PostCopy& b);

    json::Value toJson() const;
    static PostCopy fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::PostCopy> {
    std::size_t operator()(const vt::PostCopy& post) const noexcept;
};
