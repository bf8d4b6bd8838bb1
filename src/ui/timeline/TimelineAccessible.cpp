#include "ui/timeline/TimelineAccessible.h"

#include "ui/timeline/TimelineTracks.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <map>

namespace vt::TimelineAccessible {

namespace {

// The index of the block showing `item`, or -1 once it has gone.
int indexOf(const TimelineTracks* tracks, const TimelineItem& item)
{
    if (!tracks) return -1;
    const auto& blocks = tracks->blocks();
    for (std::size_t i = 0; i < blocks.size(); ++i)
        if (blocks[i].item == item) return int(i);
    return -1;
}

// One block, found again by its item on every question, so the element
// stays right while the blocks are rebuilt.
class BlockElement : public QAccessibleInterface {
public:
    BlockElement(TimelineTracks* tracks, TimelineItem item) : tracks_(tracks), item_(item) {}

    bool isValid() const override { return indexOf(tracks_, item_) >= 0; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return tracks_ ? tracks_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(tracks_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QString text(QAccessible::Text t) const override
    {
        const TimelineBlock* b = block();
        return b && t == QAccessible::Name ? b->title : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        const TimelineBlock* b = block();
        if (!b) return {};
        const QRect local = b->frame().toAlignedRect();
        return QRect(tracks_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        const TimelineBlock* b = block();
        s.invalid = !b;
        s.selectable = true;
        s.selected = b && b->selected;
        return s;
    }

private:
    const TimelineBlock* block() const
    {
        const int i = indexOf(tracks_, item_);
        return i < 0 ? nullptr : &tracks_->blocks()[std::size_t(i)];
    }

    QPointer<TimelineTracks> tracks_;
    TimelineItem item_;
};

class TracksElement : public QAccessibleWidget {
public:
    explicit TracksElement(TimelineTracks* tracks) : QAccessibleWidget(tracks, QAccessible::Client) {}
    ~TracksElement() override
    {
        for (const auto& [key, id] : made_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return int(tracks()->blocks().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const auto& blocks = tracks()->blocks();
        if (index < 0 || index >= int(blocks.size())) return nullptr;
        const TimelineItem item = blocks[std::size_t(index)].item;
        const auto key = std::pair{int(item.kind), item.id};
        if (const auto found = made_.find(key); found != made_.end()) return QAccessible::accessibleInterface(found->second);
        auto* element = new BlockElement(tracks(), item);
        made_[key] = QAccessible::registerAccessibleInterface(element);
        return element;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPointF at = tracks()->mapFromGlobal(QPoint(x, y));
        const auto& blocks = tracks()->blocks();
        // The last drawn block is the one on top.
        for (int i = int(blocks.size()) - 1; i >= 0; --i)
            if (blocks[std::size_t(i)].frame().contains(at)) return child(i);
        return nullptr;
    }

private:
    TimelineTracks* tracks() const { return static_cast<TimelineTracks*>(widget()); }

    // One element per item for the life of the tracks' element.
    mutable std::map<std::pair<int, Uuid>, QAccessible::Id> made_;
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("vt::TimelineTracks") && object && object->isWidgetType())
        return new TracksElement(static_cast<TimelineTracks*>(object));
    return nullptr;
}

}  // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

}  // namespace vt::TimelineAccessible
