#pragma once
// The Customize panel's live preview of the video's look: the look's caption
// of a sample text on a checkerboard, 92 points high inside a rounded
// border. Each new look is a request; the caption is drawn off the main
// thread, one drawing at a time. A request made while a drawing runs waits,
// replacing any older waiting request (which is then never drawn), and a
// result is shown only when it answers a newer request than the one shown,
// so a late drawing of an older look never replaces a newer one.
//
// Main thread only; the widget waits for its drawing under way when it goes.

#include "captions/look/CaptionStyle.h"

#include <QImage>
#include <QThreadPool>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vt::ui {

class LiveStylePreview : public QWidget {
    Q_OBJECT
public:
    LiveStylePreview(std::string text, QWidget* parent = nullptr);
    ~LiveStylePreview() override;

    // Asks for the look's picture; the same look as last asked for is no new request.
    void setLook(const CaptionStyle& look);

    const QImage& picture() const { return picture_; }
    std::uint64_t requested() const { return requested_; }  // the newest request's number
    std::uint64_t shownRequest() const { return shown_; }   // 0 before any picture
    int drawingsStarted() const { return started_; }

    // Hands a finished drawing back as the worker does; for the request-order rule.
    void deliver(std::uint64_t request, const std::optional<QImage>& picture);

signals:
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string text_;
    std::optional<CaptionStyle> asked_;
    std::optional<std::pair<std::uint64_t, CaptionStyle>> waiting_;
    bool drawing_ = false;
    std::uint64_t requested_ = 0;
    std::uint64_t shown_ = 0;
    int started_ = 0;
    QImage picture_;
    std::unique_ptr<QThreadPool> pool_;

    void start(std::uint64_t request, const CaptionStyle& look);
};

}  // namespace vt::ui
