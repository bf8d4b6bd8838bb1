#include "GeneratedTalk.h"

#include "support/TestSupport.h"

#include <sstream>
#include <stdexcept>
#include <string>

namespace vt::test {
namespace {

constexpr double kPause = 0.6;          // seconds of silence after each sentence
constexpr double kBytesPerSecond = 22050 * 2;  // espeak-ng writes 22.05 kHz 16-bit mono
constexpr std::size_t kWavHeader = 44;

const std::vector<std::string> kSentences{
    "Why do most people never finish the projects they start?",
    "Here is the truth about building a habit that lasts.",
    "You only need 3 small changes to your morning.",
    "And then everything else gets easier over time.",
    "Stop waiting for motivation to show up first.",
    "The best time to start is right after you wake up.",
    "So the plan is simple and it costs nothing.",
    "Nobody tells you how hard the first week is.",
    "Write down one goal and read it every single day.",
    "Your brain loves progress you can actually see.",
    "That is why a checklist works better than a dream.",
    "Most people quit on day four, so plan for day four.",
};

void check(int status, const std::string& what)
{
    if (status != 0) throw std::runtime_error(what + " failed");
}

}  // namespace

GeneratedTalk generateTalk(const std::filesystem::path& dir, double seconds)
{
    GeneratedTalk talk;
    const auto silence = dir / "pause.wav";
    check(run("sox -n -r 22050 -c 1 -b 16 " + shellQuote(silence.string()) + " trim 0 " + std::to_string(kPause)), "sox");
    std::string parts;
    double t = 0;
    for (int i = 0; t < seconds; ++i) {
        // Each sentence is spoken once; repeats reuse its sound.
        const std::size_t k = std::size_t(i) % kSentences.size();
        const std::string& sentence = kSentences[k];
        const auto file = dir / ("s" + std::to_string(k) + ".wav");
        if (!std::filesystem::exists(file))
            check(run("espeak-ng -s 165 -w " + shellQuote(file.string()) + " " + shellQuote(sentence)), "espeak-ng");
        const double length = double(std::filesystem::file_size(file) - kWavHeader) / kBytesPerSecond;
        // The words share the sentence's sound by their lengths.
        std::istringstream in(sentence);
        std::vector<std::string> pieces;
        std::string piece;
        std::size_t letters = 0;
        while (in >> piece) {
            letters += piece.size() + 1;
            pieces.push_back(piece);
        }
        const double from = t + 0.15, span = length - 0.3;
        double at = from;
        for (const std::string& p : pieces) {
            Word w;
            w.id = Uuid::random();
            w.text = p;
            w.start = at;
            at += span * double(p.size() + 1) / double(letters);
            w.end = at - 0.05;
            talk.words.push_back(std::move(w));
        }
        parts += shellQuote(file.string()) + " " + shellQuote(silence.string()) + " ";
        t += length + kPause;
    }
    const auto sound = dir / "talk.wav";
    check(run("sox " + parts + shellQuote(sound.string())), "sox");
    talk.video = dir / "talk.mp4";
    check(run("ffmpeg -v error -y -f lavfi -i testsrc2=s=160x90:r=5 -i " + shellQuote(sound.string()) +
              " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -aac_coder fast -b:a 32k -shortest " +
                  shellQuote(talk.video.string())),
          "ffmpeg");
    talk.duration = t;
    return talk;
}

}  // namespace vt::test
