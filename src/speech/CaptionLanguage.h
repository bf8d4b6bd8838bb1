#pragma once
// The caption languages the pickers offer. A project stores the id of the
// row the user picked; choosing a row changes only the writing of the words
// (its script), except the English-translation row, whose words come from
// the translation of the captions. Immutable; readable from any thread.

#include "speech/CaptionScript.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct CaptionLanguage {
    std::string id;    // stored in the project
    std::string name;  // shown in the pickers
    CaptionScript script = CaptionScript::latin;
    std::optional<std::string> note;

    friend bool operator==(const CaptionLanguage&, const CaptionLanguage&) = default;

    // The 21 rows the pickers list (the English-translation row is not among them).
    static const std::vector<CaptionLanguage>& all();
    // "english" gives the English-translation row; otherwise the row with
    // exactly this id; absent or unknown ids give the "latin" row.
    static const CaptionLanguage& find(std::optional<std::string_view> id);

    // A short caption in the row's writing, shown by the pickers.
    std::string sample() const;
};

}  // namespace vt
