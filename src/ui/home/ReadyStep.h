#pragma once
// The last onboarding step: "You're ready." and a card with the drop zone
// that takes the first video, by drop (the first file of a drop) or by its
// "Choose Video" button (also Return). The footer offers Back and "Skip for
// Now", which ends the onboarding without a video.

#include <QWidget>

#include <functional>

namespace vt {

class AppModel;
class OnboardingFooter;
class VideoDropZone;

class ReadyStep : public QWidget {
    Q_OBJECT

public:
    ReadyStep(AppModel& app, std::function<void()> back, QWidget* parent = nullptr);
    OnboardingFooter* footer() const { return footer_; }
    VideoDropZone* dropZone() const { return zone_; }
    // The card that takes drops.
    QWidget* card() const { return card_; }
    bool targeted() const { return targeted_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppModel& app_;
    OnboardingFooter* footer_;
    VideoDropZone* zone_;
    QWidget* card_;
    bool targeted_ = false;
};

}  // namespace vt
