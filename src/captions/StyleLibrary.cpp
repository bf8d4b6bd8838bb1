#include "captions/StyleLibrary.h"

#include "captions/FontBook.h"
#include "captions/presets/StylePresets.h"
#include "model/DataRoot.h"
#include "platform/TextRules.h"
#include "platform/WholeFile.h"

#include <span>
#include <system_error>

namespace vt {

namespace fs = std::filesystem;

namespace {

// Far beyond any library: a look takes about a kilobyte.
constexpr std::uintmax_t largestFileBytes = 16u << 20;

bool matches(const CaptionStyle& look, const std::string& needle)
{
    auto has = [&](std::string_view field) { return text::lowercased(field).find(needle) != std::string::npos; };
    if (has(look.name) || has(title(look.category)) || has(FontBook::label(look.font))) return true;
    std::string tags;
    for (const std::string& tag : look.tags()) tags += tag;
    return has(tags);
}

bool itemExists(const fs::path& path)
{
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

}  // namespace

StyleLibrary& StyleLibrary::shared()
{
    // Never destroyed: it lives for the whole process, past the application object.
    static StyleLibrary* library = new StyleLibrary(DataRoot::root() / DataRoot::stylesFileName);
    return *library;
}

StyleLibrary::StyleLibrary(fs::path file, QObject* parent) : QObject(parent), file_(std::move(file))
{
    load();
}

void StyleLibrary::load()
{
    custom_.clear();
    if (!itemExists(file_)) return;
    fileUnreadable_ = true;
    const auto file = wholeFile::read(file_, largestFileBytes);
    if (!file.bytes) return;
    try {
        custom_ = json::decode<std::vector<CaptionStyle>>(json::parse(*file.bytes));
        fileUnreadable_ = false;
    } catch (const json::DecodeError&) {
    } catch (const nlohmann::json::exception&) {
    }
}

bool StyleLibrary::setAsideUnreadableFile()
{
    if (!fileUnreadable_) return true;
    if (!itemExists(file_)) {
        fileUnreadable_ = false;
        return true;
    }
    fs::path aside = file_;
    aside += ".unreadable";
    for (int n = 2; itemExists(aside); ++n) {
        aside = file_;
        aside += ".unreadable-" + std::to_string(n);
    }
    std::error_code ec;
    fs::rename(file_, aside, ec);
    if (ec) return false;
    fileUnreadable_ = false;
    return true;
}

void StyleLibrary::persist()
{
    std::string bytes;
    try {
        bytes = json::encode(custom_).dump();
    } catch (const json::EncodeError&) {
        return;
    } catch (const nlohmann::json::exception&) {
        return;
    }
    std::error_code ec;
    fs::create_directories(file_.parent_path(), ec);
    if (!setAsideUnreadableFile()) return;
    wholeFile::writeAtomically(file_, bytes);
}

void StyleLibrary::setCustom(std::vector<CaptionStyle> looks)
{
    bool same = looks == custom_;
    custom_ = std::move(looks);
    if (!same) emit customChanged();
}

std::optional<CaptionStyle> StyleLibrary::style(const std::string& id) const
{
    for (const auto* list : {&StylePresets::all(), &custom_})
        for (const CaptionStyle& look : *list)
            if (look.id == id) return look;
    return std::nullopt;
}

std::vector<CaptionStyle> StyleLibrary::styles(std::optional<StyleCategory> category, const std::string& query) const
{
    std::vector<CaptionStyle> section;
    auto curated = [&](std::span<const std::string_view> ids) {
        for (std::string_view id : ids)
            if (auto look = style(std::string(id))) section.push_back(std::move(*look));
    };
    if (category == StyleCategory::popular) {
        curated(StylePresets::popularIDs());
    } else if (category == StyleCategory::trending) {
        curated(StylePresets::trendingIDs());
    } else {
        for (const auto* list : {&StylePresets::all(), &custom_})
            for (const CaptionStyle& look : *list)
                if (!category || look.category == *category) section.push_back(look);
    }

    std::string needle = text::lowercased(text::trimWhitespace(query));
    if (needle.empty()) return section;
    std::vector<CaptionStyle> found;
    for (CaptionStyle& look : section)
        if (matches(look, needle)) found.push_back(std::move(look));
    return found;
}

CaptionStyle StyleLibrary::saveCustom(const CaptionStyle& look, const std::string& name)
{
    CaptionStyle saved = look;
    saved.id = "custom-" + Uuid::random().text();
    saved.name = name;
    saved.category = StyleCategory::mine;
    custom_.push_back(saved);
    emit customChanged();
    persist();
    return saved;
}

void StyleLibrary::remove(const CaptionStyle& look)
{
    const std::string key = look.id;
    std::erase_if(custom_, [&](const CaptionStyle& c) { return c.id == key; });
    emit customChanged();
    persist();
}

}  // namespace vt
