#include "model/CaptionGroup.h"
#include "model/Fillers.h"
#include "model/TimedWord.h"
#include "model/Word.h"
#include "model/WordLook.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace vt;

namespace {

const Uuid kId = *Uuid::parse("0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D");

Word sampleWord()
{
    return {kId, "hello,", 1.25, 1.5, false, true, false, std::nullopt, std::nullopt, std::nullopt};
}

}  // namespace

TEST(WordLook, JsonOmitsAbsentColourAndRequiresTheRest)
{
    WordLook plain{1.15, std::nullopt, -4, 12.5};
    json::Value v = json::encode(plain);
    EXPECT_EQ(v, json::parse(R"({"scale":1.15,"dx":-4,"dy":12.5})"));
    EXPECT_EQ(json::decode<WordLook>(v), plain);

    WordLook coloured{2, RGBA{1, 0, 0, 0.5}, 0, 0};
    EXPECT_EQ(json::encode(coloured)["color"], json::parse(R"({"r":1,"g":0,"b":0,"a":0.5})"));
    EXPECT_EQ(json::decode<WordLook>(json::encode(coloured)), coloured);

    EXPECT_THROW(json::decode<WordLook>(json::parse(R"({"scale":1,"dx":0})")), json::DecodeError);
    EXPECT_THROW(json::decode<WordLook>(json::parse(R"({"scale":1,"dx":0,"dy":0,"color":{"r":1}})")),
                 json::DecodeError);
    EXPECT_TRUE(WordLook{}.isDefault());
    EXPECT_FALSE((WordLook{1, RGBA{}, 0, 0}.isDefault()));
    EXPECT_FALSE((WordLook{1, std::nullopt, 0, 0.5}.isDefault()));
}

TEST(Word, JsonRoundTripWithAndWithoutOptionals)
{
    Word w = sampleWord();
    json::Value v = json::encode(w);
    EXPECT_EQ(v["id"], "0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D");
    for (const char* key : {"native", "look", "styleID"}) EXPECT_FALSE(v.contains(key)) << key;
    EXPECT_EQ(json::decode<Word>(v), w);

    Word full = w;
    full.native = "नमस्ते";
    full.look = WordLook{};  // a present default look is kept as present
    full.styleID = "neon";
    json::Value fv = json::encode(full);
    EXPECT_EQ(fv["look"], json::parse(R"({"scale":1,"dx":0,"dy":0})"));
    EXPECT_EQ(json::decode<Word>(fv), full);
    EXPECT_NE(full, w);
    Word withDefaultLook = w;
    withDefaultLook.look = WordLook{};
    EXPECT_NE(withDefaultLook, w);
}

TEST(Word, DecodeRequiresSevenKeysAndToleratesNullOptionals)
{
    const json::Value good = json::encode(sampleWord());
    for (const char* key : {"id", "text", "start", "end", "deleted", "emphasized", "breakAfter"}) {
        json::Value v = good;
        v.erase(key);
        EXPECT_THROW(json::decode<Word>(v), json::DecodeError) << key;
    }
    json::Value v = good;
    v["native"] = nullptr;
    v["look"] = nullptr;
    v["styleID"] = nullptr;
    v["confidence"] = 0.9;
    Word w = json::decode<Word>(v);
    EXPECT_FALSE(w.native || w.look || w.styleID);
    json::Value kept = good;
    kept["confidence"] = 0.9;  // a newer version's key goes back as it came; the nulls do not
    EXPECT_EQ(json::encode(w), kept);

    v = good;
    v["deleted"] = 0;
    EXPECT_THROW(json::decode<Word>(v), json::DecodeError);
    v = good;
    v["look"] = json::parse(R"({"scale":1})");
    EXPECT_THROW(json::decode<Word>(v), json::DecodeError);
}

TEST(Word, NonFiniteTimesRefuseToEncode)
{
    Word w = sampleWord();
    w.end = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(json::encode(w), json::EncodeError);
}

TEST(Word, EqualityAndHashCoverEveryFieldAndCanonicalText)
{
    std::hash<Word> h;
    Word a = sampleWord();
    a.text = "caf\u00e9";
    Word b = a;
    b.text = "cafe\u0301";  // canonically the same text
    EXPECT_EQ(a, b);
    EXPECT_EQ(h(a), h(b));

    Word zero = a, negZero = a;
    zero.start = 0;
    negZero.start = -0.0;
    EXPECT_EQ(zero, negZero);
    EXPECT_EQ(h(zero), h(negZero));

    std::vector<std::function<void(Word&)>> changes = {
        [](Word& w) { w.id = Uuid::random(); },
        [](Word& w) { w.text = "cafe"; },
        [](Word& w) { w.start += 0.01; },
        [](Word& w) { w.end += 0.01; },
        [](Word& w) { w.deleted = !w.deleted; },
        [](Word& w) { w.emphasized = !w.emphasized; },
        [](Word& w) { w.breakAfter = !w.breakAfter; },
        [](Word& w) { w.native = "x"; },
        [](Word& w) { w.look = WordLook{1.2, std::nullopt, 0, 0}; },
        [](Word& w) { w.styleID = ""; },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        Word c = a;
        changes[i](c);
        EXPECT_NE(c, a) << "field " << i;
        EXPECT_NE(h(c), h(a)) << "field " << i;
    }
}

TEST(CaptionGroup, EqualityComparesWordsAndStyle)
{
    TimedWord w{"hi", 0, 0.4, false, false, false, kId, std::nullopt, std::nullopt};
    CaptionGroup a{{w}, 0, 1, 3, std::nullopt};
    CaptionGroup b = a;
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::hash<CaptionGroup>{}(a), std::hash<CaptionGroup>{}(b));
    b.styleID = "bold";
    EXPECT_NE(a, b);
    b = a;
    b.words[0].endsSentence = true;
    EXPECT_NE(a, b);
    b = a;
    b.words.push_back(w);
    EXPECT_NE(a, b);
    b = a;
    b.words[0].id.reset();
    EXPECT_NE(a, b);
}

TEST(Fillers, IsFiller)
{
    struct Case {
        const char* text;
        bool filler;
    } cases[] = {
        {"Um,", true},
        {"UMM...", true},
        {" uh ", true},
        {"\t\u00bfHmm?!\u201d", true},  // Unicode punctuation and tabs trimmed
        {"mhm", true},
        {"um-hum", false},
        {"umm uh", false},
        {"uh\n", false},  // line breaks are not trimmed
        {"", false},
        {"...", false},
        {"hummus", false},
        {"so", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Fillers::isFiller(c.text), c.filler);
    }
    EXPECT_EQ(Fillers::words().size(), 14u);
}
