#include "platform/recognizer/SpeechModels.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cctype>
#include <mutex>

namespace vt::recognizer {

namespace {

const std::filesystem::path systemModelRoot = "/usr/share/pocketsphinx/model";

std::mutex rootMutex;
std::optional<std::filesystem::path> chosenRoot;

bool endsWith(const std::string& s, std::string_view suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool isLanguageModel(const std::string& name)
{
    if (name.find("-phone") != std::string::npos) return false;
    return endsWith(name, ".lm.bin") || endsWith(name, ".lm") || endsWith(name, ".lm.DMP");
}

SpeechModel scan(const std::filesystem::path& folder)
{
    SpeechModel model;
    model.localeID = canonicalLocaleID(folder.filename().string());
    model.folder = folder;
    std::vector<std::filesystem::path> entries;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    for (const auto& path : entries) {
        const std::string name = path.filename().string();
        if (std::filesystem::is_directory(path, ec)) {
            if (!model.acousticModel && std::filesystem::exists(path / "mdef", ec)) model.acousticModel = path;
        } else if (!model.languageModel && isLanguageModel(name)) {
            model.languageModel = path;
        } else if (!model.dictionary && endsWith(name, ".dict")) {
            model.dictionary = path;
        }
    }
    return model;
}

std::string language(std::string_view id)
{
    return canonicalLocaleID(id.substr(0, std::min(id.find_first_of("-_"), id.size())));
}

}  // namespace

std::filesystem::path modelRoot()
{
    std::lock_guard lock(rootMutex);
    return chosenRoot.value_or(systemModelRoot);
}

void setModelRoot(std::optional<std::filesystem::path> root)
{
    std::lock_guard lock(rootMutex);
    chosenRoot = std::move(root);
}

std::vector<SpeechModel> installedModels()
{
    std::vector<std::filesystem::path> folders;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(modelRoot(), ec))
        if (entry.is_directory(ec)) folders.push_back(entry.path());
    std::sort(folders.begin(), folders.end());
    std::vector<SpeechModel> models;
    for (const auto& folder : folders) models.push_back(scan(folder));
    return models;
}

std::optional<SpeechModel> findModel(std::string_view localeID)
{
    const std::string wanted = canonicalLocaleID(localeID);
    if (wanted.empty()) return std::nullopt;
    const auto models = installedModels();
    for (const auto& model : models)
        if (model.localeID == wanted) return model;
    if (wanted.find('-') == std::string::npos)
        for (const auto& model : models)
            if (language(model.localeID) == wanted) return model;
    return std::nullopt;
}

std::string canonicalLocaleID(std::string_view localeID)
{
    std::string out;
    bool region = false;
    for (char c : localeID) {
        if (c == '_' || c == '-') {
            if (out.empty()) return {};
            region = true;
            out += '-';
            continue;
        }
        const auto u = static_cast<unsigned char>(c);
        out += static_cast<char>(region ? std::toupper(u) : std::tolower(u));
    }
    return out;
}

std::optional<std::string> displayName(std::string_view localeID)
{
    std::string id = canonicalLocaleID(localeID);
    std::replace(id.begin(), id.end(), '-', '_');
    const icu::Locale locale(id.c_str());
    if (locale.isBogus() || std::string_view(locale.getLanguage()).empty()) return std::nullopt;
    icu::UnicodeString name;
    locale.getDisplayName(icu::Locale::getDefault(), name);
    std::string out;
    name.toUTF8String(out);
    // ICU echoes codes it has no name for; that is no name.
    if (out.empty() || out == id) return std::nullopt;
    return out;
}

}  // namespace vt::recognizer
