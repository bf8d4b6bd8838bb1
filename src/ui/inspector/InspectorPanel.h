#pragma once
// The editor's right-hand inspector: a header naming what is inspected and,
// under it, the panel of the current tab, or the inspector of the selected
// clip or overlay while the user has asked to inspect it. Reads the editor
// model's tab, item-inspector flag and timeline selection and writes none;
// the body is built anew whenever its choice changes, so a panel's own view
// state starts afresh. Main thread only.

#include "editor/InspectorTab.h"
#include "model/Timeline.h"
#include "ui/inspector/CaptionWritingRequest.h"

#include <QWidget>

#include <optional>

class QLabel;

namespace vt {
class EditorModel;
class ExportAction;
}

namespace vt::ui {

class InspectorPanel : public QWidget {
    Q_OBJECT
public:
    // `exportAction` outlives the panel (an export runs on while other tabs show);
    // `openWriting` shows the caption-writing sheet for the Styles tab.
    InspectorPanel(EditorModel& editor, ExportAction& exportAction, OpenCaptionWriting openWriting = {},
                   QWidget* parent = nullptr);

    // The clip or overlay under inspection, if any.
    static std::optional<TimelineItem> inspected(bool itemInspectorOpen, const std::optional<TimelineItem>& selection);

    QString headerTitle() const;
    QString headerIcon() const;  // the symbol name shown
    QWidget* body() const { return body_; }

private:
    EditorModel& editor_;
    ExportAction& exportAction_;
    OpenCaptionWriting openWriting_;
    QLabel* icon_;
    QLabel* title_;
    QString iconName_;
    QWidget* body_ = nullptr;
    // What the body shows now: a tab, or an inspected item.
    std::optional<InspectorTab> shownTab_;
    std::optional<TimelineItem> shownItem_;

    void refresh();
    QWidget* makeBody();
};

// A glyph standing in for a symbol name in headers and buttons.
QString symbolGlyph(const QString& symbolName);

}  // namespace vt::ui
