#include "model/AudioCleanup.h"
#include "model/BackgroundMusic.h"
#include "model/SoundClip.h"
#include "model/SoundEffects.h"
#include "model/TrackSettings.h"
#include "model/Voiceover.h"
#include "model/VolumeEnvelope.h"
#include "ProjectSamples.h"
#include "RecordChecks.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vt;

namespace {

VolumeEnvelope::Point point(double time, double db) { return {Uuid::random(), time, db}; }

VolumeEnvelope bentLine()
{
    VolumeEnvelope e;
    e.points = {point(1, -10), point(3, -20)};
    return e;
}

SoundClip whoosh()
{
    SoundClip c;
    c.path = "/sfx/whoosh.wav";
    c.name = "whoosh";
    c.start = 2;
    c.offset = 0.1;
    c.duration = 1.5;
    c.fileDuration = 3;
    c.volume = bentLine();
    c.volume.fadeIn = 0.2;
    return c;
}

}  // namespace

TEST(VolumeEnvelope, LevelFollowsThePoints)
{
    VolumeEnvelope flat;
    flat.db = -6;
    EXPECT_EQ(flat.level(-5), -6);
    EXPECT_EQ(flat.level(100), -6);
    EXPECT_NEAR(flat.gain(3, 10), 0.501187, 1e-6);

    VolumeEnvelope e = bentLine();
    e.db = 5;  // ignored once there are points
    struct Case { double t, level; };
    for (Case c : {Case{-1, -10}, Case{1, -10}, Case{2, -15}, Case{2.5, -17.5}, Case{3, -20}, Case{9, -20}})
        EXPECT_DOUBLE_EQ(e.level(c.t), c.level) << "t=" << c.t;

    e.points.insert(e.points.begin() + 1, point(2, 0));
    EXPECT_EQ(e.level(2), 0);  // exactly on an interior point

    // Points sharing a time: the last of them starts the next stretch.
    VolumeEnvelope step;
    step.points = {point(0, 0), point(1, -10), point(1, -30), point(2, -20)};
    EXPECT_DOUBLE_EQ(step.level(1.5), -25);
    EXPECT_DOUBLE_EQ(step.level(0.5), -5);
}

TEST(VolumeEnvelope, GainAppliesSilenceAndSquaredFades)
{
    VolumeEnvelope e;
    e.db = -39.95;
    EXPECT_EQ(e.gain(1, 10), 0);
    e.db = -39.94;
    EXPECT_NEAR(e.gain(1, 10), 0.0101, 1e-4);

    VolumeEnvelope in;
    in.fadeIn = 2;
    EXPECT_EQ(in.gain(0, 10), 0);
    EXPECT_DOUBLE_EQ(in.gain(1, 10), 0.25);
    EXPECT_DOUBLE_EQ(in.gain(2, 10), 1);
    EXPECT_EQ(in.gain(-1, 10), 0);

    VolumeEnvelope out;
    out.fadeOut = 2;
    EXPECT_DOUBLE_EQ(out.gain(9, 10), 0.25);
    EXPECT_EQ(out.gain(10, 10), 0);
    EXPECT_EQ(out.gain(11, 10), 0);
    EXPECT_DOUBLE_EQ(out.gain(5, 10), 1);

    VolumeEnvelope both;
    both.fadeIn = 4;
    both.fadeOut = 4;
    EXPECT_DOUBLE_EQ(both.gain(3, 6), std::pow(0.75, 4));
}

TEST(VolumeEnvelope, KnotsAreRawTimes)
{
    EXPECT_EQ(VolumeEnvelope{}.knots(10), (std::vector<double>{0, 10, 0, 10}));
    VolumeEnvelope e = bentLine();
    e.fadeIn = 1.5;
    e.fadeOut = 12;
    EXPECT_EQ(e.knots(10), (std::vector<double>{0, 10, 1.5, -2, 1, 3}));
}

TEST(VolumeEnvelope, EveryKeyIsRequired)
{
    VolumeEnvelope e = bentLine();
    e.fadeOut = 0.5;
    test::roundTrip(e);
    json::Value v = json::encode(e);
    test::expectEachKeyRequired<VolumeEnvelope>(v, {"db", "fadeIn", "fadeOut", "points"});
    test::expectEachKeyRequired<VolumeEnvelope::Point>(v["points"][0], {"id", "time", "db"});
    v["points"][1].erase("id");
    EXPECT_THROW(json::decode<VolumeEnvelope>(v), json::DecodeError);

    e.points[1].db = std::nan("");  // never written as something unreadable
    EXPECT_THROW(json::encode(e), json::EncodeError);
}

TEST(SoundClip, RoundTripsAndNeedsEveryKeyButBookmark)
{
    SoundClip c = whoosh();
    json::Value v = json::encode(c);
    EXPECT_FALSE(v.contains("bookmark"));
    EXPECT_EQ(test::roundTrip(c).id, c.id);
    c.bookmark = Bytes{0, 255};
    test::roundTrip(c);
    test::expectEachKeyRequired<SoundClip>(
        json::encode(c), {"id", "path", "name", "start", "offset", "duration", "fileDuration", "volume"});
}

TEST(SoundClip, EqualityLooksInsideTheEnvelope)
{
    SoundClip a = whoosh();
    SoundClip b = a;
    b.volume.points[1].id = Uuid::random();
    EXPECT_NE(a, b);
    b = a;
    b.volume.fadeIn = 0.3;
    EXPECT_NE(a, b);
    b = a;
    b.bookmark = Bytes{};
    EXPECT_NE(a, b);
}

TEST(TrackSettings, FlagsReadForgivinglyButNeedAnObject)
{
    EXPECT_EQ(json::decode<TrackSettings>(json::Value::object()), TrackSettings{});

    json::Value v = json::encode(TrackSettings{.matchCutsMuted = true, .voiceMuted = true});
    EXPECT_EQ(v.size(), 9u);
    EXPECT_EQ(v["matchCutsMuted"], true);
    EXPECT_EQ(v["videoMuted"], false);
    test::roundTrip(TrackSettings{.matchCutsMuted = true, .voiceMuted = true});

    v["voiceMuted"] = "yes";
    v["soundsMuted"] = 1;
    v["effectsHidden"] = nullptr;
    EXPECT_EQ(json::decode<TrackSettings>(v), TrackSettings{.matchCutsMuted = true});
    EXPECT_THROW(json::decode<TrackSettings>(json::Value::array()), json::DecodeError);
}

TEST(AudioCleanup, CacheKeyHashesTruncatedSettings)
{
    AudioCleanup defaults;
    EXPECT_EQ(defaults.cacheKey(), "3n9y98i7e8vhi");

    AudioCleanup a, b, c;
    a.noiseReduction = 0.29;  // × 100 is just below 29
    b.noiseReduction = 0.28;
    c.noiseReduction = 0.3;
    EXPECT_EQ(a.cacheKey(), b.cacheKey());
    EXPECT_NE(a.cacheKey(), c.cacheKey());

    AudioCleanup off = defaults;
    off.voiceEQ = false;
    EXPECT_NE(off.cacheKey(), defaults.cacheKey());

    // A damaged file may hold an absurd strength: still a key, never a crash.
    AudioCleanup huge;
    huge.leveler = 1e300;
    huge.noiseReduction = -1e300;
    EXPECT_FALSE(huge.cacheKey().empty());
}

TEST(AudioCleanup, AllFourKeysRequired)
{
    AudioCleanup a{0.25, false, 0.9, true};
    test::roundTrip(a);
    test::expectEachKeyRequired<AudioCleanup>(json::encode(a), {"noiseReduction", "voiceEQ", "leveler", "normalize"});
}

TEST(BackgroundMusic, OptionalsMayBeAbsentAndTheRestIsRequired)
{
    BackgroundMusic chosen;
    chosen.path = "/music/song.m4a";
    chosen.name = "song";
    json::Value v = json::encode(chosen);
    EXPECT_FALSE(v.contains("builtInID"));
    EXPECT_FALSE(v.contains("bookmark"));
    EXPECT_EQ(v["volume"], -12.0);
    EXPECT_EQ(v["ducking"], 14.0);
    EXPECT_EQ(v["loop"], true);
    test::roundTrip(chosen);
    test::expectEachKeyRequired<BackgroundMusic>(
        v, {"path", "name", "volume", "ducking", "startOffset", "fadeIn", "fadeOut", "loop"});

    BackgroundMusic mood = chosen;
    mood.builtInID = "chill";
    mood.bookmark = Bytes{1};
    test::roundTrip(mood);
    EXPECT_NE(mood, chosen);

    BackgroundMusic once = chosen;
    once.loop = false;
    EXPECT_NE(once, chosen);
}

TEST(SoundEffects, SwitchedOnValuesAndRequiredKeys)
{
    json::Value v = json::encode(SoundEffects{});
    EXPECT_EQ(v, (json::Value{{"volume", -8.0}, {"emphasisPops", true}, {"emojiPops", true},
                              {"cutWhooshes", true}, {"hookHit", true}}));
    test::roundTrip(SoundEffects{-3, false, true, false, true});
    test::expectEachKeyRequired<SoundEffects>(v, {"volume", "emphasisPops", "emojiPops", "cutWhooshes", "hookHit"});
}

TEST(Voiceover, RoundTripsWordsAndNeedsAllSevenKeys)
{
    std::vector<Word> words{test::word("hello", 1.6, 1.9), test::word("there", 2.0, 2.3)};
    Voiceover take{"/data/Voiceovers/take.m4a", 1.5, 4.2, words, -3, 0.2, false};
    take.words[1].emphasized = true;
    Voiceover back = test::roundTrip(take);
    EXPECT_EQ(back.words[1].id, take.words[1].id);

    json::Value v = json::encode(take);
    test::expectEachKeyRequired<Voiceover>(
        v, {"path", "start", "duration", "words", "volume", "originalLevel", "captionsFromVoice"});
    v["extra"] = 1;
    EXPECT_EQ(json::decode<Voiceover>(v), take);

    Voiceover other = take;
    other.words[1].emphasized = false;
    EXPECT_NE(other, take);

    Voiceover none;
    EXPECT_EQ(none.originalLevel, 0.15);
    EXPECT_TRUE(none.captionsFromVoice);
    EXPECT_TRUE(none.words.empty());
}
