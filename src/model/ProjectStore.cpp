#include "model/ProjectStore.h"

#include "model/DataRoot.h"
#include "platform/WholeFile.h"

#include <QSettings>
#include <QString>

#include <algorithm>
#include <optional>
#include <system_error>

namespace vt {

namespace fs = std::filesystem;

namespace {

// Far beyond any project: an hour of transcript takes about a megabyte.
constexpr std::uintmax_t largestProjectFileBytes = 64u << 20;

std::optional<Project> decodeProject(const std::string& bytes)
{
    try {
        return json::decode<Project>(json::parse(bytes));
    } catch (const json::DecodeError&) {
    } catch (const nlohmann::json::exception&) {
    }
    return std::nullopt;
}

QString qText(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString qPath(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// QSettings opens whatever is at its path: a named pipe there would wait for
// a writer forever. Settings live only in a regular file, or none yet.
bool mayHoldSettings(const fs::path& path)
{
    std::error_code ec;
    const fs::file_type type = fs::status(path, ec).type();
    return type == fs::file_type::regular || type == fs::file_type::not_found;
}

}  // namespace

fs::path ProjectStore::root()
{
    return DataRoot::root();
}

fs::path ProjectStore::directory()
{
    return DataRoot::folder(DataRoot::projectsFolder);
}

ProjectStore::SaveResult ProjectStore::save(const Project& project)
{
    std::string bytes;
    try {
        bytes = project.toJson().dump();
    } catch (const json::EncodeError&) {
        return SaveResult::notEncodable;
    } catch (const nlohmann::json::exception&) {  // text that is not UTF-8
        return SaveResult::notEncodable;
    }
    fs::path target = directory() / (project.id.text() + ".json");
    return wholeFile::writeAtomically(target, bytes) ? SaveResult::saved : SaveResult::notWritten;
}

std::vector<Project> ProjectStore::loadAll()
{
    std::vector<Project> out;
    std::error_code ec;
    for (fs::directory_iterator it(directory(), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() != ".json") continue;
        const auto file = wholeFile::read(it->path(), largestProjectFileBytes);
        if (!file.bytes) continue;
        if (auto project = decodeProject(*file.bytes)) out.push_back(std::move(*project));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Project& a, const Project& b) { return a.updatedAt > b.updatedAt; });
    return out;
}

void ProjectStore::remove(const Project& project)
{
    const std::string idText = project.id.text();
    const fs::path folder = directory();
    std::error_code ec;
    fs::remove(folder / (idText + ".json"), ec);
    fs::remove(folder / (idText + ".jpg"), ec);

    fs::path cache = root() / DataRoot::cacheFolder;
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(cache, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().starts_with(idText)) doomed.push_back(it->path());
    }
    for (const fs::path& path : doomed) fs::remove_all(path, ec);
}

void ProjectStore::migrateLegacySettings()
{
    if (!mayHoldSettings(DataRoot::settingsFile())) return;
    QSettings standard(qPath(DataRoot::settingsFile()), QSettings::IniFormat);
    if (standard.value(qText(migratedKey)).toBool()) return;
    for (std::string_view suiteID : legacyBundleIDs) {
        if (!mayHoldSettings(DataRoot::suiteSettingsFile(suiteID))) continue;
        QSettings suite(qPath(DataRoot::suiteSettingsFile(suiteID)), QSettings::IniFormat);
        if (suite.status() != QSettings::NoError) continue;
        for (std::string_view key : legacySettingsKeys) {
            QString k = qText(key);
            if (standard.contains(k)) continue;
            if (suite.contains(k)) standard.setValue(k, suite.value(k));
        }
    }
    standard.setValue(qText(migratedKey), true);
    standard.sync();
}

}  // namespace vt
