#pragma once
// What the low and the high end of a setting look like ("Small … Huge"), by
// the title of its row, for the tooltips of value rows.

#include <QString>

#include <optional>

namespace vt::ui::SettingIcons {

// The title cut at its colons, first non-empty piece, blanks trimmed; the
// whole title when every piece is empty.
QString key(const QString& title);
// "Small … Huge" for a title whose key has an entry; absent otherwise.
std::optional<QString> hint(const QString& title);

}  // namespace vt::ui::SettingIcons
