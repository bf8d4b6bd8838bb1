#include "speech/WhisperLanguage.h"

namespace vt {

namespace {

// One Hindi sentence that nudges whisper.cpp towards Devanagari Hindi.
constexpr const char* hindiPrompt = "नमस्ते दोस्तों, आज हम बात करेंगे।";

std::vector<WhisperLanguage> makeTable()
{
    return {
        {"hinglish", "Hinglish (Roman letters)", "hi", true, hindiPrompt},
        {"hindi", "Hindi (देवनागरी)", "hi", false, hindiPrompt},
        {"auto", "Auto-detect", "auto", false, std::nullopt},
        {"en", "English", "en", false, std::nullopt},
        {"mr", "Marathi", "mr", false, std::nullopt},
        {"mr-roman", "Marathi (Roman letters)", "mr", true, std::nullopt},
        {"bn", "Bengali", "bn", false, std::nullopt},
        {"bn-roman", "Banglish (Roman letters)", "bn", true, std::nullopt},
        {"gu", "Gujarati", "gu", false, std::nullopt},
        {"gu-roman", "Gujlish (Roman letters)", "gu", true, std::nullopt},
        {"pa", "Punjabi", "pa", false, std::nullopt},
        {"pa-roman", "Punjabi (Roman letters)", "pa", true, std::nullopt},
        {"ta", "Tamil", "ta", false, std::nullopt},
        {"ta-roman", "Tanglish (Roman letters)", "ta", true, std::nullopt},
        {"te", "Telugu", "te", false, std::nullopt},
        {"te-roman", "Tenglish (Roman letters)", "te", true, std::nullopt},
        {"kn", "Kannada", "kn", false, std::nullopt},
        {"kn-roman", "Kanglish (Roman letters)", "kn", true, std::nullopt},
        {"ml", "Malayalam", "ml", false, std::nullopt},
        {"ml-roman", "Manglish (Roman letters)", "ml", true, std::nullopt},
        {"ur", "Urdu", "ur", false, std::nullopt},
        {"ar", "Arabic", "ar", false, std::nullopt},
        {"es", "Spanish", "es", false, std::nullopt},
        {"fr", "French", "fr", false, std::nullopt},
        {"de", "German", "de", false, std::nullopt},
        {"pt", "Portuguese", "pt", false, std::nullopt},
        {"id", "Indonesian", "id", false, std::nullopt},
        {"ja", "Japanese", "ja", false, std::nullopt},
        {"ko", "Korean", "ko", false, std::nullopt},
        {"zh", "Chinese", "zh", false, std::nullopt},
    };
}

}  // namespace

const std::vector<WhisperLanguage>& WhisperLanguage::all()
{
    static const std::vector<WhisperLanguage> table = makeTable();  // thread-safe one-time init
    return table;
}

const WhisperLanguage& WhisperLanguage::find(std::string_view id)
{
    const auto& rows = all();
    for (const auto& row : rows)
        if (row.id == id) return row;
    return rows.front();
}

}  // namespace vt
