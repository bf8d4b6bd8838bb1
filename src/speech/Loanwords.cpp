#include "speech/Loanwords.h"

#include "platform/TextRules.h"
#include "speech/IcuTransforms.h"

#include <unicode/uchar.h>

#include <array>
#include <utility>

namespace vt {

namespace {

using Entry = std::pair<std::string_view, std::string_view>;

// In table order; the skeleton index is built by walking it in this order.
constexpr Entry table[] = {
    {"फॉलो", "follow"},
    {"फॉलोअर्स", "followers"},
    {"फॉलोवर्स", "followers"},
    {"फॉलोअर", "follower"},
    {"पोस्ट", "post"},
    {"पॉस्ट", "post"},
    {"वीडियो", "video"},
    {"विडियो", "video"},
    {"वीडियोज", "videos"},
    {"कैमरा", "camera"},
    {"कैमरे", "camera"},
    {"कंटेंट", "content"},
    {"कॉन्टेंट", "content"},
    {"रील", "reel"},
    {"रील्स", "reels"},
    {"लाइक", "like"},
    {"लाइक्स", "likes"},
    {"शेयर", "share"},
    {"सब्सक्राइब", "subscribe"},
    {"चैनल", "channel"},
    {"कमेंट", "comment"},
    {"कमेंट्स", "comments"},
    {"व्यूज", "views"},
    {"व्यू", "view"},
    {"इंस्टाग्राम", "Instagram"},
    {"यूट्यूब", "YouTube"},
    {"वायरल", "viral"},
    {"ट्रेंड", "trend"},
    {"ट्रेंडिंग", "trending"},
    {"ऑडियंस", "audience"},
    {"बिजनेस", "business"},
    {"मार्केटिंग", "marketing"},
    {"मार्केट", "market"},
    {"प्रोडक्ट", "product"},
    {"ऐप", "app"},
    {"फोन", "phone"},
    {"ऑनलाइन", "online"},
    {"सोशल", "social"},
    {"मीडिया", "media"},
    {"एक्चुअली", "actually"},
    {"बेसिकली", "basically"},
    {"लिटरली", "literally"},
    {"सीरियसली", "seriously"},
    {"ऑनेस्टली", "honestly"},
    {"प्रॉब्लम", "problem"},
    {"आइडिया", "idea"},
    {"टिप्स", "tips"},
    {"टिप", "tip"},
    {"ट्रिक", "trick"},
    {"एडिट", "edit"},
    {"एडिटिंग", "editing"},
    {"शूट", "shoot"},
    {"क्रिएटर", "creator"},
    {"क्रिएटर्स", "creators"},
    {"लिंक", "link"},
    {"बायो", "bio"},
    {"टाइम", "time"},
    {"मनी", "money"},
    {"ब्रांड", "brand"},
    {"बट", "but"},
    {"ओके", "okay"},
    {"थैंक्स", "thanks"},
    {"थैंक", "thank"},
    {"प्लीज", "please"},
    {"गाइज", "guys"},
    {"हेलो", "hello"},
    {"हाय", "hi"},
    {"स्टार्ट", "start"},
    {"स्टोरी", "story"},
    {"लाइफ", "life"},
    {"जॉब", "job"},
    {"स्ट्रेटेजी", "strategy"},
    {"ग्रोथ", "growth"},
    {"कस्टमर", "customer"},
    {"क्लाइंट", "client"},
    {"इंगेजमेंट", "engagement"},
    {"रीच", "reach"},
    {"एल्गोरिदम", "algorithm"},
    {"डेटा", "data"},
    {"सिंपल", "simple"},
    {"इंपॉर्टेंट", "important"},
    {"इम्पॉर्टेंट", "important"},
    {"प्रोसेस", "process"},
    {"रिजल्ट", "result"},
    {"रिजल्ट्स", "results"},
    {"मोबाइल", "mobile"},
    {"लैपटॉप", "laptop"},
    {"ऑफिस", "office"},
    {"कॉलेज", "college"},
    {"स्कूल", "school"},
    {"टीचर", "teacher"},
    {"स्टूडेंट", "student"},
    {"स्टूडेंट्स", "students"},
    {"एग्जाम", "exam"},
    {"वीर्ड", "weird"},
    {"वियर्ड", "weird"},
    {"कूल", "cool"},
    {"ऑसम", "awesome"},
    {"फ्री", "free"},
    {"ऑफर", "offer"},
    {"सेल", "sale"},
    {"पेज", "page"},
    {"प्रोफाइल", "profile"},
    {"अकाउंट", "account"},
    {"पोस्टिंग", "posting"},
    {"पोस्ट्स", "posts"},
    {"हैशटैग", "hashtag"},
    {"कैप्शन", "caption"},
    {"कैप्शंस", "captions"},
    {"थंबनेल", "thumbnail"},
    {"हुक", "hook"},
    {"एनर्जी", "energy"},
    {"मोटिवेशन", "motivation"},
    {"फिटनेस", "fitness"},
    {"जिम", "gym"},
    {"डाइट", "diet"},
    {"प्लान", "plan"},
    {"टारगेट", "target"},
    {"गोल", "goal"},
    {"गोल्स", "goals"},
    {"सक्सेस", "success"},
    {"फेल", "fail"},
    {"फेलियर", "failure"},
    {"कॉन्फिडेंस", "confidence"},
    {"स्किल", "skill"},
    {"स्किल्स", "skills"},
    {"कोर्स", "course"},
    {"क्लास", "class"},
    {"लर्निंग", "learning"},
    {"इन्वेस्टमेंट", "investment"},
    {"सेविंग", "saving"},
    {"सेविंग्स", "savings"},
    {"लोन", "loan"},
    {"बैंक", "bank"},
    {"कार्ड", "card"},
    {"ऑर्डर", "order"},
    {"डिलीवरी", "delivery"},
    {"रिव्यू", "review"},
    {"रेटिंग", "rating"},
    {"क्वालिटी", "quality"},
    {"प्राइस", "price"},
    {"बजट", "budget"},
    {"लेवल", "level"},
    {"नेक्स्ट", "next"},
    {"फर्स्ट", "first"},
    {"लास्ट", "last"},
    {"बेस्ट", "best"},
    {"वर्स्ट", "worst"},
    {"सीक्रेट", "secret"},
    {"मिस्टेक", "mistake"},
    {"मिस्टेक्स", "mistakes"},
    {"फैक्ट", "fact"},
    {"फैक्ट्स", "facts"},
    {"ट्रस्ट", "trust"},
    {"रियल", "real"},
    {"रियली", "really"},
    {"एक्सपीरियंस", "experience"},
    {"कंपनी", "company"},
    {"टीम", "team"},
    {"मीटिंग", "meeting"},
    {"कॉल", "call"},
    {"मैसेज", "message"},
    {"ईमेल", "email"},
    {"वेबसाइट", "website"},
    {"सर्च", "search"},
    {"गूगल", "Google"},
    {"एआई", "AI"},
    {"चैटजीपीटी", "ChatGPT"},
    {"डिजाइन", "design"},
    {"कोडिंग", "coding"},
    {"प्रोजेक्ट", "project"},
    {"डेडलाइन", "deadline"},
    {"ब्रेक", "break"},
    {"वीकेंड", "weekend"},
    {"मंडे", "Monday"},
    {"सैलरी", "salary"},
    {"इंटरव्यू", "interview"},
    {"रिज्यूमे", "resume"},
    {"करियर", "career"},
    {"फील", "feel"},
    {"मूड", "mood"},
    {"स्ट्रेस", "stress"},
    {"हैप्पी", "happy"},
    {"सॉरी", "sorry"},
    {"लव", "love"},
    {"फ्रेंड", "friend"},
    {"फ्रेंड्स", "friends"},
    {"फैमिली", "family"},
    {"पार्टी", "party"},
    {"ट्रैवल", "travel"},
    {"ट्रिप", "trip"},
    {"फूड", "food"},
    {"रेसिपी", "recipe"},
    {"वेट", "wait"},
    {"चैलेंज", "challenge"},
    {"वर्जन", "version"},
};

constexpr std::pair<std::string_view, std::string_view> skeletonSpellings[] = {
    {"ph", "f"}, {"th", "t"}, {"dh", "d"}, {"kh", "k"}, {"gh", "g"}, {"bh", "b"}, {"sh", "s"},
    {"ch", "C"},  // upper case so that the "c" rule below leaves it alone
    {"ck", "k"}, {"w", "v"},  {"c", "k"},  {"q", "k"},  {"z", "j"},  {"x", "ks"},
};

void replaceAll(std::string& s, std::string_view from, std::string_view to)
{
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

bool isSkeletonLetter(char32_t c)
{
    switch (c) {
    case U'a': case U'e': case U'i': case U'o': case U'u': case U'y': return false;
    default: return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_ALPHABETIC);
    }
}

bool hasEnglishO(std::string_view devanagariWord)
{
    return devanagariWord.find("ऑ") != std::string_view::npos || devanagariWord.find("ॉ") != std::string_view::npos;
}

std::string withoutNukta(std::string_view word)
{
    std::u32string decomposed = icu_transforms::decomposedScalars(word);
    std::erase(decomposed, U'\u093C');
    return text::canonical(text::toUtf8(decomposed));
}

}  // namespace

const std::unordered_map<std::string, std::string>& Loanwords::devanagari()
{
    static const auto map = [] {
        std::unordered_map<std::string, std::string> m;
        for (const auto& [form, word] : table) m.emplace(text::canonical(form), std::string(word));
        return m;
    }();
    return map;
}

std::string Loanwords::skeleton(std::string_view roman)
{
    std::string s = text::lowercased(roman);
    for (const auto& [from, to] : skeletonSpellings) replaceAll(s, from, to);
    std::u32string kept;
    for (char32_t c : text::toUtf32(s)) {
        if (!isSkeletonLetter(c)) continue;
        if (!kept.empty() && kept.back() == c) continue;
        kept += c;
    }
    return text::toUtf8(kept);
}

const std::unordered_map<std::string, std::string>& Loanwords::englishBySkeleton()
{
    static const auto map = [] {
        std::unordered_map<std::string, std::string> m;
        for (const auto& entry : table) {
            std::string_view word = entry.second;
            if (text::characterCount(word) <= 3) continue;
            std::string key = skeleton(word);
            if (text::characterCount(key) < 3) continue;
            m.emplace(std::move(key), std::string(word));  // the first word met keeps a skeleton
        }
        return m;
    }();
    return map;
}

std::optional<std::string> Loanwords::english(std::string_view devanagariWord, std::string_view romanized)
{
    const auto& forms = devanagari();
    if (auto it = forms.find(withoutNukta(devanagariWord)); it != forms.end()) return it->second;
    if (!hasEnglishO(devanagariWord)) return std::nullopt;
    const auto& bySkeleton = englishBySkeleton();
    if (auto it = bySkeleton.find(skeleton(romanized)); it != bySkeleton.end()) return it->second;
    return std::nullopt;
}

}  // namespace vt
