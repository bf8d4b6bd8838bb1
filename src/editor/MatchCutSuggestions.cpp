#include "editor/MatchCutSuggestions.h"

#include "text/PostCopyWriter.h"
#include "video/effects/MatchCutRenderer.h"

namespace vt::MatchCutRenderer {

std::vector<std::string> suggestions(const std::vector<Word>& words, int count)
{
    if (count <= 0) return {};
    return suggestionsFromHashtags(PostCopyWriter::hashtags(suggestionText(words), count), count);
}

Context context(const std::vector<Word>& words)
{
    return {suggestions(words, 10), contextLines(PostCopyWriter::sentences(words))};
}

}  // namespace vt::MatchCutRenderer
