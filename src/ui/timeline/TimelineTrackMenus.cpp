// The context menus of the timeline tracks: item blocks, clips, sounds and
// the video's own sound.

#include "ui/timeline/TimelineTracks.h"

#include "ui/theme/FileRevealer.h"
#include "ui/theme/MenuText.h"

#include <QMenu>

namespace vt {

QMenu* TimelineTracks::menuAt(QPointF at, QWidget* parent)
{
    const Hit hit = hitTest(at);
    switch (hit.kind) {
    case Hit::Kind::block: return blockMenu(hit.block->item, parent);
    case Hit::Kind::sound: return soundMenu(hit.block->item.id, parent);
    case Hit::Kind::audio: return audioMenu(parent);
    case Hit::Kind::clip:
        if (const auto c = clip(hit.block->item.id)) return clipMenu(*c, parent);
        return nullptr;
    case Hit::Kind::background: return nullptr;
    }
    return nullptr;
}

namespace {

void moveToPlayhead(EditorModel& editor, const TimelineItem& item)
{
    const auto span = editor.span(item);
    if (span) editor.setSpan(item, editor.currentTime(), span->second - span->first, true);
}

}  // namespace

QMenu* TimelineTracks::blockMenu(const TimelineItem& item, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->addAction(QStringLiteral("Move to Playhead"), [this, item] { moveToPlayhead(editor_, item); });
    menu->addAction(QStringLiteral("Duplicate"), [this, item] { editor_.duplicate(item); });
    if (item.kind == TimelineItem::Kind::matchCut) {
        menu->addAction(QStringLiteral("Edit in Hook Tab"), [this, item] { editor_.selectTimelineItem(item); });
    } else if (item.kind == TimelineItem::Kind::motion) {
        QMenu* change = menu->addMenu(QStringLiteral("Change To"));
        for (const auto& [kind, text] : enumCases(MotionEffect::Kind{}))
            change->addAction(menuText(QString::fromUtf8(text)), [this, item, kind = kind] {
                const auto& motions = editor_.project().motions;
                if (!motions || std::none_of(motions->begin(), motions->end(),
                                             [&](const MotionEffect& m) { return m.id == item.id; }))
                    return;
                editor_.pushUndo();
                editor_.updateProject([&](Project& p) {
                    for (MotionEffect& m : *p.motions)
                        if (m.id == item.id) m.kind = kind;
                });
                editor_.timelineItemsChanged();
            });
    } else if (item.kind == TimelineItem::Kind::overlay) {
        QMenu* layout = menu->addMenu(QStringLiteral("Layout"));
        for (const auto& [value, text] : enumCases(BRollLayout{}))
            layout->addAction(menuText(QString::fromUtf8(text)), [this, item, value = value] {
                const auto& brolls = editor_.project().brolls;
                if (!brolls ||
                    std::none_of(brolls->begin(), brolls->end(), [&](const BRoll& b) { return b.id == item.id; }))
                    return;
                editor_.pushUndo();
                editor_.updateProject([&](Project& p) {
                    for (BRoll& b : *p.brolls)
                        if (b.id == item.id) b.layout = value;
                });
                editor_.visualChanged();
            });
        menu->addAction(QStringLiteral("Overlay Settings…"), [this, item] { editor_.selectTimelineItem(item); });
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("Delete"), [this, item] { editor_.remove(item); });
    return menu;
}

QMenu* TimelineTracks::clipMenu(const VideoClip& clip, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const auto clips = editor_.project().videoClips();
    const int n = int(clips.size());
    int i = 0;
    for (int k = 0; k < n; ++k)
        if (clips[std::size_t(k)].id == clip.id) i = k;
    const Uuid id = clip.id;
    if (n >= 2) {
        menu->addAction(QStringLiteral("Move Earlier"), [this, id, i] { editor_.moveClip(id, i - 1); })->setEnabled(i > 0);
        menu->addAction(QStringLiteral("Move Later"), [this, id, i] { editor_.moveClip(id, i + 1); })
            ->setEnabled(i < n - 1);
    }
    menu->addAction(QStringLiteral("Add a Clip After This One…"), [this, i] {
        if (const auto file = EditorModel::pickVideoFile("Choose a video to add", choose_)) editor_.addClip(*file, i + 1);
    });
    if (clip.trimStart > 0 || clip.trimEnd > 0)
        menu->addAction(QStringLiteral("Untrim"), [this, id] { editor_.setClipTrim(id, 0, 0, true); });
    menu->addAction(QStringLiteral("Show in the file manager"), [this, path = clip.path] {
        if (!revealer_) revealer_ = std::make_shared<SystemFileRevealer>();
        revealer_->reveal({std::filesystem::path(path)});
    });
    if (n >= 2) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("Remove Clip"), [this, id] { editor_.removeClip(id); });
    }
    return menu;
}

QMenu* TimelineTracks::soundMenu(const Uuid& id, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const TimelineItem item{TimelineItem::Kind::sound, id};
    const auto edit = [this, id](auto change) {
        return [this, id, change] {
            const auto s = placedSound(id);
            if (!s) return;
            editor_.pushUndo();
            VolumeEnvelope e = s->sound.volume;
            change(e, s->sound.duration);
            writeSoundVolume(id, e);
        };
    };
    menu->addAction(QStringLiteral("Move to Playhead"), [this, item] { moveToPlayhead(editor_, item); });
    menu->addAction(QStringLiteral("Duplicate"), [this, item] { editor_.duplicate(item); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Fade In 1 s"),
                    edit([](VolumeEnvelope& e, double length) { e.fadeIn = std::min(length * 0.5, 1.0); }));
    menu->addAction(QStringLiteral("Fade Out 1 s"),
                    edit([](VolumeEnvelope& e, double length) { e.fadeOut = std::min(length * 0.5, 1.0); }));
    menu->addAction(QStringLiteral("Reset Volume"), edit([](VolumeEnvelope& e, double) { e = VolumeEnvelope{}; }));
    menu->addSeparator();
    menu->addAction(QStringLiteral("Delete"), [this, item] { editor_.remove(item); });
    return menu;
}

QMenu* TimelineTracks::audioMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    // The menu writes the stored envelope: only fades and the base level
    // change, so no point moves between time bases.
    const auto store = [this](auto change) {
        return [this, change] {
            editor_.pushUndo();
            VolumeEnvelope e = editor_.project().videoVolume.value_or(VolumeEnvelope{});
            change(e, std::max(outputLength(), 0.1));
            editor_.updateProject([&](Project& p) { p.videoVolume = e; });
            editor_.timelineChanged();
        };
    };
    menu->addAction(QStringLiteral("Fade In 1 s"),
                    store([](VolumeEnvelope& e, double length) { e.fadeIn = std::min(length * 0.5, 1.0); }));
    menu->addAction(QStringLiteral("Fade Out 1 s"),
                    store([](VolumeEnvelope& e, double length) { e.fadeOut = std::min(length * 0.5, 1.0); }));
    const auto& stored = editor_.project().videoVolume;
    menu->addAction(QStringLiteral("Remove Points"), store([](VolumeEnvelope& e, double) {
                        e.db = e.level(0);
                        e.points.clear();
                    }))
        ->setEnabled(stored && !stored->points.empty());
    menu->addAction(QStringLiteral("Reset Volume"), store([](VolumeEnvelope& e, double) { e = VolumeEnvelope{}; }));
    return menu;
}

}  // namespace vt
