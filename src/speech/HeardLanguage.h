#pragma once
// What whisper.cpp heard in the first stretch of speech: its most probable
// language and every language it gives at least 1 % probability.

#include <map>
#include <string>

namespace vt {

struct HeardLanguage {
    std::string code;                   // whisper.cpp's short code, e.g. "hi", "en"
    double probability = 0;             // of `code`, 0 ... 1
    std::map<std::string, double> all;  // code -> probability, only those >= 0.01

    friend bool operator==(const HeardLanguage&, const HeardLanguage&) = default;
};

}  // namespace vt
