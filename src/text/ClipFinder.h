#pragma once
// Finds short, self-contained moments of a long recording: groups the timed
// words into sentences, tries every run of whole sentences whose length
// falls into the chosen range, scores each run by fixed rules (opening,
// ending, pace, pauses, loudness, closeness to the middle of the range),
// keeps the best runs that do not overlap and maps each raw score onto 0 to
// 100 with reasons and a title. Pure and stateless; `project` turns one
// clip into a project of its own.

#include "model/Project.h"
#include "model/Word.h"

#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vt {

struct ClipFinder {
    struct Clip {
        double start = 0;  // source seconds, never below 0
        double end = 0;    // source seconds, never past the media's end
        int score = 0;     // 0 to 100
        std::string title;
        std::vector<std::string> reasons;  // at most three

        // start × 100 "-" end × 100, each truncated toward zero.
        std::string id() const;
        friend bool operator==(const Clip&, const Clip&) = default;
    };

    enum class Length { short_, medium, long_ };
    static constexpr Length allLengths[] = {Length::short_, Length::medium, Length::long_};

    struct Sentence {
        int first = 0;  // word indices, both kept words
        int last = 0;
        double start = 0;
        double end = 0;
        std::string text;
        friend bool operator==(const Sentence&, const Sentence&) = default;
    };

    static constexpr int maxClips = 10;  // what the picker asks for

    // The shown text of a length: "15–30 s", "30–60 s", "60–90 s".
    static std::string_view rawValue(Length length);
    static double shortest(Length length);
    static double longest(Length length);
    static const std::set<std::string>& connectors();

    // The best clips first. `mediaEnd` is the source media's length: no clip
    // ends past it.
    static std::vector<Clip> find(const std::vector<Word>& words, Length length, const std::vector<float>& loudness,
                                  int maxClips, double mediaEnd = std::numeric_limits<double>::infinity());
    static std::vector<Sentence> sentences(const std::vector<Word>& words);
    // The raw score and reasons of a run of consecutive sentences.
    static std::pair<double, std::vector<std::string>> score(const std::vector<Sentence>& run, const std::vector<Word>& words,
                                                             std::pair<double, double> span, const std::vector<float>& loudness,
                                                             double average);
    // The 0…100 score of a raw score.
    static int scaled(double raw);
    // A new project of the source narrowed to the clip.
    static Project project(const Clip& clip, const Project& source);
};

}  // namespace vt
