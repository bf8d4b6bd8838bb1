#include "ui/timeline/AddVideoItems.h"

#include "ui/theme/OpenPanel.h"

#include <QMenu>
#include <QPointer>

namespace vt::AddVideoItems {

EditorModel::FileChooser fileChooser(QWidget* parent)
{
    QPointer<QWidget> owner(parent);
    return [owner](const std::string& message, const std::vector<std::string>& patterns) -> std::optional<std::string> {
        QStringList names;
        for (const auto& p : patterns) names << QString::fromStdString(p);
        // Sound files are looked for where music is kept.
        const auto kind = names.contains(QStringLiteral("*.mp3")) ? OpenPanel::Kind::audio : OpenPanel::Kind::video;
        const QString file = OpenPanel::chooseFile(owner, QString::fromStdString(message),
                                                   names.isEmpty() ? QString() : names.join(' '), kind);
        if (file.isEmpty()) return std::nullopt;
        return file.toStdString();
    };
}

std::optional<int> currentClip(const EditorModel& editor)
{
    const double s = editor.plan().sourceTime(editor.currentTime());
    const auto spans = editor.project().spans();
    for (int i = int(spans.size()) - 1; i >= 0; --i)
        if (s >= spans[std::size_t(i)].start) return i;
    return std::nullopt;
}

void add(EditorModel& editor, const EditorModel::FileChooser& choose, std::optional<int> index)
{
    if (const auto file = EditorModel::pickVideoFile("Choose a video to add", choose)) editor.addClip(*file, index);
}

void addOverlay(EditorModel& editor, const EditorModel::FileChooser& choose)
{
    const auto file = EditorModel::pickOverlayFile(choose);
    // The playhead is read once the dialog has closed, before adding starts.
    if (file) editor.addOverlay(*file, editor.currentTime());
}

void addSound(EditorModel& editor, const EditorModel::FileChooser& choose)
{
    const auto file = EditorModel::pickAudioFile(choose);
    if (file) editor.addSound(*file, editor.currentTime());
}

void fill(QMenu& menu, EditorModel& editor, const EditorModel::FileChooser& choose)
{
    EditorModel* model = &editor;
    menu.addAction(QStringLiteral("Add a Clip at the End…"), [model, choose] { add(*model, choose, std::nullopt); });
    menu.addAction(QStringLiteral("Add a Clip at the Start…"), [model, choose] { add(*model, choose, 0); });
    const auto current = currentClip(editor);
    if (editor.project().clips && editor.project().clips->size() >= 2 && current)
        menu.addAction(QStringLiteral("Add a Clip After This One…"),
                       [model, choose, i = *current] { add(*model, choose, i + 1); });
    menu.addSeparator();
    menu.addAction(QStringLiteral("Put a Video or Photo On Top…"), [model, choose] { addOverlay(*model, choose); });
}

}  // namespace vt::AddVideoItems
