#include "ui/inspector/SettingIcons.h"

#include <QHash>
#include <QStringList>

#include <utility>

namespace vt::ui::SettingIcons {

namespace {

const QHash<QString, std::pair<QString, QString>>& ends()
{
    static const QHash<QString, std::pair<QString, QString>> table{
        {"Size", {"Small", "Huge"}},
        {"Letter spacing", {"Tight", "Loose"}},
        {"Line spacing", {"Tight", "Airy"}},
        {"Outline width", {"Thin", "Thick"}},
        {"Shadow blur", {"Sharp", "Soft"}},
        {"Shadow drop", {"Flat", "Deep"}},
        {"Glow size", {"Subtle", "Bold"}},
        {"Fill angle", {QString::fromUtf8("\u221260°"), QString::fromUtf8("60°")}},
        {"Corner radius", {"Square", "Round"}},
        {"Pause length (s)", {"Short", "Long"}},
        {"Emphasis size", {"Smaller", "Huge"}},
        {QString::fromUtf8("Height (top \u2192 bottom)"), {"Top", "Bottom"}},
        {"Position", {"Top", "Bottom"}},
        {"Tilt", {"Left", "Right"}},
        {"Voice volume", {"Quieter", "Louder"}},
        {"Original sound", {"Muted", "Full"}},
    };
    return table;
}

QString trimBlanks(const QString& s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && (s[from] == ' ' || s[from] == '\t')) ++from;
    while (to > from && (s[to - 1] == ' ' || s[to - 1] == '\t')) --to;
    return s.mid(from, to - from);
}

}  // namespace

QString key(const QString& title)
{
    for (const QString& piece : title.split(':'))
        if (!piece.isEmpty()) return trimBlanks(piece);
    return title;
}

std::optional<QString> hint(const QString& title)
{
    auto it = ends().find(key(title));
    if (it == ends().end()) return std::nullopt;
    return it->first + QString::fromUtf8(" \u2026 ") + it->second;
}

}  // namespace vt::ui::SettingIcons
