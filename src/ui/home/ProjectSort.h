#pragma once
// The home screen's project orders and its search: which projects show, in
// which order, and the facts a card or row prints about each (badge,
// duration, how long ago it was saved).

#include "model/Project.h"

#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

enum class ProjectSort { recent, name, length };

namespace ProjectSorts {
inline constexpr std::array<ProjectSort, 3> all{ProjectSort::recent, ProjectSort::name, ProjectSort::length};
std::string_view rawValue(ProjectSort sort);
// Any text but the three raw values orders like recent.
ProjectSort fromRaw(std::string_view raw);
// The sort menu's item.
QString title(ProjectSort sort);
// Whether a goes before b.
bool before(ProjectSort sort, const Project& a, const Project& b);
}  // namespace ProjectSorts

// A search text as the searches compare it: spaces and tabs trimmed at both
// ends (line breaks stay), then lower-cased independently of the locale.
std::string searchKey(const QString& query);

// The projects matching `query` (spaces and tabs trimmed, lower-cased; a
// plain substring of the lower-cased name or look name), stably ordered.
std::vector<Project> shownProjects(const std::vector<Project>& projects, const QString& query, std::string_view sortRaw);

// The bottom-left badge: "N clips" for two or more clips, else "Short" for a
// trimmed single video, else none.
struct ProjectBadge {
    QString text;
    QString symbol;  // "film.stack" or "scissors"
};
std::optional<ProjectBadge> projectBadge(const Project& project);

// When the project was saved, as a phrase relative to `now`.
QString relativeDate(Date when, Date now = std::chrono::system_clock::now());

}  // namespace vt
