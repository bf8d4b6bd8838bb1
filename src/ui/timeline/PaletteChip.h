#pragma once
// A chip that adds a timeline item: a click adds it at the playhead, a drag
// carries the item's text payload onto the timeline. Two looks: the toolbar
// chip (a tinted icon square, the title when there is room) and the effects
// palette's motion chip (icon, title, filling its grid cell). The same label
// serves the toolbar's plain buttons, which only click.

#include "editor/EditorModel.h"

#include <QAbstractButton>

#include <functional>
#include <optional>

namespace vt {

class PaletteChip : public QAbstractButton {
    Q_OBJECT
public:
    enum class Look { toolbar, palette };
    // `drop` none: a plain button that only clicks.
    PaletteChip(QString title, QString icon, QColor tint, Look look, std::optional<EditorModel::TimelineDrop> drop,
                QWidget* parent = nullptr);
    void setShowTitle(bool show);
    const std::optional<EditorModel::TimelineDrop>& drop() const { return drop_; }
    QSize sizeHint() const override;
    // A toolbar chip can always fall back to its icon.
    QSize minimumSizeHint() const override;
    // The picture shown under the pointer while a chip is dragged.
    static QPixmap dragPreview(const QString& title, const QString& icon, const QColor& tint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString icon_;
    QColor tint_;
    Look look_;
    std::optional<EditorModel::TimelineDrop> drop_;
    bool showTitle_ = true;
    bool hover_ = false;
    QPoint pressAt_;
};

}  // namespace vt
