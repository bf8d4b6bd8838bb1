#pragma once
// The stored English translation of the captions: English words laid over
// the same spans of source time as the spoken ones. It is out of date when
// its `basis` differs from the fingerprint of the current spoken words and
// pause setting; it is still shown until replaced. "source" may be absent;
// the other keys are required when reading.

#include "model/Word.h"
#include "platform/JsonCoding.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vt {

struct CaptionTranslation {
    std::vector<Word> words;             // English, source seconds, in time order
    std::optional<std::string> source;   // language code translated from; absent: detected
    std::string basis;                   // fingerprint of what it was made from
    Date createdAt = std::chrono::system_clock::now();
    json::Unknown unknown{};  // what a newer version stored, written back as it came

    friend bool operator==(const CaptionTranslation& a, const CaptionTranslation& b);

    json::Value toJson() const;
    static CaptionTranslation fromJson(const json::Value& v);
};

}  // namespace vt

template <>
struct std::hash<vt::CaptionTranslation> {
    std::size_t operator()(const vt::CaptionTranslation& t) const noexcept;
};
