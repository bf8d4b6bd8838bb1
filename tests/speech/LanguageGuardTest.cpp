#include "speech/LanguageGuard.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vt;

namespace {

using Engine = TranscriptionEngine;
using Choice = LanguageGuard::Choice;

HeardLanguage heard(std::string code, double p, std::map<std::string, double> all = {})
{
    return {std::move(code), p, std::move(all)};
}

struct GuardCase {
    const char* name;
    Engine engine;
    std::string appleLocale;
    std::string whisperLanguage;
    std::optional<HeardLanguage> heard;
    std::vector<std::string> recognizerLocales;
    std::optional<std::string> region;
    Choice expected;
};

const std::vector<std::string> englishOnly{"en-US"};
const Choice unchangedWhisper(const std::string& id) { return {Engine::whisper, "en-US", id, std::nullopt}; }
const Choice unchangedApple(const std::string& locale) { return {Engine::apple, locale, "hinglish", std::nullopt}; }

}  // namespace

TEST(LanguageGuard, ChoosesEngineLanguageAndNote)
{
    const GuardCase cases[] = {
        // Missing or weak detection changes nothing.
        {"no detection", Engine::apple, "en-US", "hinglish", std::nullopt, englishOnly, "US", unchangedApple("en-US")},
        {"weak detection", Engine::apple, "en-US", "hinglish", heard("hi", 0.49), englishOnly, "US",
         unchangedApple("en-US")},
        {"weak detection, whisper", Engine::whisper, "en-US", "en", heard("es", 0.49), englishOnly, "US",
         unchangedWhisper("en")},
        {"probability not a number", Engine::whisper, "en-US", "en", heard("es", std::nan("")), englishOnly, "US",
         unchangedWhisper("en")},
        {"probability not a number, built-in", Engine::apple, "en-US", "hinglish", heard("hi", std::nan("")),
         englishOnly, "US", unchangedApple("en-US")},

        // Whisper engine.
        {"urdu heard as hindi", Engine::whisper, "en-US", "hinglish", heard("ur", 0.9), englishOnly, "US",
         unchangedWhisper("hinglish")},
        {"auto never changes", Engine::whisper, "en-US", "auto", heard("es", 0.99), englishOnly, "US",
         unchangedWhisper("auto")},
        {"english in an indic setup", Engine::whisper, "en-US", "ta-roman", heard("en", 0.99), englishOnly, "US",
         unchangedWhisper("ta-roman")},
        {"indic to indic below 0.85", Engine::whisper, "en-US", "hinglish", heard("ta", 0.84), englishOnly, "US",
         unchangedWhisper("hinglish")},
        {"indic to indic at 0.85", Engine::whisper, "en-US", "hinglish", heard("ta", 0.85), englishOnly, "US",
         {Engine::whisper, "en-US", "ta-roman", "Heard Tamil, not Hinglish, so this video uses Tanglish."}},
        {"other language at 0.7", Engine::whisper, "en-US", "en", heard("es", 0.7), englishOnly, "US",
         {Engine::whisper, "en-US", "es", "Heard Spanish, not English, so this video uses Spanish."}},
        {"other language at 0.69", Engine::whisper, "en-US", "en", heard("es", 0.69), englishOnly, "US",
         unchangedWhisper("en")},
        {"heard language without a row", Engine::whisper, "en-US", "en", heard("it", 0.99), englishOnly, "US",
         unchangedWhisper("en")},
        {"unknown row id reads as hinglish", Engine::whisper, "en-US", "nope", heard("fr", 0.95), englishOnly, "US",
         {Engine::whisper, "en-US", "fr", "Heard French, not Hinglish, so this video uses French."}},
        {"urdu speech on the urdu row stays", Engine::whisper, "en-US", "ur", heard("ur", 0.95), englishOnly, "US",
         unchangedWhisper("ur")},

        // Built-in engine.
        {"hindi mixed into english", Engine::apple, "en-US", "hinglish",
         heard("en", 0.8, {{"en", 0.8}, {"hi", 0.1}, {"ur", 0.06}}), englishOnly, "US",
         {Engine::whisper, "en-US", "hinglish",
          "Heard Hindi mixed with English, so this video is captioned with Whisper (Hinglish)."}},
        {"too little hindi", Engine::apple, "en-US", "hinglish",
         heard("en", 0.8, {{"en", 0.8}, {"hi", 0.1}, {"ur", 0.04}}), englishOnly, "US", unchangedApple("en-US")},
        {"mixed keeps the user's hindi row", Engine::apple, "en-US", "hindi",
         heard("en", 0.8, {{"en", 0.8}, {"ur", 0.2}}), englishOnly, "US",
         {Engine::whisper, "en-US", "hindi",
          "Heard Hindi mixed with English, so this video is captioned with Whisper (Hindi)."}},
        {"hindi heard", Engine::apple, "en-US", "hinglish", heard("hi", 0.9), englishOnly, "US",
         {Engine::whisper, "en-US", "hinglish", "Heard Hindi, so this video is captioned with Whisper (Hinglish)."}},
        {"hindi on a hindi locale", Engine::apple, "hi-IN", "hinglish", heard("hi", 0.9), englishOnly, "IN",
         unchangedApple("hi-IN")},
        {"locale of the current region", Engine::apple, "en-US", "hinglish", heard("fr", 0.9), {"fr-CA", "fr-FR"},
         "FR", {Engine::apple, "fr-FR", "hinglish", "Heard French, so this video is transcribed in French."}},
        {"first locale of the language", Engine::apple, "en-US", "hinglish", heard("fr", 0.9), {"fr-CA", "fr-FR"},
         "DE", {Engine::apple, "fr-CA", "hinglish", "Heard French, so this video is transcribed in French."}},
        {"no recognizer locale, whisper row", Engine::apple, "en-US", "hinglish", heard("ar", 0.9), englishOnly, "US",
         {Engine::whisper, "en-US", "ar", "Heard Arabic, so this video is captioned with Whisper."}},
        {"indic without a row or locale", Engine::apple, "en-US", "hinglish", heard("ne", 0.9), englishOnly, "US",
         unchangedApple("en-US")},
        {"locale without a language", Engine::apple, "", "hinglish", heard("en", 0.9), englishOnly, "US",
         {Engine::apple, "en-US", "hinglish", "Heard English, so this video is transcribed in English."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Choice got = LanguageGuard::choose(c.engine, c.appleLocale, c.whisperLanguage, c.heard, c.recognizerLocales,
                                           c.region);
        EXPECT_EQ(rawValue(got.engine), rawValue(c.expected.engine));
        EXPECT_EQ(got.appleLocaleID, c.expected.appleLocaleID);
        EXPECT_EQ(got.whisperLanguageID, c.expected.whisperLanguageID);
        EXPECT_EQ(got.note, c.expected.note);
    }
}

TEST(LanguageGuard, UrduSpeechOnAnUrduRecognizerLocaleIsLeftAlone)
{
    // Urdu counts as Hindi only when the setup is not already Urdu.
    auto got = LanguageGuard::choose(Engine::apple, "ur-PK", "hinglish", heard("ur", 0.9), {"ur-PK"}, "PK");
    EXPECT_EQ(got, (Choice{Engine::apple, "ur-PK", "hinglish", std::nullopt}));
}

TEST(LanguageGuard, WhisperRowForACode)
{
    struct {
        const char* code;
        const char* preferring;
        std::optional<std::string> expected;
    } cases[] = {
        {"hi", "hindi", "hindi"},     // the user's own row wins when its code matches
        {"hi", "en", "hinglish"},
        {"ta", "en", "ta-roman"},
        {"mr", "hinglish", "mr-roman"},
        {"es", "en", "es"},
        {"it", "en", std::nullopt},
        {"ne", "en", std::nullopt},
        {"", "en", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageGuard::whisperID(c.code, c.preferring), c.expected) << c.code << " " << c.preferring;
}

TEST(LanguageGuard, ShortNames)
{
    EXPECT_EQ(LanguageGuard::shortName("hinglish"), "Hinglish");
    EXPECT_EQ(LanguageGuard::shortName("hindi"), "Hindi");
    EXPECT_EQ(LanguageGuard::shortName("en"), "English");
    EXPECT_EQ(LanguageGuard::shortName("bn-roman"), "Banglish");
    EXPECT_EQ(LanguageGuard::shortName("unknown"), "Hinglish");  // unknown ids read as the default row
}

TEST(LanguageGuard, RecognizerLocaleForALanguage)
{
    const std::vector<std::string> list{"fr-CA", "en_GB", "fr", "fr-FR", "_FR"};
    struct {
        const char* code;
        std::optional<std::string> region;
        std::optional<std::string> expected;
    } cases[] = {
        {"fr", "FR", "fr-FR"},
        {"fr", "BE", "fr-CA"},          // no region match: the first of the language
        {"fr", std::nullopt, "fr"},     // without a current region only a region-less id matches
        {"en", "US", "en_GB"},
        {"de", "DE", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(LanguageGuard::appleLocale(c.code, list, c.region), c.expected) << c.code;
}

TEST(LanguageGuard, IndicCodes)
{
    EXPECT_EQ(LanguageGuard::indic().size(), 15u);
    for (const char* code : {"hi", "ur", "ta", "sd", "or"}) EXPECT_TRUE(LanguageGuard::indic().contains(code));
    EXPECT_FALSE(LanguageGuard::indic().contains("en"));
}

TEST(LanguageGuard, OddLocaleIdentifiersMatchNothing)
{
    const std::vector<std::string> odd{"", "@", "_", std::string(300, 'x'), "-FR"};
    EXPECT_EQ(LanguageGuard::appleLocale("fr", odd, "FR"), std::nullopt);
    auto got = LanguageGuard::choose(Engine::apple, "@", "hinglish", heard("fr", 0.9), odd, "FR");
    EXPECT_EQ(got, (Choice{Engine::whisper, "@", "fr", "Heard French, so this video is captioned with Whisper."}));
}
