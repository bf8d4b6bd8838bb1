#include "audio/SoundEffectsRenderer.h"

#include "audio/SoundFixtures.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vt {
namespace {

namespace SFX = SoundEffectsRenderer;

}  // namespace

void PrintTo(const SoundEvent& e, std::ostream* out) { *out << SoundEffectsRenderer::rawValue(e.kind) << "@" << e.time; }

namespace {

using SFX::Event;
using SFX::Kind;

TimedWord word(double start, bool emphasized)
{
    TimedWord w;
    w.text = "w";
    w.start = start;
    w.end = start + 0.1;
    w.emphasized = emphasized;
    return w;
}

CaptionGroup line(int index, double start, std::vector<TimedWord> words = {})
{
    if (words.empty()) words.push_back(word(start, false));
    return {words, start, start + 1, index, std::nullopt};
}

EditPlan plan(std::vector<EditPlan::Segment> segments) { return {std::move(segments)}; }

struct EventsCase {
    const char* name;
    std::vector<CaptionGroup> groups;
    std::set<int> emojiLines;
    EditPlan plan;
    bool hook;
    std::vector<Event> expected;
};

TEST(SoundEffects, EventsFromCaptionsCutsAndTheHook)
{
    const std::vector<EventsCase> cases{
        {"emoji lines and the hook", {line(0, 1.0), line(1, 2.0), line(3, 4.0)}, {0, 3}, {}, true,
         {{0.05, Kind::hit}, {1.0, Kind::pop}, {4.0, Kind::pop}}},
        {"a line at 0 pops before the hit", {line(0, 0.0)}, {0}, {}, true, {{0.0, Kind::pop}, {0.05, Kind::hit}}},
        {"pops are spaced from the last kept one",
         {line(0, 2.0, {word(2.0, true), word(2.2, true), word(2.3, true)})}, {}, {}, false,
         {{2.0, Kind::pop}, {2.3, Kind::pop}}},
        {"an emoji line and its first emphasized word pop once", {line(0, 1.0, {word(1.0, true)})}, {0}, {}, false, {{1.0, Kind::pop}}},
        {"a hit and a pop at the same time keep that order", {line(0, 0.05, {word(0.05, true)})}, {}, {}, true,
         {{0.05, Kind::hit}, {0.05, Kind::pop}}},
        {"whooshes into cuts that removed a pause", {}, {},
         plan({{0, 0.4, 0}, {0.9, 2, 0.4}, {2.5, 3, 1.5}, {3.5, 4, 2.0}, {4.34, 5, 2.5}, {5.5, 7, 3.16}}), false,
         // 0.4 lands too early; 2.0 comes 0.5 s after the whoosh at 1.5; 2.5
         // removed only 0.34 s; 3.16 is 1.66 s after the last whoosh kept.
         {{1.5, Kind::whoosh}, {3.16, Kind::whoosh}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SFX::events(SoundEffects{}, c.groups, c.emojiLines, c.plan, c.hook), c.expected) << c.name;

    SoundEffects off{-8, false, false, false, false};
    EXPECT_TRUE(SFX::events(off, {line(0, 1.0, {word(1.0, true)})}, {0}, plan({{0, 1, 0}, {2, 3, 1}}), true).empty());
}

TEST(SoundEffects, CacheKey)
{
    EXPECT_EQ(SFX::keyText({{0.05, Kind::hit}}, 10), "hit@50|10000");
    EXPECT_EQ(SFX::keyText({{0.05, Kind::hit}, {1.5, Kind::pop}}, 30.2), "hit@50,pop@1500|30200");
    EXPECT_EQ(SFX::keyText({{0.0025, Kind::tick}, {1.9996, Kind::whoosh}}, 2.9999), "tick@3,whoosh@2000|2999");
    EXPECT_EQ(SFX::keyHash(""), "cbf29ce484222325");
    EXPECT_EQ(SFX::keyHash("a"), "af63dc4c8601ec8c");
}

// After their first noisy milliseconds the pop and the hit are pure tones,
// the same in every rendering: in the file they must match sample for sample.
void expectSoundAt(const test::Mono& file, Kind kind, std::int64_t start, std::size_t from)
{
    const auto sound = SFX::synth(kind);
    for (std::size_t j = from; j < sound.samples.size(); ++j)
        ASSERT_NEAR(file.samples[std::size_t(start) + j], std::tanh(sound.samples[j]), 1.0 / 32767 + 1e-6) << SFX::rawValue(kind) << " " << j;
}

TEST(SoundEffects, SoundsLandOnTheirSamplesAndTheFileIsRenderedOnce)
{
    test::TempDir data;
    test::ScopedEnv env("XDG_DATA_HOME", data.path().string());
    const std::vector<Event> events{{0.5, Kind::pop}, {2.0, Kind::whoosh}, {3.0, Kind::hit}, {9.0, Kind::pop}};
    const auto file = SFX::render(events, 4.0);
    EXPECT_EQ(file, data / ("Vellumtide/Cache/sfx-v1-" + SFX::keyHash(SFX::keyText(events, 4.0)) + ".caf"));

    const test::Mono sound = test::readMono(file);
    EXPECT_EQ(sound.rate, 44100);
    ASSERT_EQ(sound.samples.size(), 198'450u);  // (4 + 0.5) s
    for (std::size_t i = 0; i < 22'050; ++i) ASSERT_EQ(sound.samples[i], 0.0f) << i;
    expectSoundAt(sound, Kind::pop, 22'050, 140);
    // The whoosh swells from 0.32 s before its event: 74,088 = (2.0 − 0.32) × 44,100.
    for (std::size_t i = 22'050 + 4'851; i < 74'088; ++i) ASSERT_EQ(sound.samples[i], 0.0f) << i;
    float whoosh = 0;
    for (std::size_t i = 74'088; i < 74'088 + 22'050; ++i) whoosh = std::max(whoosh, std::fabs(sound.samples[i]));
    EXPECT_GT(whoosh, 0.01f);
    expectSoundAt(sound, Kind::hit, 132'300, 1'103);
    for (std::size_t i = 132'300 + 26'460; i < sound.samples.size(); ++i) ASSERT_EQ(sound.samples[i], 0.0f) << i;

    test::writeFile(file, "kept");
    EXPECT_EQ(SFX::render(events, 4.0), file);
    EXPECT_EQ(test::readFile(file), "kept");
}

}  // namespace
}  // namespace vt
