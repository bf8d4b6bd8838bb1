#include "ui/home/ProjectSort.h"

#include "platform/TextRules.h"

#include <QCollator>

#include <algorithm>

namespace vt {

namespace ProjectSorts {

std::string_view rawValue(ProjectSort sort)
{
    switch (sort) {
    case ProjectSort::recent: return "recent";
    case ProjectSort::name: return "name";
    case ProjectSort::length: return "length";
    }
    return "recent";
}

ProjectSort fromRaw(std::string_view raw)
{
    for (ProjectSort sort : all)
        if (rawValue(sort) == raw) return sort;
    return ProjectSort::recent;
}

QString title(ProjectSort sort)
{
    switch (sort) {
    case ProjectSort::recent: return QStringLiteral("Last edited");
    case ProjectSort::name: return QStringLiteral("Name");
    case ProjectSort::length: return QStringLiteral("Length");
    }
    return {};
}

namespace {

// Text pieces compare under the current locale with case ignored.
const QCollator& textCollator()
{
    static const QCollator collator = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

// Splits a name into runs of digits and runs of everything else.
QStringList runs(const QString& name)
{
    QStringList out;
    for (QChar c : name) {
        if (out.isEmpty() || out.back().back().isDigit() != c.isDigit()) out.append(QString());
        out.back().append(c);
    }
    return out;
}

int compareDigits(const QString& a, const QString& b)
{
    // By value: leading zeros aside, the longer run is the larger number.
    auto strip = [](const QString& s) {
        qsizetype i = 0;
        while (i + 1 < s.size() && s[i] == u'0') ++i;
        return s.mid(i);
    };
    const QString x = strip(a), y = strip(b);
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

// File-name order: case ignored, digit runs by their value, so Clip 2 goes
// before Clip 10; names differing only in case still get a fixed order.
int compareNames(const std::string& a, const std::string& b)
{
    const QString qa = QString::fromStdString(a), qb = QString::fromStdString(b);
    const QStringList ra = runs(qa), rb = runs(qb);
    for (qsizetype i = 0; i < std::min(ra.size(), rb.size()); ++i) {
        const bool digits = ra[i][0].isDigit() && rb[i][0].isDigit();
        const int order = digits ? compareDigits(ra[i], rb[i]) : textCollator().compare(ra[i], rb[i]);
        if (order != 0) return order < 0 ? -1 : 1;
    }
    if (ra.size() != rb.size()) return ra.size() < rb.size() ? -1 : 1;
    if (qa == qb) return 0;
    return QString::compare(qa, qb, Qt::CaseSensitive) < 0 ? -1 : 1;
}

}  // namespace

bool before(ProjectSort sort, const Project& a, const Project& b)
{
    switch (sort) {
    case ProjectSort::recent: return a.updatedAt > b.updatedAt;
    case ProjectSort::name: return compareNames(a.name, b.name) < 0;
    case ProjectSort::length: return a.length() > b.length();
    }
    return false;
}

}  // namespace ProjectSorts

std::string searchKey(const QString& query) { return text::lowercased(text::trimWhitespace(query.toStdString())); }

std::vector<Project> shownProjects(const std::vector<Project>& projects, const QString& query, std::string_view sortRaw)
{
    const std::string key = searchKey(query);
    std::vector<Project> shown;
    for (const Project& p : projects) {
        if (key.empty() || text::lowercased(p.name).find(key) != std::string::npos ||
            text::lowercased(p.style.name).find(key) != std::string::npos)
            shown.push_back(p);
    }
    const ProjectSort sort = ProjectSorts::fromRaw(sortRaw);
    std::stable_sort(shown.begin(), shown.end(), [sort](const Project& a, const Project& b) { return ProjectSorts::before(sort, a, b); });
    return shown;
}

std::optional<ProjectBadge> projectBadge(const Project& project)
{
    if (project.clips && project.clips->size() >= 2)
        return ProjectBadge{QString::number(project.clips->size()) + QStringLiteral(" clips"), QStringLiteral("film.stack")};
    if (project.sourceRange) return ProjectBadge{QStringLiteral("Short"), QStringLiteral("scissors")};
    return std::nullopt;
}

QString relativeDate(Date when, Date now)
{
    using namespace std::chrono;
    const auto seconds = duration_cast<std::chrono::seconds>(now - when).count();
    const bool future = seconds < 0;
    const long long span = future ? -seconds : seconds;
    auto phrase = [future](long long n, const char* unit) {
        const QString amount = QString::number(n) + u' ' + QString::fromLatin1(unit) + (n == 1 ? QString() : QStringLiteral("s"));
        return future ? QStringLiteral("in ") + amount : amount + QStringLiteral(" ago");
    };
    if (span < 60) return QStringLiteral("now");
    if (span < 3600) return phrase(span / 60, "minute");
    if (span < 86400) return phrase(span / 3600, "hour");
    const long long days = span / 86400;
    if (days == 1) return future ? QStringLiteral("tomorrow") : QStringLiteral("yesterday");
    if (days < 7) return phrase(days, "day");
    if (days < 30) return phrase(days / 7, "week");
    if (days < 365) return phrase(days / 30, "month");
    return phrase(days / 365, "year");
}

}  // namespace vt
