#pragma once
// The inspector of one timeline item, a source clip or an overlay: its
// colour (automatic enhance, a look and the grade sliders), crop, zoom and
// position, quarter turns and mirroring, the overlay's own settings, the
// clip's sound, and reset, duplicate and delete. Every value is read from
// and written through the editor model (adjust / updateAdjust). Main thread.

#include "editor/EditorModel.h"
#include "ui/inspector/Binding.h"

#include <QWidget>

#include <optional>

class QVBoxLayout;

namespace vt::ui {

class ItemInspector : public QWidget {
    Q_OBJECT
public:
    ItemInspector(EditorModel& editor, TimelineItem item, QWidget* parent = nullptr);

    // The header's texts: name, symbol and the detail line.
    struct Title {
        QString name;
        QString icon;
        QString detail;
    };
    Title title() const;
    // A crop of the given shape ("Original", "9:16", "1:1", "4:5", "16:9"),
    // centred, for a picture of width over height `pictureAspect`.
    static void cropTo(ItemAdjust& adjust, const QString& shape, double pictureAspect);
    void cropTo(const QString& shape);
    // Width over height of the inspected picture; none while unknown.
    std::optional<double> pictureAspect() const;
    Binding<double> binding(double ItemAdjust::*field);
    Binding<double> binding(double VideoGrade::*field);
    bool enhancing() const { return enhancing_; }
    void autoEnhance();

private:
    struct Shape {
        bool lookShown = false;
        bool gradeChanged = false;
        bool zoomNote = false;
        bool changed = false;
        std::optional<BRoll> broll;
        bool clipMuted = false;
        int clips = 0;
        bool enhancing = false;
        friend bool operator==(const Shape&, const Shape&) = default;
    };
    Shape shape() const;
    void refresh();
    void rebuild();
    QWidget* header();
    QWidget* enhance(const ItemAdjust& adjust);
    QWidget* crop();
    QWidget* position(const ItemAdjust& adjust);
    QWidget* overlay(const BRoll& broll);
    QWidget* sound(const ItemAdjust& adjust);
    QWidget* actions(const ItemAdjust& adjust);
    std::optional<BRoll> broll() const;
    void writeOverlay(const std::function<void(BRoll&)>& change);

    EditorModel& editor_;
    TimelineItem item_;
    bool enhancing_ = false;
    Shape shown_;
    QWidget* body_ = nullptr;
    QVBoxLayout* column_ = nullptr;
};

}  // namespace vt::ui
