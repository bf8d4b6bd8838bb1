#include "speech/CaptionLanguage.h"
#include "speech/CaptionScript.h"
#include "speech/Transliterator.h"
#include "speech/TranscriptionEngine.h"
#include "speech/WhisperLanguage.h"

#include <gtest/gtest.h>

using namespace vt;

TEST(CaptionScript, RawValuesAreExactAndRoundTripThroughJson)
{
    ASSERT_EQ(allCaptionScripts.size(), 11u);
    for (CaptionScript s : allCaptionScripts) {
        EXPECT_EQ(captionScript(rawValue(s)), s);
        EXPECT_EQ(json::decode<CaptionScript>(json::encode(s)), s);
    }
    EXPECT_EQ(rawValue(CaptionScript::oriya), "oriya");
    EXPECT_FALSE(captionScript("Latin"));
    EXPECT_FALSE(captionScript(""));
    EXPECT_THROW(json::decode<CaptionScript>(json::Value("Latin")), json::DecodeError);
}

TEST(CaptionScript, Facts)
{
    EXPECT_EQ(glyph(CaptionScript::latin), "abc");
    EXPECT_EQ(glyph(CaptionScript::tamil), "அ");
    EXPECT_EQ(glyph(CaptionScript::urdu), "ا");
    EXPECT_FALSE(icuName(CaptionScript::latin));
    EXPECT_FALSE(icuName(CaptionScript::urdu));
    EXPECT_EQ(icuName(CaptionScript::gurmukhi), "Gurmukhi");
    EXPECT_FALSE(transformID(CaptionScript::latin));
    EXPECT_FALSE(transformID(CaptionScript::devanagari));
    EXPECT_EQ(transformID(CaptionScript::urdu), "Devanagari-Arabic");
    EXPECT_EQ(transformID(CaptionScript::malayalam), "Devanagari-Malayalam");
}

TEST(CaptionScript, DetectsTheScriptOfTheFirstIndicLetter)
{
    struct {
        const char* text;
        std::optional<CaptionScript> expected;
    } cases[] = {
        {"", std::nullopt},
        {"hello", std::nullopt},
        {"مرحبا", std::nullopt},
        {"abc नमस्ते", CaptionScript::devanagari},
        {"নমস্কার नमस्ते", CaptionScript::bengali},
        {"ਪੰਜਾਬੀ", CaptionScript::gurmukhi},
        {"ગુજરાતી", CaptionScript::gujarati},
        {"ଓଡ଼ିଆ", CaptionScript::oriya},
        {"தமிழ்", CaptionScript::tamil},
        {"తెలుగు", CaptionScript::telugu},
        {"ಕನ್ನಡ", CaptionScript::kannada},
        {"മലയാളം", CaptionScript::malayalam},
        {"\u0900", CaptionScript::devanagari},  // block edges
        {"\u0D7F", CaptionScript::malayalam},
        {"\u0D80", std::nullopt},              // Sinhala, past the last block
        {"\xE0\xA4", std::nullopt},            // a cut-off letter is no letter
    };
    for (const auto& c : cases) EXPECT_EQ(detectCaptionScript(c.text), c.expected) << c.text;
}

TEST(CaptionLanguage, TableAndLookup)
{
    const auto& all = CaptionLanguage::all();
    ASSERT_EQ(all.size(), 21u);
    EXPECT_EQ(all.front().id, "latin");
    EXPECT_EQ(all.front().note, "any language: Hinglish, Tanglish, Banglish too");
    EXPECT_EQ(all.back().id, "sanskrit");
    for (const auto& row : all) EXPECT_NE(row.id, "english");

    struct {
        std::optional<std::string_view> id;
        const char* expectedID;
        CaptionScript script;
    } cases[] = {
        {std::nullopt, "latin", CaptionScript::latin},
        {"", "latin", CaptionScript::latin},
        {"Hindi", "latin", CaptionScript::latin},
        {"hindi", "hindi", CaptionScript::devanagari},
        {"punjabi", "punjabi", CaptionScript::gurmukhi},
        {"odia", "odia", CaptionScript::oriya},
        {"kashmiri", "kashmiri", CaptionScript::urdu},
        {"sindhi", "sindhi", CaptionScript::urdu},
        {"assamese", "assamese", CaptionScript::bengali},
        {"english", "english", CaptionScript::latin},
    };
    for (const auto& c : cases) {
        const auto& row = CaptionLanguage::find(c.id);
        EXPECT_EQ(row.id, c.expectedID) << c.id.value_or("(none)");
        EXPECT_EQ(row.script, c.script) << c.expectedID;
    }
    const auto& english = CaptionLanguage::find("english");
    EXPECT_EQ(english.name, "English translation");
    EXPECT_EQ(english.note, "translated on this computer");
    EXPECT_EQ(CaptionLanguage::find("urdu").note, "approximate spelling");
}

TEST(CaptionLanguage, Samples)
{
    EXPECT_EQ(CaptionLanguage::find("english").sample(), "my new video");
    EXPECT_EQ(CaptionLanguage::find("latin").sample(), "mera naya video");
    EXPECT_EQ(CaptionLanguage::find("hindi").sample(), "मेरा नया वीडियो");
    EXPECT_EQ(CaptionLanguage::find("marathi").sample(), "मेरा नया वीडियो");
    // Every other script: two words in its own letters, the loanword in English.
    for (const char* id : {"tamil", "bengali", "urdu", "malayalam", "punjabi"}) {
        const auto& row = CaptionLanguage::find(id);
        const std::string sample = row.sample();
        SCOPED_TRACE(id);
        ASSERT_TRUE(sample.ends_with(" video")) << sample;
        const std::string words = sample.substr(0, sample.size() - 6);
        EXPECT_EQ(words.find("मे"), std::string::npos) << "still Devanagari: " << sample;
        if (row.script == CaptionScript::urdu) EXPECT_EQ(words, "\u0645\u06CC\u0631\u0627 \u0646\u06CC\u0627");  // Urdu yeh
        else EXPECT_EQ(detectCaptionScript(words), row.script) << sample;
        EXPECT_EQ(std::count(sample.begin(), sample.end(), ' '), 2);
    }
}

TEST(WhisperLanguage, TableAndLookup)
{
    const auto& all = WhisperLanguage::all();
    ASSERT_EQ(all.size(), 30u);
    EXPECT_EQ(all[0].id, "hinglish");
    EXPECT_TRUE(all[0].romanize);
    EXPECT_EQ(all[0].prompt, "नमस्ते दोस्तों, आज हम बात करेंगे।");
    EXPECT_EQ(all[1].prompt, all[0].prompt);
    EXPECT_EQ(all[1].name, "Hindi (देवनागरी)");
    for (std::size_t i = 2; i < all.size(); ++i) EXPECT_FALSE(all[i].prompt) << all[i].id;
    EXPECT_EQ(all.back().id, "zh");

    EXPECT_EQ(WhisperLanguage::find("auto").code, "auto");
    EXPECT_EQ(WhisperLanguage::find("ta-roman").name, "Tanglish (Roman letters)");
    for (const char* id : {"", "Hindi", "whisper:hindi", "xx"}) EXPECT_EQ(WhisperLanguage::find(id).id, "hinglish") << id;
}

TEST(TranscriptionEngine, RawValues)
{
    EXPECT_EQ(transcriptionEngine("Apple"), TranscriptionEngine::apple);
    EXPECT_EQ(transcriptionEngine("Whisper"), TranscriptionEngine::whisper);
    EXPECT_FALSE(transcriptionEngine("apple"));
    EXPECT_EQ(json::encode(TranscriptionEngine::whisper), "Whisper");
    EXPECT_EQ(json::allCases<TranscriptionEngine>()[0], TranscriptionEngine::apple);
}
