#include "model/ProjectStore.h"

#include "model/DataRoot.h"
#include "platform/WholeFile.h"

#include <QSettings>
#include <QString>

#include <algorithm>
#include <map>
#include <numeric>
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

std::optional<Project> readProject(const fs::path& file)
{
    const auto read = wholeFile::read(file, largestProjectFileBytes);
    return read.bytes ? decodeProject(*read.bytes) : std::nullopt;
}

// Newest updatedAt first, projects of one second in the given order, and one
// project per id: the one read from "<ID>.json" (`named`), which is the copy
// saves reach, else the newest.
std::vector<Project> newestFirstOnce(std::vector<Project> read, const std::vector<bool>& named)
{
    std::vector<std::size_t> order(read.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return read[a].updatedAt > read[b].updatedAt; });
    std::map<Uuid, std::size_t> chosen;
    for (std::size_t i : order) {
        auto [at, fresh] = chosen.try_emplace(read[i].id, i);
        if (!fresh && named[i] && !named[at->second]) at->second = i;
    }
    std::vector<Project> out;
    for (std::size_t i : order)
        if (chosen.at(read[i].id) == i) out.push_back(std::move(read[i]));
    return out;
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

ProjectStore::Listing ProjectStore::list()
{
    Listing out;
    std::vector<bool> named;  // beside out.projects: read from "<ID>.json"
    std::error_code ec;
    for (fs::directory_iterator it(directory(), ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        if (path.extension() != ".json") continue;
        auto project = readProject(path);
        if (!project) {
            std::error_code ignored;
            if (!fs::is_directory(path, ignored)) out.unreadable.push_back(path);
            continue;
        }
        named.push_back(path.filename() == project->id.text() + ".json");
        out.projects.push_back(std::move(*project));
    }
    std::sort(out.unreadable.begin(), out.unreadable.end());
    out.projects = newestFirstOnce(std::move(out.projects), named);
    return out;
}

std::vector<Project> ProjectStore::loadAll()
{
    return list().projects;
}

void ProjectStore::remove(const Project& project)
{
    const std::string idText = project.id.text();
    const fs::path folder = directory();
    std::error_code ec;
    fs::remove(folder / (idText + ".json"), ec);
    fs::remove(folder / (idText + ".jpg"), ec);
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() != ".json") continue;
        const auto copy = readProject(it->path());
        if (copy && copy->id == project.id) doomed.push_back(it->path());
    }

    fs::path cache = root() / DataRoot::cacheFolder;
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
