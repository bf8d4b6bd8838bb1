#pragma once
// A collapsible section of the Customize panel: a disclosure section whose
// rows edit the video's look, with a summary of the look for its header.
// refresh() follows the look: the summary, which rows are shown and their
// values.

#include "ui/inspector/DisclosureSection.h"
#include "ui/inspector/LookRows.h"

#include <functional>

namespace vt::ui {

class LookSection : public DisclosureSection {
    Q_OBJECT
public:
    using Summary = std::function<QString(const CaptionStyle&)>;

    LookSection(QString id, const QString& title, const QString& icon, DisclosureGroup& group, StyleEdits& edits,
                Summary summary, QWidget* parent = nullptr);

    void refresh();

protected:
    LookRows rows_;

private:
    Summary summary_;
};

}  // namespace vt::ui
