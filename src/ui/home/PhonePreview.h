#pragma once
// A stylised phone showing the sample caption "Make the point land" in one
// caption look over an optional poster (a grey gradient without one). The
// caption is rendered off the main thread whenever the look changes; only
// the render of the latest look is kept, so quick changes never show an
// older look's caption last.

#include "captions/look/CaptionStyle.h"

#include <QImage>
#include <QThreadPool>
#include <QWidget>

#include <optional>

namespace vt {

class PhonePreview : public QWidget {
    Q_OBJECT

public:
    static constexpr double aspect = 9.0 / 19.5;
    static constexpr const char* sampleText = "Make the point land";

    explicit PhonePreview(QWidget* parent = nullptr);
    ~PhonePreview() override;

    void setPoster(std::optional<QImage> poster);
    // Starts a render when the look differs from the one shown.
    void setStyle(const CaptionStyle& style);
    const CaptionStyle& style() const { return style_; }
    const std::optional<QImage>& caption() const { return caption_; }
    // Renders started so far; the last one's result is the one kept.
    int renders() const { return generation_; }
    void waitForRenders() { pool_.waitForDone(); }

signals:
    void captionChanged();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::optional<QImage> poster_;
    CaptionStyle style_;
    bool hasStyle_ = false;
    std::optional<QImage> caption_;
    int generation_ = 0;
    QThreadPool pool_;
};

}  // namespace vt
