#include "ui/inspector/LookSection.h"

namespace vt::ui {

LookSection::LookSection(QString id, const QString& title, const QString& icon, DisclosureGroup& group,
                         StyleEdits& edits, Summary summary, QWidget* parent)
    : DisclosureSection(std::move(id), title, icon, group, parent),
      rows_(edits, [this](QWidget* row) { addRow(row); }),
      summary_(std::move(summary))
{
    setSummary(summary_(edits.look()));
}

void LookSection::refresh()
{
    setSummary(summary_(rows_.edits().look()));
    rows_.refresh();
}

}  // namespace vt::ui
