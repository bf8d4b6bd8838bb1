#include "text/ModelPrompt.h"

#include "platform/TextRules.h"

namespace vt::ModelPrompt {

std::string transcript(const std::string& full)
{
    const std::vector<std::string> chars = text::characters(full);
    if (chars.size() <= transcriptLimit) return full;
    std::string sent;
    for (std::size_t i = 0; i < transcriptLimit; ++i) sent += chars[i];
    return sent + "\u2026";
}

}  // namespace vt::ModelPrompt
