#pragma once
// The emoji chosen for one caption line and the word that caused the choice.

#include "platform/Uuid.h"

#include <optional>
#include <string>

namespace vt {

struct EmojiPick {
    std::string emoji;
    std::optional<Uuid> wordID;  // absent when the causing word has no id

    friend bool operator==(const EmojiPick&, const EmojiPick&) = default;
};

}  // namespace vt
