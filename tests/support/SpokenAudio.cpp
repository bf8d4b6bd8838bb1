#include "support/SpokenAudio.h"

#include "model/Fillers.h"
#include "support/SpokenTalks.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

namespace vt::test {

namespace {

void check(int status, const std::string& what)
{
    if (status != 0) throw std::runtime_error(what + " failed");
}

const char* const kFillerSentences[] = {
    "So um I started writing down every purchase in a small notebook.",
    "The first week was hard and uh I kept reaching for the phone.",
    "Um the best time to start is right after you wake up.",
    "I think uh most people quit on day four.",
    "You only need three small changes to your morning.",
    "And then um everything else gets easier over time.",
    "Uh nobody tells you how hard the first month is.",
    "So the plan is um simple and it costs nothing.",
    "I used to uh work with twenty tabs open.",
    "Your brain loves progress you can actually see.",
};

// A talk with sentence ends, split into its sentences.
std::vector<std::string> sentencesOf(const std::string& text)
{
    std::vector<std::string> out;
    std::string current;
    for (char c : text) {
        current += c;
        if (c == '.' || c == '?' || c == '!') {
            const auto first = current.find_first_not_of(' ');
            out.push_back(current.substr(first));
            current.clear();
        }
    }
    return out;
}

}  // namespace

SpokenAudio speakSentences(const std::filesystem::path& dir, const std::vector<std::string>& sentences, double pause)
{
    SpokenAudio audio;
    // espeak-ng writes 22.05 kHz mono 16-bit; the pause matches it so that
    // sox can join them.
    const auto silence = dir / "pause.wav";
    check(run("sox -n -r 22050 -c 1 -b 16 " + shellQuote(silence.string()) + " trim 0 " + std::to_string(pause)), "sox");
    std::string parts;
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        const auto raw = dir / ("said" + std::to_string(i) + ".wav");
        check(run("espeak-ng -v en-us -s 165 -w " + shellQuote(raw.string()) + " " + shellQuote(sentences[i])), "espeak-ng");
        parts += shellQuote(raw.string()) + " " + shellQuote(silence.string()) + " ";
        for (auto& w : plainWords(sentences[i])) audio.words.push_back(std::move(w));
    }
    audio.wav = dir / "said.wav";
    // Repeatable: the dither of the rate change is seeded the same each time.
    check(run("sox -R " + parts + "-r 16000 " + shellQuote(audio.wav.string())), "sox");
    constexpr double bytesPerSecond = 16000 * 2;
    constexpr std::uintmax_t header = 44;
    audio.seconds = double(std::filesystem::file_size(audio.wav) - header) / bytesPerSecond;
    return audio;
}

const std::vector<std::string>& fillerSentences()
{
    static const std::vector<std::string> sentences(std::begin(kFillerSentences), std::end(kFillerSentences));
    return sentences;
}

const std::vector<std::string>& talkSentences()
{
    static const std::vector<std::string> sentences = [] {
        std::vector<std::string> out = fillerSentences();
        // Two talks in sentences, and one that runs on without a full stop.
        for (const auto& talk : spokenTalks()) {
            auto sentences = sentencesOf(talk.text);
            if (!sentences.empty())
                out.insert(out.end(), sentences.begin(), sentences.end());
            else if (talk.subject == "money")
                out.push_back(talk.text);
        }
        return out;
    }();
    return sentences;
}

std::vector<std::string> plainWords(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string piece; in >> piece;) {
        std::string word;
        for (char c : piece)
            if (std::isalnum(static_cast<unsigned char>(c)) || c == '\'') word += char(std::tolower(static_cast<unsigned char>(c)));
        if (!word.empty()) words.push_back(std::move(word));
    }
    return words;
}

namespace {

// Least edits turning the first i said words into the first j heard ones.
std::vector<std::vector<std::size_t>> editTable(const std::vector<std::string>& said, const std::vector<std::string>& heard)
{
    std::vector<std::vector<std::size_t>> edits(said.size() + 1, std::vector<std::size_t>(heard.size() + 1));
    for (std::size_t j = 0; j <= heard.size(); ++j) edits[0][j] = j;
    for (std::size_t i = 1; i <= said.size(); ++i) {
        edits[i][0] = i;
        for (std::size_t j = 1; j <= heard.size(); ++j)
            edits[i][j] = std::min({edits[i - 1][j] + 1, edits[i][j - 1] + 1, edits[i - 1][j - 1] + (said[i - 1] == heard[j - 1] ? 0 : 1)});
    }
    return edits;
}

}  // namespace

double wordErrorRate(const std::vector<std::string>& said, const std::vector<std::string>& heard)
{
    if (said.empty()) return heard.empty() ? 0 : 1;
    return double(editTable(said, heard)[said.size()][heard.size()]) / double(said.size());
}

int fillersHeard(const std::vector<std::string>& said, const std::vector<std::string>& heard)
{
    const auto edits = editTable(said, heard);
    int found = 0;
    // Back from the end along one alignment of least edits.
    for (std::size_t i = said.size(), j = heard.size(); i > 0 && j > 0;) {
        const std::size_t paired = edits[i - 1][j - 1] + (said[i - 1] == heard[j - 1] ? 0 : 1);
        if (edits[i][j] == paired) {
            found += Fillers::isFiller(said[i - 1]) && Fillers::isFiller(heard[j - 1]);
            --i, --j;
        } else if (edits[i][j] == edits[i - 1][j] + 1) {
            --i;
        } else {
            --j;
        }
    }
    return found;
}

const std::vector<std::string>& realSpeechWords()
{
    static const std::vector<std::string> words =
        plainWords("And so, my fellow Americans, ask not what your country can do for you, ask what you can do for your country.");
    return words;
}

}  // namespace vt::test
