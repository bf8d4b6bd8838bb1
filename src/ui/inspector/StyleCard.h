#pragma once
// One cell of the styles grid: the look's preview over the poster frame in
// the project's format, ringed when selected, with a star on curated popular
// looks and a badge on looks drawn behind the speaker; the look's name under
// it and, on the selected card of a look that can be recoloured, its
// colourways. A selected card previews the video's current look (edits and
// colourways included); name, star and badge stay its own look's.
//
// The preview is asked of the editor while the card is shown and whenever
// what it is drawn from changes (look, caption script, poster frame, format,
// framing); a preview no longer wanted, because the card was hidden,
// destroyed or now shows another look, is cancelled. Main thread only.

#include "captions/look/CaptionStyle.h"

#include <QPointer>
#include <QWidget>

class QTimer;

namespace vt {
class EditorModel;
class StylePreviewCache;
}

namespace vt::ui {

class ColorwayRow;
class PopularTag;

class StyleCard : public QWidget {
    Q_OBJECT
public:
    StyleCard(EditorModel& editor, CaptionStyle style, bool selected, QWidget* parent = nullptr);
    ~StyleCard() override;

    // Width over height of the project's format.
    static double ratio(const EditorModel& editor);
    // The height of a card `width` wide: preview, name and room for colourways.
    static int heightFor(const EditorModel& editor, int width);

    const CaptionStyle& style() const { return style_; }
    bool selected() const { return selected_; }
    void setSelected(bool selected);
    // The look the preview shows and its cache key.
    const CaptionStyle& shownLook() const;
    std::string previewKey() const;
    // key | poster present | format | framing: a change asks for a new preview.
    std::string taskID() const;
    bool hasPreview() const;

    PopularTag* popularTag() const { return popular_; }
    ColorwayRow* colorways() const { return colorways_; }
    QString help() const;

signals:
    void clicked();
    void menuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    EditorModel& editor_;
    // The card may outlive the editor when both go at once; it cancels only
    // through a cache that still exists.
    QPointer<StylePreviewCache> cache_;
    CaptionStyle style_;
    bool selected_;
    PopularTag* popular_ = nullptr;
    ColorwayRow* colorways_ = nullptr;
    QTimer* spinner_;
    std::string task_;          // the task the running request belongs to; empty when none
    std::string requestedKey_;  // the key asked for

    QRectF previewRect() const;
    QRectF behindBadgeRect() const;
    void updateTask();
    void cancelTask();
    void place();
    void refresh();
};

}  // namespace vt::ui
